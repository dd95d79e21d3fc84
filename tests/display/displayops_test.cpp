// The display window's file work under Wine: damaged files refused before
// any window opens, Save folding a retouched picture into its image, and a
// failed Save leaving the old file whole.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/handles.h"
#include "display/display_win.h"
#include "display/displayops_win.h"
#include "display/effects_win.h"
#include "shell/settings.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"

namespace {

// A bitmap of the screen's kind filled with one colour.
HBITMAP SolidBitmap(int size, COLORREF colour) {
    WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), size, size);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    SelectObjectScope select(dc.get(), bitmap);
    UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush(colour));
    RECT r = {0, 0, size, size};
    FillRect(dc.get(), &r, (HBRUSH)brush.get());
    return bitmap;
}

TEST(DisplayFilesTest, DamagedFilesAreRefusedWithAMessageAndNoWindow) {
    ScratchDir dir("display-damaged");
    std::vector<uint8_t> cut = MakeIconFile({{32, 24, 0x102030}});
    cut.resize(cut.size() / 2);
    std::vector<uint8_t> notIcon = {'B', 'M', 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(WriteBytes(dir.File("cut.ico"), cut));
    ASSERT_TRUE(WriteBytes(dir.File("bitmap.ico"), notIcon));
    Settings settings = {};
    DisplayRequest request;
    request.settings = &settings;
    request.files = {dir.File("cut.ico"), dir.File("bitmap.ico"), dir.File("missing.ico")};
    MessageRecorder recorder;
    ShowDisplayWindow(nullptr, GetModuleHandleA(nullptr), request);  // returns at once: nothing to show
    ASSERT_EQ(recorder.calls().size(), 3u);
    const char *reasons[] = {"image 0 lies outside the file", "not an icon or cursor file",
                             "the file cannot be opened"};
    for (size_t i = 0; i < 3; ++i) {
        const MessageRecord &m = recorder.calls()[i];
        EXPECT_EQ(m.text, "The file " + request.files[i] + " cannot be shown: " + reasons[i] + ".");
        EXPECT_EQ(m.caption, "Glyphery");
        EXPECT_EQ(m.flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    }
}

TEST(DisplayFilesTest, SaveFoldsTheRetouchedPictureIntoItsImage) {
    ScratchDir dir("display-save");
    TempFolderScope temp(dir.path() + "\\");
    std::string path = dir.File("pic.ico");
    ASSERT_TRUE(WriteBytes(path, MakeIconFile({{32, 24, 0x102030}, {16, 4, 0x00FF00}})));
    DisplayFile file;
    std::string error;
    ASSERT_TRUE(LoadDisplayFile(path, &file, &error)) << error;
    std::vector<uint8_t> small = file.set.images[1].bytes;
    file.effects[0].reset(SolidBitmap(32, RGB(10, 200, 30)));

    ASSERT_TRUE(SaveDisplayFile(&file, WorkingBitmapPath()));
    DecodedIconFile saved;
    ASSERT_TRUE(ReadDecodedIcon(path, &saved, &error)) << error;
    ASSERT_EQ(saved.images.size(), 2u);
    EXPECT_EQ(saved.images[0].info.bitCount, 24);
    for (POINT p : {POINT{0, 0}, POINT{31, 0}, POINT{17, 31}})
        EXPECT_EQ(saved.images[0].Pixel(p.x, p.y), RGB(10, 200, 30)) << p.x << "," << p.y;
    EXPECT_EQ(file.set.images[1].bytes, small) << "an image without a retouched picture is written as read";
    EXPECT_FALSE(FileExists(path + ".gynew"));
    EXPECT_FALSE(FileExists(WorkingBitmapPath())) << "the working bitmap is left behind";
    // The system's own loader takes the written file.
    UniqueIcon icon((HICON)LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    EXPECT_TRUE(icon);
}

TEST(DisplayFilesTest, AFailedSaveLeavesTheOldFileWhole) {
    ScratchDir dir("display-save-fails");
    TempFolderScope temp(dir.path() + "\\");
    std::string path = dir.File("pic.ico");
    std::vector<uint8_t> before = MakeIconFile({{32, 32, 0x102030}});
    ASSERT_TRUE(WriteBytes(path, before));
    DisplayFile file;
    std::string error;
    ASSERT_TRUE(LoadDisplayFile(path, &file, &error)) << error;
    file.effects[0].reset(SolidBitmap(32, RGB(250, 0, 0)));
    {
        // Another program holds the file open without letting it be replaced.
        UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(SaveDisplayFile(&file, WorkingBitmapPath()));
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_FALSE(FileExists(path + ".gynew"));
}

}  // namespace

namespace {

TEST(DisplayFilesTest, ACapturedPictureIsSavedAsItsBitmap) {
    ScratchDir dir("display-save-bitmap");
    TempFolderScope temp(dir.path() + "\\");
    std::string icon = dir.File("shot.ico");
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile({{48, 24, 0x102030}})));
    ASSERT_TRUE(WriteBytes(dir.File("shot.bmp"), {'o', 'l', 'd'}));
    DisplayFile file;
    std::string error;
    ASSERT_TRUE(LoadDisplayFile(icon, &file, &error)) << error;
    file.effects[0].reset(SolidBitmap(48, RGB(200, 100, 50)));

    ASSERT_TRUE(SaveDisplayBitmap(&file, dir.path(), "shot", WorkingBitmapPath()));
    // The system's own loader reads the bitmap.
    UniqueBitmap bitmap((HBITMAP)LoadImageA(nullptr, dir.File("shot.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap);
    BITMAP info;
    ASSERT_TRUE(GetObjectA(bitmap.get(), sizeof(info), &info));
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 48);
    UniqueMemDC dc(CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.get(), bitmap.get());
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(dc.get(), 47, 47), RGB(200, 100, 50));
    EXPECT_FALSE(FileExists(dir.File("temp.ico")));
    EXPECT_FALSE(FileExists(dir.File("shot.bmp.gynew")));
}

}  // namespace

namespace {

// The window's side of the effect loop without a window: the displayed
// picture is a solid colour, the builder is the catalogue's own.
class SolidPictureObserver : public DisplayObserver {
public:
    SolidPictureObserver(int size, COLORREF colour) : size_(size), colour_(colour) {}
    HBITMAP Snapshot() override { return SolidBitmap(size_, colour_); }
    void Repaint() override { ++repaints; }
    HBITMAP Build(const std::string &workingFile, EffectCode code, int width, const EffectParams &params) override {
        widths.push_back(width);
        return BuildEffect(nullptr, workingFile, code, width, params);
    }
    std::vector<int> widths;
    int repaints = 0;

private:
    int size_;
    COLORREF colour_;
};

int BitmapWidth(HBITMAP bitmap) {
    BITMAP info = {};
    return bitmap && GetObjectA(bitmap, sizeof(info), &info) ? info.bmWidth : 0;
}

// What an effect leaves in the images: which widths the builder ran at,
// which images got a retouched picture, and whether the current image's
// icon image became the picture from before the effect.
TEST(DisplayEffectLoopTest, BuildsAtEachWidthAndKeepsThePictureFromBefore) {
    const COLORREF kShown = RGB(10, 200, 30), kStored = RGB(0x12, 0x34, 0x56);
    struct Case {
        const char *what;
        EffectCode code;
        bool applyToAll, runNow, alreadyRetouched;
        std::vector<int> widths;     // the builder's runs
        std::vector<int> retouched;  // width of each image's retouched picture, 0 for none
        bool shownBecomesImage;
    };
    const Case cases[] = {
        {"Redo before any effect", 0, false, false, false, {}, {0, 0}, false},
        {"Redo before any effect on a retouched picture", 0, false, false, true, {}, {32, 0}, true},
        {"border on the current image", 1, false, false, false, {32}, {32, 0}, true},
        {"border on all, each at its width", 1, true, false, false, {32, 16}, {32, 16}, true},
        {"flip runs at once at the display size", 5, true, true, false, {32}, {32, 0}, true},
        {"Redo after flip builds nothing", 5, false, false, false, {}, {0, 0}, false},
        {"count colours gives no picture", 3, false, true, false, {32}, {0, 0}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir("display-effect-loop");
        TempFolderScope temp(dir.path() + "\\");
        std::string path = dir.File("pic.ico");
        ASSERT_TRUE(WriteBytes(path, MakeIconFile({{32, 24, 0x123456}, {16, 24, 0x00FF00}})));
        DisplayFile file;
        std::string error;
        ASSERT_TRUE(LoadDisplayFile(path, &file, &error)) << error;
        if (c.alreadyRetouched) file.effects[0].reset(SolidBitmap(32, kShown));
        ApplyRequest request;
        request.code = c.code;
        request.params.p1 = 2;
        request.applyToAll = c.applyToAll;
        request.runNow = c.runNow;
        request.displaySize = 32;
        request.workingFile = WorkingBitmapPath();
        SolidPictureObserver observer(32, kShown);
        {
            MessageRecorder quiet;  // count colours tells its number in a message
            ApplyEffect(request, &file, &observer);
        }

        EXPECT_EQ(observer.widths, c.widths);
        for (size_t i = 0; i < c.retouched.size(); ++i)
            EXPECT_EQ(BitmapWidth(file.effects[i].get()), c.retouched[i]) << "image " << i;
        ASSERT_TRUE(WriteBytes(path, DisplayImageSetBytes(file.set)));
        DecodedIconFile now;
        ASSERT_TRUE(ReadDecodedIcon(path, &now, &error)) << error;
        ASSERT_EQ(now.images.size(), 2u);
        EXPECT_EQ(now.images[0].Pixel(20, 20), c.shownBecomesImage ? kShown : kStored);
        EXPECT_EQ(now.images[1].Pixel(5, 5), RGB(0, 0xFF, 0)) << "the other image's icon image changed";
        EXPECT_FALSE(FileExists(WorkingBitmapPath())) << "the working bitmap is left behind";
    }
}

}  // namespace
