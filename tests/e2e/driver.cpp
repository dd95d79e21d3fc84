#include "tests/e2e/driver.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlwapi.h>

#include <functional>

#include "shell/resource.h"
#include "tests/common/testutil_win.h"

namespace {

const char kKey[] = "Software\\Glyphery";
const char kBackup[] = "Software\\GlypheryE2EBackup";

struct Found {
    DWORD pid;
    const char *caption;  // null: any caption
    const std::function<bool(HWND)> *accept;
    HWND hwnd;
};

struct DescendantSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchDescendant(HWND child, LPARAM param) {
    DescendantSearch *search = reinterpret_cast<DescendantSearch *>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

HWND FindDescendant(HWND parent, int id) {
    DescendantSearch search = {id, nullptr};
    EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsProgramDialog(HWND hwnd, DWORD pid, const char *caption) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != pid || !IsWindowVisible(hwnd)) return false;
    char cls[32] = "", title[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    return strcmp(cls, "#32770") == 0 && (!caption || strcmp(title, caption) == 0);
}

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    Found *f = reinterpret_cast<Found *>(param);
    if (!IsProgramDialog(hwnd, f->pid, f->caption)) return TRUE;
    if (f->accept && !(*f->accept)(hwnd)) return TRUE;
    f->hwnd = hwnd;
    return FALSE;
}

bool IsMainWindow(HWND hwnd) { return FindDescendant(hwnd, IDC_CONVERT) != nullptr; }

// The first static control with text: a message box's message.
BOOL CALLBACK MatchStaticText(HWND child, LPARAM param) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (strcmp(cls, "Static") != 0) return TRUE;
    char buf[2048] = "";
    GetWindowTextA(child, buf, sizeof buf);
    if (!buf[0]) return TRUE;
    *reinterpret_cast<std::string *>(param) = buf;
    return FALSE;
}

std::string StaticText(HWND box) {
    std::string text;
    EnumChildWindows(box, MatchStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace

std::string BinFolder() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string self(buf, n);
    return self.substr(0, self.find_last_of('\\'));
}

namespace {

// Copies HKCU\<from> with its values over HKCU\<to>; false when <from> does not exist.
bool CopyUserKey(const char *from, const char *to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) != ERROR_SUCCESS) return false;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
        ERROR_SUCCESS) {
        SHCopyKeyA(source, nullptr, target, 0);
        RegCloseKey(target);
    }
    RegCloseKey(source);
    return true;
}

}  // namespace

SettingsKeyScope::SettingsKeyScope() {
    // A backup left by an interrupted run holds the real settings still.
    HKEY left = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBackup, 0, KEY_READ, &left) == ERROR_SUCCESS)
        RegCloseKey(left);
    else
        CopyUserKey(kKey, kBackup);
    SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

SettingsKeyScope::~SettingsKeyScope() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
    if (CopyUserKey(kBackup, kKey)) SHDeleteKeyA(HKEY_CURRENT_USER, kBackup);
}

void PutSetting(const char *name, const std::string &value) {
    SHSetValueA(HKEY_CURRENT_USER, kKey, name, REG_SZ, value.c_str(), (DWORD)value.size());
}

void PutSetting(const char *name, DWORD value) {
    SHSetValueA(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &value, sizeof value);
}

bool GetSetting(const char *name, std::string *value) {
    char buf[1024];
    DWORD type = 0, size = sizeof buf - 1;
    if (SHGetValueA(HKEY_CURRENT_USER, kKey, name, &type, buf, &size) != ERROR_SUCCESS || type != REG_SZ) return false;
    buf[size] = '\0';
    *value = buf;
    return true;
}

bool GetSetting(const char *name, DWORD *value) {
    DWORD type = 0, size = sizeof *value;
    return SHGetValueA(HKEY_CURRENT_USER, kKey, name, &type, value, &size) == ERROR_SUCCESS && type == REG_DWORD;
}

void DeleteSettings() { SHDeleteKeyA(HKEY_CURRENT_USER, kKey); }

MainProgram::~MainProgram() {
    if (pi_.hProcess) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 10000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool MainProgram::Start(const std::string &program, const std::string &arguments) {
    std::string exe = program.empty() ? BinFolder() + "\\Glyphery.exe" : program;
    std::string folder = exe.substr(0, exe.find_last_of('\\'));
    std::string line = "\"" + exe + "\"";
    if (!arguments.empty()) line += " " + arguments;
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_) !=
           FALSE;
}

HWND MainProgram::WaitForMainWindow(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        std::function<bool(HWND)> main = IsMainWindow;
        Found f = {pid(), "Glyphery", &main, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) {
            browser_ = f.hwnd;
            panel_ = GetParent(FindDescendant(f.hwnd, IDC_CONVERT));
            // The panel is ready once the browser has laid it out (the toolbar exists).
            for (; waited < ms && !GetDlgItem(panel_, IDC_TOOLBAR); waited += 50) Sleep(50);
            Sleep(300);
            return browser_;
        }
        if (!Running()) return nullptr;
        Sleep(50);
    }
    return nullptr;
}

HWND MainProgram::FileNameField() const {
    HWND field = GetDlgItem(browser_, cmb13);
    return field ? field : GetDlgItem(browser_, edt1);
}

Pending::Pending(HWND target, UINT msg, WPARAM wParam, LPARAM lParam)
    : target_(target), msg_(msg), wParam_(wParam), lParam_(lParam) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

Pending::~Pending() {
    if (!thread_) return;
    WaitForSingleObject(thread_, 120000);
    CloseHandle(thread_);
}

DWORD WINAPI Pending::Run(void *param) {
    Pending *self = static_cast<Pending *>(param);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(self->target_, self->msg_, self->wParam_, self->lParam_, SMTO_NORMAL, 120000, &result);
    return 0;
}

bool Pending::Wait(DWORD ms) { return thread_ && WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0; }

MessageBoxSeen MainProgram::WaitForMessageBox(Pending *until, DWORD ms) { return WaitForWindow(until, ms, false); }

MessageBoxSeen MainProgram::WaitForDialog(Pending *until, DWORD ms) { return WaitForWindow(until, ms, true); }

MessageBoxSeen MainProgram::WaitForWindow(Pending *until, DWORD ms, bool anyCaption) {
    return WaitForProcessDialog(pid(), anyCaption ? nullptr : "Glyphery", [](HWND w) { return !IsMainWindow(w); },
                                until, ms);
}

MessageBoxSeen WaitForProcessDialog(DWORD pid, const char *caption, const std::function<bool(HWND)> &accept,
                                    Pending *until, DWORD ms) {
    MessageBoxSeen seen;
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (until && until->Wait(0)) break;
        Found f = {pid, caption, accept ? &accept : nullptr, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) {
            Sleep(100);  // the box fills in its text as it opens
            seen.box = f.hwnd;
            seen.text = StaticText(f.hwnd);
            return seen;
        }
        Sleep(50);
    }
    return seen;
}

bool MainProgram::Answer(const MessageBoxSeen &box, int button) { return AnswerDialog(box, button); }

bool AnswerDialog(const MessageBoxSeen &box, int button) {
    if (!box.box) return false;
    PostMessageA(box.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(box.box, button));
    for (int i = 0; i < 200 && IsWindow(box.box); ++i) Sleep(25);
    return !IsWindow(box.box);
}

std::unique_ptr<Pending> MainProgram::Click(int id) const {
    return std::unique_ptr<Pending>(new Pending(Control(id), BM_CLICK, 0, 0));
}

std::unique_ptr<Pending> MainProgram::Command(int id) const {
    return std::unique_ptr<Pending>(new Pending(browser_, WM_COMMAND, MAKEWPARAM(id, 0), 0));
}

void MainProgram::Check(int id, bool on) const {
    SendMessageA(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainProgram::SelectCreateAs(const char *label) const {
    HWND list = Control(IDC_CREATE_AS);
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)label);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(IDC_CREATE_AS, CBN_SELCHANGE), (LPARAM)list);
}

void MainProgram::TypeFileName(const std::string &text) const {
    SendMessageA(FileNameField(), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

void MainProgram::SetTarget(const std::string &text) const {
    SendMessageA(Control(IDC_TARGET), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

std::string MainProgram::Text(int id) const {
    char buf[1024] = "";
    SendMessageA(Control(id), WM_GETTEXT, sizeof buf, (LPARAM)buf);
    return buf;
}

bool MainProgram::ToolbarButtonRect(int command, RECT *rect) const {
    return ToolbarButtonRect(Control(IDC_TOOLBAR), command, rect);
}

bool MainProgram::ToolbarButtonRect(HWND toolbar, int command, RECT *rect) const {
    // TB_GETRECT writes into the program's memory: lend it a page.
    void *remote = VirtualAllocEx(pi_.hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return false;
    bool ok = SendMessageA(toolbar, TB_GETRECT, command, (LPARAM)remote) &&
              ReadProcessMemory(pi_.hProcess, remote, rect, sizeof(RECT), nullptr);
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    return ok;
}

namespace {
struct ShownSearch {
    DWORD pid;
    const char *cls;
    HWND found;
};
BOOL CALLBACK MatchShownWindow(HWND hwnd, LPARAM param) {
    ShownSearch *search = reinterpret_cast<ShownSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (owner != search->pid || _stricmp(cls, search->cls) != 0 || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}
// A shown top-level window of a process by its class, or null.
HWND ShownWindowOf(DWORD pid, const char *cls) {
    ShownSearch search = {pid, cls, nullptr};
    EnumWindows(MatchShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

bool MainProgram::SelectAllListedFiles() const {
    HWND view = FindWindowExA(browser_, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
    if (!list) return false;
    // LVM_SETITEMSTATE reads its item from the program's memory.
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    void *remote = VirtualAllocEx(pi_.hProcess, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return false;
    bool ok = WriteProcessMemory(pi_.hProcess, remote, &item, sizeof item, nullptr) &&
              SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)remote);
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    return ok;
}


RaisedWindow::RaisedWindow(HWND window) : window_(GetAncestor(window, GA_ROOT)) {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RaisedWindow::~RaisedWindow() {
    SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool SaveShot(HWND window, const std::string &name) {
    RaisedWindow raised(window);
    Sleep(100);
    return SaveWindowShot(window, TestOutputDir("screenshots") + "\\" + name);
}

std::string MainProgram::HoverTip(HWND over, POINT point, DWORD ms) const {
    RaisedWindow raised(over);
    ClientToScreen(over, &point);
    for (DWORD waited = 0; waited < ms; waited += 50) {
        // A tip waits for the pointer to move over its tool; on a loaded
        // machine the first move can be missed, so the pointer moves again
        // every second until the tip shows.
        if (waited % 1000 == 0) {
            SetCursorPos(point.x - 3, point.y - 3);
            Sleep(100);
            SetCursorPos(point.x, point.y);
        }
        if (HWND tip = ShownWindowOf(pi_.dwProcessId, TOOLTIPS_CLASSA)) {
            char text[512] = "";
            SendMessageA(tip, WM_GETTEXT, sizeof text, (LPARAM)text);
            if (text[0]) return text;
        }
        Sleep(50);
    }
    return "";
}

HWND MainProgram::WaitForPopupMenu(DWORD ms) const {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND menu = ShownWindowOf(pi_.dwProcessId, "#32768")) return menu;
        Sleep(50);
    }
    return nullptr;
}

bool MainProgram::WaitForExit(DWORD ms, DWORD *exitCode) {
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

bool MainProgram::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool WaitForFile(const std::string &path, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return true;
        }
        Sleep(50);
    }
    return false;
}

ULONGLONG WriteTime(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}
