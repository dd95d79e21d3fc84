#include "conversion/sources.h"

#include <cstdio>
#include <cstring>

#include "common/paths.h"

namespace {

const char *const kMpegExtensions[] = {".mpg", ".mpeg", ".m1v", ".m2v", ".m75", ".m1s"};
const char *const kRawExtensions[] = {".bay", ".cr2", ".crw", ".cs1", ".nef", ".orf", ".wb1", ".wbz", ".wpg"};

template <size_t N>
bool MatchesAny(const std::string &ext, const char *const (&list)[N]) {
    for (const char *candidate : list)
        if (CompareNoCase(ext.c_str(), candidate, strlen(candidate)) == 0) return true;
    return false;
}

const size_t kPathChars = 260;

// A formatted path, collapsed; empty when it does not fit.
const size_t kBufferChars = 4 * kPathChars;
std::string Finish(const char *buf, int n, size_t limit) {
    if (n < 0 || (size_t)n >= kBufferChars) return std::string();
    std::string s = CollapseBackslashes(buf);
    return s.size() < limit ? s : std::string();
}

}  // namespace

SourceKind ClassifySource(const std::string &path) {
    std::string ext = Extension(path);
    if (MatchesAny(ext, kMpegExtensions)) return kMpegSource;
    if (MatchesAny(ext, kRawExtensions)) return kRawSource;
    return kStillSource;
}

std::string RenderedBitmapName(const std::string &temp, const std::string &base, int frame, int size, int bits) {
    char buf[kBufferChars];
    int n = frame >= 0 ? snprintf(buf, sizeof buf, "%s\\%s_%04d_%d_%d.bmp", temp.c_str(), base.c_str(), frame, size,
                                  bits)
                       : snprintf(buf, sizeof buf, "%s\\%s_%d_%d.bmp", temp.c_str(), base.c_str(), size, bits);
    // The prefix is not part of the file's path (nor of a network path's opening).
    std::string file = Finish(buf, n, kPathChars);
    return file.empty() ? file : "BMP3:" + file;
}

std::string FileOfRenderedName(const std::string &name) {
    return name.compare(0, 5, "BMP3:") == 0 ? name.substr(5) : name;
}

std::string OutputPath(const std::string &target, const std::string &base, int frame, int kind) {
    const char *ext = kind == 2 ? "cur" : "ico";
    char buf[kBufferChars];
    int n = frame >= 0 ? snprintf(buf, sizeof buf, "%s\\%s_%04d.%s", target.c_str(), base.c_str(), frame, ext)
                       : snprintf(buf, sizeof buf, "%s\\%s.%s", target.c_str(), base.c_str(), ext);
    return Finish(buf, n, kPathChars);
}

std::string ProfileImagePath(const std::string &target, const std::string &base) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%s\\%s.bmp", target.c_str(), base.c_str());
    return Finish(buf, n, kPathChars);
}

std::string FrameStatus(int frame, int frames) {
    char buf[64];
    snprintf(buf, sizeof buf, "Frame #%d / %d", frame, frames);
    return buf;
}

std::string FrameIconStatus(int frame, int frames) {
    char buf[64];
    snprintf(buf, sizeof buf, "Frame #%d / %d  Icon %d", frame, frames, frame);
    return buf;
}
