// Drives the real Glyphery.exe from a test: its settings in the prefix's
// registry, the process, its windows and its message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The folder of the test program, where Glyphery.exe and its libraries are.
std::string BinFolder();

// Puts HKCU\Software\Glyphery aside for the scope and brings it back after.
class SettingsKeyScope {
public:
    SettingsKeyScope();
    ~SettingsKeyScope();
};

// Values of HKCU\Software\Glyphery, written before the program starts and
// read after it has ended.
void PutSetting(const char *name, const std::string &value);
void PutSetting(const char *name, DWORD value);
bool GetSetting(const char *name, std::string *value);
bool GetSetting(const char *name, DWORD *value);
void DeleteSettings();

// A message sent to the program from a thread of its own, so that the test
// can answer the message boxes the program shows before it returns.
class Pending {
public:
    Pending(HWND target, UINT msg, WPARAM wParam, LPARAM lParam);
    ~Pending();
    Pending(const Pending &) = delete;
    Pending &operator=(const Pending &) = delete;
    // True once the program has handled the message.
    bool Wait(DWORD ms);

private:
    static DWORD WINAPI Run(void *self);
    HWND target_;
    UINT msg_;
    WPARAM wParam_;
    LPARAM lParam_;
    HANDLE thread_ = nullptr;
};

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string text;
};

// A shown dialog ("#32770") of a process, captioned `caption` (any caption
// when null) and taken by `accept` (every one when empty), with its message
// text; box is null when none came before `until` was handled or the time ran out.
MessageBoxSeen WaitForProcessDialog(DWORD pid, const char *caption, const std::function<bool(HWND)> &accept,
                                    Pending *until = nullptr, DWORD ms = 30000);
// Presses a button of a dialog (IDOK, IDYES, IDNO...) and waits until it is gone.
bool AnswerDialog(const MessageBoxSeen &box, int button);

class MainProgram {
public:
    ~MainProgram();
    // Starts Glyphery.exe (the build's, or `program`, with `arguments` after
    // its quoted name on the command line) in its own folder. It inherits the
    // test's user interface language and environment.
    bool Start(const std::string &program = std::string(), const std::string &arguments = std::string());
    // The main window (the file browser holding the panel), or null.
    HWND WaitForMainWindow(DWORD ms = 30000);
    HWND browser() const { return browser_; }
    HWND panel() const { return panel_; }
    HWND Control(int id) const { return GetDlgItem(panel_, id); }
    // The browser's file name field.
    HWND FileNameField() const;

    // A message box of the program ("#32770", caption "Glyphery", not the
    // main window), with its text; box is null when none came before `until`
    // was handled or the time ran out.
    MessageBoxSeen WaitForMessageBox(Pending *until = nullptr, DWORD ms = 30000);
    // Any dialog of the program other than the main window (the platform's
    // colour chooser and folder browser have captions of their own).
    MessageBoxSeen WaitForDialog(Pending *until = nullptr, DWORD ms = 30000);
    // Presses a button of a box (IDOK, IDYES, IDNO) and waits until it is gone.
    bool Answer(const MessageBoxSeen &box, int button);

    // A panel button pressed, as a mouse click does; a menu item chosen.
    std::unique_ptr<Pending> Click(int id) const;
    std::unique_ptr<Pending> Command(int id) const;
    void Check(int id, bool on = true) const;    // a panel check box
    void SelectCreateAs(const char *label) const;
    void TypeFileName(const std::string &text) const;
    void SetTarget(const std::string &text) const;
    std::string Text(int id) const;
    // The rectangle of a toolbar button in the toolbar's client coordinates.
    bool ToolbarButtonRect(int command, RECT *rect) const;
    // The same for any toolbar of the program.
    bool ToolbarButtonRect(HWND toolbar, int command, RECT *rect) const;
    // Selects every item of the browser's file list, as a user's
    // control-clicks do; false when the list cannot be reached.
    bool SelectAllListedFiles() const;
    // Rests the mouse on a window and returns the text of the tool tip the
    // program shows for it ("" when none comes).
    std::string HoverTip(HWND over, POINT clientPoint, DWORD ms = 5000) const;
    // A popup menu window ("#32768") the program shows, or null.
    HWND WaitForPopupMenu(DWORD ms = 10000) const;

    bool WaitForExit(DWORD ms, DWORD *exitCode = nullptr);
    bool Running() const;
    DWORD pid() const { return pi_.dwProcessId; }

private:
    MessageBoxSeen WaitForWindow(Pending *until, DWORD ms, bool anyCaption);
    PROCESS_INFORMATION pi_ = {};
    HWND browser_ = nullptr, panel_ = nullptr;
};

// Keeps a window of the program above every other for a scope (other
// tests' windows may share the display).
class RaisedWindow {
public:
    explicit RaisedWindow(HWND window);
    ~RaisedWindow();

private:
    HWND window_;
};
// A screenshot of a window, raised, kept in test-output/screenshots as `name`.
bool SaveShot(HWND window, const std::string &name);

// Waits until `path` exists and nothing writes it any more.
bool WaitForFile(const std::string &path, DWORD ms);
// A file's last write time (0 when it does not exist).
ULONGLONG WriteTime(const std::string &path);
