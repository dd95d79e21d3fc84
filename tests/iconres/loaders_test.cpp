// The record store and the loaders under Wine: animated cursors listed step
// by step through the store, hot spots of the image the platform chose, the
// cursor files left in the temporary folder, and the icons and cursors of
// libraries nobody here wrote, counted against what the platform extracts.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <set>
#include <string>

#include "iconres/iconlist.h"
#include "iconres/iconrecord.h"
#include "iconres/loaders.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/iconres/host_win.h"

namespace {

class LoaderTest : public ::testing::Test {
protected:
    LoaderTest() : dir_("iconres-loaders"), temp_("iconres-temp"), tempScope_(temp_.path() + "\\") {}
    void SetUp() override { ResetIconList(host_.get()); }

    // Writes an .ani fixture and loads it into the host's list.
    int Load(const std::string &name, const std::vector<uint8_t> &bytes) {
        std::string path = dir_.File(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        ResetIconList(host_.get());
        return LoadAnimatedCursor(host_.get(), path.c_str());
    }
    HICON Entry(int i) { return (HICON)IconListValue(host_.get(), i); }
    int Entries() { return IconListEntries(host_.get()); }

    HostWindow host_;
    ScratchDir dir_, temp_;
    TempFolderScope tempScope_;
};

const std::vector<uint8_t> kRed = SolidIcon(0xFF0000), kGreen = SolidIcon(0x00FF00), kBlue = SolidIcon(0x0000FF);

TEST_F(LoaderTest, SameFileImageTwiceGivesOneRecordAndOneHandle) {
    std::vector<uint8_t> violet = SolidIcon(0x8000FF);
    size_t before = IconStoreSize();
    AniAssembler a;
    a.Header(IconFlagHeader(3, 3, 6)).Frames({violet, SolidIcon(0x00FFFF), violet});  // repeated in one file
    ASSERT_EQ(Load("twice.ani", a.Finish()), 1);
    EXPECT_EQ(IconStoreSize(), before + 2);
    ASSERT_EQ(Entries(), 3);
    EXPECT_EQ(Entry(0), Entry(2));
    EXPECT_NE(Entry(0), Entry(1));
    HICON first = Entry(0);

    AniAssembler b;  // and in a second file
    b.Header(IconFlagHeader(1, 1, 6)).Frames({violet});
    ASSERT_EQ(Load("again.ani", b.Finish()), 1);
    EXPECT_EQ(IconStoreSize(), before + 2);
    EXPECT_EQ(Entry(0), first);
    EXPECT_EQ(DrawnCentreColour(first), 0x8000FFu);
    EXPECT_EQ(memcmp(IconStoreHead()->tag, "icon", 4), 0);
}

TEST_F(LoaderTest, SequenceListsOneEntryPerStepWithItsRate) {
    AniAssembler a;
    a.Header(IconFlagHeader(2, 4, 6)).Chunk("rate", Table({0xc0de, 2, 3, 4})).Chunk("seq ", Table({0, 1, 0, 1}));
    a.Frames({kRed, kGreen}).Info("Blink", "Glyphery tests");
    ASSERT_EQ(Load("blink.ani", a.Finish()), 1);
    EXPECT_EQ(IconListCount, 4);
    ASSERT_EQ(Entries(), 4);
    EXPECT_EQ(Entry(0), Entry(2));
    EXPECT_EQ(Entry(1), Entry(3));
    EXPECT_EQ(DrawnCentreColour(Entry(0)), 0xFF0000u);
    EXPECT_EQ(DrawnCentreColour(Entry(1)), 0x00FF00u);
    const std::vector<AnimationStep> &steps = LastAnimationSteps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].rate, 0xc0deu);
    EXPECT_EQ(steps[3].rate, 4u);
    EXPECT_EQ(steps[0].frame, steps[2].frame);
    EXPECT_GE(steps[0].frame->refCount, 2u);
    EXPECT_STREQ(LastAniTitle(), "Blink");
    EXPECT_STREQ(LastAniAuthor(), "Glyphery tests");
    EXPECT_EQ(LastAniFrameCount(), 2);

    // Every frame read was also written as a cursor file into the temporary folder.
    EXPECT_EQ(CursorFileCounter(), 2);
    EXPECT_EQ(ReadFileBytes(temp_.File("blink0000.cur")), kRed);
    EXPECT_EQ(ReadFileBytes(temp_.File("blink0001.cur")), kGreen);
}

TEST_F(LoaderTest, WithoutRateAndSeqFramesShowInFileOrder) {
    AniAssembler a;
    a.Header(IconFlagHeader(3, 3, 0xc0de)).Frames({kBlue, kRed, kGreen});
    ASSERT_EQ(Load("plain.ani", a.Finish()), 1);
    ASSERT_EQ(Entries(), 3);
    EXPECT_EQ(DrawnCentreColour(Entry(0)), 0x0000FFu);
    EXPECT_EQ(DrawnCentreColour(Entry(1)), 0xFF0000u);
    EXPECT_EQ(DrawnCentreColour(Entry(2)), 0x00FF00u);
    for (const AnimationStep &s : LastAnimationSteps()) EXPECT_EQ(s.rate, 0xc0deu);
}

TEST_F(LoaderTest, RefusedFilesListNothing) {
    AniHeader noFlag = IconFlagHeader(1, 1, 1);
    noFlag.flags = 0;
    ASSERT_EQ(Load("noflag.ani", AniAssembler().Header(noFlag).Frames({kRed}).Finish()), 0);
    EXPECT_EQ(Entries(), 0);
    EXPECT_EQ(Load("noframes.ani", AniAssembler().Header(IconFlagHeader(0, 1, 1)).Frames({kRed}).Finish()), 0);
    EXPECT_EQ(Load("avi.ani", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({kRed}).Finish("AVI ")), 0);
    EXPECT_EQ(Load("missing.ani",
                   AniAssembler().Header(IconFlagHeader(1, 2, 1)).Chunk("seq ", Table({0, 5})).Frames({kRed}).Finish()),
              0);
    EXPECT_EQ(Entries(), 0);
    EXPECT_EQ(IconListCount, 0);
    EXPECT_EQ(LoadAnimatedCursor(host_.get(), dir_.File("does-not-exist.ani").c_str()), 0);
}

// Files the platform's own loader takes are listed: no step declared (each
// frame once), a skipped last chunk that claims more than the file holds.
TEST_F(LoaderTest, WhatThePlatformLoadsIsListed) {
    std::vector<uint8_t> noStep = AniAssembler().Header(IconFlagHeader(2, 0, 6)).Frames({kRed, kGreen}).Finish();
    std::vector<uint8_t> tail = AniAssembler().Header(IconFlagHeader(1, 1, 6)).Frames({kBlue}).Finish();
    const uint8_t junk[12] = {'j', 'u', 'n', 'k', 0x00, 0x10, 0, 0, 1, 2, 3, 4};
    tail.insert(tail.end(), junk, junk + 12);
    struct Case {
        const char *name;
        std::vector<uint8_t> bytes;
        std::vector<COLORREF> shown;
    } cases[] = {{"nostep.ani", noStep, {0xFF0000, 0x00FF00}}, {"tail.ani", tail, {0x0000FF}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load(c.name, c.bytes), 1);
        HCURSOR platform = LoadCursorFromFileA(dir_.File(c.name).c_str());
        EXPECT_NE(platform, nullptr);
        if (platform) DestroyCursor(platform);
        ASSERT_EQ(Entries(), (int)c.shown.size());
        for (size_t i = 0; i < c.shown.size(); ++i) EXPECT_EQ(DrawnCentreColour(Entry((int)i)), c.shown[i]) << i;
    }
}

// A file of more frames than any animated cursor has is refused before any
// frame is stored or copied to the temporary folder, and quickly.
TEST_F(LoaderTest, TooManyFramesAreRefusedBeforeAnythingIsStoredOrWritten) {
    std::vector<std::vector<uint8_t>> frames(kAniMaxFrames + 1, kRed);
    size_t before = IconStoreSize();
    DWORD start = GetTickCount();
    EXPECT_EQ(Load("many.ani", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames(frames).Finish()), 0);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(IconStoreSize(), before);
    EXPECT_EQ(CursorFileCounter(), 0);  // no frame copied to the temporary folder
    EXPECT_EQ(Entries(), 0);
}

// The copies a listing left in the temporary folder go when the list is reset
// (a new pick, or the dialog closing).
TEST_F(LoaderTest, ResettingTheListRemovesItsCursorFiles) {
    ASSERT_EQ(Load("gone.ani", AniAssembler().Header(IconFlagHeader(2, 2, 1)).Frames({kRed, kGreen}).Finish()), 1);
    ASSERT_TRUE(FileExists(temp_.File("gone0000.cur")));
    ASSERT_TRUE(FileExists(temp_.File("gone0001.cur")));
    ResetIconList(host_.get());
    EXPECT_FALSE(FileExists(temp_.File("gone0000.cur")));
    EXPECT_FALSE(FileExists(temp_.File("gone0001.cur")));
}

TEST_F(LoaderTest, LongTitleKeepsItsFirstEightyBytes) {
    std::string title(300, 'a');
    AniAssembler a;
    a.Header(IconFlagHeader(1, 1, 1)).Info(title, "me").Frames({kRed});
    ASSERT_EQ(Load("long.ani", a.Finish()), 1);
    EXPECT_EQ(std::string(LastAniTitle()), title.substr(0, 80));
    EXPECT_STREQ(LastAniAuthor(), "me");
}

TEST_F(LoaderTest, CursorFrameUsesTheHotspotOfTheImageThePlatformChose) {
    // Three sizes with distinct hot spots; the platform picks the one that
    // fits the display's cursor size.
    std::vector<uint8_t> cur = MakeIconFile(
        {{16, 32, 0x102030, 3, 5}, {32, 32, 0x405060, 7, 9}, {48, 32, 0x708090, 11, 13}}, true);
    ASSERT_EQ(Load("hot.ani", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({cur}).Finish()), 1);
    IconRecord *r = LastAnimationSteps().at(0).frame;
    ASSERT_NE(r->handle, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(r->handle, &info));
    BITMAP bm = {};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_FALSE(info.fIcon);
    int chosen = bm.bmWidth;
    ASSERT_TRUE(chosen == 16 || chosen == 32 || chosen == 48) << chosen;
    int expectX = chosen == 16 ? 3 : chosen == 32 ? 7 : 11, expectY = expectX + 2;
    EXPECT_EQ(r->hotspotX, expectX);
    EXPECT_EQ(r->hotspotY, expectY);
    EXPECT_EQ((int)info.xHotspot, expectX);
    EXPECT_EQ((int)info.yHotspot, expectY);
    EXPECT_EQ(chosen, GetSystemMetrics(SM_CXCURSOR) >= 48 ? 48 : 32);

    // Icon frames have their hot spot at 16, 16.
    ASSERT_EQ(Load("icon.ani", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({SolidIcon(0x0A0B0C)}).Finish()), 1);
    EXPECT_EQ(LastAnimationSteps().at(0).frame->hotspotX, 16);
    EXPECT_EQ(LastAnimationSteps().at(0).frame->hotspotY, 16);
}

TEST_F(LoaderTest, ImagesBeyondSixtyFourKilobytesAreReached) {
    // A 256 x 256 image first pushes the 32 x 32 one past 64 KB into the file.
    std::vector<uint8_t> big = MakeIconFile({{256, 32, 0xFF00FF}, {32, 32, 0x00C0C0}});
    ASSERT_GT(ByteReader::PeekU32(&big[6 + 16 + 12]), 0x10000u);
    ASSERT_EQ(Load("big.ani", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({big}).Finish()), 1);
    HICON icon = Entry(0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(DrawnCentreColour(icon), 0x00C0C0u);
}

TEST_F(LoaderTest, UnsoundFrameIsStoredAndListedWithoutHandle) {
    std::vector<uint8_t> junk(50, 0xEE);
    ASSERT_EQ(Load("junk.ani", AniAssembler().Header(IconFlagHeader(2, 2, 1)).Frames({junk, kRed}).Finish()), 1);
    ASSERT_EQ(Entries(), 2);
    EXPECT_EQ(Entry(0), nullptr);
    EXPECT_NE(Entry(1), nullptr);
}

// Icons of Wine's own libraries, as many as the platform extracts.
TEST_F(LoaderTest, ListsTheIconsOfSystemLibraries) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    for (const char *name : {"shell32.dll", "user32.dll"}) {
        std::string path = std::string(system) + "\\" + name;
        SCOPED_TRACE(path);
        UINT expected = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
        ASSERT_GT(expected, 0u);
        DWORD start = GetTickCount();
        ListIconsInFile(host_.get(), path.c_str());
        printf("%s: %d icons in %lu ms\n", name, IconListCount, (unsigned long)(GetTickCount() - start));
        EXPECT_EQ(IconListCount, (int)expected);
        EXPECT_EQ(Entries(), (int)expected);
        std::set<HICON> distinct;
        for (int i = 0; i < Entries(); ++i) distinct.insert(Entry(i));
        EXPECT_EQ(distinct.size(), expected);
    }
    // Our own icon file: one icon, whatever its image count.
    std::string ico = dir_.File("three.ico");
    ASSERT_TRUE(WriteBytes(ico, MakeIconFile({{16, 4, 0xFF0000}, {32, 8, 0x00FF00}, {48, 32, 0x0000FF}})));
    ListIconsInFile(host_.get(), ico.c_str());
    EXPECT_EQ(IconListCount, (int)ExtractIconExA(ico.c_str(), -1, nullptr, nullptr, 0));
    EXPECT_EQ(IconListCount, 1);
    // A file nothing can be extracted from lists nothing.
    std::string text = dir_.File("notes.txt");
    ASSERT_TRUE(WriteBytes(text, {'h', 'e', 'l', 'l', 'o'}));
    ListIconsInFile(host_.get(), text.c_str());
    EXPECT_EQ(IconListCount, 0);
    EXPECT_EQ(Entries(), 0);
}

// Only images the platform reports as cursors are listed: an icon file's
// icon, which the platform does extract, is left out, and the platform
// extracts nothing from a cursor file. The list is not emptied first.
TEST_F(LoaderTest, ListsOnlyWhatThePlatformReportsAsCursors) {
    std::string cur = dir_.File("pointer.cur"), ico = dir_.File("plain.ico");
    ASSERT_TRUE(WriteBytes(cur, MakeIconFile({{32, 32, 0x336699, 4, 6}}, true)));
    ASSERT_TRUE(WriteBytes(ico, kRed));
    HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), ico.c_str(), 0);
    ASSERT_NE(extracted, nullptr);  // the filter has something to leave out
    DestroyIcon(extracted);

    AddIconEntry(host_.get(), (LPARAM)4321);  // an earlier entry
    for (const std::string &path : {cur, ico}) {
        SCOPED_TRACE(path);
        ListCursorsInFile(host_.get(), path.c_str());
        EXPECT_EQ(IconListCount, 0);
        ASSERT_EQ(Entries(), 1);
        EXPECT_EQ(IconListValue(host_.get(), 0), (LPARAM)4321);
    }
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR param) {
    ++*(int *)param;
    return TRUE;
}

TEST_F(LoaderTest, ListsTheCursorResourcesOfUser32) {
    char path[MAX_PATH];
    GetSystemDirectoryA(path, MAX_PATH);
    strcat(path, "\\user32.dll");
    HMODULE data = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    int expected = 0;
    EnumResourceNamesA(data, MAKEINTRESOURCEA(12), CountName, (LONG_PTR)&expected);
    FreeLibrary(data);
    ASSERT_GT(expected, 5);
    ASSERT_TRUE(ListCursorResources(host_.get(), path));
    EXPECT_EQ(IconListCount, expected);
    // Each entry names a cursor that loads from the module kept for drawing.
    for (int i = 0; i < Entries(); ++i) {
        HANDLE c = LoadImageA(CursorResourceModule(), (LPCSTR)IconListValue(host_.get(), i), IMAGE_CURSOR, 0, 0, 0);
        EXPECT_NE(c, nullptr) << i;
        if (c) DestroyCursor((HCURSOR)c);
    }
}

// A library with cursor groups named by strings (and one by number), made in
// code with the platform's resource updater.
TEST_F(LoaderTest, StringNamedCursorResourcesAreListedWithCopiesOfTheirNames) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string lib = dir_.File("cursors.dll");
    ASSERT_TRUE(CopyFileA(exe, lib.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(lib.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    std::vector<uint8_t> cur = MakeIconFile({{32, 32, 0x996633, 2, 3}}, true);
    uint32_t imageSize = ByteReader::PeekU32(&cur[6 + 8]), imageOffset = ByteReader::PeekU32(&cur[6 + 12]);
    const char *names[] = {"HANDPOINT", "ZEBRA", nullptr};
    for (int k = 0; k < 3; ++k) {
        WORD cursorId = (WORD)(100 + k);
        std::vector<uint8_t> res = {2, 0, 3, 0};  // hot spot 2, 3, then the image
        res.insert(res.end(), cur.begin() + imageOffset, cur.begin() + imageOffset + imageSize);
        ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(1) /* RT_CURSOR */, MAKEINTRESOURCEA(cursorId),
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), res.data(), (DWORD)res.size()));
        std::vector<uint8_t> group(6 + 14, 0);
        PutU16(&group[2], 2);
        PutU16(&group[4], 1);
        PutU16(&group[6], 32);
        PutU16(&group[8], 64);
        PutU16(&group[10], 1);
        PutU16(&group[12], 32);
        PutU32(&group[14], (uint32_t)res.size());
        PutU16(&group[18], cursorId);
        LPCSTR name = names[k] ? names[k] : MAKEINTRESOURCEA(7);
        ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(12), name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                    group.data(), (DWORD)group.size()));
    }
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

    ASSERT_TRUE(ListCursorResources(host_.get(), lib.c_str()));
    ASSERT_EQ(IconListCount, 3);
    std::set<std::string> strings;
    int integers = 0;
    for (int i = 0; i < 3; ++i) {
        LPCSTR value = (LPCSTR)IconListValue(host_.get(), i);
        if (IS_INTRESOURCE(value)) {
            EXPECT_EQ((UINT_PTR)value, 7u);
            ++integers;
        } else {
            strings.insert(value);
        }
        HCURSOR c = (HCURSOR)LoadImageA(CursorResourceModule(), value, IMAGE_CURSOR, 0, 0, 0);
        ASSERT_NE(c, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(c, &info));
        EXPECT_EQ(info.xHotspot, 2u);
        EXPECT_EQ(info.yHotspot, 3u);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyCursor(c);
    }
    EXPECT_EQ(integers, 1);
    EXPECT_EQ(strings, (std::set<std::string>{"HANDPOINT", "ZEBRA"}));
}

TEST_F(LoaderTest, UnreadableProgramIsReportedAndListsNothing) {
    MessageRecorder recorder;
    AddIconEntry(host_.get(), (LPARAM)1234);  // a previous listing stays as it was
    EXPECT_FALSE(ListCursorResources(host_.get(), dir_.File("nothing.exe").c_str()));
    ASSERT_EQ(Entries(), 1);
    EXPECT_EQ(IconListValue(host_.get(), 0), (LPARAM)1234);
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].text, "Cannot read the file !");
    EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
    EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
    EXPECT_EQ(recorder.calls()[0].owner, host_.get());
}

}  // namespace
