#include "setup/wizard.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "setup/install_win.h"
#include "setup/resource.h"

namespace {

enum Page { kWelcome, kFolder, kOptions, kCopy, kFinish, kPageCount };
const int kTemplates[kPageCount] = {IDD_WELCOME, IDD_FOLDER, IDD_OPTIONS, IDD_COPY, IDD_FINISH};

// The wizard's state for its one run.
struct Wizard {
    HINSTANCE instance = nullptr;
    std::string folder = "c:\\Program Files\\Glyphery";
    std::vector<std::string> madeFolders;
    bool group = true, startMenu = true, desktop = true;
    std::string startMenuFolder;
    bool launch = true, readme = true;
    bool installed = false;
    InstallResult result;
    UniqueGdiObject welcomeFont, titleFont, copyFont;
};
Wizard *g_wizard = nullptr;

std::string Text(UINT id) { return LoadText(g_wizard->instance, id); }

std::string Format(UINT id, const std::string &a, const std::string &b = std::string(),
                   const std::string &c = std::string()) {
    std::string pattern = Text(id);
    std::vector<char> buf(pattern.size() + a.size() + b.size() + c.size() + 1);
    snprintf(buf.data(), buf.size(), pattern.c_str(), a.c_str(), b.c_str(), c.c_str());
    return buf.data();
}

int Tell(HWND owner, UINT textId, const std::string &text, UINT flags) {
    return ShowMessage(owner, text.empty() ? Text(textId).c_str() : text.c_str(), Text(IDS_APP).c_str(), flags);
}

// Title fonts, point sizes scaled with the screen's vertical resolution over 110.
HFONT MakeFont(const char *face, int points, bool italic) {
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 110);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

void SetTitleFont(HWND page, HFONT font) { SendDlgItemMessageA(page, IDC_TITLE, WM_SETFONT, (WPARAM)font, TRUE); }

void SetButtons(HWND page, DWORD buttons) { PropSheet_SetWizButtons(GetParent(page), buttons); }

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

std::string FieldText(HWND page, int id) {
    char buf[MAX_PATH + 1] = "";
    GetDlgItemTextA(page, id, buf, sizeof buf);
    return buf;
}

// Refuses the move to the next page (the sheet stays where it is).
BOOL StayOnPage(HWND page) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, -1);
    return TRUE;
}

// ---------------------------------------------------------------- Cancel

// Dialog 114: OK ends the setup, Cancel goes back to the wizard.
INT_PTR CALLBACK CancelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// On the Welcome and folder pages the dialog's Cancel returns to the wizard;
// from the Options page on, the setup ends whichever button is pressed.
BOOL OnQueryCancel(HWND page, Page which) {
    INT_PTR answer = DialogBoxParamA(g_wizard->instance, MAKEINTRESOURCEA(IDD_CANCEL), GetParent(page), CancelProc, 0);
    bool end = which >= kOptions || answer == IDOK;
    SetWindowLongPtrA(page, DWLP_MSGRESULT, end ? FALSE : TRUE);
    return TRUE;
}

// ---------------------------------------------------------------- pages

void OnWelcomeActive(HWND page) {
    HWND sheet = GetParent(page);
    g_wizard->startMenu = g_wizard->group = false;
    HICON icon = LoadIconA(g_wizard->instance, MAKEINTRESOURCEA(IDI_SETUP));
    SendMessageA(sheet, WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessageA(sheet, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    CentreOnScreen(sheet);
    SetButtons(page, PSWIZB_NEXT);
}

// Checks the folder and makes it: an empty field is refused; a folder that
// cannot take a file is created, level by level, once the user agrees.
BOOL OnFolderNext(HWND page) {
    std::string typed = FieldText(page, IDC_FOLDER);
    if (typed.empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        Tell(page, IDS_NO_FOLDER, std::string(), MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(page, IDC_FOLDER));
        return StayOnPage(page);
    }
    std::string folder = CollapseBackslashes(typed);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    SetDlgItemTextA(page, IDC_FOLDER, folder.c_str());
    if (!FolderAcceptsFiles(folder)) {
        if (Tell(page, 0, Format(IDS_CREATE_FOLDER, folder), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return StayOnPage(page);
        std::vector<std::string> made;
        for (const std::string &level : FolderChain(folder))
            if (!IsFolder(level)) made.push_back(level);
        if (!CreateFolderWithParents(folder) || !FolderAcceptsFiles(folder)) {
            Tell(page, 0, Format(IDS_FOLDER_NOT_MADE, folder), MB_OK | MB_ICONSTOP);
            SetFocus(GetDlgItem(page, IDC_FOLDER));
            return StayOnPage(page);
        }
        g_wizard->madeFolders = made;
    }
    g_wizard->folder = folder;
    return FALSE;
}

BOOL OnOptionsNext(HWND page) {
    Wizard &w = *g_wizard;
    w.group = Checked(page, IDC_GROUP);
    w.startMenu = Checked(page, IDC_STARTMENU);
    w.desktop = Checked(page, IDC_DESKTOP);
    w.startMenuFolder.clear();
    // The browser starts on the Start menu's Programs folder, where shortcuts usually go.
    char programs[MAX_PATH] = "";
    if (w.startMenu) SHGetSpecialFolderPathA(page, programs, CSIDL_PROGRAMS, FALSE);
    if (w.startMenu && !BrowseForFolder(page, Text(IDS_STARTMENU_TITLE), programs, CSIDL_STARTMENU,
                                        &w.startMenuFolder)) {
        w.startMenu = false;
        w.startMenuFolder.clear();
        CheckDlgButton(page, IDC_STARTMENU, BST_UNCHECKED);
    }
    return FALSE;
}

void OnCopyActive(HWND page) {
    const Wizard &w = *g_wizard;
    SetDlgItemTextA(page, IDC_COPY_FOLDER, w.folder.c_str());
    std::string lines;
    if (w.startMenu) lines += Text(IDS_IN_STARTMENU) + "\n";
    if (w.group) lines += Text(IDS_IN_GROUP) + "\n";
    if (w.desktop) lines += Text(IDS_ON_DESKTOP) + "\n";
    SetDlgItemTextA(page, IDC_COPY_OPTIONS, lines.c_str());
    SetButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
}

// The Copy page shows each file as it is copied.
class CopyPageProgress : public InstallProgress {
public:
    explicit CopyPageProgress(HWND page) : page_(page) {}
    void Copying(const std::string &from, const std::string &to) override {
        std::string folder = DirName(from), name = from.substr(folder.size() + 1);
        std::string drive = folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string();
        SetDlgItemTextA(page_, IDC_COPY_FROM, Format(IDS_COPY_FROM, drive, folder.substr(drive.size()) + "\\", name).c_str());
        SetDlgItemTextA(page_, IDC_COPY_TO, Format(IDS_COPY_TO, DirName(to), name).c_str());
        UpdateWindow(page_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

private:
    HWND page_;
};

BOOL OnCopyNext(HWND page) {
    Wizard &w = *g_wizard;
    SetButtons(page, PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
    HWND animation = GetDlgItem(page, IDC_ANIMATION);
    ShowWindow(animation, SW_SHOW);
    Animate_Play(animation, 0, -1, -1);
    InstallRequest request;
    request.sourceFolder = InstallFolder();
    request.folder = w.folder;
    request.madeFolders = w.madeFolders;
    request.group = w.group;
    request.desktop = w.desktop;
    request.startMenuFolder = w.startMenu ? w.startMenuFolder : std::string();
    // The page pumps messages while it copies (to paint and animate): the
    // sheet takes no input meanwhile, so no Back or Cancel lands mid-copy.
    HWND sheet = GetParent(page);
    EnableWindow(sheet, FALSE);
    CopyPageProgress progress(page);
    w.result = RunInstall(request, &progress);
    EnableWindow(sheet, TRUE);
    Animate_Stop(animation);
    ShowWindow(animation, SW_HIDE);
    w.installed = w.result.complete();
    if (!w.result.failed.empty()) {
        std::string names;
        for (const std::string &f : w.result.failed) names += "    " + f + "\n";
        Tell(page, 0, Format(IDS_COPY_FAILED, w.folder, names), MB_OK | MB_ICONSTOP);
    } else if (!w.result.registryWritten || !w.result.recordWritten) {
        Tell(page, IDS_SETTINGS_FAILED, std::string(), MB_OK | MB_ICONSTOP);
    }
    return FALSE;
}

void OnFinishActive(HWND page) {
    const Wizard &w = *g_wizard;
    SetDlgItemTextA(page, IDC_TITLE, Text(w.installed ? IDS_FINISH_DONE : IDS_FINISH_FAILED).c_str());
    std::string body;
    if (w.installed) {
        body = Format(IDS_FINISH_BODY, w.folder);
    } else {
        std::string names;
        for (const std::string &f : w.result.failed) names += "    " + f + "\n";
        body = Format(IDS_FINISH_MISSING, w.folder, names);
    }
    SetDlgItemTextA(page, IDC_FINISH_TEXT, body.c_str());
    // An incomplete install is not started: the program may lack what it loads.
    CheckDlgButton(page, IDC_LAUNCH, w.installed ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(page, IDC_LAUNCH), w.installed);
    CheckDlgButton(page, IDC_README, BST_CHECKED);
    SetButtons(page, PSWIZB_FINISH);
}

void OnFinish(HWND page) {
    Wizard &w = *g_wizard;
    w.readme = Checked(page, IDC_README);
    w.launch = w.installed && Checked(page, IDC_LAUNCH);
    if (w.readme)
        ShellOpen(page, "open", (w.folder + "\\whatsnewe.txt").c_str(), nullptr, w.folder.c_str(), SW_SHOWNORMAL);
    if (w.launch)
        ShellOpen(page, "open", (w.folder + "\\Glyphery.exe").c_str(), nullptr, w.folder.c_str(), SW_SHOWNORMAL);
}

// ---------------------------------------------------------------- procedures

void OnPageInit(HWND page, Page which) {
    Wizard &w = *g_wizard;
    switch (which) {
    case kWelcome: SetTitleFont(page, (HFONT)w.welcomeFont.get()); break;
    case kFolder:
        SetTitleFont(page, (HFONT)w.titleFont.get());
        SendDlgItemMessageA(page, IDC_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
        SetDlgItemTextA(page, IDC_FOLDER, w.folder.c_str());
        break;
    case kOptions:
        SetTitleFont(page, (HFONT)w.titleFont.get());
        for (int id : {IDC_GROUP, IDC_STARTMENU, IDC_DESKTOP}) CheckDlgButton(page, id, BST_CHECKED);
        break;
    case kCopy:
        SetTitleFont(page, (HFONT)w.copyFont.get());
        Animate_Open(GetDlgItem(page, IDC_ANIMATION), MAKEINTRESOURCEA(IDR_COPY_ANIMATION));
        break;
    case kFinish: SetTitleFont(page, (HFONT)w.welcomeFont.get()); break;
    case kPageCount: break;
    }
}

BOOL OnNotify(HWND page, Page which, const NMHDR *n) {
    switch (n->code) {
    case PSN_SETACTIVE:
        if (which == kWelcome) OnWelcomeActive(page);
        else if (which == kCopy) OnCopyActive(page);
        else if (which == kFinish) OnFinishActive(page);
        else SetButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        return TRUE;
    case PSN_WIZNEXT:
        if (which == kFolder) return OnFolderNext(page);
        if (which == kOptions) return OnOptionsNext(page);
        if (which == kCopy) return OnCopyNext(page);
        return FALSE;
    case PSN_WIZFINISH: OnFinish(page); return FALSE;
    case PSN_QUERYCANCEL: return OnQueryCancel(page, which);
    default: return FALSE;
    }
}

BOOL OnCommand(HWND page, int id) {
    if (id != IDC_BROWSE) return FALSE;
    std::string chosen;
    if (BrowseForFolder(page, Text(IDS_BROWSE_TITLE), FieldText(page, IDC_FOLDER), -1, &chosen))
        SetDlgItemTextA(page, IDC_FOLDER, chosen.c_str());
    return TRUE;
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        Page which = (Page)((PROPSHEETPAGEA *)lParam)->lParam;
        SetWindowLongPtrA(page, DWLP_USER, which);
        OnPageInit(page, which);
        return TRUE;
    }
    case WM_NOTIFY: return OnNotify(page, (Page)GetWindowLongPtrA(page, DWLP_USER), (const NMHDR *)lParam);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam));
    default: return FALSE;
    }
}

}  // namespace

int RunInstallWizard(HINSTANCE instance) {
    Wizard wizard;
    wizard.instance = instance;
    wizard.welcomeFont.reset(MakeFont("MS Sans Serif", 10, false));
    wizard.titleFont.reset(MakeFont("Times New Roman", 32, true));
    wizard.copyFont.reset(MakeFont("Arial", 16, false));
    g_wizard = &wizard;

    // In wizard mode the sheet's title bar shows the page's title: each
    // page carries the sheet's caption.
    std::string caption = LoadText(instance, IDS_SHEET_CAPTION);
    PROPSHEETPAGEA pages[kPageCount] = {};
    HPROPSHEETPAGE handles[kPageCount] = {};
    for (int i = 0; i < kPageCount; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].pszTitle = caption.c_str();
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(kTemplates[i]);
        pages[i].pfnDlgProc = PageProc;
        pages[i].lParam = i;
        handles[i] = CreatePropertySheetPageA(&pages[i]);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_WIZARD | PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hInstance = instance;
    header.pszIcon = MAKEINTRESOURCEA(IDI_SETUP);
    header.pszCaption = caption.c_str();
    header.nPages = kPageCount;
    header.phpage = handles;
    PropertySheetA(&header);
    g_wizard = nullptr;
    return wizard.installed ? 1 : 0;
}
