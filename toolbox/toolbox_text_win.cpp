#include "toolbox/toolbox_text_win.h"

#include <cstdarg>
#include <cstdio>

#include "toolbox/resource.h"

std::string ToolboxText(UINT id) {
    char buf[4096];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof buf);
    return n > 0 ? std::string(buf, n) : std::string();
}

std::string ToolboxFormat(UINT id, ...) {
    std::string format = ToolboxText(id);
    char buf[4096];
    va_list args;
    va_start(args, id);
    vsnprintf(buf, sizeof buf, format.c_str(), args);
    va_end(args);
    return buf;
}

void ToolboxPrint(const std::string &text) {
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
}

void ToolboxComplain(const std::string &path, const std::string &why) {
    fprintf(stderr, "GlypheryConvert: %s%s%s\n", path.c_str(), path.empty() ? "" : ": ", why.c_str());
    fflush(stderr);
}

void ComplainOption(ToolboxOptionError error, const std::string &word) {
    switch (error) {
    case kOptOk: break;
    case kOptUnknown: ToolboxComplain("", ToolboxFormat(IDS_TB_UNKNOWN_OPTION, word.c_str())); break;
    case kOptMissingValue: ToolboxComplain("", ToolboxFormat(IDS_TB_MISSING_VALUE, word.c_str())); break;
    case kOptNoFile: ToolboxComplain("", ToolboxText(IDS_TB_NO_FILE)); break;
    case kOptNotForCommand: ToolboxComplain("", ToolboxFormat(IDS_TB_NOT_FOR_COMMAND, word.c_str())); break;
    case kOptBadValue: ToolboxComplain("", ToolboxFormat(IDS_TB_BAD_VALUE, word.c_str())); break;
    }
}
