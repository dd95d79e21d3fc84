// The argument builder of the display window's effects: what reaches the
// image library for every code, and the pictures that come back.
#include <gtest/gtest.h>

#include "common/handles.h"
#include "display/effects_win.h"
#include "tests/common/testutil_win.h"

namespace {

// Records every argument list that reaches MogrifyImages and hands it on.
std::vector<std::vector<std::string>> g_lists;
MogrifyHandler g_library = nullptr;
int RecordList(struct _ImageInfo *info, int argc, const char **argv, struct _Image **images,
               struct _ExceptionInfo *e) {
    g_lists.emplace_back(argv, argv + argc);
    return g_library(info, argc, argv, images, e);
}
struct MogrifyRecorder {
    MogrifyRecorder() {
        g_lists.clear();
        g_library = SetMogrifyHandler(RecordList);
    }
    ~MogrifyRecorder() { SetMogrifyHandler(g_library); }
};

// The bitmap's pixels as colour references, rows from the top.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int *width, int *height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    *width = info.bmWidth, *height = info.bmHeight;
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = info.bmWidth;
    h.biHeight = -info.bmHeight;  // rows from the top
    h.biPlanes = 1;
    h.biBitCount = 32;
    std::vector<uint32_t> raw((size_t)info.bmWidth * info.bmHeight);
    WindowDC screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, info.bmHeight, raw.data(), (BITMAPINFO *)&h, DIB_RGB_COLORS);
    std::vector<COLORREF> out;
    for (uint32_t v : raw) out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return out;
}

class EffectsBuildTest : public ::testing::Test {
protected:
    ScratchDir dir{"display-effects"};
    std::string working = dir.File("GY.bmp");
    // A 16 x 16 picture whose every pixel tells where it is.
    static COLORREF Where(int x, int y) { return RGB(x * 16, y * 16, 77); }
};

TEST_F(EffectsBuildTest, EveryCodeHandsItsOptionsWithItsParametersToTheLibrary) {
    ASSERT_TRUE(WriteBmp24(working, 16, 16, Where));
    struct Case {
        EffectCode code;
        EffectParams params;
        std::vector<std::string> options;
    };
    const Case cases[] = {
        {1, {3, 9, 9, 9}, {"-bordercolor", "#FFFFFF", "-border", "3", "-geometry", "16x16"}},
        {2, {10, 20, 30, 9}, {"-colorize", "10/20/30"}},
        {4, {-50, 9, 9, 9}, {"-implode", "-50"}},
        {5, {9, 9, 9, 9}, {"-flip"}},
        {6, {9, 9, 9, 9}, {"-flop"}},
        {8, {4, 5, 1, 9}, {"-raise", "4x5"}},
        {8, {4, 5, 0, 9}, {"+raise", "4x5"}},
        {9, {5, 12, 9, 9}, {"-roll", "+05+12"}},
        {9, {-90, -360, 9, 9}, {"-roll", "-90-360"}},
        {10, {40, 9, 9, 9}, {"-solarize", "40"}},
        {11, {60, 9, 9, 9}, {"-swirl", "60"}},
        {13, {2, 8, 9, 9}, {"-wave", "2x8"}},
        {100, {9, 9, 9, 9}, {"-colorize", "147/10/124"}},
        {101, {}, {"-antialias"}},
        {102, {}, {"-colorspace", "gray", "-emboss", "5", "-colorize", "0/0/75"}},
        {103, {}, {"-despeckle"}},
        {104, {}, {"+negate"}},
        {105, {}, {"-channel", "Blue", "-separate"}},
        {106, {}, {"-channel", "Green", "-separate"}},
        {107, {}, {"-channel", "Red", "-separate"}},
        {108, {}, {"-spread", "10.100000"}},
        {200, {7, 9, 9, 9}, {"-cycle", "7"}},
        {201, {3, 2, 9, 9}, {"-gaussian", "3x2"}},
        {202, {5, 9, 9, 9}, {"-median", "5"}},
        {300, {3, 9, 9, 9}, {"-blur", "3"}},
        {301, {2, 9, 9, 9}, {"-charcoal", "2"}},
        {302, {1, 9, 9, 9}, {"-contrast"}},
        {302, {0, 9, 9, 9}, {"+contrast"}},
        {303, {2, 9, 9, 9}, {"-emboss", "2"}},
        {304, {6, 5, 2, 1}, {"-frame", "6x5+2+1"}},
        {305, {1, 0, 9, 9}, {"+noise", "Uniform"}},
        {305, {0, 4, 9, 9}, {"-noise", "Laplacian"}},
        {305, {1, 5, 9, 9}, {"+noise", "Poisson"}},
        {305, {1, -1, 9, 9}, {"+noise", "Poisson"}},
        {306, {3, 9, 9, 9}, {"-paint", "3"}},
        {307, {30, 40, 9, 9}, {"-shade", "30x40"}},
        {308, {3, 9, 9, 9}, {"-sharpen", "3"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        MogrifyRecorder recorder;
        UniqueBitmap result(BuildEffect(nullptr, working, c.code, 16, c.params));
        EXPECT_TRUE(result) << "no picture";
        std::vector<std::string> expected = {"Glyphery"};
        expected.insert(expected.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(g_lists.size(), 1u);
        EXPECT_EQ(g_lists[0], expected);
        EXPECT_EQ(EffectRunsOnApply(c.code), c.code != 5 && c.code != 6);
    }
    // Count colours and codes without a row run no argument list.
    MessageRecorder messages;
    for (EffectCode code : {3, 7, 12, 99, 109, 203, 309}) {
        MogrifyRecorder recorder;
        EXPECT_EQ(BuildEffect(nullptr, working, code, 16, EffectParams()), nullptr) << code;
        EXPECT_TRUE(g_lists.empty()) << code;
        EXPECT_FALSE(EffectRunsOnApply(code)) << code;
    }
}

TEST_F(EffectsBuildTest, PicturesComeBackAsTheOptionsMakeThem) {
    ASSERT_TRUE(WriteBmp24(working, 16, 16, Where));
    struct Case {
        EffectCode code;
        EffectParams params;
        std::function<COLORREF(int x, int y)> expected;
    };
    auto channel = [](int shift) {
        return [shift](int x, int y) {
            BYTE v = (BYTE)((Where(x, y) >> shift) & 0xFF);
            return RGB(v, v, v);
        };
    };
    const Case cases[] = {
        {5, {}, [](int x, int y) { return Where(x, 15 - y); }},  // flip: upside down
        {6, {}, [](int x, int y) { return Where(15 - x, y); }},  // flop: left to right
        {105, {}, channel(16)},                                  // the blue channel as grey
        {106, {}, channel(8)},
        {107, {}, channel(0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        UniqueBitmap result(BuildEffect(nullptr, working, c.code, 16, c.params));
        ASSERT_TRUE(result);
        int w = 0, h = 0;
        std::vector<COLORREF> pixels = Pixels(result.get(), &w, &h);
        ASSERT_EQ(w, 16);
        ASSERT_EQ(h, 16);
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) wrong += pixels[y * 16 + x] != c.expected(x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(EffectsBuildTest, BorderTakesTheTargetWidthAndColorizeChangesTheColour) {
    const COLORREF green = RGB(20, 160, 40);
    ASSERT_TRUE(WriteBmp24(working, 48, 48, [&](int, int) { return green; }));
    // One displayed picture, each image of the file at its own width.
    for (int width : {16, 48, 96}) {
        SCOPED_TRACE(width);
        UniqueBitmap result(BuildEffect(nullptr, working, 1, width, {4, 0, 0, 0}));
        ASSERT_TRUE(result);
        int w = 0, h = 0;
        std::vector<COLORREF> pixels = Pixels(result.get(), &w, &h);
        ASSERT_EQ(w, width);
        ASSERT_EQ(h, width);
        EXPECT_EQ(pixels[0], RGB(255, 255, 255));  // the border, in the colour the dialog starts with
        EXPECT_EQ(pixels[(width / 2) * width + width / 2], green);
    }
    EXPECT_EQ(BuildEffect(nullptr, working, 1, 0, {4, 0, 0, 0}), nullptr);

    UniqueBitmap colorized(BuildEffect(nullptr, working, 2, 48, {100, 0, 50, 0}));
    ASSERT_TRUE(colorized);
    int w = 0, h = 0;
    COLORREF c = Pixels(colorized.get(), &w, &h)[24 * 48 + 24];
    // Red all the way to the pen colour (black), blue halfway, green kept.
    EXPECT_EQ(GetRValue(c), 0);
    EXPECT_EQ(GetGValue(c), 160);
    EXPECT_NEAR(GetBValue(c), 20, 1);
}

TEST_F(EffectsBuildTest, CountColoursTellsTheNumberAndChangesNothing) {
    const COLORREF four[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(9, 9, 9)};
    ASSERT_TRUE(WriteBmp24(working, 8, 8, [&](int x, int y) { return four[(x / 4) + 2 * (y / 4)]; }));
    std::vector<uint8_t> before = ReadFileBytes(working);
    MessageRecorder messages;
    MogrifyRecorder recorder;
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(BuildEffect(owner, working, 3, 8, EffectParams()), nullptr);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "This image has 4 colors");
    EXPECT_EQ(messages.calls()[0].caption, "Glyphery");
    EXPECT_EQ(messages.calls()[0].flags, (UINT)(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(messages.calls()[0].owner, owner);
    EXPECT_TRUE(g_lists.empty());
    EXPECT_EQ(ReadFileBytes(working), before);
}

TEST_F(EffectsBuildTest, AWorkingFileThatCannotBeReadGivesNoPicture) {
    MogrifyRecorder recorder;
    MessageRecorder messages;
    ASSERT_TRUE(WriteBytes(dir.File("short.bmp"), {'B', 'M', 1, 2, 3}));
    for (const std::string &path : {dir.File("missing.bmp"), dir.File("short.bmp"), std::string()}) {
        EXPECT_EQ(BuildEffect(nullptr, path, 5, 16, EffectParams()), nullptr) << path;
        EXPECT_EQ(BuildEffect(nullptr, path, 3, 16, EffectParams()), nullptr) << path;
    }
    EXPECT_TRUE(g_lists.empty());
    EXPECT_TRUE(messages.calls().empty());
}

}  // namespace
