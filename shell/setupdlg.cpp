#include "shell/setupdlg.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "common/paths.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "shell/resource.h"

namespace {

const char kCaption[] = "Glyphery";

// State of the one open Setup dialog.
Settings *g_settings = nullptr;

// The check boxes and the setting each one edits.
struct CheckSetting {
    int id;
    uint32_t Settings::*field;
};
const CheckSetting kChecks[] = {
    {IDC_SET_PROPORTIONS, &Settings::keep_proportions}, {IDC_SET_BEEP, &Settings::bip},
    {IDC_SET_AUTO_ANI, &Settings::automatic_ani},       {IDC_SET_GRID, &Settings::grid},
    {IDC_SET_TOOLTIPS, &Settings::tooltips},            {IDC_SET_DISPLAY, &Settings::display_icon},
};

// The labels set at initialisation, each from the string table of the
// template's language.
const struct {
    int control;
    int string;
} kLabels[] = {
    {IDC_SET_LAUNCH_LABEL, IDS_SET_LAUNCH_LABEL}, {IDC_SET_SAVE_LABEL, IDS_SET_SAVE_LABEL},
    {IDC_SET_PROPORTIONS, IDS_SET_PROPORTIONS},   {IDC_SET_BEEP, IDS_SET_BEEP},
    {IDC_SET_AUTO_ANI, IDS_SET_AUTO_ANI},         {IDC_SET_GRID, IDS_SET_GRID},
    {IDC_SET_TOOLTIPS, IDS_SET_TOOLTIPS},         {IDC_SET_DISPLAY, IDS_SET_DISPLAY},
    {IDC_SET_INTERNAL, IDS_SET_INTERNAL},         {IDC_SET_EDITOR, IDS_SET_EDITOR},
    {IDC_SET_OTHER, IDS_SET_OTHER},               {IDOK, IDS_SET_OK},
    {IDCANCEL, IDS_SET_CANCEL},
};

const int kPathFields[] = {IDC_SET_LAUNCH, IDC_SET_SAVE, IDC_SET_VIEWER};
const int kBrowseButtons[] = {IDC_SET_LAUNCH_BROWSE, IDC_SET_SAVE_BROWSE, IDC_SET_VIEWER_BROWSE};

HINSTANCE Instance(HWND dialog) { return (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE); }

std::string LoadText(HWND dialog, int id) { return LoadText(Instance(dialog), (UINT)id); }

std::string FieldText(HWND dialog, int id) {
    char text[MAX_PATH] = {0};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The viewer radios and the program field follow "Display the icon after
// conversion"; the field is live only while "Other:" is chosen.
void UpdateViewerControls(HWND dialog) {
    bool display = IsChecked(dialog, IDC_SET_DISPLAY);
    for (int id : {IDC_SET_INTERNAL, IDC_SET_EDITOR, IDC_SET_OTHER}) EnableWindow(GetDlgItem(dialog, id), display);
    EnableWindow(GetDlgItem(dialog, IDC_SET_VIEWER), display && IsChecked(dialog, IDC_SET_OTHER));
}

BOOL OnInitDialog(HWND dialog, Settings *settings) {
    g_settings = settings;
    for (const auto &label : kLabels) {
        std::string text = LoadText(dialog, label.string);
        if (!text.empty()) SetDlgItemTextA(dialog, label.control, text.c_str());
    }
    for (int id : kPathFields) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetDlgItemTextA(dialog, IDC_SET_LAUNCH, settings->pathLaunch);
    SetDlgItemTextA(dialog, IDC_SET_SAVE, settings->pathSave);
    SetDlgItemTextA(dialog, IDC_SET_VIEWER, settings->pathDisplay);
    for (const CheckSetting &check : kChecks)
        CheckDlgButton(dialog, check.id, settings->*check.field ? BST_CHECKED : BST_UNCHECKED);
    int viewer = settings->display_type == 1 ? IDC_SET_EDITOR
                 : settings->display_type == 2 ? IDC_SET_OTHER
                                               : IDC_SET_INTERNAL;
    CheckRadioButton(dialog, IDC_SET_INTERNAL, IDC_SET_OTHER, viewer);
    UpdateViewerControls(dialog);

    // One shared copy of the resource icon: the system frees it with the module.
    HANDLE browse = LoadImageA(Instance(dialog), MAKEINTRESOURCEA(IDI_BROWSE), IMAGE_ICON, 16, 16, LR_SHARED);
    for (int id : kBrowseButtons) SendDlgItemMessageA(dialog, id, BM_SETIMAGE, IMAGE_ICON, (LPARAM)browse);
    CentreOnScreen(dialog);
    return TRUE;
}

// The shell's folder browser; the chosen folder's path goes into the field.
void BrowseForFolder(HWND dialog, int field, int titleId) {
    std::string chosen;
    if (::BrowseForFolder(dialog, LoadText(dialog, titleId), FieldText(dialog, field), -1, &chosen))
        SetDlgItemTextA(dialog, field, chosen.c_str());
}

// The open-file dialog for the viewer program; the chosen path goes into 1138.
void BrowseForViewer(HWND dialog) {
    std::string title = LoadText(dialog, IDS_SET_PICK_TITLE);
    // One filter: the description, its pattern, and the list's closing zero.
    std::string filter = LoadText(dialog, IDS_SET_PICK_FILTER);
    filter.push_back('\0');
    filter += "*.exe";
    filter.push_back('\0');
    std::string folder = DirName(FieldText(dialog, IDC_SET_VIEWER));
    char file[MAX_PATH] = {0};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter.c_str();  // c_str() adds the last zero
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    // The extension added to a name typed without one ("*.exe" would append
    // ".*.exe" and no such file exists).
    ofn.lpstrDefExt = "exe";
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&ofn)) SetDlgItemTextA(dialog, IDC_SET_VIEWER, file);
}

// OK: everything is read and checked before the record changes, so a refused
// OK followed by Cancel leaves the record as it was.
void OnOk(HWND dialog) {
    Settings chosen = *g_settings;
    for (const CheckSetting &check : kChecks) chosen.*check.field = IsChecked(dialog, check.id) ? 1 : 0;
    GetDlgItemTextA(dialog, IDC_SET_SAVE, chosen.pathSave, sizeof chosen.pathSave);
    GetDlgItemTextA(dialog, IDC_SET_LAUNCH, chosen.pathLaunch, sizeof chosen.pathLaunch);
    chosen.display_type = IsChecked(dialog, IDC_SET_INTERNAL) ? 0 : IsChecked(dialog, IDC_SET_EDITOR) ? 1 : 2;
    if (chosen.display_type == 2) {
        GetDlgItemTextA(dialog, IDC_SET_VIEWER, chosen.pathDisplay, sizeof chosen.pathDisplay);
        if (!chosen.pathDisplay[0]) {
            ShowMessage(dialog, LoadText(dialog, IDS_SET_NO_VIEWER).c_str(), kCaption, MB_OK | MB_ICONSTOP);
            SetFocus(GetDlgItem(dialog, IDC_SET_VIEWER));
            return;
        }
    }
    *g_settings = chosen;
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_SET_DISPLAY:
    case IDC_SET_INTERNAL:
    case IDC_SET_EDITOR:
    case IDC_SET_OTHER:
        if (code == BN_CLICKED) UpdateViewerControls(dialog);
        return TRUE;
    case IDC_SET_LAUNCH_BROWSE:
        BrowseForFolder(dialog, IDC_SET_LAUNCH, IDS_SET_LAUNCH_BROWSE);
        return TRUE;
    case IDC_SET_SAVE_BROWSE:
        BrowseForFolder(dialog, IDC_SET_SAVE, IDS_SET_SAVE_BROWSE);
        return TRUE;
    case IDC_SET_VIEWER_BROWSE:
        BrowseForViewer(dialog);
        return TRUE;
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (Settings *)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        g_settings = nullptr;
        return FALSE;
    }
    return FALSE;
}

INT_PTR ShowSetupDialog(HWND owner, Settings *settings) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner, SetupDialogProc,
                           (LPARAM)settings);
}
