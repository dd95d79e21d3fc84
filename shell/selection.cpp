#include "shell/selection.h"

#include "common/paths.h"
#include "common/types.h"
#include "conversion/sources.h"

namespace {

// A name typed with its drive ("C:\...") or as a network path stands alone.
bool IsAbsolute(const std::string &name) {
    bool drive = name.size() >= 3 && name[1] == ':' && name[2] == '\\';
    bool network = name.size() >= 2 && name[0] == '\\' && name[1] == '\\';
    return drive || network;
}

std::string InFolder(const std::string &folder, const std::string &name) {
    return IsAbsolute(name) ? name : CollapseBackslashes(folder + "\\" + name);
}

}  // namespace

std::vector<std::string> SourcesFromSelection(const std::string &folder, const std::string &text, size_t limit) {
    std::vector<std::string> sources;
    if (text.empty() || limit == 0) return sources;
    if (text.find('"') == std::string::npos) {
        sources.push_back(InFolder(folder, text));
        return sources;
    }
    size_t pos = 0;
    while (sources.size() < limit) {
        size_t open = text.find('"', pos);
        if (open == std::string::npos) break;
        size_t close = text.find('"', open + 1);
        if (close == std::string::npos) break;  // an unterminated name is not a name
        if (close > open + 1) sources.push_back(InFolder(folder, text.substr(open + 1, close - open - 1)));
        pos = close + 1;
    }
    return sources;
}

bool IsVideoSource(const std::string &path) {
    static const char *const kVideo[] = {".asf", ".avi", ".avv", ".cmf", ".m1v", ".m2v",
                                         ".mov", ".mpq", ".mpv", ".mpx", ".qt",  ".wmv"};
    return HasExtensionIn(path, kVideo, sizeof kVideo / sizeof kVideo[0]);
}

std::string VideoToolParameters(const std::string &video, const std::string &folder) {
    return video + "|" + folder;
}

std::string GrabbedFramePattern(const std::string &folder, const std::string &video) {
    return CollapseBackslashes(folder + "\\" + BaseName(video) + "*.bmp");
}

std::string ResultPath(const std::string &target, const std::string &source, int kind) {
    std::string base = BaseName(source);
    if (kind == kCreateProfile) return ProfileImagePath(target, base);
    return OutputPath(target, base, -1, kind == kCreateIcon ? kCreateIcon : kCreateCursor);
}

std::string QuotedParameter(const std::string &path) {
    if (path.find(' ') == std::string::npos || (path.size() >= 2 && path.front() == '"' && path.back() == '"'))
        return path;
    return "\"" + path + "\"";
}
