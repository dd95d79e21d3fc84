// The points where tests take the place of the user and of the machine:
// message boxes, the registry roots and the folders the suite works in.
#pragma once
#include <windows.h>

#include <string>

// Every user-visible message box goes through here. A test may install a
// handler that records the call and returns the button it chooses.
typedef int (*MessageBoxHandler)(HWND owner, const char *text, const char *caption, UINT flags);
int ShowMessage(HWND owner, const char *text, const char *caption, UINT flags);
// Installs a handler (nullptr restores the real MessageBoxA); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Maps HKEY_CURRENT_USER (and HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT) of this
// process onto subkeys of a scratch key, so a test never touches the real
// settings. Returns false when the scratch key cannot be opened.
bool IsolateRegistry(const char *scratchKey);
// Undoes IsolateRegistry and deletes the scratch tree.
void RestoreRegistry(const char *scratchKey);

// The platform's temporary folder (ends in a backslash), unless overridden.
std::string TempFolder();
void SetTempFolderOverride(const char *folder);  // nullptr: back to the platform's
// The folder the running module was started from, unless overridden.
std::string InstallFolder();
void SetInstallFolderOverride(const char *folder);
