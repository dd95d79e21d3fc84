// The drawing tools on the real frame, driven by the mouse messages a user's
// hand sends to the WorkArea, and the icon saved and exported afterwards.
// Each drawing is also left in test-output\editor_tools with the pixels it
// must show (NAME.grid), for check_editor_drawing.py to read back through
// PIL; the exports for ImageMagick's identify.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/seams.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/save_win.h"
#include "editor/tools_win.h"
#include "editor/views_win.h"
#include "tests/common/testutil_win.h"
#include "tests/editor/editor_frame.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\editor_tools";
const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

// The frame on an icon, with the left colour red, the right one blue and the
// Pen: what each drawing starts from.
class Editor : public EditorFrame {
public:
    explicit Editor(const std::string &iconPath) : EditorFrame(iconPath) {
        SetButtonColor(false, kRed);
        SetButtonColor(true, kBlue);
        Command(CMD_PEN);
    }
    bool ok() const { return EditorFrame::ok() && WorkAreaWindow(); }
};

class EditorToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreRegistry(kScratchKey);
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
    }
    void TearDown() override { RestoreRegistry(kScratchKey); }
};

// What a drawing must leave, one character per pixel: '.' white, 'R' red,
// 'B' blue, '?' either (the rim of an ellipse, whose exact pixels are the
// system's).
typedef std::vector<std::string> Grid;
Grid MakeGrid(int side, const std::function<char(int, int)> &at) {
    Grid g(side, std::string(side, '.'));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) g[y][x] = at(x, y);
    return g;
}
bool Inside(int x, int y, int l, int t, int r, int b) { return x >= l && x <= r && y >= t && y <= b; }
bool OnRim(int x, int y, int l, int t, int r, int b) {
    return Inside(x, y, l, t, r, b) && (x == l || x == r || y == t || y == b);
}
COLORREF ColourOf(char c) { return c == 'R' ? kRed : c == 'B' ? kBlue : kWhite; }

// Differences between the grid and a picture's pixels, as "x,y" (at most a few).
std::string Differences(const Grid &g, const std::function<COLORREF(int, int)> &pixel) {
    std::string out;
    int shown = 0;
    for (int y = 0; y < (int)g.size(); ++y)
        for (int x = 0; x < (int)g[y].size(); ++x) {
            if (g[y][x] == '?') continue;
            COLORREF got = pixel(x, y) & 0xFFFFFF;
            if (got != ColourOf(g[y][x]) && shown++ < 8) {
                char line[64];
                snprintf(line, sizeof line, " %d,%d=%06lX", x, y, (unsigned long)got);
                out += line;
            }
        }
    return out;
}

struct Stroke {
    int tool;        // the command choosing it
    bool right;      // the button
    std::vector<POINT> pixels;
    int brushSize;   // 0: as it is
};

// A drawing: strokes on a fresh white 48 x 48 image, then the pixels the
// image must show.
struct Drawing {
    const char *name;
    std::vector<Stroke> strokes;
    std::function<char(int, int)> expect;
};

// Every tool, by its strokes and the pixels they must leave.
TEST_F(EditorToolsTest, StrokesOfEveryToolLandOnTheirPixelsAndSave) {
    const int kSide = 48;
    // The spray's cells: its snapped press point and the offsets, in
    // WorkArea pixels, each taken to the image pixel it falls in (the zoom is known
    // only once the frame is laid out).
    int zoom = 0;
    auto sprayed = [&](int x, int y) {
        const int offsets[5][2] = {{0, 0}, {-2, -1}, {-3, -2}, {-10, 1}, {2, 2}};
        int px = 24 * zoom, py = 24 * zoom;  // the pixel's top-left corner
        for (const auto &o : offsets)
            if ((px + o[0]) / zoom == x && (py + o[1]) / zoom == y) return true;
        return false;
    };
    const std::vector<Drawing> drawings = {
        {"pen_diagonal", {{CMD_PEN, false, {{0, 0}, {47, 47}}, 0}},  // one quick move corner to corner
         [](int x, int y) { return x == y ? 'R' : '.'; }},
        {"pen_right_bent", {{CMD_PEN, true, {{10, 2}, {14, 2}, {14, 6}}, 0}},
         [](int x, int y) { return (y == 2 && x >= 10 && x <= 14) || (x == 14 && y >= 2 && y <= 6) ? 'B' : '.'; }},
        {"brush_sizes",
         {{CMD_BRUSH, false, {{5, 5}}, 2}, {CMD_BRUSH, false, {{20, 20}}, 3}, {CMD_BRUSH, true, {{40, 40}}, 5}},
         [](int x, int y) {
             if (Inside(x, y, 4, 4, 5, 5) || Inside(x, y, 19, 19, 21, 21)) return 'R';
             return Inside(x, y, 38, 38, 42, 42) ? 'B' : '.';
         }},
        {"lines", {{CMD_LINE, false, {{2, 10}, {30, 30}, {20, 10}}, 0}, {CMD_LINE, true, {{30, 0}, {40, 10}}, 0}},
         [](int x, int y) {
             if (y == 10 && x >= 2 && x <= 20) return 'R';
             return x - 30 == y && y <= 10 ? 'B' : '.';
         }},
        {"rectangles",
         {{CMD_RECTANGLE, false, {{10, 10}, {5, 5}, {3, 3}}, 0}, {CMD_FILLED_RECTANGLE, true, {{20, 3}, {30, 12}}, 0}},
         [](int x, int y) {
             if (OnRim(x, y, 3, 3, 10, 10)) return 'R';
             return Inside(x, y, 20, 3, 30, 12) ? 'B' : '.';
         }},
        {"bicolored",
         {{CMD_BICOLOR_RECTANGLE, false, {{4, 4}, {14, 14}}, 0}, {CMD_BICOLOR_RECTANGLE, true, {{30, 30}, {40, 44}}, 0}},
         [](int x, int y) {
             if (Inside(x, y, 4, 4, 14, 14)) return OnRim(x, y, 4, 4, 14, 14) ? 'R' : 'B';
             if (Inside(x, y, 30, 30, 40, 44)) return OnRim(x, y, 30, 30, 40, 44) ? 'B' : 'R';
             return '.';
         }},
        {"circles", {{CMD_FILLED_CIRCLE, false, {{4, 4}, {24, 24}}, 0}, {CMD_CIRCLE, true, {{26, 26}, {46, 46}}, 0}},
         [](int x, int y) {
             // Inside each box: the middle is certain, the rim the system's;
             // the box's corners and everything outside stay white.
             double fx = x - 14, fy = y - 14, ox = x - 36, oy = y - 36;
             if (Inside(x, y, 4, 4, 24, 24)) {
                 double d = (fx * fx + fy * fy) / 100.0;
                 return d < 0.7 ? 'R' : d > 1.35 ? '.' : '?';
             }
             if (Inside(x, y, 26, 26, 46, 46)) {
                 double d = (ox * ox + oy * oy) / 100.0;
                 return d < 0.7 || d > 1.35 ? '.' : '?';
             }
             return '.';
         }},
        {"bicolored_circle", {{CMD_BICOLOR_CIRCLE, true, {{4, 4}, {24, 24}}, 0}},
         [](int x, int y) {
             double fx = x - 14, fy = y - 14, d = (fx * fx + fy * fy) / 100.0;
             if (!Inside(x, y, 4, 4, 24, 24)) return '.';
             return d < 0.7 ? 'R' : d > 1.35 ? '.' : '?';  // filled with the other button's colour
         }},
        {"fill_bounded",
         {{CMD_RECTANGLE, false, {{3, 3}, {12, 12}}, 0}, {CMD_FILL, true, {{7, 7}}, 0}},
         [](int x, int y) {
             if (OnRim(x, y, 3, 3, 12, 12)) return 'R';
             return Inside(x, y, 4, 4, 11, 11) ? 'B' : '.';
         }},
        {"fill_whole", {{CMD_FILL, false, {{30, 40}}, 0}}, [](int, int) { return 'R'; }},
        {"spray", {{CMD_SPRAY, false, {{24, 24}, {30, 30}}, 0}},  // the move paints nothing
         [&](int x, int y) { return sprayed(x, y) ? 'R' : '.'; }},
        {"select_draws_nothing", {{CMD_SELECT, false, {{5, 5}, {20, 15}}, 0}}, [](int, int) { return '.'; }},
    };

    std::string out = TestOutputDir("editor_tools");
    for (const Drawing &d : drawings) {
        SCOPED_TRACE(d.name);
        std::string path = out + "\\" + d.name + ".ico";
        ASSERT_TRUE(WriteBytes(path, MakeIconFile({{kSide, 32, 0xFFFFFF}})));
        Editor editor(path);
        ASSERT_TRUE(editor.ok());
        zoom = Views().zoom;
        ASSERT_GT(zoom, 2);
        const EditorImage &image = TheIcon().images[0];
        for (const Stroke &s : d.strokes) {
            if (s.brushSize) editor.Command(s.brushSize == 1 ? CMD_BRUSH_1 : CMD_BRUSH_2 + s.brushSize - 2);
            editor.Command(s.tool);
            size_t before = image.history.index();
            editor.Drag(s.right, s.pixels);
            EXPECT_EQ(image.history.index(), before + 1);  // each stroke one undo step
        }
        Grid grid = MakeGrid(kSide, d.expect);
        EXPECT_EQ(Differences(grid, [](int x, int y) { return GetPixel(CanvasDC(), x, y); }), "");

        editor.Command(CMD_SAVE);
        DecodedIconFile saved;
        std::string error;
        ASSERT_TRUE(ReadDecodedIcon(path, &saved, &error)) << error;
        ASSERT_EQ(saved.images.size(), 1u);
        EXPECT_EQ(saved.images[0].info.bitCount, 32u);
        EXPECT_EQ(Differences(grid, [&](int x, int y) { return saved.images[0].Pixel(x, y); }), "");
        EXPECT_EQ(saved.images[0].AlphaCount(255), kSide * kSide);  // nothing made transparent
        FILE *f = fopen((out + "\\" + d.name + ".grid").c_str(), "w");
        ASSERT_TRUE(f);
        for (const std::string &row : grid) fprintf(f, "%s\n", row.c_str());
        fclose(f);
    }
}

// A Rectangle drag given up with Escape: the rubber frame goes, nothing is
// drawn, and the release still pushes a picture. The selection frame stays
// on the screen after the release and is the stored selection.
TEST_F(EditorToolsTest, EscapeAbandonsAShapeAndSelectionKeepsItsFrame) {
    ScratchDir dir("editor_tools_escape");
    ASSERT_TRUE(WriteBytes(dir.File("white.ico"), MakeIconFile({{32, 32, 0xFFFFFF}})));
    Editor editor(dir.File("white.ico"));
    ASSERT_TRUE(editor.ok());
    HWND work = WorkAreaWindow();
    int z = Views().zoom;
    const EditorImage &image = TheIcon().images[0];
    editor.Command(CMD_RECTANGLE);
    SendMessageA(work, WM_LBUTTONDOWN, MK_LBUTTON, Editor::At(2, 2));
    SendMessageA(work, WM_MOUSEMOVE, MK_LBUTTON, Editor::At(20, 20));
    {
        WindowDC dc(work);  // the rubber frame inverts the white picture
        EXPECT_EQ(GetPixel(dc.get(), 2 * z, 10 * z) & 0xFFFFFF, 0u);
    }
    SendMessageA(work, WM_KEYDOWN, VK_ESCAPE, 0);
    UpdateWindow(work);
    {
        WindowDC dc(work);
        EXPECT_EQ(GetPixel(dc.get(), 2 * z, 10 * z) & 0xFFFFFF, kWhite);
    }
    EXPECT_EQ(GetCapture(), nullptr);
    size_t before = image.history.index();
    SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(20, 20));
    EXPECT_EQ(image.history.index(), before + 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(GetPixel(CanvasDC(), x, y), kWhite) << x << "," << y;

    // The selection, dragged backwards: ordered, in image pixels; a picture
    // of the drawing in progress with its frame is kept.
    editor.Command(CMD_LINE);
    // The frame painted first (a rubber band lives on the screen only).
    RedrawWindow(editor.frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    editor.Drag(false, {{30, 30}, {2, 2}});  // something drawn under the frame
    editor.Command(CMD_SELECT);
    SendMessageA(work, WM_LBUTTONDOWN, MK_LBUTTON, Editor::At(25, 20));
    SendMessageA(work, WM_MOUSEMOVE, MK_LBUTTON, Editor::At(4, 6));
    SaveWindowShot(work, TestOutputDir("screenshots") + "\\editor_selection_frame.bmp");
    SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(4, 6));
    PixelRect s = Selection();
    EXPECT_EQ(std::vector<int>({s.left, s.top, s.right, s.bottom}), std::vector<int>({4, 6, 25, 20}));
    WindowDC dc(work);
    EXPECT_EQ(GetPixel(dc.get(), 4 * z, 10 * z) & 0xFFFFFF, 0u);  // the frame stays shown
}

// The bytes of image i of an icon file as stored: its directory entry's
// first eight bytes and its data.
std::string StoredImage(const DecodedIconFile &f, size_t i) {
    const IconDirEntry &e = f.dir.entries[i];
    const uint8_t *entry = f.bytes.data() + kIconFileHeaderSize + kIconDirEntrySize * i;
    return std::string((const char *)entry, 8) + std::string((const char *)f.bytes.data() + e.offset, e.bytes);
}

// Nine images at every depth; one pixel changed in one of them. The other
// eight go back byte for byte; the changed one at its own size and depth.
// A transparent colour makes every pixel of it masked and black.
TEST_F(EditorToolsTest, SaveRewritesOnlyTheChangedImagesAtTheirDepths) {
    ScratchDir dir("editor_tools_save");
    std::string path = dir.File("nine.ico");
    ASSERT_TRUE(WriteBytes(path, MakeIconFile({{16, 1, 0xFFFFFF}, {16, 4, 0xFFFFFF}, {16, 8, 0x00FF00},
                                               {32, 4, 0x00FF00}, {32, 8, 0xFFFFFF}, {32, 24, 0x808000},
                                               {48, 8, 0xFFFFFF}, {48, 32, 0xFFFFFF}, {48, 32, 0x336699}})));
    DecodedIconFile before, after;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(path, &before, &error)) << error;
    Editor editor(path);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(TheIcon().count, 9);

    // Image 3 (32 x 32, 16 colours): one blue pixel. Image 1 (16 x 16, 16
    // colours, white): white is its transparent colour, one red pixel.
    SwitchImage(3);
    editor.Drag(true, {{5, 7}});
    SwitchImage(1);
    editor.Drag(false, {{2, 3}});
    EditorImage &white = TheIcon().images[1];
    white.transparent = 1, white.transparentX = 0, white.transparentY = 0;
    DWORD start = GetTickCount();
    editor.Command(CMD_SAVE);
    printf("[ timing ] saved nine images (two rebuilt) in %lu ms\n", GetTickCount() - start);

    ASSERT_TRUE(ReadDecodedIcon(path, &after, &error)) << error;
    ASSERT_EQ(after.images.size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        if (i == 1 || i == 3) continue;
        EXPECT_EQ(StoredImage(after, i), StoredImage(before, i)) << i;
    }
    const DecodedImage &blue = after.images[3];
    EXPECT_EQ(blue.info.bitCount, 4u);
    EXPECT_EQ(after.bytes[kIconFileHeaderSize + kIconDirEntrySize * 3 + 2], 16);  // colour count
    EXPECT_EQ(blue.Pixel(5, 7), kBlue);
    EXPECT_EQ(blue.Pixel(6, 7), RGB(0, 255, 0));
    EXPECT_EQ(blue.MaskedCount(), 0);
    const DecodedImage &masked = after.images[1];
    EXPECT_EQ(masked.info.bitCount, 4u);
    EXPECT_EQ(masked.Pixel(2, 3), kRed);  // red is among the 16 colours
    EXPECT_FALSE(masked.Masked(2, 3));
    EXPECT_EQ(masked.MaskedCount(), 16 * 16 - 1);
    EXPECT_TRUE(masked.Masked(15, 15));
    EXPECT_EQ(masked.Pixel(15, 15), RGB(0, 0, 0));

    // Kept for the readers nobody here wrote.
    std::string kept = TestOutputDir("editor_tools") + "\\nine_saved.ico";
    ASSERT_TRUE(CopyFileA(path.c_str(), kept.c_str(), FALSE));
    WriteReadbackExpect(kept);
}

// A file that cannot be replaced (read-only) or a disk that fills part way
// through the write: the old file stays byte for byte and the user is told.
TEST_F(EditorToolsTest, AFailedSaveLeavesTheOldFileAndSaysSo) {
    ScratchDir dir("editor_tools_fail");
    std::string path = dir.File("keep.ico");
    ASSERT_TRUE(WriteBytes(path, MakeIconFile({{32, 32, 0x00FF00}})));
    std::vector<uint8_t> original = ReadFileBytes(path);
    Editor editor(path);
    ASSERT_TRUE(editor.ok());
    editor.Drag(false, {{1, 1}, {20, 20}});

    struct FullDisk {
        static bool Write(const std::string &to, const std::vector<uint8_t> &bytes) {
            // Half the bytes land, then the disk is full.
            std::vector<uint8_t> half(bytes.begin(), bytes.begin() + bytes.size() / 2);
            WriteBytes(to, half);
            return false;
        }
    };
    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "full disk");
        MessageRecorder messages;
        WholeFileWriter old = nullptr;
        if (readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        else old = SetWholeFileWriter(FullDisk::Write);
        editor.Command(CMD_SAVE);
        if (readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        else SetWholeFileWriter(old);
        EXPECT_EQ(ReadFileBytes(path), original);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls()[0].caption, "GlypheryEdit");
        EXPECT_NE(messages.calls()[0].flags & MB_ICONSTOP, 0u);
        EXPECT_FALSE(FileExists(path + ".new"));
    }
    // Once the disk has room again the same save goes through.
    editor.Command(CMD_SAVE);
    EXPECT_NE(ReadFileBytes(path), original);
}

// The save dialog as a user answers it: the name chosen; what it was opened
// with is noted.
struct SaveDialogAnswer {
    static BOOL WINAPI Answer(OPENFILENAMEA *request) {
        filterIndex = request->nFilterIndex;
        title = request->lpstrTitle ? request->lpstrTitle : "";
        lstrcpynA(request->lpstrFile, chosen.c_str(), request->nMaxFile);
        return TRUE;
    }
    static std::string chosen, title;
    static DWORD filterIndex;
};
std::string SaveDialogAnswer::chosen, SaveDialogAnswer::title;
DWORD SaveDialogAnswer::filterIndex = 0;

// Save as: each image as "<name>_<width>_<depth>.<ext>" in every format
// through the image library; the names are checked here, the contents by
// identify (check_editor_drawing.py).
TEST_F(EditorToolsTest, SaveAsExportsEveryImageInEachFormat) {
    std::string out = TestOutputDir("editor_tools\\export");
    std::string icon = out + "\\two.ico";
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile({{32, 8, 0x3366CC}, {48, 32, 0xCC6633}})));
    Editor editor(icon);
    ASSERT_TRUE(editor.ok());
    editor.Drag(false, {{0, 0}, {47, 47}});
    for (const char *ext : {"bmp", "gif", "jpg", "png", "tga"}) {
        std::string chosen = out + "\\pic_" + ext + "." + ext;
        std::string upper = chosen;
        for (size_t i = chosen.size() - 3; i < chosen.size(); ++i) upper[i] = (char)toupper(upper[i]);
        EXPECT_EQ(ExportEditorIcon(&TheIcon(), upper, TempFolder()), 2) << ext;
        for (const char *suffix : {"_32_8.", "_48_32."}) {
            std::string name = out + "\\pic_" + ext + suffix + ext;
            EXPECT_TRUE(FileExists(name)) << name;
        }
    }
    EXPECT_EQ(ExportEditorIcon(&TheIcon(), out + "\\pic.tiff", TempFolder()), 0);
    EXPECT_FALSE(FileExists(out + "\\pic_32_8.tiff"));

    // The command, through the save dialog (its seam answers as a user
    // would): it opens on the filter of save_type and exports beside the name.
    SaveDialogAnswer::chosen = out + "\\cmd.png";
    editor.session().settings.save_type = 3;
    SaveDialogRunner old = SetSaveDialogRunner(SaveDialogAnswer::Answer);
    editor.Command(CMD_SAVE_AS);
    SetSaveDialogRunner(old);
    EXPECT_EQ(SaveDialogAnswer::filterIndex, 4u);
    EXPECT_EQ(SaveDialogAnswer::title, "GlypheryEdit");
    EXPECT_TRUE(FileExists(out + "\\cmd_32_8.png"));
    EXPECT_TRUE(FileExists(out + "\\cmd_48_32.png"));
}


// Save as of an icon with more images than the editor opens: the images
// past the 150th have no picture and are exported from their data as
// stored; the one-image icon that carries each to the image library is made
// in the temporary folder, so that a file of the user's named like it beside
// the chosen name is left alone.
TEST_F(EditorToolsTest, ImagesWithoutAPictureAreExportedFromTheirData) {
    std::string out = TestOutputDir("editor_tools\\export_kept");
    std::vector<FixtureImage> images(kMaxEditorImages, FixtureImage{16, 1, 0xFFFFFF});
    images.push_back({32, 8, 0x3366CC});
    images.push_back({48, 24, 0xCC6633});
    std::string icon = out + "\\many.ico";
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile(images)));
    Editor editor(icon);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(TheIcon().count, (int)kMaxEditorImages);
    ASSERT_EQ(TheIcon().keptBlocks.size(), 2u);
    std::string mine = out + "\\kept_150.ico";
    const std::vector<uint8_t> kMine = {'m', 'i', 'n', 'e'};
    ASSERT_TRUE(WriteBytes(mine, kMine));
    const char *const kExported[] = {"kept_16_1.bmp", "kept_32_8.bmp", "kept_48_24.bmp"};
    for (const char *name : kExported) DeleteFileA((out + "\\" + name).c_str());

    MessageRecorder messages;
    SaveDialogAnswer::chosen = out + "\\kept.bmp";
    SaveDialogRunner old = SetSaveDialogRunner(SaveDialogAnswer::Answer);
    DWORD start = GetTickCount();
    editor.Command(CMD_SAVE_AS);
    printf("[ timing ] exported 152 images in %lu ms\n", GetTickCount() - start);
    SetSaveDialogRunner(old);
    EXPECT_TRUE(messages.calls().empty());  // every image was written
    for (const char *name : kExported) EXPECT_TRUE(FileExists(out + "\\" + name)) << name;
    EXPECT_EQ(ReadFileBytes(mine), kMine);
    EXPECT_FALSE(FileExists(out + "\\kept_151.ico"));
    EXPECT_FALSE(FileExists(TempFolder() + "\\kept_150.ico"));
    EXPECT_FALSE(FileExists(TempFolder() + "\\kept_151.ico"));
    // The exported pixels, through the platform's own bitmap loader.
    HBITMAP kept = (HBITMAP)LoadImageA(nullptr, (out + "\\kept_48_24.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_TRUE(kept);
    EXPECT_EQ(BitmapPixel(kept, 20, 20), RGB(0xCC, 0x66, 0x33));
    DeleteObject(kept);
}

// Select transparent pixels: strokes mark pixels instead of painting them
// (the Brush its square, the right button unmarks), shown with the marks'
// pattern; each stroke is an undo step; the saved icon has exactly the
// marked pixels masked. A tool command ends the mode.
TEST_F(EditorToolsTest, MarkedPixelsBecomeTransparentWhenSaved) {
    ScratchDir dir("editor_tools_marks");
    std::string path = dir.File("white.ico");
    ASSERT_TRUE(WriteBytes(path, MakeIconFile({{32, 32, 0xFFFFFF}})));
    Editor editor(path);
    ASSERT_TRUE(editor.ok());
    HMENU menu = GetMenu(editor.frame());
    EXPECT_NE(GetMenuState(menu, CMD_TRANSPARENT_PIXELS, MF_BYCOMMAND), (UINT)-1);  // offered in the menu
    const EditorImage &image = TheIcon().images[0];
    auto marked = [] {
        std::vector<POINT> out;
        PixelMarks marks = CurrentMarks();
        for (size_t i = 0; marks && i < marks->size(); ++i)
            if ((*marks)[i]) out.push_back({(LONG)(i % 32), (LONG)(i / 32)});
        return out;
    };
    auto points = [](std::initializer_list<std::pair<int, int>> list) {
        std::vector<POINT> out;
        for (const auto &p : list) out.push_back({p.first, p.second});
        return out;
    };
    auto same = [](const std::vector<POINT> &a, const std::vector<POINT> &b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
        return true;
    };

    editor.Command(CMD_TRANSPARENT_PIXELS);
    EXPECT_TRUE(MarkingTransparentPixels());
    editor.Drag(false, {{2, 2}, {4, 2}});  // the Pen: single cells
    EXPECT_TRUE(same(marked(), points({{2, 2}, {3, 2}, {4, 2}})));
    EXPECT_EQ(image.history.index(), 1u);
    editor.Command(CMD_BRUSH);  // a tool ends the mode; the Brush then marks its square
    EXPECT_FALSE(MarkingTransparentPixels());
    editor.Command(CMD_BRUSH_3);
    editor.Command(CMD_TRANSPARENT_PIXELS);
    editor.Drag(false, {{20, 20}});
    editor.Command(CMD_PEN);
    editor.Command(CMD_TRANSPARENT_PIXELS);
    editor.Drag(true, {{3, 2}});  // unmarked
    std::vector<POINT> want = points({{2, 2}, {4, 2}, {19, 19}, {20, 19}, {21, 19}, {19, 20}, {20, 20}, {21, 20},
                                      {19, 21}, {20, 21}, {21, 21}});
    EXPECT_TRUE(same(marked(), want));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(GetPixel(CanvasDC(), x, y), kWhite) << x << "," << y;  // unpainted

    // The WorkArea covers the marked cells with the checker, the others not.
    HWND work = WorkAreaWindow();
    RedrawWindow(work, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int z = Views().zoom;
    auto greyIn = [&](int c, int r) {
        WindowDC dc(work);
        int grey = 0;
        for (int y = r * z; y < (r + 1) * z - 1; ++y)
            for (int x = c * z; x < (c + 1) * z - 1; ++x)
                grey += (GetPixel(dc.get(), x, y) & 0xFFFFFF) == RGB(200, 200, 200);
        return grey;
    };
    EXPECT_GT(greyIn(2, 2), 0);
    EXPECT_GT(greyIn(20, 21), 0);
    EXPECT_EQ(greyIn(3, 2), 0);
    EXPECT_EQ(greyIn(10, 10), 0);
    SaveWindowShot(work, TestOutputDir("screenshots") + "\\editor_marked_pixels.bmp");

    // Undo takes the unmarking back, then the Brush's square.
    editor.Command(CMD_UNDO);
    EXPECT_EQ(marked().size(), want.size() + 1);
    editor.Command(CMD_UNDO);
    EXPECT_TRUE(same(marked(), points({{2, 2}, {3, 2}, {4, 2}})));
    editor.Command(CMD_TRANSPARENT_PIXELS);
    editor.Drag(false, {{20, 20}});  // size 3 is still the brush size, but the tool is the Pen
    editor.Command(CMD_PEN);
    editor.Drag(false, {{0, 31}});  // paints again
    EXPECT_EQ(GetPixel(CanvasDC(), 0, 31), kRed);

    editor.Command(CMD_SAVE);
    DecodedIconFile saved;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(path, &saved, &error)) << error;
    ASSERT_EQ(saved.images.size(), 1u);
    const DecodedImage &img = saved.images[0];
    EXPECT_EQ(img.MaskedCount(), 4);
    for (const POINT &p : points({{2, 2}, {3, 2}, {4, 2}, {20, 20}})) {
        EXPECT_TRUE(img.Masked(p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(img.Alpha(p.x, p.y), 0) << p.x << "," << p.y;
        EXPECT_EQ(img.Pixel(p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
    }
    EXPECT_EQ(img.Pixel(0, 31), kRed);
    EXPECT_EQ(img.AlphaCount(255), 32 * 32 - 4);
    std::string kept = TestOutputDir("editor_tools") + "\\marked_saved.ico";
    ASSERT_TRUE(CopyFileA(path.c_str(), kept.c_str(), FALSE));
    WriteReadbackExpect(kept);
}

// The one-shot picks read the colour the WorkArea shows at the click: a
// press meanwhile does nothing; Extract color makes it the left colour and
// returns to the Pen; the transparent colour's Apply marks the image;
// "This color is..." shows it and copies its HTML form.
TEST_F(EditorToolsTest, PicksTakeTheColourUnderTheClick) {
    ScratchDir dir("editor_tools_picks");
    ASSERT_TRUE(WriteBytes(dir.File("green.ico"), MakeIconFile({{32, 32, 0x00FF00}})));
    Editor editor(dir.File("green.ico"));
    ASSERT_TRUE(editor.ok());
    HWND work = WorkAreaWindow();
    const EditorImage &image = TheIcon().images[0];

    editor.Command(CMD_BRUSH);
    editor.Command(CMD_EXTRACT_COLOR);
    SendMessageA(work, WM_LBUTTONDOWN, MK_LBUTTON, Editor::At(3, 3));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetPixel(CanvasDC(), 3, 3), RGB(0, 255, 0));  // nothing painted
    size_t before = image.history.index();
    SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(3, 3));
    EXPECT_EQ(ButtonColor(false), RGB(0, 255, 0));
    EXPECT_EQ(CurrentTool(), kToolPen);
    EXPECT_EQ(image.history.index(), before + 1);

    // A command in between ends a pick that waits.
    editor.Command(CMD_EXTRACT_COLOR);
    editor.Command(CMD_LINE);
    editor.Drag(true, {{0, 0}, {0, 5}});
    EXPECT_EQ(GetPixel(CanvasDC(), 0, 3), kBlue);
    EXPECT_EQ(ButtonColor(false), RGB(0, 255, 0));

    editor.Command(CMD_TRANSPARENT_COLOR);
    RunDialog([&] { return SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(5, 6)); },
              [](HWND d) {
                  EXPECT_EQ(ItemText(d, IDC_COLOR_GREEN), "255");
                  Click(d, IDOK);
              },
              " Transparent color");
    EXPECT_EQ(image.transparent, 1);
    EXPECT_EQ(image.transparentX, 5);
    EXPECT_EQ(image.transparentY, 6);
    COLORREF key = 0;
    EXPECT_TRUE(TransparencyViewOn(&key));
    EXPECT_EQ(key, RGB(0, 255, 0));

    editor.Command(CMD_WHICH_COLOR);
    std::string shown;
    RunDialog([&] { return SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(0, 2)); },
              [&](HWND d) {
                  shown = ItemText(d, IDC_COLOR_RED) + " " + ItemText(d, IDC_COLOR_GREEN) + " " +
                          ItemText(d, IDC_COLOR_BLUE) + " " + ItemText(d, IDC_COLOR_HTML);
                  SaveShot(d, "editor_which_color");
                  Click(d, IDC_COPY_HTML);
                  Click(d, IDOK);
              },
              "This color is...");
    EXPECT_EQ(shown, "0 0 255 #0000FF");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(text ? (const char *)GlobalLock(text) : "", "#0000FF");
    if (text) GlobalUnlock(text);
    CloseClipboard();
}

// Text insertion: asked where, the click places the text's top-left corner;
// an empty text is refused and the dialog stays; the text enters the picture.
TEST_F(EditorToolsTest, TextLandsAtTheClick) {
    ScratchDir dir("editor_tools_text");
    ASSERT_TRUE(WriteBytes(dir.File("white.ico"), MakeIconFile({{48, 32, 0xFFFFFF}})));
    Editor editor(dir.File("white.ico"));
    ASSERT_TRUE(editor.ok());
    HWND work = WorkAreaWindow();
    MessageRecorder messages;
    editor.Command(CMD_INSERT_TEXT);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "Please click where you want to insert text.");
    EXPECT_EQ(GetCapture(), work);
    SendMessageA(work, WM_LBUTTONDOWN, MK_LBUTTON, Editor::At(12, 12));  // ignored
    bool stayed = false;
    INT_PTR end = RunDialog([&] { return SendMessageA(work, WM_LBUTTONUP, 0, Editor::At(12, 12)); },
                            [&](HWND d) {
                                Click(d, IDOK);  // nothing typed
                                stayed = IsWindow(d) != FALSE;
                                SetDlgItemTextA(d, IDC_TEXT_EDIT, "H");
                                SaveShot(d, "editor_insert_text");
                                Click(d, IDOK);
                            },
                            "Insert text");
    (void)end;
    EXPECT_TRUE(stayed);
    ASSERT_EQ(messages.calls().size(), 2u);
    EXPECT_EQ(messages.calls()[1].text, "You did not enter text...");
    EXPECT_EQ(GetCapture(), nullptr);
    // Black text from the click's cell on: right of and below it, nothing
    // left of or above it.
    int inked = 0, astray = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            if (GetPixel(CanvasDC(), x, y) == kWhite) continue;
            if (x >= 12 && y >= 12 && x < 24 && y < 24) ++inked;
            else ++astray;
        }
    EXPECT_GT(inked, 2);
    EXPECT_EQ(astray, 0);
}

// The palette window's cells: a click gives the left colour, the context
// menu the right one; the black cell gives no colour. The swatches follow.
TEST_F(EditorToolsTest, PaletteCellsChooseTheButtonColours) {
    ScratchDir dir("editor_tools_palette");
    ASSERT_TRUE(WriteBytes(dir.File("white.ico"), MakeIconFile({{32, 32, 0xFFFFFF}})));
    Editor editor(dir.File("white.ico"));
    ASSERT_TRUE(editor.ok());
    HWND palette = Views().palette;
    ASSERT_TRUE(palette);
    auto click = [&](int id) {
        SendMessageA(palette, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), (LPARAM)GetDlgItem(palette, id));
    };
    click(1113);  // row 2, column 3
    EXPECT_EQ(ButtonColor(false), RGB(0, 255, 0));
    SendMessageA(palette, WM_CONTEXTMENU, (WPARAM)GetDlgItem(palette, 1110), 0);  // row 1, column 6
    EXPECT_EQ(ButtonColor(true), RGB(64, 0, 0));
    click(1151);  // row 8, column 6: black
    EXPECT_EQ(ButtonColor(false), RGB(0, 255, 0));
    editor.Drag(true, {{3, 3}});
    EXPECT_EQ(GetPixel(CanvasDC(), 3, 3), RGB(64, 0, 0));
    // The format bar's "R:" swatch shows the new right colour.
    HWND swatch = GetDlgItem(Views().formatBar, IDC_RIGHT_SWATCH);
    RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT r;
    GetClientRect(swatch, &r);
    WindowDC dc(swatch);
    EXPECT_EQ(GetPixel(dc.get(), r.right / 2, r.bottom / 2), RGB(64, 0, 0));
}

}  // namespace
