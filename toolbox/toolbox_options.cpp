#include "toolbox/toolbox_options.h"

#include <cstring>

bool ToolboxCommandFromWord(const char *word, ToolboxCommand *out) {
    static const struct {
        const char *word;
        ToolboxCommand command;
    } kWords[] = {{"list", kToolList}, {"extract", kToolExtract}, {"check", kToolCheck}};
    for (const auto &w : kWords)
        if (word && strcmp(word, w.word) == 0) return *out = w.command, true;
    return false;
}

ToolboxOptionError ParseToolboxOptions(ToolboxCommand command, const std::vector<std::string> &words,
                                       ToolboxOptions *out, std::string *bad) {
    ToolboxOptions o;
    o.command = command;
    bool optionsDone = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        if (optionsDone || w.size() < 2 || w[0] != '-') {
            o.files.push_back(w);
            continue;
        }
        if (w == "--") {
            optionsDone = true;
        } else if (w == "--json") {
            o.json = true;
        } else if (w == "--help" || w == "-h") {
            o.help = true;
        } else if (w == "--out" || w.compare(0, 6, "--out=") == 0) {
            if (command != kToolExtract) return *bad = w, kOptNotForCommand;
            if (w == "--out") {
                if (i + 1 >= words.size()) return *bad = w, kOptMissingValue;
                o.outDir = words[++i];
            } else {
                o.outDir = w.substr(6);
            }
            if (o.outDir.empty()) return *bad = "--out", kOptMissingValue;
        } else {
            return *bad = w, kOptUnknown;
        }
    }
    if (!o.help && o.files.empty()) return bad->clear(), kOptNoFile;
    *out = o;
    return kOptOk;
}
