// setup.exe and uninst.exe of a distribution folder (make dist), run under
// Wine in a prefix of their own and driven page by page as a user does.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <prsht.h>
#include <psapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <set>
#include <string>
#include <vector>

#include "common/handles.h"
#include "setup/plan.h"
#include "setup/resource.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/e2e/driver.h"

namespace {

std::string g_dist;  // the distribution folder, from the command line

const char kSheetCaption[] = "Glyphery - Install wizzard";
const char kFolder[] = "C:\\GYtest\\deep\\er\\Glyphery";
const char kTypedFolder[] = "C:\\GYtest\\\\deep\\\\er\\Glyphery";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The property sheet's own buttons (comctl32's ids).
const int kBackButton = 0x3023, kNextButton = 0x3024, kFinishButton = 0x3025;
const DWORD kCopyMs = 120000;

enum Page { kWelcome, kFolderPage, kOptions, kCopy, kFinish, kNoPage };

// The state of the prefix the install must leave as it found it: the files
// outside the Windows folder and the temporary folders, and the keys where
// the suite writes.
std::set<std::string> Snapshot() {
    std::set<std::string> seen;
    std::vector<std::string> todo = {"C:"};
    while (!todo.empty()) {
        std::string folder = todo.back();
        todo.pop_back();
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            std::string name = fd.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            if (!lstrcmpiA(path.c_str(), "C:\\windows") || !lstrcmpiA(name.c_str(), "Temp")) continue;
            // Folders Wine links to the Linux home are not the prefix's.
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            seen.insert(path);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) todo.push_back(path);
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    struct Root {
        HKEY root;
        const char *path;
    };
    for (Root k : {Root{HKEY_CURRENT_USER, "Software"}, Root{HKEY_LOCAL_MACHINE, "Software"},
                   Root{HKEY_LOCAL_MACHINE, kUninstallKey}, Root{HKEY_CURRENT_USER, "Software\\Glyphery"}}) {
        HKEY raw;
        if (RegOpenKeyExA(k.root, k.path, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
        UniqueRegKey key(raw);
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            seen.insert(std::string(k.root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + k.path + "\\" + name);
        }
    }
    return seen;
}

std::string Difference(const std::set<std::string> &before, const std::set<std::string> &after) {
    std::string text;
    for (const std::string &s : after)
        if (!before.count(s)) text += "  added " + s + "\n";
    for (const std::string &s : before)
        if (!after.count(s)) text += "  removed " + s + "\n";
    return text;
}

std::string RegString(HKEY root, const char *path, const char *name, DWORD *bytes = nullptr) {
    HKEY raw;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &raw) != ERROR_SUCCESS) return "<no key>";
    UniqueRegKey key(raw);
    char buf[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH, type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, (BYTE *)buf, &size) != ERROR_SUCCESS) return "<no value>";
    if (type != REG_SZ) return "<not a string>";
    if (bytes) *bytes = size;
    return std::string(buf, strnlen(buf, size));
}

DWORD RegNumber(HKEY root, const char *path, const char *name) {
    HKEY raw;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &raw) != ERROR_SUCCESS) return 0xDEAD;
    UniqueRegKey key(raw);
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, (BYTE *)&value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0xDEAD;
    return value;
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

// A shell link read back through the shell's link object.
struct LinkRead {
    bool ok = false;
    std::string path, description;
};
LinkRead ReadLink(const std::string &file) {
    LinkRead read;
    IShellLinkA *link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link)))
        return read;
    IPersistFile *persist = nullptr;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist)) &&
        SUCCEEDED(persist->Load(wide, STGM_READ))) {
        char path[MAX_PATH] = "", description[MAX_PATH] = "";
        read.ok = SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
                  SUCCEEDED(link->GetDescription(description, MAX_PATH));
        read.path = path;
        read.description = description;
    }
    if (persist) persist->Release();
    link->Release();
    return read;
}

// One run of a program of the distribution (setup.exe or uninst.exe).
class Run {
public:
    ~Run() {
        if (!pi_.hProcess) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    bool Start(const std::string &exe) {
        std::string line = "\"" + exe + "\"";
        std::vector<char> cmd(line.begin(), line.end());
        cmd.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string folder = exe.substr(0, exe.find_last_of('\\'));
        return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                              &pi_) != FALSE;
    }
    bool Exited(DWORD ms, DWORD *code = nullptr) {
        if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
        if (code) GetExitCodeProcess(pi_.hProcess, code);
        return true;
    }
    DWORD pid() const { return pi_.dwProcessId; }
    // A message box or dialog of the program captioned "Glyphery" (not `except`).
    MessageBoxSeen Box(HWND except = nullptr, DWORD ms = 20000) const {
        return WaitForProcessDialog(pid(), "Glyphery", [except](HWND w) { return w != except; }, nullptr, ms);
    }

private:
    PROCESS_INFORMATION pi_ = {};
};

// The wizard of one setup.exe run.
class Wizard : public Run {
public:
    bool Open(const std::string &folder) {
        if (!Start(folder + "\\setup.exe")) return false;
        sheet_ = WaitForProcessDialog(pid(), kSheetCaption, nullptr, nullptr, 30000).box;
        return sheet_ != nullptr;
    }
    HWND sheet() const { return sheet_; }
    HWND page() const { return (HWND)SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0); }
    Page Current() const {
        HWND p = page();
        if (!p) return kNoPage;
        if (GetDlgItem(p, IDC_FOLDER)) return kFolderPage;
        if (GetDlgItem(p, IDC_GROUP)) return kOptions;
        if (GetDlgItem(p, IDC_COPY_FOLDER)) return kCopy;
        if (GetDlgItem(p, IDC_LAUNCH)) return kFinish;
        return kWelcome;
    }
    bool WaitFor(Page which, DWORD ms = 10000) const {
        for (DWORD waited = 0; waited < ms; waited += 50) {
            if (Current() == which) return true;
            Sleep(50);
        }
        return false;
    }
    void Press(int button) const { PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0); }
    MessageBoxSeen Box(DWORD ms = 20000) const { return Run::Box(sheet_, ms); }
    // Any other dialog of the wizard (the folder browser).
    MessageBoxSeen OtherDialog(DWORD ms = 20000) const {
        HWND sheet = sheet_;
        return WaitForProcessDialog(pid(), nullptr, [sheet](HWND w) { return w != sheet; }, nullptr, ms);
    }
    std::string Text(int id) const {
        char buf[1024] = "";
        SendMessageA(GetDlgItem(page(), id), WM_GETTEXT, sizeof buf, (LPARAM)buf);
        return buf;
    }
    void SetText(int id, const std::string &text) const {
        SendMessageA(GetDlgItem(page(), id), WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    bool Checked(int id) const { return SendMessageA(GetDlgItem(page(), id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Check(int id, bool on) const {
        SendMessageA(GetDlgItem(page(), id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool ButtonEnabled(int id) const { return IsWindowEnabled(GetDlgItem(sheet_, id)) != FALSE; }
    void Shot(const char *name) const { EXPECT_TRUE(SaveShot(sheet_, name)) << name; }

private:
    HWND sheet_ = nullptr;
};

BOOL CALLBACK AddTitle(HWND window, LPARAM param) {
    char title[256] = "";
    if (IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title))
        reinterpret_cast<std::vector<std::pair<HWND, std::string>> *>(param)->push_back({window, title});
    return TRUE;
}

std::vector<std::pair<HWND, std::string>> ShownWindows() {
    std::vector<std::pair<HWND, std::string>> shown;
    EnumWindows(AddTitle, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// A shown top-level window whose title holds `part` (any program's).
HWND WindowTitled(const char *part) {
    for (const auto &w : ShownWindows())
        if (w.second.find(part) != std::string::npos) return w.first;
    return nullptr;
}

std::string WindowTitles() {
    std::string text;
    for (const auto &w : ShownWindows()) text += "  " + w.second + "\n";
    return text;
}

bool SameBytes(const std::string &a, const std::string &b) {
    std::vector<uint8_t> x = ReadFileBytes(a), y = ReadFileBytes(b);
    return !x.empty() && x == y;
}

// Runs the uninstaller of a folder, answering its questions with `answers`;
// returns the texts it showed.
std::vector<std::string> Uninstall(const std::string &exe, std::vector<int> answers) {
    std::vector<std::string> texts;
    Run run;
    if (!run.Start(exe)) return {"<did not start>"};
    for (int answer : answers) {
        MessageBoxSeen box = run.Box();
        texts.push_back(box.text);
        if (!box.box) break;
        AnswerDialog(box, answer);
    }
    DWORD code = 0;
    EXPECT_TRUE(run.Exited(30000, &code));
    return texts;
}

// Windows' own file operations that wait for a restart (the running
// uninstaller removing itself) are done by the prefix's restart.
void RestartPrefix() {
    RunProgram("C:\\windows\\system32\\wineboot.exe", "-r");
}

class SetupE2eTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitialize(nullptr);
        // Text files open with Notepad, as on Windows (Wine's prefix lacks the
        // .txt association).
        RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7);
        before_ = Snapshot();
    }
    static std::set<std::string> before_;
};
std::set<std::string> SetupE2eTest::before_;

TEST_F(SetupE2eTest, WizardRefusesEmptyAndMissingFoldersThenInstallsAndUninstalls) {
    Wizard wizard;
    ASSERT_TRUE(wizard.Open(g_dist)) << "no wizard from " << g_dist;
    ASSERT_TRUE(wizard.WaitFor(kWelcome));
    char caption[64] = "";
    GetWindowTextA(wizard.sheet(), caption, sizeof caption);
    EXPECT_STREQ(caption, kSheetCaption);
    EXPECT_FALSE(wizard.ButtonEnabled(kBackButton));
    EXPECT_TRUE(wizard.ButtonEnabled(kNextButton));
    wizard.Shot("setup_1_welcome.bmp");

    // Cancel on the first pages: the dialog's Cancel goes back to the wizard.
    wizard.Press(PSBTN_CANCEL);
    MessageBoxSeen cancel = wizard.Box();
    EXPECT_EQ(cancel.text, "The installation of Glyphery has failed.\n\nPlease run install again.");
    if (cancel.box) {
        EXPECT_TRUE(SaveShot(cancel.box, "setup_cancel.bmp"));
    }
    AnswerDialog(cancel, IDCANCEL);
    EXPECT_FALSE(wizard.Exited(500));

    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kFolderPage));
    EXPECT_EQ(wizard.Text(IDC_FOLDER), "c:\\Program Files\\Glyphery");
    wizard.Shot("setup_2_folder.bmp");

    wizard.SetText(IDC_FOLDER, "");
    wizard.Press(PSBTN_NEXT);
    MessageBoxSeen empty = wizard.Box();
    EXPECT_EQ(empty.text, "Please select the install folder");
    AnswerDialog(empty, IDOK);
    EXPECT_EQ(wizard.Current(), kFolderPage);

    wizard.SetText(IDC_FOLDER, kTypedFolder);
    wizard.Press(PSBTN_NEXT);
    MessageBoxSeen ask = wizard.Box();
    EXPECT_EQ(ask.text, std::string(kFolder) + " does not exists.\nDo you want to create it?");
    AnswerDialog(ask, IDNO);
    Sleep(300);
    EXPECT_EQ(wizard.Current(), kFolderPage);
    EXPECT_FALSE(FileExists("C:\\GYtest"));
    wizard.Press(PSBTN_NEXT);
    AnswerDialog(wizard.Box(), IDYES);
    ASSERT_TRUE(wizard.WaitFor(kOptions));
    EXPECT_TRUE(FileExists(kFolder));
    for (int id : {IDC_GROUP, IDC_STARTMENU, IDC_DESKTOP}) EXPECT_TRUE(wizard.Checked(id)) << id;
    wizard.Shot("setup_3_options.bmp");

    // "Add to the Start menu" asks where, in the user's Start menu.
    wizard.Press(PSBTN_NEXT);
    MessageBoxSeen browser = wizard.OtherDialog();
    ASSERT_NE(browser.box, nullptr);
    EXPECT_TRUE(SaveShot(browser.box, "setup_3_startmenu.bmp"));
    AnswerDialog(browser, IDOK);
    ASSERT_TRUE(wizard.WaitFor(kCopy));
    EXPECT_EQ(wizard.Text(IDC_COPY_FOLDER), kFolder);
    EXPECT_EQ(wizard.Text(IDC_COPY_OPTIONS),
              "Install in Start menu\nCreate a group\nCreate a shortcut on the desktop.\n");
    wizard.Shot("setup_4_copy.bmp");

    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kFinish, kCopyMs));
    EXPECT_EQ(wizard.Text(IDC_TITLE), "Glyphery is installed.");
    EXPECT_TRUE(wizard.Checked(IDC_LAUNCH));
    EXPECT_TRUE(wizard.Checked(IDC_README));
    EXPECT_TRUE(wizard.ButtonEnabled(kFinishButton));
    wizard.Shot("setup_5_finish.bmp");

    // Every file of the list, identical to the distribution's.
    for (const std::string &name : ShippedFiles())
        EXPECT_TRUE(SameBytes(g_dist + "\\" + name, std::string(kFolder) + "\\" + name)) << name;

    // The registry, with the folder collapsed; strings without their zero.
    std::string uninstKey = std::string(kUninstallKey) + "\\Glyphery";
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, uninstKey.c_str(), "DisplayName"), "Glyphery");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, uninstKey.c_str(), "UninstallString"),
              std::string(kFolder) + "\\uninst.exe");
    for (const char *name : {"pathSave", "pathLaunch", "installPath"})
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, "Software\\Glyphery", name), kFolder) << name;
    EXPECT_EQ(RegNumber(HKEY_CURRENT_USER, "Software\\Glyphery", "current_format"), 1u);
    EXPECT_EQ(RegNumber(HKEY_CURRENT_USER, "Software\\Glyphery", "bip"), 0u);
    for (const char *name : {"Grid", "keep_proportions", "Orig", "Palette", "View"})
        EXPECT_EQ(RegNumber(HKEY_CURRENT_USER, "Software\\Glyphery\\GlypheryEdit", name), 1u) << name;

    // The desktop shortcut and the Start-menu one, read back by the shell.
    LinkRead desktop = ReadLink(SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Glyphery.lnk");
    EXPECT_TRUE(desktop.ok);
    EXPECT_EQ(desktop.path, kFolder);
    EXPECT_EQ(desktop.description, "Glyphery");
    InstallRecord record;
    std::vector<uint8_t> text = ReadFileBytes(std::string(kFolder) + "\\" + kRecordName);
    ASSERT_TRUE(ParseInstallRecord(std::string(text.begin(), text.end()), &record));
    ASSERT_EQ(record.links.size(), 2u);
    std::string startMenu = SpecialFolder(CSIDL_STARTMENU);
    EXPECT_EQ(record.links[1].compare(0, startMenu.size(), startMenu), 0) << record.links[1] << " is not in " << startMenu;
    LinkRead menu = ReadLink(record.links[1]);
    EXPECT_TRUE(menu.ok);
    EXPECT_EQ(menu.path, std::string(kFolder) + "\\Glyphery.exe");

    // The Program Manager (Wine's shell answers "PROGMAN") made the group.
    EXPECT_EQ(record.group, "Glyphery");
    std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\Glyphery";
    for (const char *item : {"Glyphery.lnk", "Uninstall.lnk", "Help.lnk", "Read me.lnk"})
        EXPECT_TRUE(FileExists(group + "\\" + item)) << group << "\\" << item;
    EXPECT_EQ(ReadLink(group + "\\Glyphery.lnk").path, std::string(kFolder) + "\\Glyphery.exe");

    // Finish shows the read-me and starts the installed program.
    wizard.Press(PSBTN_FINISH);
    DWORD code = 99;
    EXPECT_TRUE(wizard.Exited(20000, &code));
    EXPECT_EQ(code, 0u);
    HWND notepad = nullptr, main = nullptr;
    for (int i = 0; i < 600 && (!notepad || !main); ++i) {
        if (!notepad) notepad = WindowTitled("whatsnewe");
        if (!main) main = FindWindowA("#32770", "Glyphery");
        Sleep(50);
    }
    EXPECT_NE(notepad, nullptr) << "the read-me is not shown; windows:\n" << WindowTitles();
    if (notepad) PostMessageA(notepad, WM_CLOSE, 0, 0);
    ASSERT_NE(main, nullptr) << "the installed Glyphery.exe did not start";
    DWORD mainPid = 0;
    GetWindowThreadProcessId(main, &mainPid);
    {
        UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, mainPid));
        char image[MAX_PATH] = "";
        ASSERT_TRUE(process && GetModuleFileNameExA(process.get(), nullptr, image, MAX_PATH));
        EXPECT_EQ(lstrcmpiA(image, (std::string(kFolder) + "\\Glyphery.exe").c_str()), 0) << image;
        PostMessageA(main, WM_COMMAND, IDM_CLOSE, 0);
        EXPECT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
    }

    // The installed program converts a picture.
    {
        ScratchDir scratch("setup-e2e");
        std::string in = scratch.File("in"), out = scratch.File("out");
        ASSERT_TRUE(CreateDirectoryA(in.c_str(), nullptr) && CreateDirectoryA(out.c_str(), nullptr));
        ASSERT_TRUE(WriteBmp24(in + "\\stripes.bmp", 40, 30, [](int x, int y) {
            return ((x / 4 + y / 4) & 1) ? RGB(200, 40, 40) : RGB(30, 90, 200);
        }));
        PutSetting("pathLaunch", in);
        PutSetting("pathSave", out);
        MainProgram program;
        ASSERT_TRUE(program.Start(std::string(kFolder) + "\\Glyphery.exe"));
        ASSERT_NE(program.WaitForMainWindow(), nullptr);
        program.Check(1357);  // 32 x 32 at 24 bits
        program.TypeFileName("stripes.bmp");
        std::unique_ptr<Pending> click = program.Click(IDC_CONVERT);
        MessageBoxSeen box = program.WaitForMessageBox(click.get(), kCopyMs);
        EXPECT_EQ(box.box, nullptr) << box.text;
        if (box.box) program.Answer(box, IDOK);
        EXPECT_TRUE(click->Wait(kCopyMs));
        DecodedIconFile icon;
        std::string error;
        EXPECT_TRUE(ReadDecodedIcon(out + "\\stripes.ico", &icon, &error)) << error;
        EXPECT_EQ(icon.images.size(), 1u);
        std::unique_ptr<Pending> close = program.Command(IDM_CLOSE);
        program.WaitForExit(20000);
    }

    // Uninstall: the confirmation, the settings on request, then nothing left.
    std::vector<std::string> said = Uninstall(std::string(kFolder) + "\\uninst.exe", {IDYES, IDYES, IDOK});
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[0], std::string("Remove Glyphery from ") + kFolder + "?");
    EXPECT_EQ(said[1], "Remove your Glyphery settings too?");
    EXPECT_EQ(said[2], "Glyphery has been removed.");
    RestartPrefix();
    EXPECT_EQ(Difference(before_, Snapshot()), "");
}

// All options off still copies and writes the registry; a file missing from
// the distribution is named, and the wizard does not say it installed.
TEST_F(SetupE2eTest, MissingFileIsReportedAndNoOptionStillInstalls) {
    ScratchDir partial("setup-partial");
    for (const std::string &name : ShippedFiles())
        if (name != "GYdib.dll") {
            ASSERT_TRUE(CopyFileA((g_dist + "\\" + name).c_str(), partial.File(name).c_str(), FALSE)) << name;
        }
    ASSERT_TRUE(CopyFileA((g_dist + "\\setup.exe").c_str(), partial.File("setup.exe").c_str(), FALSE));
    const std::string folder = "C:\\GYpartial";

    Wizard wizard;
    ASSERT_TRUE(wizard.Open(partial.path()));
    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kFolderPage));
    wizard.SetText(IDC_FOLDER, folder);
    wizard.Press(PSBTN_NEXT);
    AnswerDialog(wizard.Box(), IDYES);
    ASSERT_TRUE(wizard.WaitFor(kOptions));
    for (int id : {IDC_GROUP, IDC_STARTMENU, IDC_DESKTOP}) wizard.Check(id, false);
    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kCopy));
    EXPECT_EQ(wizard.Text(IDC_COPY_OPTIONS), "");
    wizard.Press(PSBTN_NEXT);
    MessageBoxSeen failed = wizard.Box(kCopyMs);
    EXPECT_NE(failed.text.find("could not be copied"), std::string::npos) << failed.text;
    EXPECT_NE(failed.text.find("GYdib.dll"), std::string::npos) << failed.text;
    EXPECT_EQ(failed.text.find("GYgraph.dll"), std::string::npos) << failed.text;
    if (failed.box) {
        EXPECT_TRUE(SaveShot(failed.box, "setup_copy_failed.bmp"));
    }
    AnswerDialog(failed, IDOK);
    ASSERT_TRUE(wizard.WaitFor(kFinish));
    EXPECT_EQ(wizard.Text(IDC_TITLE), "Glyphery is not completely installed.");
    EXPECT_NE(wizard.Text(IDC_FINISH_TEXT).find("GYdib.dll"), std::string::npos);
    EXPECT_FALSE(wizard.Checked(IDC_LAUNCH));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wizard.page(), IDC_LAUNCH)));
    wizard.Shot("setup_5_finish_incomplete.bmp");

    EXPECT_TRUE(FileExists(folder + "\\Glyphery.exe"));
    EXPECT_FALSE(FileExists(folder + "\\GYdib.dll"));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, "Software\\Glyphery", "installPath"), folder);
    EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Glyphery.lnk"));
    EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + "\\Glyphery"));

    wizard.Check(IDC_README, false);
    wizard.Press(PSBTN_FINISH);
    DWORD code = 0;
    EXPECT_TRUE(wizard.Exited(20000, &code));
    EXPECT_EQ(code, 1u);

    // An uninstaller in a folder the wizard did not install refuses and removes nothing.
    ScratchDir other("setup-other");
    ASSERT_TRUE(CopyFileA((folder + "\\uninst.exe").c_str(), other.File("uninst.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((folder + "\\uninst.ini").c_str(), other.File("uninst.ini").c_str(), FALSE));
    std::vector<std::string> refused = Uninstall(other.File("uninst.exe"), {IDOK});
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], other.path() + " was not installed by the Glyphery install wizard.\nNothing was removed.");
    EXPECT_TRUE(FileExists(other.File("uninst.ini")));
    EXPECT_TRUE(FileExists(folder + "\\Glyphery.exe"));

    // Keeping the settings keeps exactly them.
    std::vector<std::string> said = Uninstall(folder + "\\uninst.exe", {IDYES, IDNO, IDOK});
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[2], "Glyphery has been removed.");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, "Software\\Glyphery", "installPath"), folder);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Glyphery");
    RestartPrefix();
    EXPECT_EQ(Difference(before_, Snapshot()), "");
}

// From the Options page on, the Cancel dialog ends the setup whichever
// button is pressed, and nothing is installed.
TEST_F(SetupE2eTest, CancelFromTheOptionsPageEndsTheSetup) {
    Wizard wizard;
    ASSERT_TRUE(wizard.Open(g_dist));
    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kFolderPage));
    wizard.SetText(IDC_FOLDER, "C:\\");
    wizard.Press(PSBTN_NEXT);
    ASSERT_TRUE(wizard.WaitFor(kOptions));
    wizard.Press(PSBTN_CANCEL);
    MessageBoxSeen cancel = wizard.Box();
    ASSERT_NE(cancel.box, nullptr);
    AnswerDialog(cancel, IDCANCEL);
    DWORD code = 0;
    EXPECT_TRUE(wizard.Exited(10000, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(Difference(before_, Snapshot()), "");
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: %s DIST_FOLDER\n", argv[0]);
        return 2;
    }
    // A Linux path of the build arrives as is: Wine maps it under Z:.
    g_dist = argv[1];
    if (!g_dist.empty() && g_dist[0] == '/') {
        g_dist = "Z:" + g_dist;
        for (char &c : g_dist)
            if (c == '/') c = '\\';
    }
    return RUN_ALL_TESTS();
}
