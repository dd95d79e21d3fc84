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

enum ToolboxOptionError { kOptOk, kOptUnknown, kOptMissingValue, kOptNoFile, kOptNotForCommand, kOptBadValue };
// Parses the words after the command word. On an error, *bad is the word
// that caused it (empty for kOptNoFile). "--" ends the options.
ToolboxOptionError ParseToolboxOptions(ToolboxCommand command, const std::vector<std::string> &words,
                                       ToolboxOptions *out, std::string *bad);

// convert --as ani: the animated cursor's own options, taken out of a
// converter command line (the words after the program name) before the
// converter's parser reads the rest, with "--as ani" turned into
// "--as cursor" (every frame is made as a cursor first).
struct AniOptions {
    bool wanted = false;  // --as ani was given
    std::string title, author;           // at most kAniOptionTextMax characters
    bool hotspot = false;
    unsigned hotspotX = 0, hotspotY = 0; // pixels of each image, from its top left
    unsigned rate = 0;                   // jiffies of frames that carry no delay; 0: the default
};
const size_t kAniOptionTextMax = 79;
// Without --as ani, every word goes to *rest unchanged. With it, --title,
// --author, --hotspot X,Y and --rate N (both "--name value" and
// "--name=value") are taken out; "--" ends the options. out->wanted is set
// even when a value is refused.
ToolboxOptionError SplitAniOptions(const std::vector<std::string> &words, AniOptions *out,
                                   std::vector<std::string> *rest, std::string *bad);
