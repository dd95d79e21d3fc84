// Paste Replace and Paste Combine through the real clipboard, the combine
// dialog driven as a user drives it, and the compositor on bitmap files.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/handles.h"
#include "display/combine_win.h"
#include "display/displaytools_resource.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

HBITMAP Painted(int width, int height, const std::function<COLORREF(int, int)> &pixel) {
    WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    SelectObjectScope select(dc.get(), bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc.get(), x, y, pixel(x, y));
    return bitmap;
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP b = {};
    GetObjectA(bitmap, sizeof b, &b);
    return SIZE{b.bmWidth, b.bmHeight};
}

// Puts a bitmap on the clipboard (which then owns it), or empties it.
void SetClipboard(HBITMAP bitmap) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (bitmap) SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
}

class CombineTest : public ::testing::Test {
protected:
    CombineTest() : dir_("combine"), temp_(dir_.path() + "\\") {}
    std::string Working() const { return dir_.File("GY.bmp"); }
    // Paste Combine on `picture` with the dialog run by `script`.
    HBITMAP Combine(HBITMAP picture, const std::function<void(HWND)> &script) {
        HBITMAP result = nullptr;
        RunDialog(
            [&] {
                result = CombineWithClipboard(nullptr, GetModuleHandleA(nullptr), nullptr, picture, Working());
                return (INT_PTR)0;
            },
            script, "Combine");
        return result;
    }
    ScratchDir dir_;
    TempFolderScope temp_;
};

TEST_F(CombineTest, SubstractTakesTheIconFromTheClipboardPicture) {
    SetClipboard(Painted(16, 16, [](int, int) { return RGB(200, 100, 50); }));
    UniqueBitmap icon(Painted(16, 16, [](int, int) { return RGB(50, 150, 20); }));
    UniqueBitmap result(Combine(icon.get(), [](HWND d) {
        EXPECT_TRUE(Enabled(d, IDC_COMBINE_RATIO));
        EXPECT_FALSE(Enabled(d, IDC_COMBINE_OPERATOR));
        EXPECT_FALSE(Enabled(d, IDC_COMBINE_GRAVITY));
        Click(d, IDC_COMBINE_COMPOSE);
        EXPECT_FALSE(Enabled(d, IDC_COMBINE_RATIO));
        EXPECT_TRUE(Enabled(d, IDC_COMBINE_OPERATOR));
        SendDlgItemMessageA(d, IDC_COMBINE_OPERATOR, CB_SETCURSEL, 9, 0);
        EXPECT_EQ(ItemText(d, IDCANCEL), "Cancel");
        SaveShot(d, "combine_dialog");
        EXPECT_TRUE(LayoutProblems(d).empty());
        Click(d, IDOK);
    }));
    ASSERT_TRUE(result);
    EXPECT_EQ(BitmapPixel(result.get(), 0, 0), RGB(150, 0, 30));
    EXPECT_EQ(BitmapPixel(result.get(), 15, 15), RGB(150, 0, 30));
    // The temporary pictures are gone.
    EXPECT_EQ(GetFileAttributesA(dir_.File("G.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir_.File("G2.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(Working().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CombineTest, MixLaysTheIconAtItsRatioAndMoveUsesThePositionShown) {
    SetClipboard(Painted(32, 32, [](int, int) { return RGB(200, 0, 100); }));
    UniqueBitmap icon(Painted(16, 16, [](int, int) { return RGB(0, 100, 200); }));
    UniqueBitmap mixed(Combine(icon.get(), [](HWND d) {
        SetDlgItemTextA(d, IDC_COMBINE_RATIO, "25");
        Click(d, IDC_COMBINE_MOVE);
        EXPECT_TRUE(Enabled(d, IDC_COMBINE_GRAVITY));
        SendDlgItemMessageA(d, IDC_COMBINE_GRAVITY, CB_SETCURSEL, 6, 0);  // South-East
        Click(d, IDOK);
    }));
    ASSERT_TRUE(mixed);
    EXPECT_EQ(SizeOf(mixed.get()).cx, 32);
    EXPECT_EQ(BitmapPixel(mixed.get(), 31, 31), RGB(150, 25, 125));  // 25 % icon, 75 % clipboard
    EXPECT_EQ(BitmapPixel(mixed.get(), 15, 15), RGB(200, 0, 100));   // outside the icon
    // "Use as background": the icon at the clipboard picture's top-left corner.
    SetClipboard(Painted(32, 32, [](int, int) { return RGB(200, 0, 100); }));
    UniqueBitmap over(Combine(icon.get(), [](HWND d) {
        Click(d, IDC_COMBINE_COMPOSE);
        SendDlgItemMessageA(d, IDC_COMBINE_OPERATOR, CB_SETCURSEL, 7, 0);  // Over
        Click(d, IDOK);
    }));
    ASSERT_TRUE(over);
    EXPECT_EQ(BitmapPixel(over.get(), 0, 0), RGB(0, 100, 200));
    EXPECT_EQ(BitmapPixel(over.get(), 16, 16), RGB(200, 0, 100));
}

TEST_F(CombineTest, RefusalsLeaveNothingBehind) {
    UniqueBitmap icon(Painted(16, 16, [](int, int) { return RGB(1, 2, 3); }));
    MessageRecorder recorder;
    // A ratio of 0 keeps the dialog open with its message; Cancel then ends it.
    SetClipboard(Painted(16, 16, [](int, int) { return RGB(9, 9, 9); }));
    EXPECT_EQ(Combine(icon.get(),
                      [](HWND d) {
                          Click(d, IDOK);
                          EXPECT_TRUE(IsWindowVisible(d));
                          Click(d, IDCANCEL);
                      }),
              nullptr);
    // An empty clipboard, for both pastes.
    SetClipboard(nullptr);
    EXPECT_EQ(Combine(icon.get(),
                      [](HWND d) {
                          SetDlgItemTextA(d, IDC_COMBINE_RATIO, "5");
                          Click(d, IDOK);
                      }),
              nullptr);
    EXPECT_EQ(PasteFromClipboard(nullptr, GetModuleHandleA(nullptr)), nullptr);
    std::vector<std::string> texts;
    for (const MessageRecord &m : recorder.calls()) {
        texts.push_back(m.text);
        EXPECT_EQ(m.caption, "Glyphery");
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Please enter a correct ratio.\nGood values are from 1 to 99.",
                                               "No bitmap image in the clipboard...",
                                               "Glyphery cannot import from clipboard..."}));
    // A clipboard bitmap comes back as a copy of its own, whole.
    SetClipboard(Painted(40, 24, [](int x, int) { return x < 20 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
    UniqueBitmap pasted(PasteFromClipboard(nullptr, GetModuleHandleA(nullptr)));
    ASSERT_TRUE(pasted);
    UniqueBitmap square(CropToSquare(pasted.get(), 32));
    EXPECT_EQ(SizeOf(square.get()).cx, 32);
    EXPECT_EQ(BitmapPixel(square.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(BitmapPixel(square.get(), 31, 0), RGB(0, 0, 255));
    EXPECT_EQ(BitmapPixel(square.get(), 0, 30), RGB(0, 0, 0));  // below the pasted picture
}

TEST_F(CombineTest, CompositorTilesMasksAndRefuses) {
    std::string target = dir_.File("t.bmp"), tile = dir_.File("p.bmp"), mask = dir_.File("m.bmp");
    ASSERT_TRUE(WriteBmp24(target, 10, 6, [](int, int) { return RGB(0, 0, 0); }));
    ASSERT_TRUE(WriteBmp24(tile, 4, 4, [](int x, int y) { return x == 0 && y == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0); }));
    ASSERT_TRUE(WriteBmp24(mask, 2, 2, [](int, int) { return RGB(0, 255, 0); }));
    std::string out = dir_.File("o.bmp");
    ASSERT_EQ(RunCompositor({"Glyphery", "-compose", "plus", "-tile", target, tile, out}), 1);
    // Read back through the system's own loader.
    UniqueBitmap tiled((HBITMAP)LoadImageA(nullptr, out.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(tiled);
    for (int x : {0, 4, 8}) EXPECT_EQ(BitmapPixel(tiled.get(), x, 4), RGB(255, 255, 255)) << x;
    EXPECT_EQ(BitmapPixel(tiled.get(), 1, 0), RGB(0, 0, 0));
    // The mask lies over the picture first; the picture at the centre.
    ASSERT_EQ(RunCompositor({"Glyphery", "-compose", "over", "-gravity", "Center", target, tile, mask, out}), 1);
    UniqueBitmap masked((HBITMAP)LoadImageA(nullptr, out.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(masked);
    EXPECT_EQ(BitmapPixel(masked.get(), 3, 1), RGB(0, 255, 0));
    EXPECT_EQ(BitmapPixel(masked.get(), 5, 3), RGB(0, 0, 0));
    EXPECT_EQ(BitmapPixel(masked.get(), 0, 0), RGB(0, 0, 0));
    DeleteFileA(out.c_str());
    EXPECT_EQ(RunCompositor({"Glyphery", target, tile, mask, mask, out}), 0);
    EXPECT_EQ(RunCompositor({"Glyphery", "-blend", "x5", target, tile, out}), 0);
    EXPECT_EQ(RunCompositor({"Glyphery", target, dir_.File("missing.bmp"), out}), 0);
    EXPECT_EQ(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
