// The main window's hook procedure and the browser's subclass procedure: the
// dialog's initialisation, the browser's notifications and the messages of
// the panel. Commands are handled in mainwindow_commands.cpp.
#include "shell/mainwindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>

#include "common/help_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "conversion/formatpanel_win.h"
#include "conversion/formatset.h"
#include "shell/filters.h"
#include "shell/resource.h"
#include "shell/settings.h"

namespace {

const char kCaption[] = "Glyphery";  // the browser's title: the program's name in every language

// The camera library's probe: non-zero when a camera interface is available.
typedef int(WINAPI *IsWiaProc)(HWND window);

bool CameraInterfaceAvailable(HWND window) {
    UniqueModule library(LoadLibraryA("GYphotograbber.dll"));
    if (!library) return false;
    IsWiaProc isWia = reinterpret_cast<IsWiaProc>(GetProcAddress(library.get(), "is_WIA"));
    return isWia && isWia(window) != 0;
}

bool g_cameraAvailable = false;

// Create-as list at start-up: the entries of the stored filter, with
// "Cursor" selected for a stored cursor kind and "Icon" otherwise.
void InitCreateAsList(HWND panel, const Settings &settings) {
    FillCreateAsList(panel, (int)FilterIndexForFormatIn(settings.formatIn));
    if (!SelectCreateAsKind(panel, settings.current_format == kCreateCursor ? kCreateCursor : kCreateIcon))
        SendDlgItemMessageA(panel, kIdCreateAsList, CB_SETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(panel, IDC_TEST), settings.current_format == kCreateCursor);
}

void SetWindowIcons(HWND browser, HINSTANCE instance) {
    HICON big = (HICON)LoadImageA(instance, MAKEINTRESOURCEA(IDI_GLYPHERY), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                  GetSystemMetrics(SM_CYICON), LR_SHARED);
    HICON small = (HICON)LoadImageA(instance, MAKEINTRESOURCEA(IDI_GLYPHERY), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    if (big) SetClassLongPtrA(browser, GCLP_HICON, (LONG_PTR)big);
    if (small) SetClassLongPtrA(browser, GCLP_HICONSM, (LONG_PTR)small);
}

BOOL OnInitDialog(HWND panel) {
    MainWindowState &w = MainWindow();
    Settings &s = *w.settings;
    w.panel = panel;
    w.browser = GetParent(panel);
    // 1. Fresh flags, the swatch's brush.
    w.cursorTest = false;
    w.scannedPending = w.cameraPending = false;
    w.chosenColor = s.color;
    w.swatchBrush = CreateSolidBrush(w.chosenColor);
    // 2. Tool tips.
    w.tooltips = CreatePanelTooltips(panel, w.instance, s.tooltips == 1);
    // 3. Transparency and scanner boxes.
    EnableWindow(GetDlgItem(panel, IDC_COLOR), s.transparent != 0);
    CheckDlgButton(panel, IDC_FROM_SCANNER, s.scanner ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(panel, IDC_TRANSPARENT, s.transparent ? BST_CHECKED : BST_UNCHECKED);
    // 4. Where a scanner module leaves its picture.
    CopyBounded(w.scannedPath, sizeof w.scannedPath, CollapseBackslashes(TempFolder() + "fl1.bmp"));
    // 5. Create-as list.
    InitCreateAsList(panel, s);
    // 6. Menu, target folder, window icon.
    w.menu = LoadMenuA(w.instance, MAKEINTRESOURCEA(IDM_MAIN));
    SetMenu(w.browser, w.menu);
    SetDlgItemTextA(panel, IDC_TARGET, s.pathSave);
    SetWindowIcons(w.browser, w.instance);
    HICON browse = (HICON)LoadImageA(w.instance, MAKEINTRESOURCEA(IDI_BROWSE), IMAGE_ICON, 16, 16, LR_SHARED);
    SendDlgItemMessageA(panel, IDC_TARGET_BROWSE, BM_SETIMAGE, IMAGE_ICON, (LPARAM)browse);
    HBITMAP convert = (HBITMAP)LoadImageA(w.instance, MAKEINTRESOURCEA(IDB_CONVERT), IMAGE_BITMAP, 0, 0,
                                          LR_SHARED | LR_LOADMAP3DCOLORS);
    SendDlgItemMessageA(panel, IDC_CONVERT, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)convert);
    // 7. The camera command only with a camera interface.
    g_cameraAvailable = CameraInterfaceAvailable(w.browser);
    // 8. Subclass the browser; a fixed-size window with a minimise box.
    w.previousProc = (WNDPROC)SetWindowLongPtrA(w.browser, GWLP_WNDPROC, (LONG_PTR)BrowserSubclassProc);
    LONG_PTR style = GetWindowLongPtrA(w.browser, GWL_STYLE);
    style &= ~(LONG_PTR)(WS_THICKFRAME | WS_MAXIMIZEBOX);
    style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    SetWindowLongPtrA(w.browser, GWL_STYLE, style);
    SetWindowPos(w.browser, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

void ReportMissingFileList(HWND browser) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    HINSTANCE instance = MainWindow().instance;
    std::string versionLine = LoadText(instance, IDS_VERSION_LINE);
    char numbers[128];
    snprintf(numbers, sizeof numbers, versionLine.c_str(), (unsigned long)version.dwMajorVersion,
             (unsigned long)version.dwMinorVersion, (unsigned long)(version.dwBuildNumber & 0xFFFF));
    std::string text = LoadText(instance, IDS_COMPONENT_MISSING) + numbers + "\n" + LoadText(instance, IDS_CONTACT_LINE);
    ShowMessage(browser, text.c_str(), LoadText(instance, IDS_CAPTION).c_str(), MB_OK | MB_ICONSTOP);
}

// The browser is ready: the panel takes its place beside the browser's
// controls and gets its toolbar and custom size control.
void OnBrowserReady(HWND panel) {
    MainWindowState &w = MainWindow();
    RelabelBrowser(w.browser, w.instance);
    InitCustomSize(panel);
    w.toolbar = CreateMainToolbar(panel, w.instance);
    LayOutPanel(panel, w.browser);
    if (!FindWindowExA(w.browser, nullptr, "SHELLDLL_DefView", nullptr)) ReportMissingFileList(w.browser);
}

// The browser's current filter, 1-based (its type list's selection + 1).
int CurrentFilterIndex(HWND browser, const OPENFILENAMEA *ofn) {
    LRESULT sel = SendDlgItemMessageA(browser, cmb1, CB_GETCURSEL, 0, 0);
    if (sel != CB_ERR) return (int)sel + 1;
    return ofn ? (int)ofn->nFilterIndex : 1;
}

void OnTypeChange(HWND panel, const OFNOTIFYA *notify) {
    FillCreateAsList(panel, CurrentFilterIndex(MainWindow().browser, notify->lpOFN));
}

void ShowAcquireMenu(HWND panel, const NMTOOLBARA *nm) {
    MainWindowState &w = MainWindow();
    HMENU menu = LoadMenuA(w.instance, MAKEINTRESOURCEA(IDM_ACQUIRE));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, IDM_CAMERA, MF_BYCOMMAND | (g_cameraAvailable ? MF_ENABLED : MF_GRAYED));
    RECT r = nm->rcButton;
    MapWindowPoints(nm->hdr.hwndFrom, nullptr, reinterpret_cast<POINT *>(&r), 2);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0, panel, nullptr);
    DestroyMenu(menu);
}

// Refuses the browser's own OK: the window never closes that way.
INT_PTR Refuse(HWND panel) {
    SetWindowLongPtrA(panel, DWLP_MSGRESULT, 1);
    return TRUE;
}

INT_PTR OnNotify(HWND panel, NMHDR *hdr) {
    MainWindowState &w = MainWindow();
    switch (hdr->code) {
    case CDN_INITDONE: OnBrowserReady(panel); return FALSE;
    case CDN_TYPECHANGE: OnTypeChange(panel, reinterpret_cast<OFNOTIFYA *>(hdr)); return FALSE;
    case CDN_FILEOK: return Refuse(panel);
    case TBN_DROPDOWN: {
        NMTOOLBARA *nm = reinterpret_cast<NMTOOLBARA *>(hdr);
        if (nm->iItem != IDM_ACQUIRE_BUTTON) return FALSE;
        ShowAcquireMenu(panel, nm);
        SetWindowLongPtrA(panel, DWLP_MSGRESULT, TBDDRET_DEFAULT);
        return TRUE;
    }
    case TTN_GETDISPINFOA:
    case TTN_GETDISPINFOW:
        // The toolbar's tips: the string of the button's command (a toolbar
        // may ask in either character set).
        if (!w.toolbar || hdr->hwndFrom != (HWND)SendMessageA(w.toolbar, TB_GETTOOLTIPS, 0, 0)) return FALSE;
        if (hdr->code == TTN_GETDISPINFOA) {
            NMTTDISPINFOA *info = reinterpret_cast<NMTTDISPINFOA *>(hdr);
            info->hinst = w.instance;
            info->lpszText = MAKEINTRESOURCEA(hdr->idFrom);
        } else {
            NMTTDISPINFOW *info = reinterpret_cast<NMTTDISPINFOW *>(hdr);
            info->hinst = w.instance;
            info->lpszText = MAKEINTRESOURCEW(hdr->idFrom);
        }
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnCtlColorStatic(HWND panel, HDC dc, HWND control) {
    if (control != GetDlgItem(panel, IDC_SWATCH)) return FALSE;
    return (INT_PTR)MainWindow().swatchBrush;
}

void OnHelpRequest(HWND panel, const HELPINFO *info) {
    if (info->iContextType == HELPINFO_WINDOW && FormatBoxIndex(info->iCtrlId) >= 0)
        ShowHelpTopic(panel, MainWindow().settings->helpPath, 400);
}

void OnDestroy() {
    MainWindowState &w = MainWindow();
    if (w.swatchBrush) DeleteObject(w.swatchBrush);
    w.swatchBrush = nullptr;
    if (w.cursorTest) SetClassLongPtrA(w.browser, GCLP_HCURSOR, (LONG_PTR)w.previousCursor);
    if (w.previewCursor) DestroyCursor(w.previewCursor);
    w.previewCursor = nullptr;
    w.cursorTest = false;
}

}  // namespace

MainWindowState &MainWindow() {
    static MainWindowState state;
    return state;
}

UINT_PTR CALLBACK MainHookProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(panel);
    case WM_NOTIFY: return OnNotify(panel, reinterpret_cast<NMHDR *>(lParam));
    case WM_COMMAND: return OnMainCommand(panel, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(panel, (HDC)wParam, (HWND)lParam);
    case WM_HELP: OnHelpRequest(panel, reinterpret_cast<HELPINFO *>(lParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK BrowserSubclassProc(HWND browser, UINT msg, WPARAM wParam, LPARAM lParam) {
    MainWindowState &w = MainWindow();
    switch (msg) {
    case WM_NCLBUTTONDOWN:
        if (wParam == HTMINBUTTON) {
            ShowWindow(browser, SW_MINIMIZE);
            return 0;
        }
        break;
    case WM_COMMAND:
        // Menu and toolbar commands reach the command table first.
        if (w.panel) SendMessageA(w.panel, WM_COMMAND, wParam, lParam);
        break;
    }
    return CallWindowProcA(w.previousProc, browser, msg, wParam, lParam);
}

bool RunMainWindow(HINSTANCE instance, Settings *settings) {
    MainWindowState &w = MainWindow();
    w.instance = instance;
    w.settings = settings;
    std::string filters = FilterListFromText(FilterListText());
    // The browser's file and file-title buffers.
    static char files[5048], titles[5048];
    files[0] = titles[0] = '\0';
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = nullptr;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = FilterIndexForFormatIn(settings->formatIn);
    ofn.lpstrFile = files;
    ofn.nMaxFile = sizeof files;
    ofn.lpstrFileTitle = titles;
    ofn.nMaxFileTitle = sizeof titles;
    ofn.lpstrInitialDir = settings->pathLaunch;
    ofn.lpstrTitle = kCaption;
    ofn.lpstrDefExt = "bmp";
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_SHOWHELP |
                OFN_HIDEREADONLY;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_PANEL);
    ofn.lpfnHook = MainHookProc;
    GetOpenFileNameA(&ofn);
    // Close ends the process; the dialog returns only when it could not be
    // shown (or was ended by the system).
    return false;
}
