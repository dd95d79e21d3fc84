// The editor's picture model and views on the real frame, with real icons:
// the converter's nine images, the image selector, the WorkArea's zoom, grid
// and transparency view read back from its device context, the undo history,
// the clipboard, and icons with a PNG image, a cursor's hot spot or damage.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/handles.h"
#include "common/seams.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "editor/frame.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/views_win.h"
#include "tests/common/testutil_win.h"
#include "tests/editor/editor_frame.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\editor_views";

// What the WorkArea shows at a client point, read from its own DC.
COLORREF ShownPixel(int x, int y) {
    HWND work = WorkAreaWindow();
    InvalidateRect(work, nullptr, FALSE);
    UpdateWindow(work);
    WindowDC dc(work);
    return GetPixel(dc.get(), x, y);
}

SIZE ClientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// A stroke as a tool leaves it: a square painted into the canvas, then the
// button released over the WorkArea.
void Stroke(COLORREF colour, int left, int top, int side) {
    UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush(colour));
    RECT r = {left, top, left + side, top + side};
    FillRect(CanvasDC(), &r, (HBRUSH)brush.get());
    SendMessageA(WorkAreaWindow(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

class EditorViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreRegistry(kScratchKey);
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
    }
    void TearDown() override { RestoreRegistry(kScratchKey); }
};

// The converter's nine images (16, 32, 48 at 16, 256 colours and true
// colour): the selector's lines, the last image first, and switching.
TEST_F(EditorViewsTest, NineImagesListedSwitchedAndLaidOut) {
    ScratchDir dir("editor_nine");
    ASSERT_TRUE(WriteBmp24(dir.File("badge.bmp"), 64, 64, [](int x, int y) {
        return (x / 8 + y / 8) % 2 ? RGB(200, 30, 40) : RGB(20, 60, 220);
    }));
    ProgramRun convert = RunProgram(SiblingProgram("GlypheryConvert.exe"),
                                    "--xp --out \"" + dir.path() + "\" \"" + dir.File("badge.bmp") + "\"");
    ASSERT_EQ(convert.exitCode, 0u) << convert.output;
    DWORD start = GetTickCount();
    EditorFrame editor(dir.File("badge.ico"));
    ASSERT_TRUE(editor.ok());
    UpdateWindow(WorkAreaWindow());
    printf("[ timing ] the frame made and painted on 9 images in %lu ms\n", GetTickCount() - start);

    const EditorIcon &icon = TheIcon();
    ASSERT_EQ(icon.count, 9);
    ASSERT_EQ(SendDlgItemMessageA(editor.bar(), IDC_IMAGE_SELECTOR, CB_GETCOUNT, 0, 0), 9);
    const char *kLines[] = {"16 x 16  16 colors", "16 x 16  256 colors", "16 x 16  True color 24 bits",
                            "32 x 32  16 colors", "32 x 32  256 colors", "32 x 32  True color 32 bits",
                            "48 x 48  16 colors", "48 x 48  256 colors", "48 x 48  True color 32 bits"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(editor.SelectorLine(i), kLines[i]) << i;
    EXPECT_EQ(SendDlgItemMessageA(editor.bar(), IDC_IMAGE_SELECTOR, CB_GETCURSEL, 0, 0), 8);
    EXPECT_EQ(CurrentImageIndex(), 8);
    // Each picture holds the file's pixels as our own reader decodes them.
    DecodedIconFile decoded;
    std::string error;
    ASSERT_TRUE(ReadDecodedIcon(dir.File("badge.ico"), &decoded, &error)) << error;
    for (int i = 0; i < 9; ++i) {
        int side = icon.images[i].height;
        for (POINT at : {POINT{0, 0}, POINT{side / 2, side / 4}, POINT{side - 1, side - 2}})
            EXPECT_EQ(BitmapPixel(icon.images[i].history.slot(0), at.x, at.y), decoded.images[i].Pixel(at.x, at.y))
                << i << " " << at.x << "," << at.y;
    }

    // Each size laid out as the frame's client area says; the view shows
    // the model's picture pixel for pixel at the zoom.
    HWND work = WorkAreaWindow();
    SIZE client = ClientSize(editor.frame());
    RECT status;
    GetWindowRect(GetDlgItem(editor.frame(), IDC_STATUS), &status);
    ViewMetrics m = {client.cx, client.cy, status.bottom - status.top, Views().formatBarHeight,
                     GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
    for (int index : {0, 4, 8}) {
        editor.Select(index);
        ASSERT_EQ(CurrentImageIndex(), index);
        int side = icon.images[index].height;
        EXPECT_EQ(ActiveSize(), side);
        EXPECT_EQ(editor.session().settings.cx, (uint32_t)side);
        BITMAP plane;
        ASSERT_TRUE(GetObjectA(GetCurrentObject(CanvasDC(), OBJ_BITMAP), sizeof plane, &plane));
        EXPECT_EQ(plane.bmWidth, 48);  // the canvas stays at the working size
        ViewPlacement p = PlaceView(m, side);
        RECT r;
        GetWindowRect(work, &r);
        MapWindowPoints(nullptr, editor.frame(), (POINT *)&r, 2);
        EXPECT_EQ(r.left, p.left) << side;
        EXPECT_EQ(r.top, p.top) << side;
        EXPECT_EQ(r.right - r.left, p.width) << side;
        EXPECT_EQ(ClientSize(work).cx, p.zoom * side) << side;
        EXPECT_EQ(Views().zoom, p.zoom);
        EXPECT_GT(p.zoom, 1);
        HBITMAP picture = icon.images[index].history.current();
        for (POINT at : {POINT{0, 0}, POINT{side / 2, side / 3}, POINT{side - 1, side - 1}}) {
            COLORREF model = BitmapPixel(picture, at.x, at.y);
            EXPECT_EQ(GetPixel(CanvasDC(), at.x, at.y), model) << side;
            EXPECT_EQ(ShownPixel(at.x * p.zoom + p.zoom / 2, at.y * p.zoom + p.zoom / 2), model) << side;
        }
        // The frame's background, repainted, leaves the picture alone.
        RedrawWindow(editor.frame(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ERASENOW);
        WindowDC workDc(work);
        EXPECT_EQ(GetPixel(workDc.get(), p.zoom / 2, p.zoom / 2), BitmapPixel(picture, 0, 0)) << side;
    }
    // The small view holds the active square: image size plus 7 by plus 24.
    RECT small;
    GetWindowRect(Views().smallView, &small);
    EXPECT_TRUE(IsWindowVisible(Views().smallView));
    EXPECT_EQ(small.right - small.left, 48 + 7);
    EXPECT_EQ(small.bottom - small.top, 48 + 24);
    POINT middle = {24, 24};
    ClientToScreen(Views().smallView, &middle);
    EXPECT_EQ(WindowFromPoint(middle), Views().smallView);  // above the frame
    {
        WindowDC smallDc(Views().smallView);
        EXPECT_EQ(GetPixel(smallDc.get(), 24, 24), GetPixel(CanvasDC(), 24, 24));
    }

    // The grid: a black line closing each zoomed pixel, none at zoom 1.
    editor.session().settings.Grid = 1;
    int zoom = Views().zoom;
    COLORREF inside = BitmapPixel(icon.images[8].history.current(), 1, 1);
    EXPECT_EQ(ShownPixel(zoom - 1, zoom + 1), RGB(0, 0, 0));
    EXPECT_EQ(ShownPixel(zoom + 1, 2 * zoom - 1), RGB(0, 0, 0));
    EXPECT_EQ(ShownPixel(zoom + zoom / 2, zoom + zoom / 2), inside);
    SaveShot(Views().smallView, "editor_smallview");
    SaveShot(editor.frame(), "editor_frame");
    // Too low for more than zoom 1: the grid is not drawn.
    ShowWindow(editor.frame(), SW_RESTORE);
    MoveWindow(editor.frame(), 0, 0, 400, 150, TRUE);
    EXPECT_EQ(Views().zoom, 1);
    for (POINT at : {POINT{0, 0}, POINT{1, 1}, POINT{2, 3}})
        EXPECT_EQ(ShownPixel(at.x, at.y), BitmapPixel(icon.images[8].history.current(), at.x, at.y));
}

// Undo steps back through the history to the picture read from the file
// and stops there; the Undo button follows.
TEST_F(EditorViewsTest, UndoStepsBackToTheFilePictureAndStops) {
    ScratchDir dir("editor_undo");
    ASSERT_TRUE(WriteBytes(dir.File("two.ico"), MakeIconFile({{16, 4, 2}, {32, 32, 0x3366CC}})));
    EditorFrame editor(dir.File("two.ico"));
    ASSERT_TRUE(editor.ok());
    // The main toolbar's Undo button, greyed at start.
    HWND toolbar = GetDlgItem(editor.frame(), IDC_MAIN_TOOLBAR);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, CMD_UNDO, 0), TBSTATE_INDETERMINATE);
    auto undoState = [&] { return (int)SendMessageA(toolbar, TB_GETSTATE, CMD_UNDO, 0); };

    const EditorImage &image = TheIcon().images[1];
    COLORREF file = RGB(0x33, 0x66, 0xCC);
    EXPECT_EQ(GetPixel(CanvasDC(), 5, 5), file);
    SendMessageA(editor.frame(), WM_COMMAND, CMD_UNDO, 0);  // right after start: nothing
    EXPECT_EQ(image.history.index(), 0u);
    EXPECT_EQ(GetPixel(CanvasDC(), 5, 5), file);

    Stroke(RGB(255, 0, 0), 0, 0, 10);
    EXPECT_EQ(undoState(), TBSTATE_ENABLED);
    Stroke(RGB(0, 255, 0), 4, 4, 10);
    ASSERT_EQ(image.history.index(), 2u);
    EXPECT_EQ(BitmapPixel(image.history.current(), 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(BitmapPixel(image.history.slot(1), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(ShownPixel(5 * Views().zoom, 5 * Views().zoom), RGB(0, 255, 0));
    // Opening the selector's list makes what the canvas shows the current
    // picture, without a step.
    Stroke(RGB(255, 255, 0), 30, 30, 2);
    HBITMAP before = image.history.current();
    RECT dot = {8, 8, 9, 9};
    FillRect(CanvasDC(), &dot, (HBRUSH)GetStockObject(BLACK_BRUSH));
    SendMessageA(editor.bar(), WM_COMMAND, MAKEWPARAM(IDC_IMAGE_SELECTOR, CBN_DROPDOWN), 0);
    EXPECT_EQ(image.history.index(), 3u);
    EXPECT_NE(image.history.current(), before);
    EXPECT_EQ(BitmapPixel(image.history.current(), 8, 8), RGB(0, 0, 0));
    SendMessageA(editor.frame(), WM_COMMAND, CMD_UNDO, 0);
    // The pointer's image pixel in the format bar.
    SendMessageA(WorkAreaWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3 * Views().zoom + 1, 5 * Views().zoom + 1));
    char position[32] = "";
    GetDlgItemTextA(editor.bar(), IDC_POSITION, position, sizeof position);
    EXPECT_STREQ(position, "3, 5");

    // The picture through the image library and back, as effects take it.
    {
        ImageInfoPtr info(AcquireImageInfo());
        ImagePtr picture(BitmapToImage(info.get(), image.history.current()));
        ASSERT_TRUE(picture != nullptr);
        EXPECT_EQ(picture->columns, 32u);
        ExceptionPtr e(AcquireExceptionInfo());
        const PixelPacket *p = GetVirtualPixels(picture.get(), 5, 5, 1, 1, e.get());
        ASSERT_TRUE(p != nullptr);
        EXPECT_EQ(p->green, QuantumRange);
        EXPECT_EQ(p->red, 0);
        UniqueBitmap back(ImageToBitmap(info.get(), picture.get()));
        ASSERT_TRUE(back);
        EXPECT_EQ(BitmapPixel(back.get(), 5, 5), RGB(0, 255, 0));
        EXPECT_EQ(BitmapPixel(back.get(), 20, 20), file);
    }

    struct Step {
        size_t index;
        COLORREF at55, at20;
        int state;
    } steps[] = {
        {1, RGB(255, 0, 0), file, TBSTATE_ENABLED},
        {0, file, file, TBSTATE_INDETERMINATE},
        {0, file, file, TBSTATE_INDETERMINATE},  // slot 0 is where it stops
    };
    for (const Step &s : steps) {
        SendMessageA(editor.frame(), WM_COMMAND, CMD_UNDO, 0);
        EXPECT_EQ(image.history.index(), s.index);
        EXPECT_EQ(image.history.slot(s.index + 1), nullptr);
        EXPECT_EQ(GetPixel(CanvasDC(), 5, 5), s.at55) << s.index;
        EXPECT_EQ(GetPixel(CanvasDC(), 20, 20), s.at20) << s.index;
        EXPECT_EQ(ShownPixel(5 * Views().zoom, 5 * Views().zoom), s.at55) << s.index;
        EXPECT_EQ(undoState(), s.state) << s.index;
    }

    // Switching keeps each image's history: back on an image with steps,
    // Undo is enabled again.
    Stroke(RGB(0, 0, 255), 0, 0, 4);
    editor.Select(0);
    EXPECT_EQ(undoState(), TBSTATE_INDETERMINATE);
    EXPECT_EQ(ActiveSize(), 16);
    editor.Select(1);
    EXPECT_EQ(undoState(), TBSTATE_ENABLED);
    EXPECT_EQ(GetPixel(CanvasDC(), 1, 1), RGB(0, 0, 255));

    // Copy puts the current picture on the clipboard.
    SendMessageA(editor.frame(), WM_COMMAND, CMD_COPY, 0);
    ASSERT_TRUE(OpenClipboard(editor.frame()));
    HBITMAP copied = (HBITMAP)GetClipboardData(CF_BITMAP);
    EXPECT_TRUE(copied != nullptr);
    if (copied) {
        EXPECT_EQ(BitmapPixel(copied, 1, 1), RGB(0, 0, 255));
        EXPECT_EQ(BitmapPixel(copied, 20, 20), file);
    }
    CloseClipboard();
}

// The transparency view leaves the key colour's pixels undrawn until the
// next command; a two-colour working size shows every picture in black and
// white.
TEST_F(EditorViewsTest, TransparencyViewAndBlackAndWhite) {
    ScratchDir dir("editor_views_colour");
    ASSERT_TRUE(WriteBytes(dir.File("colour.ico"), MakeIconFile({{32, 32, 0x00FF00}})));
    {
        EditorFrame editor(dir.File("colour.ico"));
        ASSERT_TRUE(editor.ok());
        Stroke(RGB(255, 0, 0), 0, 0, 8);
        int zoom = Views().zoom;
        SetTransparencyView(true, RGB(0, 255, 0));
        EXPECT_EQ(ShownPixel(20 * zoom, 20 * zoom), RGB(192, 192, 192));
        EXPECT_EQ(ShownPixel(2 * zoom, 2 * zoom), RGB(255, 0, 0));
        SendMessageA(editor.frame(), WM_COMMAND, CMD_SHOW_PICTURE, 0);
        EXPECT_FALSE(TransparencyViewOn(nullptr));
        EXPECT_EQ(ShownPixel(20 * zoom, 20 * zoom), RGB(0, 255, 0));
    }
    ASSERT_TRUE(WriteBytes(dir.File("mono.ico"), MakeIconFile({{16, 24, 0x808080}, {32, 1, 1}})));
    EditorFrame editor(dir.File("mono.ico"));
    ASSERT_TRUE(editor.ok());
    EXPECT_EQ(WorkingColors(), 2);
    EXPECT_EQ(editor.SelectorLine(1), "32 x 32  2 colors");
    editor.Select(0);  // a colour image shown at a black-and-white working size
    for (int y = 0; y < 16; y += 5)
        for (int x = 0; x < 16; x += 5) {
            COLORREF c = GetPixel(CanvasDC(), x, y);
            EXPECT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255)) << std::hex << c;
        }
    // With the palette on, the palette window goes with a two-colour image
    // and comes back with any other.
    ASSERT_TRUE(Views().palette);
    editor.session().settings.Palette = 1;
    const struct {
        int image;
        bool shown;
    } kSwitches[] = {{1, false}, {0, true}, {1, false}};
    for (const auto &c : kSwitches) {
        editor.Select(c.image);
        EXPECT_EQ(IsWindowVisible(Views().palette) != FALSE, c.shown) << c.image;
    }
}

// A PNG-compressed image is shown through the image library and its bytes
// kept as stored; a cursor keeps its hot spot; damaged files are refused.
TEST_F(EditorViewsTest, PngImagesCursorsAndDamagedFiles) {
    ScratchDir dir("editor_views_kinds");
    // A 256 x 256 PNG made by the library (RGBA as newer icons hold them,
    // or with a palette), after a 32 x 32 image.
    auto makePng = [](const char *format) {
        std::vector<uint8_t> png;
        ImageInfoPtr info(AcquireImageInfo());
        ExceptionPtr e(AcquireExceptionInfo());
        CloneString(&info->size, "256x256");
        strcpy(info->filename, "xc:#1E90C8");
        ImagePtr image(ReadImage(info.get(), e.get()));
        if (!image) return png;
        // Written under a plain name: the generator's "xc:" would pick its
        // (read-only) format again.
        strcpy(info->filename, "big.png");
        strcpy(image->filename, "big.png");
        strcpy(info->magick, format);
        strcpy(image->magick, format);
        size_t length = 0;
        void *blob = ImageToBlob(info.get(), image.get(), &length, e.get());
        if (blob) png.assign((uint8_t *)blob, (uint8_t *)blob + length);
        RelinquishMagickMemory(blob);
        return png;
    };
    // Two entries: the first image's data moved down 16 bytes, and a second
    // entry (size 0 = 256) pointing at the PNG after it.
    auto withPng = [](const std::vector<uint8_t> &png, uint32_t *pngOffset) {
        std::vector<uint8_t> bytes = MakeIconFile({{32, 32, 0xFF0000}});
        uint32_t firstBytes, firstOffset;
        memcpy(&firstBytes, &bytes[6 + 8], 4);
        memcpy(&firstOffset, &bytes[6 + 12], 4);
        std::vector<uint8_t> file(bytes.begin(), bytes.begin() + 6 + 16);
        file[4] = 2;
        uint32_t newFirst = firstOffset + 16, pngSize = (uint32_t)png.size();
        *pngOffset = newFirst + firstBytes;
        memcpy(&file[6 + 12], &newFirst, 4);
        uint8_t entry[16] = {0, 0, 0, 0, 1, 0, 32, 0};
        memcpy(entry + 8, &pngSize, 4);
        memcpy(entry + 12, pngOffset, 4);
        file.insert(file.end(), entry, entry + 16);
        file.insert(file.end(), bytes.begin() + firstOffset, bytes.begin() + firstOffset + firstBytes);
        file.insert(file.end(), png.begin(), png.end());
        return file;
    };
    EnsureImageLibrary();
    std::vector<uint8_t> file;
    uint32_t pngOffset = 0;
    size_t pngSize = 0;
    for (const char *format : {"PNG32", "PNG8"}) {
        std::vector<uint8_t> png = makePng(format);
        ASSERT_FALSE(png.empty()) << format;
        file = withPng(png, &pngOffset);
        pngSize = png.size();
        ASSERT_TRUE(WriteBytes(dir.File("vista.ico"), file));
        EditorFrame editor(dir.File("vista.ico"));
        ASSERT_TRUE(editor.ok()) << format;
        const EditorIcon &icon = TheIcon();
        ASSERT_EQ(icon.count, 2);
        const EditorImage &big = icon.images[1];
        EXPECT_TRUE(big.png);
        EXPECT_FALSE(icon.images[0].png);
        EXPECT_EQ(big.width, 256);
        EXPECT_EQ(big.height, 256);
        EXPECT_EQ(big.fileBlock, png) << format;  // kept as stored for a later save
        EXPECT_EQ(ActiveSize(), 256);
        EXPECT_EQ(GetPixel(CanvasDC(), 100, 100), RGB(0x1E, 0x90, 0xC8)) << format;
        EXPECT_EQ(ShownPixel(100 * Views().zoom, 100 * Views().zoom), RGB(0x1E, 0x90, 0xC8)) << format;
        if (std::string(format) == "PNG32") EXPECT_EQ(editor.SelectorLine(1), "256 x 256  True color 32 bits");
    }

    ASSERT_TRUE(WriteBytes(dir.File("arrow.cur"), MakeIconFile({{32, 24, 0x0000FF, 5, 9}}, true)));
    {
        EditorFrame editor(dir.File("arrow.cur"));
        ASSERT_TRUE(editor.ok());
        EXPECT_EQ(TheIcon().fileType, 2);
        EXPECT_EQ(TheIcon().images[0].entry.planes, 5);  // the hot spot's x
        EXPECT_EQ(TheIcon().images[0].entry.bitCount, 9);
        EXPECT_EQ(GetPixel(CanvasDC(), 3, 3), RGB(0, 0, 255));
    }

    // Past 150 images, the rest are not edited but kept as stored.
    std::vector<FixtureImage> many(151, FixtureImage{16, 1, 1});
    many.back() = {24, 8, 7};
    ASSERT_TRUE(WriteBytes(dir.File("many.ico"), MakeIconFile(many)));
    {
        EditorFrame editor(dir.File("many.ico"));
        ASSERT_TRUE(editor.ok());
        EXPECT_EQ(TheIcon().count, 150);
        EXPECT_EQ(editor.session().working.size, 16u);
        EXPECT_EQ(SendDlgItemMessageA(editor.bar(), IDC_IMAGE_SELECTOR, CB_GETCOUNT, 0, 0), 150);
        ASSERT_EQ(TheIcon().keptEntries.size(), 1u);
        EXPECT_EQ(TheIcon().keptEntries[0].width, 24);
        EXPECT_EQ(TheIcon().keptBlocks[0].size(), TheIcon().keptEntries[0].bytes);
    }

    // Damage inside the PNG (the file's structure intact): the library
    // refuses it, the editor says so and makes no window.
    std::vector<uint8_t> damaged = file;
    for (size_t i = pngOffset + 40; i < damaged.size(); ++i) damaged[i] ^= 0x5A;
    ASSERT_TRUE(WriteBytes(dir.File("damaged.ico"), damaged));
    std::vector<uint8_t> cut(file.begin(), file.begin() + pngOffset + pngSize / 2);
    ASSERT_TRUE(WriteBytes(dir.File("cut.ico"), cut));
    for (const char *name : {"damaged.ico", "cut.ico"}) {
        MessageRecorder recorder;
        EditorSession session;
        EXPECT_FALSE(PrepareSession(GetModuleHandleA(nullptr), ("|" + dir.File(name)).c_str(), &session)) << name;
        ASSERT_EQ(recorder.calls().size(), 1u) << name;
        EXPECT_EQ(recorder.calls()[0].text, "Cannot read the icon!");
        EXPECT_EQ(TheIcon().count, 0) << name;
    }
}

}  // namespace
