#include "editor/setupsheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "common/handles.h"
#include "common/help_win.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/frame.h"
#include "editor/resource.h"

namespace {

// What the pages share, behind each page's DWLP_USER.
struct SheetContext {
    HWND frame;
    EditorSession *session;
    COLORREF fond;  // the Display page's colour until the page is left
    UniqueHandle<HGDIOBJ, GdiObjectTraits> swatch;
};

SheetContext *Context(HWND page) { return reinterpret_cast<SheetContext *>(GetWindowLongPtrA(page, DWLP_USER)); }
HINSTANCE Instance(HWND page) { return (HINSTANCE)GetWindowLongPtrA(page, GWLP_HINSTANCE); }

void Attach(HWND page, LPARAM lParam) {
    const PROPSHEETPAGEA *sheetPage = reinterpret_cast<const PROPSHEETPAGEA *>(lParam);
    SetWindowLongPtrA(page, DWLP_USER, sheetPage->lParam);
}

// A drop-down list of the module's strings first..first+count-1, showing
// `selected` when it is one of them.
void FillList(HWND page, int list, UINT first, UINT count, uint32_t selected) {
    for (UINT i = 0; i < count; ++i)
        SendDlgItemMessageA(page, list, CB_ADDSTRING, 0, (LPARAM)LoadText(Instance(page), first + i).c_str());
    if (selected < count) SendDlgItemMessageA(page, list, CB_SETCURSEL, selected, 0);
}
// A list's selection into its field; no selection keeps the stored value.
void StoreList(HWND page, int list, uint32_t *field) {
    LRESULT selected = SendDlgItemMessageA(page, list, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) *field = (uint32_t)selected;
}

// The common notifications: the help request, and "left" (store).
INT_PTR OnNotify(HWND page, const NMHDR *hdr, void (*store)(HWND, SheetContext *)) {
    SheetContext *context = Context(page);
    if (!context) return FALSE;
    switch (hdr->code) {
    case PSN_KILLACTIVE:
        store(page, context);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
        return TRUE;
    case PSN_HELP: {
        const char *help = context->session->install.helpPath;
        if (help[0]) ShowHelpTopic(page, help, HELP_EDITOR);
        return TRUE;
    }
    }
    return FALSE;
}

// ---- Convert

void InitConvert(HWND page) {
    const EditorSettings &s = Context(page)->session->settings;
    SendDlgItemMessageA(page, IDC_TARGET_FOLDER, EM_LIMITTEXT, kRegPathBytes - 1, 0);
    SetDlgItemTextA(page, IDC_TARGET_FOLDER, s.save_path);
    FillList(page, IDC_EXPORT_TYPE, IDS_EXPORT_BMP, 1, s.save_type);
}

void StoreConvert(HWND page, SheetContext *context) {
    EditorSettings &s = context->session->settings;
    GetDlgItemTextA(page, IDC_TARGET_FOLDER, s.save_path, sizeof s.save_path);
    StoreList(page, IDC_EXPORT_TYPE, &s.save_type);
}

void BrowseTarget(HWND page) {
    char start[kRegPathBytes] = {0};
    GetDlgItemTextA(page, IDC_TARGET_FOLDER, start, sizeof start);
    std::string chosen;
    if (BrowseForFolder(page, LoadText(Instance(page), IDS_TARGET_FOLDER_TITLE), start, -1, &chosen))
        SetDlgItemTextA(page, IDC_TARGET_FOLDER, chosen.c_str());  // cut to the box's limit
}

INT_PTR CALLBACK ConvertProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: Attach(page, lParam); InitConvert(page); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_TARGET_BROWSE) return FALSE;
        BrowseTarget(page);
        return TRUE;
    case WM_NOTIFY: return OnNotify(page, (const NMHDR *)lParam, StoreConvert);
    default: return FALSE;
    }
}

// ---- Display

void SetSwatch(HWND page, SheetContext *context, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    context->fond = colour;
    context->swatch.reset(brush);
    InvalidateRect(GetDlgItem(page, IDC_FOND_SWATCH), nullptr, TRUE);
}

void InitDisplay(HWND page) {
    SheetContext *context = Context(page);
    const EditorSettings &s = context->session->settings;
    CheckDlgButton(page, IDC_SHOW_GRID, s.Grid ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_SHOW_PALETTE, s.Palette ? BST_CHECKED : BST_UNCHECKED);
    SetSwatch(page, context, s.fond);
}

void StoreDisplay(HWND page, SheetContext *context) {
    EditorSettings &s = context->session->settings;
    s.Grid = IsDlgButtonChecked(page, IDC_SHOW_GRID) == BST_CHECKED ? 1 : 0;
    s.Palette = IsDlgButtonChecked(page, IDC_SHOW_PALETTE) == BST_CHECKED ? 1 : 0;
    s.fond = context->fond;
    ApplyDisplaySettings(context->frame);
}

INT_PTR CALLBACK DisplayProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: Attach(page, lParam); InitDisplay(page); return TRUE;
    case WM_COMMAND: {
        SheetContext *context = Context(page);
        if (LOWORD(wParam) != IDC_FOND_CHANGE || !context) return FALSE;
        COLORREF colour = context->fond;
        if (PickColour(page, &colour)) SetSwatch(page, context, colour);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        SheetContext *context = Context(page);
        if (!context || GetDlgCtrlID((HWND)lParam) != IDC_FOND_SWATCH) return FALSE;
        return (INT_PTR)context->swatch.get();
    }
    case WM_NOTIFY: return OnNotify(page, (const NMHDR *)lParam, StoreDisplay);
    default: return FALSE;
    }
}

// ---- Launch: the size and the colour count of the icon the converter makes
// for the editor, kept as the two lists' selections.

void InitLaunch(HWND page) {
    const EditorSettings &s = Context(page)->session->settings;
    FillList(page, IDC_LAUNCH_FORMAT, IDS_LAUNCH_FORMAT_FIRST, IDS_LAUNCH_FORMAT_COUNT, s.open_size);
    FillList(page, IDC_LAUNCH_COLORS, IDS_LAUNCH_COLORS_FIRST, IDS_LAUNCH_COLORS_COUNT, s.open_colors);
}

void StoreLaunch(HWND page, SheetContext *context) {
    EditorSettings &s = context->session->settings;
    StoreList(page, IDC_LAUNCH_FORMAT, &s.open_size);
    StoreList(page, IDC_LAUNCH_COLORS, &s.open_colors);
}

INT_PTR CALLBACK LaunchProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: Attach(page, lParam); InitLaunch(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, (const NMHDR *)lParam, StoreLaunch);
    default: return FALSE;
    }
}

}  // namespace

int SettingsPageOfCommand(UINT command) {
    switch (command) {
    case CMD_SETUP_CONVERT: return 0;
    case CMD_SETUP_DISPLAY: return 1;
    case CMD_SETUP_LAUNCH: return 2;
    default: return -1;
    }
}

INT_PTR ShowSettingsSheet(HWND frame, EditorSession *session, int page) {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(frame, GWLP_HINSTANCE);
    SheetContext context{frame, session, session->settings.fond, {}};
    const struct {
        int dialog;
        DLGPROC proc;
    } kPages[] = {{IDD_CONVERT_PAGE, ConvertProc}, {IDD_DISPLAY_PAGE, DisplayProc}, {IDD_LAUNCH_PAGE, LaunchProc}};
    PROPSHEETPAGEA pages[3] = {};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_HASHELP;
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(kPages[i].dialog);
        pages[i].pfnDlgProc = kPages[i].proc;
        pages[i].lParam = (LPARAM)&context;
    }
    std::string title = LoadText(instance, IDS_TITLE);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_NOAPPLYNOW;
    header.hwndParent = frame;
    header.hInstance = instance;
    header.pszCaption = title.c_str();
    header.nPages = 3;
    header.nStartPage = (UINT)(page >= 0 && page < 3 ? page : 0);
    header.ppsp = pages;
    return PropertySheetA(&header);
}
