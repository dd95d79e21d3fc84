#include "shell/mainwindow_report.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include "common/codepage_win.h"
#include "common/seams.h"
#include "conversion/driver_win.h"
#include "shell/mainwindow.h"
#include "shell/resource.h"
#include "shell/selection.h"

namespace {

const char kCaption[] = "Glyphery";

std::wstring WindowTextW(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::wstring();
    std::wstring text((size_t)length + 1, L'\0');
    int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

// The browser's folder as the shell names it, in UTF-16: the browser
// reports its folder path only in the code page of the program.
std::wstring BrowserFolderW(HWND browser) {
    LRESULT size = SendMessageA(browser, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0) return std::wstring();
    std::vector<BYTE> idList((size_t)size, 0);
    if (SendMessageA(browser, CDM_GETFOLDERIDLIST, (WPARAM)size, (LPARAM)idList.data()) <= 0) return std::wstring();
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(idList.data()), path)) return std::wstring();
    return path;
}

// The browser's file name field: a combo box, or an edit in older layouts.
HWND FileNameField(HWND browser) {
    HWND field = GetDlgItem(browser, cmb13);
    return field ? field : GetDlgItem(browser, edt1);
}

// A text of the string table with each "%s" replaced, in order, by the next
// of `args`; a translation's other characters stay as they are.
std::string FillText(const std::string &pattern, const std::vector<std::string> &args) {
    std::string text;
    size_t next = 0, pos = 0;
    for (;;) {
        size_t mark = pattern.find("%s", pos);
        if (mark == std::string::npos || next == args.size()) break;
        text.append(pattern, pos, mark - pos);
        text += args[next++];
        pos = mark + 2;
    }
    text.append(pattern, pos, std::string::npos);
    return text;
}

}  // namespace

bool SelectionNamesFitCodePage(HWND browser, HWND owner, HINSTANCE texts) {
    std::string folder, selection;
    bool folderFits = WideToAnsiExactly(BrowserFolderW(browser), &folder);
    bool selectionFits = WideToAnsiExactly(WindowTextW(FileNameField(browser)), &selection);
    if (folderFits && selectionFits) return true;
    // Each character the code page lacks is a '?' now, which no file name
    // holds: the names with one are those the program cannot open.
    std::string names;
    for (const std::string &source : SourcesFromSelection(folder, selection, kMaxSources))
        if (source.find('?') != std::string::npos) names += source + "\n";
    if (names.empty()) names = folder + "\n";
    ShowMessage(owner, FillText(LoadText(texts, IDS_NAME_OUTSIDE_CODE_PAGE), {names}).c_str(), kCaption,
                MB_OK | MB_ICONSTOP);
    return false;
}

void ReportSourcesKept(HWND owner, HINSTANCE texts, const std::vector<SourceResult> &results) {
    std::string list;
    for (const SourceResult &r : results) {
        if (r.outcome == kSourceWouldReplaceSource)
            list += FillText(LoadText(texts, IDS_KEPT_WOULD_REPLACE), {r.source, r.detail}) + "\n";
        else if (r.outcome == kSourceOutputTaken)
            list += FillText(LoadText(texts, IDS_KEPT_ALREADY_MADE), {r.source, r.detail}) + "\n";
    }
    if (list.empty()) return;
    ShowMessage(owner, FillText(LoadText(texts, IDS_KEPT_HEADER), {list}).c_str(), kCaption,
                MB_OK | MB_ICONINFORMATION);
}
