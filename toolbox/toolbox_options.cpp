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

namespace {

bool ParseNumber(const std::string &text, unsigned max, unsigned *out) {
    if (text.empty() || text.size() > 6) return false;
    unsigned v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (unsigned)(c - '0');
    }
    if (v > max) return false;
    *out = v;
    return true;
}

// "--name value" or "--name=value" at words[*i]: true with the value when the
// word is that option (advancing *i past a separate value).
bool TakeValue(const std::vector<std::string> &words, size_t *i, const std::string &name, std::string *value,
               bool *missing) {
    const std::string &w = words[*i];
    *missing = false;
    if (w == name) {
        if (*i + 1 >= words.size()) return *missing = true, true;
        *value = words[++*i];
        return true;
    }
    if (w.compare(0, name.size() + 1, name + "=") == 0) {
        *value = w.substr(name.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

ToolboxOptionError SplitAniOptions(const std::vector<std::string> &words, AniOptions *out,
                                   std::vector<std::string> *rest, std::string *bad) {
    AniOptions o;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--") break;
        if ((words[i] == "--as" && i + 1 < words.size() && words[i + 1] == "ani") || words[i] == "--as=ani")
            o.wanted = true;
    }
    rest->clear();
    out->wanted = o.wanted;  // also when a value below is refused
    if (!o.wanted) {
        *rest = words;
        *out = o;
        return kOptOk;
    }
    bool optionsDone = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        std::string value;
        bool missing = false;
        if (optionsDone) {
            rest->push_back(w);
        } else if (w == "--") {
            optionsDone = true;
            rest->push_back(w);
        } else if (w == "--as=ani" || (w == "--as" && i + 1 < words.size() && words[i + 1] == "ani")) {
            if (w == "--as") ++i;
            rest->push_back("--as");
            rest->push_back("cursor");
        } else if (TakeValue(words, &i, "--title", &value, &missing) ||
                   TakeValue(words, &i, "--author", &value, &missing)) {
            if (missing) return *bad = w, kOptMissingValue;
            if (value.size() > kAniOptionTextMax) return *bad = w, kOptBadValue;
            (w.compare(0, 7, "--title") == 0 ? o.title : o.author) = value;
        } else if (TakeValue(words, &i, "--hotspot", &value, &missing)) {
            if (missing) return *bad = w, kOptMissingValue;
            size_t comma = value.find(',');
            if (comma == std::string::npos || !ParseNumber(value.substr(0, comma), 255, &o.hotspotX) ||
                !ParseNumber(value.substr(comma + 1), 255, &o.hotspotY))
                return *bad = w, kOptBadValue;
            o.hotspot = true;
        } else if (TakeValue(words, &i, "--rate", &value, &missing)) {
            if (missing) return *bad = w, kOptMissingValue;
            if (!ParseNumber(value, 100000, &o.rate) || o.rate == 0) return *bad = w, kOptBadValue;
        } else {
            rest->push_back(w);
        }
    }
    *out = o;
    return kOptOk;
}
