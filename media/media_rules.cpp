#include "media/media_rules.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/paths.h"

CommandLineVerdict SplitCommandLine(const char *commandLine, char *media, size_t mediaSize, char *folder,
                                    size_t folderSize) {
    if (mediaSize) media[0] = '\0';
    if (folderSize) folder[0] = '\0';
    const char *bar = commandLine ? strchr(commandLine, '|') : nullptr;
    if (!bar) return kStartedOutside;
    if (bar == commandLine) return kStartedWithout;
    size_t pathLength = (size_t)(bar - commandLine);
    size_t folderLength = strlen(bar + 1);
    if (pathLength >= mediaSize || folderLength >= folderSize) return kPathTooLong;
    memcpy(media, commandLine, pathLength);
    media[pathLength] = '\0';
    memcpy(folder, bar + 1, folderLength + 1);
    return kCommandLineOk;
}

bool GrabAllowedFor(const std::string &path) {
    static const char *const kGrabbable[] = {".afx", ".asf", ".avi", ".avv", ".cmf", ".mov",
                                             ".mpeg", ".mpg", ".mpv", ".mpx", ".qt", ".wmv"};
    return HasExtensionIn(path, kGrabbable, sizeof kGrabbable / sizeof kGrabbable[0]);
}

bool UsesAsfReader(const std::string &path) {
    static const char *const kAsf[] = {".asf", ".asx", ".wma", ".wmv"};
    return HasExtensionIn(path, kAsf, sizeof kAsf / sizeof kAsf[0]);
}

// value * numerator / denominator for non-negative values and a numerator of
// at most 100, without overflowing 64 bits.
static int64_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
    return value / denominator * numerator + value % denominator * numerator / denominator;
}

int SliderFromPosition(int64_t position, int64_t duration) {
    if (duration <= 0 || position <= 0) return 0;
    if (position >= duration) return 100;
    // position < duration, so position * 100 / duration < 100; computed
    // without overflow as position / (duration / 100) when that is large.
    if (position <= INT64_MAX / 100) return (int)(position * 100 / duration);
    return (int)(position / (duration / 100 + 1));
}

int64_t PositionFromSlider(int place, int64_t duration) {
    if (duration <= 0 || place <= 0) return 0;
    if (place >= 100) return duration;
    return Scale(duration, place, 100);
}

ClockTime SplitTime(int64_t units) {
    if (units < 0) units = 0;
    int64_t ms = units / kUnitsPerMillisecond;
    ClockTime t;
    t.minutes = ms / 60000;
    t.seconds = (int)(ms / 1000 % 60);
    t.milliseconds = (int)(ms % 1000);
    return t;
}

long PositionNumber(int64_t position) { return (long)(int32_t)(uint32_t)(uint64_t)position; }

int64_t GrabPosition(int64_t position, int64_t duration) { return duration < kUnitsPerSecond ? 0 : position; }

std::string GrabbedFramePath(const std::string &folder, const std::string &media, int64_t position,
                             size_t maxPath) {
    char number[32];
    snprintf(number, sizeof number, " %ld.bmp", PositionNumber(position));
    std::string path = CollapseBackslashes(folder + "\\" + BaseName(media) + number);
    return path.size() < maxPath ? path : std::string();
}

// One axis of PlaceVideo: the offset and length of the video on it.
static void PlaceOnAxis(int area, int video, int *offset, int *length) {
    bool larger = area > video;
    *offset = larger ? (area - video) / 2 : 0;
    *length = larger ? video : area;
}

Placement PlaceVideo(int areaWidth, int areaHeight, int videoWidth, int videoHeight) {
    Placement p;
    PlaceOnAxis(areaWidth, videoWidth, &p.x, &p.width);
    PlaceOnAxis(areaHeight, videoHeight, &p.y, &p.height);
    return p;
}

Placement FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    Placement p = {0, 0, 0, 0};
    if (areaWidth <= 0 || areaHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return p;
    p.width = pictureWidth;
    p.height = pictureHeight;
    if (p.width > areaWidth || p.height > areaHeight) {
        // The tighter axis decides; 64-bit products for large frames.
        if ((int64_t)pictureWidth * areaHeight > (int64_t)pictureHeight * areaWidth) {
            p.width = areaWidth;
            p.height = (int)((int64_t)pictureHeight * areaWidth / pictureWidth);
        } else {
            p.height = areaHeight;
            p.width = (int)((int64_t)pictureWidth * areaHeight / pictureHeight);
        }
        if (p.width < 1) p.width = 1;
        if (p.height < 1) p.height = 1;
    }
    p.x = (areaWidth - p.width) / 2;
    p.y = (areaHeight - p.height) / 2;
    return p;
}
