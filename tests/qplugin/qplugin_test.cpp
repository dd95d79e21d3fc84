// Qplugin.dll under Wine, loaded by name as the display window loads it, on
// the filter plug-ins of our tests (test-plugins beside the test program).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "contracts/qplugin.h"
#include "tests/common/testutil_win.h"

namespace {

std::string PluginPath(const std::string &name) {
    return DirName(SiblingProgram("Qplugin.dll")) + "\\test-plugins\\" + name;
}

class QpluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_.reset(LoadLibraryA("Qplugin.dll"));
        ASSERT_TRUE(library_);
        menuName_ = (QgetMenuNameProc)GetProcAddress(library_.get(), "Qget_menu_name");
        run_ = (QloadPluginProc)GetProcAddress(library_.get(), "Qload_plugin");
        ASSERT_TRUE(menuName_ && run_);
    }
    std::string MenuName(const std::string &path) {
        char text[QPLUGIN_MENU_NAME_LENGTH] = "unchanged";
        return menuName_(path.c_str(), text) ? text : std::string("(refused: ") + text + ")";
    }
    // Runs a plug-in on `picture`; the output starts filled with 0xAB.
    bool Run(const std::string &plugin, const std::vector<uint8_t> &picture, int width, int height,
             std::vector<uint8_t> *out) {
        out->assign(picture.size(), 0xAB);
        return run_(PluginPath(plugin).c_str(), picture.data(), (DWORD)picture.size(), out->data(), width,
                    height) != 0;
    }
    UniqueModule library_;
    QgetMenuNameProc menuName_ = nullptr;
    QloadPluginProc run_ = nullptr;
};

TEST_F(QpluginTest, MenuNamesFromThePluginsResources) {
    EXPECT_EQ(MenuName(PluginPath("invert.8bf")), "Colors/Invert");
    EXPECT_EQ(MenuName(PluginPath("boxblur.8bf")), "Blur/Box blur");
    EXPECT_EQ(MenuName(PluginPath("wideblur.8bf")), "Blur/Wide blur");
    EXPECT_EQ(MenuName(PluginPath("failing.8bf")), "Tests/Failing");
    // Refused, the text left alone: grayscale only, no plug-in at all, no file.
    EXPECT_EQ(MenuName(PluginPath("grayonly.8bf")), "(refused: unchanged)");
    EXPECT_EQ(MenuName(SiblingProgram("Qplugin.dll")), "(refused: unchanged)");
    ScratchDir dir("qplugin_names");
    std::string text = dir.File("text.8bf");
    ASSERT_TRUE(WriteBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'l', 'u', 'g', '-', 'i', 'n'}));
    EXPECT_EQ(MenuName(text), "(refused: unchanged)");
    EXPECT_EQ(MenuName(dir.File("missing.8bf")), "(refused: unchanged)");
}

std::vector<uint8_t> Gradient(int width, int height) {
    std::vector<uint8_t> p((size_t)width * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t *px = &p[((size_t)y * width + x) * 3];
            px[0] = (uint8_t)(x * 7);
            px[1] = (uint8_t)(y * 5);
            px[2] = (uint8_t)(x + y);
        }
    return p;
}

// 40 rows: the invert's bands of 16 rows end in a short one.
TEST_F(QpluginTest, InvertRunsOverEveryBand) {
    const int w = 37, h = 40;
    std::vector<uint8_t> picture = Gradient(w, h), out;
    ASSERT_TRUE(Run("invert.8bf", picture, w, h, &out));
    for (size_t i = 0; i < picture.size(); ++i) ASSERT_EQ(out[i], 255 - picture[i]) << i;
}

// One white pixel on black spreads over its 3 x 3 or 5 x 5 neighbourhood as
// 255/9 or 255/25, rounded; a flat picture stays flat to its edges, which
// the host pads by replication (padding with black would darken them).
TEST_F(QpluginTest, BlursAskForABorderAroundEachTile) {
    const struct {
        const char *plugin;
        int radius, value;
    } blurs[] = {{"boxblur.8bf", 1, 28}, {"wideblur.8bf", 2, 10}};
    const int w = 20, h = 19;
    for (const auto &b : blurs) {
        std::vector<uint8_t> picture((size_t)w * h * 3, 0), out;
        const int cx = 9, cy = 8;  // the 8-row tiles meet at rows 8 and 16
        for (int c = 0; c < 3; ++c) picture[((size_t)cy * w + cx) * 3 + c] = 255;
        ASSERT_TRUE(Run(b.plugin, picture, w, h, &out)) << b.plugin;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool inBox = abs(x - cx) <= b.radius && abs(y - cy) <= b.radius;
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(out[((size_t)y * w + x) * 3 + c], inBox ? b.value : 0)
                        << b.plugin << " at " << x << "," << y;
            }
        std::vector<uint8_t> flat((size_t)w * h * 3);
        for (size_t i = 0; i < flat.size(); ++i) flat[i] = (uint8_t)(60 + i % 3 * 50);
        ASSERT_TRUE(Run(b.plugin, flat, w, h, &out));
        EXPECT_EQ(out, flat) << b.plugin;
    }
}

// A plug-in that reports an error, one the host refuses and bad arguments:
// 0, and the output as it was.
TEST_F(QpluginTest, FailuresLeaveTheOutputAlone) {
    const int w = 8, h = 8;
    std::vector<uint8_t> picture = Gradient(w, h), out;
    const std::vector<uint8_t> untouched(picture.size(), 0xAB);
    EXPECT_FALSE(Run("failing.8bf", picture, w, h, &out));
    EXPECT_EQ(out, untouched);
    EXPECT_FALSE(Run("grayonly.8bf", picture, w, h, &out));
    EXPECT_EQ(out, untouched);
    EXPECT_FALSE(Run("missing.8bf", picture, w, h, &out));
    EXPECT_EQ(out, untouched);
    std::string invert = PluginPath("invert.8bf");
    EXPECT_EQ(run_(invert.c_str(), picture.data(), (DWORD)picture.size() - 1, out.data(), w, h), 0);
    EXPECT_EQ(run_(invert.c_str(), picture.data(), (DWORD)picture.size(), out.data(), 0, h), 0);
    EXPECT_EQ(run_(invert.c_str(), picture.data(), 3u * 40000 * 1, out.data(), 40000, 1), 0);
    EXPECT_EQ(run_(nullptr, picture.data(), (DWORD)picture.size(), out.data(), w, h), 0);
    EXPECT_EQ(out, untouched);
}

}  // namespace
