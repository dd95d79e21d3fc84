// Glyphery.exe end to end on what a conversion must not get wrong: names
// outside ASCII (and those the code page cannot write), and pictures that a
// conversion would write over.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/codepage_win.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

const DWORD kConvertMs = 120000;

// The shown progress window of a process (the dialog with the source line 1328).
struct ProgressSearch {
    DWORD pid;
    HWND found;
};
BOOL CALLBACK MatchProgressWindow(HWND hwnd, LPARAM lParam) {
    ProgressSearch *search = reinterpret_cast<ProgressSearch *>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid || !IsWindowVisible(hwnd) || !GetDlgItem(hwnd, 1328)) return TRUE;
    search->found = hwnd;
    return FALSE;
}
HWND ProgressWindowOf(DWORD pid) {
    ProgressSearch search = {pid, nullptr};
    EnumWindows(MatchProgressWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

COLORREF Stripes(int x, int y) { return ((x / 4 + y / 4) & 1) ? RGB(200, 40, 40) : RGB(30, 90, 200); }

class ConversionE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(in_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(out_.c_str(), nullptr));
        for (const char *name : {"alpha.bmp", "mid.bmp"}) ASSERT_TRUE(WriteBmp24(In(name), 40, 30, Stripes));
        PutSetting("installPath", BinFolder());
        PutSetting("pathLaunch", in_);
        PutSetting("pathSave", out_);
        PutSetting("current_format", 1);
        ASSERT_TRUE(program_.Start());
        ASSERT_NE(program_.WaitForMainWindow(), nullptr) << "no main window";
    }
    void TearDown() override {
        std::unique_ptr<Pending> close = program_.Command(IDM_CLOSE);
        program_.WaitForExit(20000);
    }

    // Presses Convert; returns the message box it shows (kept as a
    // screenshot named `shot`), answered with OK, if any.
    MessageBoxSeen Convert(const char *shot = nullptr) {
        std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
        MessageBoxSeen box = program_.WaitForMessageBox(click.get(), kConvertMs);
        if (box.box) {
            if (shot) EXPECT_TRUE(SaveShot(box.box, shot));
            program_.Answer(box, IDOK);
        }
        EXPECT_TRUE(click->Wait(kConvertMs));
        return box;
    }
    // The file name field as the browser holds it: in UTF-16, as a user types it.
    void TypeName(const std::wstring &text) {
        SendMessageW(program_.FileNameField(), WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    std::wstring InW(const std::wstring &name) const { return AnsiToWide(in_) + L"\\" + name; }
    std::wstring OutW(const std::wstring &name) const { return AnsiToWide(out_) + L"\\" + name; }
    static bool ExistsW(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string In(const std::string &name) const { return in_ + "\\" + name; }
    std::string Out(const std::string &name) const { return out_ + "\\" + name; }

    SettingsKeyScope settings_;
    ScratchDir scratch_{"e2e-conversion"};
    std::string in_ = scratch_.File("in"), out_ = scratch_.File("out");
    MainProgram program_;
};

TEST_F(ConversionE2eTest, AccentedNamesConvertAndNamesTheCodePageCannotWriteAreRefused) {
    if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
    const std::wstring accented = L"\u00e9t\u00e9 caf\u00e9", cyrillic = L"\u0411\u0443\u043a";
    ASSERT_TRUE(CopyFileW(InW(L"alpha.bmp").c_str(), InW(accented + L".bmp").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(InW(L"alpha.bmp").c_str(), InW(cyrillic + L".bmp").c_str(), FALSE));
    program_.Check(1041);  // 16 x 16 at 4 bits
    program_.Check(1357);  // 32 x 32 at 24 bits

    TypeName(accented + L".bmp");
    MessageBoxSeen box = Convert();
    EXPECT_EQ(box.box, nullptr) << box.text;
    ASSERT_TRUE(ExistsW(OutW(accented + L".ico")));
    std::string icon;
    ASSERT_TRUE(WideToAnsiExactly(OutW(accented + L".ico"), &icon));
    std::vector<uint8_t> bytes = ReadFileBytes(icon);
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(bytes[4], 2);  // two images

    // One name the code page holds and one it cannot write: nothing is
    // converted, and the message names the one it cannot open.
    TypeName(L"\"mid.bmp\" \"" + cyrillic + L".bmp\"");
    box = Convert("conversion_name_refused.bmp");
    EXPECT_NE(box.text.find("Glyphery cannot open these files"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(In("???.bmp")), std::string::npos) << box.text;
    EXPECT_EQ(box.text.find("mid.bmp"), std::string::npos) << box.text;
    EXPECT_FALSE(FileExists(Out("mid.ico")));
    EXPECT_FALSE(FileExists(Out("???.ico")));
}

TEST_F(ConversionE2eTest, PicturesAConversionWouldWriteOverAreKeptAndListed) {
    // A profile image made in the folder of its bitmap is the bitmap's own name.
    program_.SetTarget(in_);
    program_.SelectCreateAs("XP profile image");
    std::vector<uint8_t> before = ReadFileBytes(In("alpha.bmp"));
    program_.TypeFileName("alpha.bmp");
    MessageBoxSeen box = Convert("conversion_source_kept.bmp");
    EXPECT_EQ(box.text, "These pictures were not converted, so that no file is written over:\n\n" + In("alpha.bmp") +
                            "\n    its result would replace " + In("alpha.bmp") + "\n");
    EXPECT_EQ(ReadFileBytes(In("alpha.bmp")), before);

    // Two pictures of one name (a bitmap named .tga is still read): the
    // first one's icon is kept.
    ASSERT_TRUE(CopyFileA(In("mid.bmp").c_str(), In("mid.tga").c_str(), FALSE));
    program_.SetTarget(out_);
    program_.SelectCreateAs("Icon");
    program_.Check(1041);
    program_.TypeFileName("\"mid.bmp\" \"mid.tga\"");
    box = Convert();
    EXPECT_EQ(box.text, "These pictures were not converted, so that no file is written over:\n\n" + In("mid.tga") +
                            "\n    " + Out("mid.ico") + " was already made from another picture\n");
    EXPECT_TRUE(FileExists(Out("mid.ico")));
}

// Pictures are converted on worker threads: meanwhile the progress window
// answers at once (its thread only waits for the workers) and shows a
// picture of the conversion.
TEST_F(ConversionE2eTest, ProgressWindowAnswersWhileWorkersConvert) {
    std::string names;
    for (const char *name : {"big1.bmp", "big2.bmp", "big3.bmp", "big4.bmp"}) {
        ASSERT_TRUE(WriteBmp24(In(name), 1600, 1200, Stripes));
        names += std::string("\"") + name + "\" ";
    }
    program_.Check(1041);  // 16 x 16 at 4 bits
    program_.Check(1357);  // 32 x 32 at 24 bits
    program_.TypeFileName(names);
    std::unique_ptr<Pending> click = program_.Click(IDC_CONVERT);
    HWND progress = nullptr;
    for (int i = 0; i < 500 && !(progress = ProgressWindowOf(program_.pid())); ++i) Sleep(20);
    ASSERT_NE(progress, nullptr) << "no progress window";
    int asked = 0, answered = 0;
    bool shot = false;
    while (!click->Wait(0) && IsWindow(progress)) {
        DWORD_PTR result;
        ++asked;
        if (SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result)) ++answered;
        char source[MAX_PATH] = "";
        GetDlgItemTextA(progress, 1328, source, sizeof source);
        if (!shot && source[0]) shot = SaveShot(progress, "conversion_progress_workers.bmp");
        Sleep(100);
    }
    EXPECT_TRUE(click->Wait(kConvertMs));
    EXPECT_GE(asked, 3) << "the conversion ended too soon to ask";
    // The thread works itself between its waits (saveICON, the end of the
    // conversion): on a loaded machine one question may meet such a moment.
    EXPECT_GE(answered, asked - 1);
    EXPECT_TRUE(shot);
    for (const char *name : {"big1.ico", "big2.ico", "big3.ico", "big4.ico"}) EXPECT_TRUE(FileExists(Out(name))) << name;
}

}  // namespace
