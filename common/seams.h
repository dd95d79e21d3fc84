// The points where tests take the place of the user and of the machine:
// message boxes and the folders the suite works in. (The tests isolate the
// registry with code of their own: nothing of it ships.)
#pragma once
#include <windows.h>

#include <string>

// Every user-visible message box goes through here. A test may install a
// handler that records the call and returns the button it chooses.
typedef int (*MessageBoxHandler)(HWND owner, const char *text, const char *caption, UINT flags);
int ShowMessage(HWND owner, const char *text, const char *caption, UINT flags);
// Installs a handler (nullptr restores the real MessageBoxA); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The platform's temporary folder (ends in a backslash), unless overridden.
std::string TempFolder();
void SetTempFolderOverride(const char *folder);  // nullptr: back to the platform's
// The folder the running module was started from, unless overridden.
std::string InstallFolder();
void SetInstallFolderOverride(const char *folder);

// The Windows folder (GetWindowsDirectoryA, no trailing backslash), unless
// overridden: the icon cache file and %SystemRoot% locations are formed from it.
std::string WindowsFolder();
void SetWindowsFolderOverride(const char *folder);  // nullptr: back to the platform's

// The user's Favorites folder (special folder 6), unless overridden.
std::string FavoritesFolder();
void SetFavoritesFolderOverride(const char *folder);

// Installing a system cursor. The real installer is SetSystemCursor (which
// takes ownership of the cursor); a test installs a recorder instead, since
// some platforms accept the call and change nothing.
typedef BOOL(WINAPI *SystemCursorInstaller)(HCURSOR cursor, DWORD id);
BOOL InstallSystemCursor(HCURSOR cursor, DWORD id);
SystemCursorInstaller SetSystemCursorInstaller(SystemCursorInstaller installer);

// Starting a program or opening a document with a shell verb (ShellExecuteA).
// A test installs a recorder; the result is ShellExecuteA's (> 32 on success).
typedef HINSTANCE (*ShellOpener)(HWND owner, const char *verb, const char *file, const char *params,
                                 const char *dir, int show);
HINSTANCE ShellOpen(HWND owner, const char *verb, const char *file, const char *params, const char *dir, int show);
ShellOpener SetShellOpener(ShellOpener opener);

// Opening a help file (a WinHelp-style request: HELP_CONTEXT with the context
// number). The real opener is HTML Help (common/help_win.h, which callers
// use); a test installs a recorder so no help viewer starts.
typedef BOOL(WINAPI *HelpOpener)(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data);
BOOL OpenHelp(HWND owner, const char *helpFile, UINT command, ULONG_PTR data);
HelpOpener SetHelpOpener(HelpOpener opener);
