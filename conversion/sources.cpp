#include "conversion/sources.h"

#include <cstdio>
#include <cstring>

#include "common/paths.h"

namespace {

const char *const kMpegExtensions[] = {".mpg", ".mpeg", ".m1v", ".m2v", ".m75", ".m1s"};
// The raw formats of older cameras, then those current cameras write.
const char *const kRawExtensions[] = {".bay", ".cr2", ".crw", ".cs1", ".nef", ".orf", ".wb1", ".wbz", ".wpg",
                                      ".dng", ".arw", ".raf", ".rw2", ".pef", ".srw"};

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

int RawDecoderEntry(const std::string &path) {
    if (ClassifySource(path) != kRawSource) return 0;
    std::string ext = Extension(path);
    if (CompareNoCase(ext.c_str(), ".wbz", 4) == 0) return 2;
    if (CompareNoCase(ext.c_str(), ".wb1", 4) == 0) return 3;
    return 1;
}

std::string MpegFrameBitmap(const std::string &temp, const std::string &base, int frame) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%s\\GY%s_%04d.bmp", temp.c_str(), base.c_str(), frame);
    return Finish(buf, n, kPathChars);
}

std::string AniFrameBitmap(const std::string &temp, int frame) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%s\\GY_%04d.bmp", temp.c_str(), frame);
    return Finish(buf, n, kPathChars);
}

std::string AniFrameIcon(const std::string &temp, int frame) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%s\\GY%04d.ico", temp.c_str(), frame);
    return Finish(buf, n, kPathChars);
}

std::string CursorTestAni(const std::string &temp) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%sGY.ani", temp.c_str());
    return Finish(buf, n, kPathChars);
}

std::string AniOutputPath(const std::string &target, const std::string &name) {
    char buf[kBufferChars];
    int n = snprintf(buf, sizeof buf, "%s\\%s.ani", target.c_str(), name.c_str());
    return Finish(buf, n, kPathChars);
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
