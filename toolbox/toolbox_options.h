// The command lines of list, extract and check. Portable.
#pragma once
#include <string>
#include <vector>

enum ToolboxCommand { kToolList, kToolExtract, kToolCheck };
// "list", "extract" or "check" (exactly, lower case).
bool ToolboxCommandFromWord(const char *word, ToolboxCommand *out);

struct ToolboxOptions {
    ToolboxCommand command = kToolList;
    std::vector<std::string> files;
    std::string outDir;  // extract only; empty: the current folder
    bool json = false;
    bool help = false;
};

enum ToolboxOptionError { kOptOk, kOptUnknown, kOptMissingValue, kOptNoFile, kOptNotForCommand };
// Parses the words after the command word. On an error, *bad is the word
// that caused it (empty for kOptNoFile). "--" ends the options.
ToolboxOptionError ParseToolboxOptions(ToolboxCommand command, const std::vector<std::string> &words,
                                       ToolboxOptions *out, std::string *bad);
