// Drives the shell's modal dialogs from inside their own modal loop: a timer
// of the test finds the dialog once it is shown and runs a script on it.
// Also the language switch and a layout check shared by the dialog tests.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs `show` (which opens a modal dialog titled `title`) and, once the
// dialog is visible, `script` on it. A dialog the script leaves open is ended
// with -1 so that a failing test never hangs.
INT_PTR RunDialog(const std::function<INT_PTR()> &show, std::function<void(HWND)> script,
                  const char *title = "Glyphery");

// Runs `script` on the first visible dialog owned by `owner` (a dialog the
// next action of the caller will open, such as a folder browser), then
// closes that dialog with Cancel if the script left it open.
void OnNextOwnedDialog(HWND owner, std::function<void(HWND)> script);

std::string ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);
bool Enabled(HWND dialog, int id);

// Chooses the language of the resources the thread loads for one scope.
class UiLanguageScope {
public:
    explicit UiLanguageScope(LANGID language);
    ~UiLanguageScope();

private:
    LANGID oldUi_;
    LCID oldLocale_;
};
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

// What a user would find wrong in a dialog's layout: a label, check box,
// radio or button whose text does not fit its control, or two controls that
// overlap (a group box may hold others). Empty when all is well.
std::vector<std::string> LayoutProblems(HWND dialog);

// Saves a screenshot of the dialog as test-output/screenshots/<name>.bmp.
bool SaveShot(HWND dialog, const std::string &name);
