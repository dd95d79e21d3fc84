// The editor's portable start-up rules: command line, settings defaults and
// the crossed palette pair, working size, status bar parts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "editor/command_tables.h"
#include "editor/settings.h"
#include "editor/startup_rules.h"

namespace {

TEST(EditorCommandLine, SkipsTheLeadCharacterWhateverItIs) {
    struct Case {
        const char *commandLine;
        bool ok;
        const char *path;
    } cases[] = {
        {"|C:\\icons\\a.ico", true, "C:\\icons\\a.ico"},
        {"xC:\\icons\\a b.ico", true, "C:\\icons\\a b.ico"},
        {"|", true, ""},
        {"", false, ""},
        {nullptr, false, ""},
    };
    for (const Case &c : cases) {
        char path[kRegPathBytes];
        memset(path, 'z', sizeof path);
        EXPECT_EQ(IconPathFromCommandLine(c.commandLine, path, sizeof path), c.ok) << (c.commandLine ? c.commandLine : "null");
        EXPECT_STREQ(path, c.path);
    }
}

TEST(EditorCommandLine, CutsAnOverlongPathAtTheBuffer) {
    std::string line = "|" + std::string(400, 'p');
    char path[kRegPathBytes + 8];
    memset(path, 'z', sizeof path);
    ASSERT_TRUE(IconPathFromCommandLine(line.c_str(), path, kRegPathBytes));
    EXPECT_EQ(strlen(path), kRegPathBytes - 1);
    EXPECT_EQ(path[kRegPathBytes], 'z');  // nothing written past the buffer
}

TEST(EditorSettingsRules, DefaultsReplaceOnlyZeroes) {
    EditorSettings s;
    memset(&s, 0, sizeof s);
    ApplyEditorDefaults(&s);
    EXPECT_EQ(s.x, 45u);
    EXPECT_EQ(s.y, 50u);
    EXPECT_EQ(s.cx, 540u);
    EXPECT_EQ(s.cy, 531u);
    EXPECT_EQ(s.brush_size, 2u);
    EXPECT_EQ(s.Grid, 0u);  // no default
    EXPECT_EQ(s.x_palette, 0u);

    s.x = 7, s.cy = 9, s.brush_size = 5;
    ApplyEditorDefaults(&s);
    EXPECT_EQ(s.x, 7u);
    EXPECT_EQ(s.cy, 9u);
    EXPECT_EQ(s.brush_size, 5u);
}

TEST(EditorSettingsRules, PalettePairIsCrossed) {
    EditorSettings s;
    memset(&s, 0, sizeof s);
    s.x_palette = 100;
    s.y_palette = 30;
    ScreenPoint p = PalettePosition(s);
    EXPECT_EQ(p.left, 30);
    EXPECT_EQ(p.top, 100);
    StorePalettePosition(&s, {12, 345});
    EXPECT_EQ(s.x_palette, 345u);
    EXPECT_EQ(s.y_palette, 12u);
}

TEST(EditorSettingsRules, TablesNameEveryValueOnce) {
    std::set<std::string> names;
    for (size_t i = 0; i < kEditorNumberCount; ++i) EXPECT_TRUE(names.insert(kEditorNumbers[i].name).second);
    for (size_t i = 0; i < kEditorStringCount; ++i) EXPECT_TRUE(names.insert(kEditorStrings[i].name).second);
    // Every 32-bit field of the record is stored, and nothing overlaps.
    EXPECT_EQ(kEditorNumberCount * 4 + kEditorStringCount * kRegPathBytes, sizeof(EditorSettings));
}

TEST(EditorWorkingSize, LargestHeightThenItsDeepestImage) {
    struct Case {
        std::vector<ImageShape> images;
        uint32_t size;
        int colors;
    } cases[] = {
        {{{16, 16, 32}, {32, 32, 4}, {48, 48, 8}}, 48, 256},
        {{{48, 48, 1}, {48, 48, 4}, {16, 16, 32}}, 48, 16},
        {{{32, 32, 1}}, 32, 2},
        {{{32, 32, 24}, {32, 32, 8}}, 32, -1},
        {{{256, 256, 32}, {48, 48, 32}}, 256, -1},
        {{}, 0, 0},
    };
    for (const Case &c : cases) {
        WorkingSize w = ComputeWorkingSize(c.images);
        EXPECT_EQ(w.size, c.size);
        EXPECT_EQ(w.colors, c.colors);
    }
}

TEST(EditorStatusBar, PartsEndAtFiveNinthsAndFiveSevenths) {
    int edges[3];
    StatusPartEdges(630, edges);
    EXPECT_EQ(edges[0], 350);
    EXPECT_EQ(edges[1], 450);
    EXPECT_EQ(edges[2], -1);
}

// The palette's cells are numbered 1105 to 1151 row by row, except the sixth
// of the second row, which is 40071: every id once, colours as laid out.
TEST(EditorPalette, CellIdsAndColours) {
    std::set<unsigned> ids;
    for (size_t i = 0; i < kPaletteCells; ++i) ids.insert(PaletteCellId(i));
    EXPECT_EQ(ids.size(), kPaletteCells);
    const struct {
        size_t index;
        unsigned id;
        uint32_t colour;  // 0x00BBGGRR
    } cases[] = {
        {0, 1105, 0xC0C0FF}, {5, 1110, 0x000040}, {10, 1115, 0x008000}, {11, 40071, 0x004000},
        {12, 1116, 0xFFC0C0}, {36, 1140, 0x0080FF}, {47, 1151, 0x000000}, {48, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PaletteCellId(c.index), c.id) << c.index;
        EXPECT_EQ(PaletteCellColour(c.index), c.colour) << c.index;
    }
}

TEST(EditorBrushSize, CommandsAndSizesMatch) {
    const unsigned kCommands[] = {40059, 433, 434, 435, 436};
    for (uint32_t size = 1; size <= 5; ++size) {
        EXPECT_EQ(BrushSizeCommand(size), kCommands[size - 1]);
        EXPECT_EQ(BrushSizeOfCommand(kCommands[size - 1]), size);
    }
    for (uint32_t bad : {0u, 6u, 0xFFFFFFFFu}) EXPECT_EQ(BrushSizeCommand(bad), 0u) << bad;
    EXPECT_EQ(BrushSizeOfCommand(437), 0u);  // the Pen, next to them
}

}  // namespace
