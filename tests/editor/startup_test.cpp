// The editor's start-up against an isolated registry and real files: its
// settings, the icon it is started on, the information dialog, the closing
// question and the single instance.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/handles.h"
#include "common/seams.h"
#include "editor/frame.h"
#include "editor/resource.h"
#include "editor/startup_win.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\editor";

// Answers the information dialog from inside its modal loop: a thread timer
// looks for it while the frame is being made.
struct InformationAnswer {
    bool tick = false;
    bool shown = false;
    std::vector<std::string> layout;  // what would look wrong in it
};
InformationAnswer *g_answer = nullptr;

void CALLBACK AnswerInformation(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindOwnWindow("#32770", "GlypheryEdit");
    if (!g_answer || !dialog || !IsWindowVisible(dialog) || !GetDlgItem(dialog, IDC_NOT_AGAIN)) return;
    // Once only: taking the screenshot runs the message loop, timer included.
    InformationAnswer *answer = g_answer;
    g_answer = nullptr;
    answer->shown = true;
    answer->layout = LayoutProblems(dialog);
    SaveShot(dialog, "editor_information");
    if (answer->tick) SendDlgItemMessageA(dialog, IDC_NOT_AGAIN, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
}

class EditorStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreRegistry(kScratchKey);  // what a run that was stopped midway left
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
    }
    void TearDown() override { RestoreRegistry(kScratchKey); }

    static HKEY Create(const char *path) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }
    static void PutNumber(const char *name, DWORD value) {
        UniqueRegKey key(Create(kEditorSettingsKey));
        ASSERT_EQ(RegSetValueExA(key.get(), name, 0, REG_DWORD, (const BYTE *)&value, 4), ERROR_SUCCESS);
    }
    static void PutString(const char *path, const char *name, const char *value) {
        UniqueRegKey key(Create(path));
        ASSERT_EQ(RegSetValueExA(key.get(), name, 0, REG_SZ, (const BYTE *)value, (DWORD)strlen(value) + 1),
                  ERROR_SUCCESS);
    }
    static bool GetNumber(const char *name, DWORD *value) {
        UniqueRegKey key(Create(kEditorSettingsKey));
        DWORD size = 4;
        return RegQueryValueExA(key.get(), name, nullptr, nullptr, (BYTE *)value, &size) == ERROR_SUCCESS;
    }
    static bool KeyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kEditorSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(EditorStartupTest, StoredValuesLoadWithDefaultsAndSaveBackCrossed) {
    PutNumber("Grid", 1);
    PutNumber("Palette", 1);
    PutNumber("x_palette", 100);  // the top edge
    PutNumber("y_palette", 30);   // the left edge
    PutNumber("cx", 0);           // stored 0: the default applies
    PutNumber("brush_size", 4);
    PutNumber("fond", 0x00336699);
    PutString(kEditorSettingsKey, "save_path", "C:\\out");
    PutString("Software\\Glyphery", "installPath", "C:\\Suite");

    EditorSettings s;
    memset(&s, 0, sizeof s);
    EditorInstall install = {};
    ASSERT_TRUE(LoadEditorSettings(&s, &install));
    EXPECT_EQ(s.Grid, 1u);
    EXPECT_EQ(PalettePosition(s).left, 30);
    EXPECT_EQ(PalettePosition(s).top, 100);
    EXPECT_EQ(s.cx, 540u);
    EXPECT_EQ(s.cy, 531u);
    EXPECT_EQ(s.x, 45u);
    EXPECT_EQ(s.brush_size, 4u);
    EXPECT_EQ(s.fond, 0x00336699u);
    EXPECT_STREQ(s.save_path, "C:\\out");
    EXPECT_STREQ(s.open_path, "");
    EXPECT_STREQ(install.folder, "C:\\Suite");
    EXPECT_STREQ(install.helpPath, "C:\\Suite\\GlypheryEdite.chm");

    StorePalettePosition(&s, {7, 8});
    s.open_colors = 77;
    ASSERT_TRUE(SaveEditorSettings(&s));
    struct Expect {
        const char *name;
        DWORD value;
    } expected[] = {{"x_palette", 8}, {"y_palette", 7}, {"cx", 540}, {"open_colors", 77}, {"brush_size", 4},
                    {"first_time", 0}, {"paste_when_create", 0}};
    for (const Expect &e : expected) {
        DWORD value = 0xDEAD;
        EXPECT_TRUE(GetNumber(e.name, &value)) << e.name;
        EXPECT_EQ(value, e.value) << e.name;
    }
    EditorSettings again;
    memset(&again, 0, sizeof again);
    EditorInstall install2 = {};
    ASSERT_TRUE(LoadEditorSettings(&again, &install2));
    EXPECT_EQ(memcmp(&again, &s, sizeof s), 0);
}

TEST_F(EditorStartupTest, MissingKeyLoadsNothingAndWritesNothing) {
    PutString("Software\\Glyphery", "installPath", "C:\\Suite");  // not read without the editor's key
    EditorSettings s;
    memset(&s, 0, sizeof s);
    EditorInstall install = {};
    EXPECT_FALSE(LoadEditorSettings(&s, &install));
    EXPECT_EQ(s.cx, 0u);
    EXPECT_EQ(s.brush_size, 0u);
    EXPECT_STREQ(install.folder, "");
    EXPECT_STREQ(install.helpPath, "");
    EXPECT_FALSE(SaveEditorSettings(&s));
    EXPECT_FALSE(KeyExists());
}

TEST_F(EditorStartupTest, CommandLinesTheEditorRefuses) {
    ScratchDir dir("editor_refused");
    ASSERT_TRUE(WriteBytes(dir.File("text.ico"), std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}));
    std::vector<uint8_t> cut = MakeIconFile({{32, 32, 0xFF0000}, {48, 24, 0x00FF00}});
    cut.resize(cut.size() - 100);  // the last image runs past the end
    ASSERT_TRUE(WriteBytes(dir.File("cut.ico"), cut));
    std::vector<uint8_t> empty = MakeIconFile({});
    ASSERT_TRUE(WriteBytes(dir.File("empty.ico"), empty));
    const std::string outside = "GlypheryEdit cannot be used outside Glyphery!", unreadable = "Cannot read the icon!";
    struct Case {
        std::string commandLine, message;
    } cases[] = {
        {"", outside},
        {"|", unreadable},
        {"|" + dir.File("missing.ico"), unreadable},
        {"|" + dir.path(), unreadable},  // a folder
        {"|" + dir.File("text.ico"), unreadable},
        {"|" + dir.File("cut.ico"), unreadable},
        {"|" + dir.File("empty.ico"), unreadable},
    };
    for (const Case &c : cases) {
        MessageRecorder recorder;
        EditorSession session;
        EXPECT_FALSE(PrepareSession(GetModuleHandleA(nullptr), c.commandLine.c_str(), &session)) << c.commandLine;
        ASSERT_EQ(recorder.calls().size(), 1u) << c.commandLine;
        EXPECT_EQ(recorder.calls()[0].text, c.message);
        EXPECT_EQ(recorder.calls()[0].caption, "GlypheryEdit");
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONERROR);
    }
}

TEST_F(EditorStartupTest, AnIconSetsTheWorkingSizeAndTheScratchPath) {
    PutNumber("x", 300);
    ScratchDir dir("editor_icon");
    ASSERT_TRUE(WriteBytes(dir.File("three.ico"), MakeIconFile({{16, 32, 1}, {48, 4, 2}, {48, 8, 3}, {32, 32, 4}})));
    ASSERT_TRUE(WriteBytes(dir.File("arrow.cur"), MakeIconFile({{32, 24, 0x0000FF, 5, 9}}, true)));
    SetTempFolderOverride((dir.path() + "\\\\").c_str());
    MessageRecorder recorder;
    EditorSession session;
    ASSERT_TRUE(PrepareSession(GetModuleHandleA(nullptr), ("|" + dir.File("three.ico")).c_str(), &session));
    EXPECT_TRUE(session.settingsKey);
    EXPECT_EQ(session.iconPath, dir.File("three.ico"));
    EXPECT_EQ(session.scratchBitmap, dir.path() + "\\GY.bmp");
    ASSERT_EQ(session.images.size(), 4u);
    EXPECT_EQ(session.images.back().height, 32u);  // the file's last image is shown first
    EXPECT_EQ(session.working.size, 48u);
    EXPECT_EQ(session.working.colors, 256);
    EXPECT_EQ(session.settings.x, 0u);
    EXPECT_EQ(session.settings.cx, 48u);
    ASSERT_TRUE(PrepareSession(GetModuleHandleA(nullptr), ("|" + dir.File("arrow.cur")).c_str(), &session));
    EXPECT_EQ(session.working.size, 32u);
    EXPECT_EQ(session.working.colors, -1);
    SetTempFolderOverride(nullptr);
    EXPECT_TRUE(recorder.calls().empty());
}

TEST_F(EditorStartupTest, ImageCountSaysImageOrImages) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(ImageCountText(instance, 1), "1 image");
    EXPECT_EQ(ImageCountText(instance, 2), "2 images");
    EXPECT_EQ(ImageCountText(instance, 9), "9 images");
}

// The real frame: the information dialog while first_time is set, its check
// box, the closing question and what closing writes.
TEST_F(EditorStartupTest, InformationDialogShowsUntilTickedAndCloseWritesSettings) {
    ScratchDir dir("editor_frame");
    ASSERT_TRUE(WriteBytes(dir.File("one.ico"), MakeIconFile({{32, 32, 0x336699}})));
    PutNumber("first_time", 1);
    PutNumber("paste_when_create", 5);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::string commandLine = "|" + dir.File("one.ico");

    // Opens the frame; `tick` answers the information dialog (when it shows),
    // `answer` the closing question. Returns whether the dialog showed.
    auto runFrame = [&](bool tick, int answer, bool *closed) {
        EditorSession session;
        EXPECT_TRUE(PrepareSession(instance, commandLine.c_str(), &session));
        RegisterFrameClass(instance, session);
        InformationAnswer info;
        info.tick = tick;
        g_answer = &info;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerInformation);
        HWND frame = CreateFrame(instance, &session);
        KillTimer(nullptr, timer);
        g_answer = nullptr;
        bool shown = info.shown;
        for (const std::string &problem : info.layout) ADD_FAILURE() << problem;
        EXPECT_TRUE(frame != nullptr);
        HWND status = GetDlgItem(frame, IDC_STATUS);
        char part[64] = {0};
        SendMessageA(status, SB_GETTEXTA, 1, (LPARAM)part);
        EXPECT_STREQ(part, "1 image");
        EXPECT_TRUE(IsZoomed(frame));
        // The items carried at run time land between the menu's own separators.
        HMENU file = GetSubMenu(GetMenu(frame), 0), help = GetSubMenu(GetMenu(frame), 10);
        const UINT kFile[] = {CMD_SAVE, CMD_SAVE_AS, 0, CMD_PRINT, 0, CMD_CLOSE}, kHelp[] = {CMD_HELP_INDEX, CMD_HELP_FIND, 0, CMD_ABOUT};
        EXPECT_EQ(GetMenuItemCount(file), 6);
        for (int i = 0; i < 6 && i < GetMenuItemCount(file); ++i) EXPECT_EQ(GetMenuItemID(file, i), kFile[i]) << i;
        EXPECT_EQ(GetMenuItemCount(help), 4);
        for (int i = 0; i < 4 && i < GetMenuItemCount(help); ++i) EXPECT_EQ(GetMenuItemID(help, i), kHelp[i]) << i;
        MessageRecorder recorder(answer);
        SendMessageA(frame, WM_COMMAND, CMD_CLOSE, 0);
        EXPECT_EQ(recorder.calls().size(), 1u);
        if (!recorder.calls().empty()) {
            EXPECT_EQ(recorder.calls()[0].text, "Do you want to close GlypheryEdit ?");
        }
        *closed = !IsWindow(frame);
        if (IsWindow(frame)) DestroyWindow(frame);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // the quit message
        UnregisterClassA(kFrameClass, instance);
        return shown;
    };

    bool closed = false;
    EXPECT_TRUE(runFrame(false, IDNO, &closed));  // No keeps the editor open and writes nothing
    EXPECT_FALSE(closed);
    DWORD value = 0;
    EXPECT_FALSE(GetNumber("cx", &value));
    EXPECT_TRUE(runFrame(false, IDYES, &closed));  // not ticked: first_time stays 1
    EXPECT_TRUE(closed);
    ASSERT_TRUE(GetNumber("first_time", &value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(GetNumber("cx", &value));
    EXPECT_GT(value, 32u);  // the maximized frame's width
    EXPECT_TRUE(runFrame(true, IDYES, &closed));  // ticked: written as 0 on close
    ASSERT_TRUE(GetNumber("first_time", &value));
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(runFrame(false, IDYES, &closed));  // and not shown again
    ASSERT_TRUE(GetNumber("paste_when_create", &value));
    EXPECT_EQ(value, 5u);
}

// The real program: a second editor started while one runs ends at once,
// silently, and leaves the first one alone.
TEST_F(EditorStartupTest, SecondInstanceEndsSilently) {
    UniqueKernelHandle mutex(CreateMutexA(nullptr, FALSE, "GlypheryEdit"));
    ASSERT_TRUE(mutex.get() != nullptr);
    ScratchDir dir("editor_second");
    ASSERT_TRUE(WriteBytes(dir.File("one.ico"), MakeIconFile({{32, 32, 0x336699}})));
    DWORD start = GetTickCount();
    ProgramRun run = RunProgram(SiblingProgram("GlypheryEdit.exe"), "|" + dir.File("one.ico"));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_EQ(FindOwnWindow(kFrameClass, nullptr), nullptr);
}

}  // namespace
