// The video tool's portable rules: its command line, the types it grabs
// from, the slider and time arithmetic, the grabbed frame's name and the
// places of the video and of the grabbed picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "media/media_rules.h"

namespace {

TEST(MediaCommandLine, SplitsAtTheFirstBarOrSaysWhyNot) {
    struct Case {
        const char *line;
        CommandLineVerdict verdict;
        const char *media, *folder;
    } cases[] = {
        {"C:\\clips\\a.avi|C:\\temp\\", kCommandLineOk, "C:\\clips\\a.avi", "C:\\temp\\"},
        {"C:\\my clips\\b c.wmv|C:\\t|x", kCommandLineOk, "C:\\my clips\\b c.wmv", "C:\\t|x"},
        {"C:\\clips\\a.avi|", kCommandLineOk, "C:\\clips\\a.avi", ""},
        {"C:\\clips\\a.avi", kStartedOutside, "", ""},
        {"", kStartedOutside, "", ""},
        {"|C:\\temp", kStartedWithout, "", ""},
        {"|", kStartedWithout, "", ""},
    };
    for (const Case &c : cases) {
        char media[260] = "junk", folder[260] = "junk";
        EXPECT_EQ(SplitCommandLine(c.line, media, sizeof media, folder, sizeof folder), c.verdict) << c.line;
        EXPECT_STREQ(media, c.media) << c.line;
        EXPECT_STREQ(folder, c.folder) << c.line;
    }
    char media[8], folder[8];
    EXPECT_EQ(SplitCommandLine(nullptr, media, sizeof media, folder, sizeof folder), kStartedOutside);
}

TEST(MediaCommandLine, PartsLongerThanTheirBuffersAreRefusedNotCut) {
    char media[16] = "", folder[16] = "";
    std::string fits(15, 'm'), over(16, 'm');
    EXPECT_EQ(SplitCommandLine((fits + "|" + fits).c_str(), media, sizeof media, folder, sizeof folder), kCommandLineOk);
    EXPECT_EQ(std::string(media), fits);
    EXPECT_EQ(std::string(folder), fits);
    EXPECT_EQ(SplitCommandLine((over + "|f").c_str(), media, sizeof media, folder, sizeof folder), kPathTooLong);
    EXPECT_STREQ(media, "");
    EXPECT_EQ(SplitCommandLine(("m|" + over).c_str(), media, sizeof media, folder, sizeof folder), kPathTooLong);
    EXPECT_STREQ(folder, "");
}

TEST(MediaTypes, GrabbedTypesAndTheAsfReadersTypes) {
    for (const char *ext : {".afx", ".asf", ".avi", ".avv", ".cmf", ".mov", ".mpeg", ".mpg", ".mpv", ".mpx", ".qt",
                            ".wmv", ".AVI", ".Wmv", ".MPEG"})
        EXPECT_TRUE(GrabAllowedFor(std::string("C:\\v.x\\clip") + ext)) << ext;
    for (const char *ext : {".wma", ".asx", ".mp3", ".m1v", ".mpe", ".av", ".avi.txt", ""})
        EXPECT_FALSE(GrabAllowedFor(std::string("C:\\v.avi\\clip") + ext)) << ext;
    for (const char *ext : {".asf", ".asx", ".wma", ".wmv", ".WMV"})
        EXPECT_TRUE(UsesAsfReader(std::string("C:\\clip") + ext)) << ext;
    for (const char *ext : {".avi", ".mpg", ".asfx", ".wm"})
        EXPECT_FALSE(UsesAsfReader(std::string("C:\\clip") + ext)) << ext;
}

TEST(MediaSlider, PlacesAndPositionsBothWays) {
    const int64_t fourSeconds = 4 * kUnitsPerSecond;
    struct Case {
        int64_t position, duration;
        int place;
    } cases[] = {
        {0, fourSeconds, 0},
        {fourSeconds / 2, fourSeconds, 50},
        {fourSeconds - 1, fourSeconds, 99},
        {fourSeconds, fourSeconds, 100},
        {fourSeconds * 3, fourSeconds, 100},  // past the end
        {-5, fourSeconds, 0},
        {123, 0, 0},                          // unknown duration
        {INT64_MAX / 2, INT64_MAX, 49},       // no overflow in position x 100
    };
    for (const Case &c : cases)
        EXPECT_EQ(SliderFromPosition(c.position, c.duration), c.place) << c.position << " of " << c.duration;
    EXPECT_EQ(PositionFromSlider(0, fourSeconds), 0);
    EXPECT_EQ(PositionFromSlider(62, fourSeconds), 24800000);
    EXPECT_EQ(PositionFromSlider(100, fourSeconds), fourSeconds);
    EXPECT_EQ(PositionFromSlider(150, fourSeconds), fourSeconds);
    EXPECT_EQ(PositionFromSlider(-3, fourSeconds), 0);
    EXPECT_EQ(PositionFromSlider(50, 0), 0);
    EXPECT_EQ(PositionFromSlider(50, INT64_MAX), INT64_MAX / 2);
    for (int place = 0; place <= 100; ++place)
        EXPECT_EQ(SliderFromPosition(PositionFromSlider(place, fourSeconds), fourSeconds), place);
}

TEST(MediaTime, MinutesSecondsMillisecondsAndTheNumberedPosition) {
    ClockTime t = SplitTime(754321LL * kUnitsPerMillisecond + 9999);
    EXPECT_EQ(t.minutes, 12);
    EXPECT_EQ(t.seconds, 34);
    EXPECT_EQ(t.milliseconds, 321);
    t = SplitTime(-1);
    EXPECT_EQ(t.minutes, 0);
    EXPECT_EQ(t.seconds, 0);
    EXPECT_EQ(t.milliseconds, 0);
    EXPECT_EQ(PositionNumber(25000000), 25000000L);
    EXPECT_EQ(PositionNumber(0), 0L);
    // The low 32 bits, signed: 215 s is 2 150 000 000 units, past 2^31.
    EXPECT_EQ(PositionNumber(2150000000LL), (long)(2150000000LL - 4294967296LL));
    EXPECT_EQ(PositionNumber(4294967296LL + 7), 7L);
}

TEST(MediaGrab, ShortClipsGiveTheirFirstFrameAndTheFileIsNumberedByPosition) {
    EXPECT_EQ(GrabPosition(5000000, kUnitsPerSecond - 1), 0);
    EXPECT_EQ(GrabPosition(5000000, kUnitsPerSecond), 5000000);
    EXPECT_EQ(GrabPosition(25000000, 40000000), 25000000);
    EXPECT_EQ(GrabbedFramePath("C:\\temp\\", "D:\\clips\\holiday.take2.avi", 25000000, 260),
              "C:\\temp\\holiday.take2 25000000.bmp");
    EXPECT_EQ(GrabbedFramePath("C:\\temp", "clip.wmv", 0, 260), "C:\\temp\\clip 0.bmp");
    EXPECT_EQ(GrabbedFramePath("C:\\t", "clip.avi", 2150000000LL, 260), "C:\\t\\clip -2144967296.bmp");
    // A name that would not fit a path is not formed.
    std::string folder = "C:\\" + std::string(240, 'f');
    EXPECT_EQ(GrabbedFramePath(folder, "clip.avi", 1, 260), folder + "\\clip 1.bmp");
    EXPECT_EQ(GrabbedFramePath(folder, "longer name.avi", 25000000, 260), "");
}

TEST(MediaPlacement, VideoCentredWhereTheAreaIsLargerAndFittedWhereSmaller) {
    struct Case {
        int aw, ah, vw, vh;
        Placement want;
    } cases[] = {
        {320, 240, 160, 120, {80, 60, 160, 120}},
        {320, 240, 640, 480, {0, 0, 320, 240}},
        {320, 240, 400, 100, {0, 70, 320, 100}},
        {320, 240, 100, 400, {110, 0, 100, 240}},
        {320, 240, 320, 240, {0, 0, 320, 240}},
    };
    for (const Case &c : cases) {
        Placement p = PlaceVideo(c.aw, c.ah, c.vw, c.vh);
        EXPECT_EQ(p.x, c.want.x);
        EXPECT_EQ(p.y, c.want.y);
        EXPECT_EQ(p.width, c.want.width);
        EXPECT_EQ(p.height, c.want.height);
    }
}

TEST(MediaPlacement, GrabbedPictureFitsWholeKeepsItsShapeAndIsNeverEnlarged) {
    struct Case {
        int aw, ah, pw, ph;
        Placement want;
    } cases[] = {
        {180, 136, 160, 120, {10, 8, 160, 120}},    // smaller: as it is, centred
        {180, 136, 640, 480, {0, 0, 180, 135}},     // wider than tall
        {180, 136, 100, 400, {73, 0, 34, 136}},     // taller than wide
        {180, 136, 100000, 1, {0, 67, 180, 1}},     // never thinner than a pixel
        {180, 136, 0, 120, {0, 0, 0, 0}},           // nothing to show
        {0, 136, 160, 120, {0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        Placement p = FitPicture(c.aw, c.ah, c.pw, c.ph);
        EXPECT_EQ(p.x, c.want.x) << c.pw << "x" << c.ph;
        EXPECT_EQ(p.y, c.want.y) << c.pw << "x" << c.ph;
        EXPECT_EQ(p.width, c.want.width) << c.pw << "x" << c.ph;
        EXPECT_EQ(p.height, c.want.height) << c.pw << "x" << c.ph;
    }
}

}  // namespace
