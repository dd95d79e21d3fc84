// The commands of the main window: menu 128, menu 401, the toolbar and the
// panel's buttons. OnMainCommand hands each to its handler.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/paths.h"
#include "common/seams.h"
#include "conversion/driver_win.h"
#include "conversion/formatpanel_win.h"
#include "conversion/formatset.h"
#include "conversion/resource.h"
#include "conversion/sources.h"
#include "shell/aboutdlg.h"
#include "shell/filters.h"
#include "desktop/desktop.h"
#include "shell/mainwindow.h"
#include "shell/mainwindow_report.h"
#include "shell/resource.h"
#include "shell/selection.h"
#include "shell/settings.h"
#include "shell/setupdlg.h"

namespace {

const char kCaption[] = "Glyphery";
const char kNoFileText[] = "You did not select the file to convert...";
const char kFileMissingText[] = "The file %s does not exists or cannot be reached...";
const char kNoTargetText[] = "You did not select the target folder...";
const char kCreateTargetText[] = "%s does not exists.\nDo you want to create it?";
const char kSelectFileText[] = "Please select a file...";

void Stop(HWND owner, const std::string &text) { ShowMessage(owner, text.c_str(), kCaption, MB_OK | MB_ICONSTOP); }

std::string Formatted(const char *pattern, const std::string &arg) {
    std::vector<char> buf(strlen(pattern) + arg.size() + 1);
    snprintf(buf.data(), buf.size(), pattern, arg.c_str());
    return buf.data();
}

// A text the browser reports (CDM_GETSPEC, CDM_GETFOLDERPATH), whatever its length.
std::string BrowserText(HWND browser, UINT message) {
    LRESULT needed = SendMessageA(browser, message, 0, 0);
    if (needed <= 0) return "";
    std::vector<char> buf((size_t)needed + 1, '\0');
    LRESULT got = SendMessageA(browser, message, (WPARAM)buf.size(), (LPARAM)buf.data());
    if (got <= 0) return "";
    buf.back() = '\0';
    return buf.data();
}

bool Checked(HWND panel, int id) { return IsDlgButtonChecked(panel, id) == BST_CHECKED; }

// The transparency state goes into the settings as a conversion starts.
void CopyTransparency(HWND panel, Settings &s) {
    s.transparent = Checked(panel, IDC_TRANSPARENT) ? 1 : 0;
    s.color = s.transparent ? MainWindow().chosenColor : 0;
}

bool FolderAccepts(const char *folder) {
    char probe[MAX_PATH];
    if (!GetTempFileNameA(folder, "gy", 0, probe)) return false;
    DeleteFileA(probe);
    return true;
}

bool CreateFolderWithParents(const std::string &folder) {
    for (const std::string &step : FolderChain(folder)) {
        if (CreateDirectoryA(step.c_str(), nullptr)) continue;
        DWORD attributes = GetFileAttributesA(step.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    }
    return true;
}

// The target folder from its field into pathSave, collapsed, probed and
// created on request. False when the conversion must not go on.
bool TakeTargetFolder(HWND panel, HWND owner, Settings &s) {
    HWND field = GetDlgItem(panel, IDC_TARGET);
    if (GetWindowTextLengthA(field) >= MAX_PATH) return false;  // no folder path is that long
    char target[MAX_PATH] = "";
    GetWindowTextA(field, target, sizeof target);
    if (!target[0]) {
        Stop(owner, kNoTargetText);
        return false;
    }
    CollapseBackslashesInPlace(target);
    CopyBounded(s.pathSave, sizeof s.pathSave, target);
    SetWindowTextA(field, target);
    if (FolderAccepts(target)) return true;
    int answer = ShowMessage(owner, Formatted(kCreateTargetText, target).c_str(), kCaption, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return false;
    return CreateFolderWithParents(target) && FolderAccepts(target);
}

// The browser's selection as the source list; a single name must exist.
bool TakeSelection(HWND owner, std::vector<std::string> *sources) {
    HWND browser = MainWindow().browser;
    std::string selection = BrowserText(browser, CDM_GETSPEC);
    if (selection.empty()) {
        Stop(owner, kNoFileText);
        return false;
    }
    std::string folder = BrowserText(browser, CDM_GETFOLDERPATH);
    *sources = SourcesFromSelection(folder, selection, kMaxSources);
    if (sources->empty()) {
        Stop(owner, kNoFileText);
        return false;
    }
    if (selection.find('"') == std::string::npos &&
        GetFileAttributesA((*sources)[0].c_str()) == INVALID_FILE_ATTRIBUTES) {
        Stop(owner, Formatted(kFileMissingText, (*sources)[0]));
        sources->clear();
        return false;
    }
    return true;
}

void EndProgress(HWND *progress, bool finished) {
    if (*progress) {
        if (finished) {
            SendMessageA(*progress, WM_COMMAND, IDM_PROGRESS_SHOW_STATUS, 0);
            Sleep(100);
        }
        DestroyWindow(*progress);
        *progress = nullptr;
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

void ShowResult(HWND owner, const Settings &s, const std::vector<std::string> &sources) {
    int kind = (int)s.current_format;
    if (!s.display_icon || sources.empty() || kind == kCreateAnimatedCursor) return;
    // Only a result of one frame is shown: MPEG sources make one file per frame.
    if (ClassifySource(sources.back()) == kMpegSource) return;
    std::string result = ResultPath(s.pathSave, sources.front(), kind);
    if (result.empty()) return;
    switch (s.display_type) {
    case 0: OpenDisplayWindow(owner, result); break;
    case 1: {
        std::string editor = CollapseBackslashes(std::string(s.installPath) + "\\GlypheryEdit.exe");
        ShellOpen(owner, "open", editor.c_str(), ("|" + result).c_str(), nullptr, SW_SHOWNORMAL);
        break;
    }
    case 2:
        if (s.pathDisplay[0])
            ShellOpen(owner, "open", s.pathDisplay, QuotedParameter(result).c_str(), nullptr, SW_SHOWNORMAL);
        break;
    }
}

void OnConvert(HWND panel) {
    MainWindowState &w = MainWindow();
    Settings &s = *w.settings;
    HWND owner = w.browser;
    std::vector<std::string> &sources = w.sources;
    sources.clear();
    if (w.scannedPending || w.cameraPending) {
        // A picture handed over by the scanner module or the camera.
        sources.push_back(w.scannedPending ? w.scannedPath : w.cameraPath);
        w.scannedPending = w.cameraPending = false;
    } else {
        if (!AnyFormatChecked(panel)) {
            ShowMessage(owner, EmptyChoiceMessage(KindFromCreateAsList(panel)), kCaption,
                        MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (s.scanner) {
            // The picture comes from the TWAIN source, which hands it over
            // by message and issues Convert again.
            AcquireFromScanner(owner);
            return;
        }
        if (!SelectionNamesFitCodePage(w.browser, owner, w.instance)) return;
        if (!TakeSelection(owner, &sources)) return;
        if (!TakeTargetFolder(panel, owner, s)) {
            sources.clear();
            return;
        }
        CopyTransparency(panel, s);
    }
    s.current_format = (uint32_t)KindFromCreateAsList(panel);
    if (sources.size() == 1 && IsVideoSource(sources[0])) sources[0] = PickVideoFrame(owner, sources[0]);
    std::vector<SourceResult> results;
    int done = ConvertFromPanel(panel, w.instance, s, sources, &w.progress, &results);
    if (!done) {
        EndProgress(&w.progress, false);
        return;
    }
    if (s.bip) MessageBeep(MB_OK);
    EndProgress(&w.progress, true);
    ReportSourcesKept(owner, w.instance, results);
    ShowResult(owner, s, sources);
}

void SetTestLabel(HWND panel, UINT text) {
    SetDlgItemTextA(panel, IDC_TEST, LoadText(MainWindow().instance, text).c_str());
}

void StopCursorTest(HWND panel) {
    MainWindowState &w = MainWindow();
    SetClassLongPtrA(w.browser, GCLP_HCURSOR, (LONG_PTR)w.previousCursor);
    if (w.previewCursor) DestroyCursor(w.previewCursor);
    w.previewCursor = nullptr;
    w.cursorTest = false;
    SetTestLabel(panel, IDS_TEST);
}

void OnCursorTest(HWND panel) {
    MainWindowState &w = MainWindow();
    Settings &s = *w.settings;
    if (w.cursorTest) {
        StopCursorTest(panel);
        return;
    }
    if (!SelectionNamesFitCodePage(w.browser, w.browser, w.instance)) return;
    SetTestLabel(panel, IDS_STOP_TEST);
    std::string selection = BrowserText(w.browser, CDM_GETSPEC);
    std::vector<std::string> sources =
        SourcesFromSelection(BrowserText(w.browser, CDM_GETFOLDERPATH), selection, 1);
    if (sources.empty()) {
        Stop(w.browser, kSelectFileText);
        SetTestLabel(panel, IDS_TEST);
        return;
    }
    CopyTransparency(panel, s);
    s.current_format = (uint32_t)KindFromCreateAsList(panel);
    std::vector<SourceResult> results;
    int done = ConvertFromPanel(panel, w.instance, s, sources, &w.progress, &results);
    EndProgress(&w.progress, done != 0);
    ReportSourcesKept(w.browser, w.instance, results);
    HCURSOR preview = nullptr;
    if (done) {
        std::string path = PreviewCursorPath(s.pathSave, TempFolder(), sources[0]);
        if (!path.empty()) preview = LoadCursorFromFileA(path.c_str());
    }
    if (!preview) {
        SetTestLabel(panel, IDS_TEST);
        return;
    }
    w.previewCursor = preview;
    w.previousCursor = (HCURSOR)SetClassLongPtrA(w.browser, GCLP_HCURSOR, (LONG_PTR)preview);
    w.cursorTest = true;
    SetCursor(preview);
}

void OnBrowseTarget(HWND panel) {
    MainWindowState &w = MainWindow();
    std::string title = LoadText(w.instance, IDS_TARGET_TITLE);
    char display[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = w.browser;
    info.pszDisplayName = display;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(chosen, path)) SetDlgItemTextA(panel, IDC_TARGET, path);
    CoTaskMemFree(chosen);
}

void OnOpenSelected() {
    MainWindowState &w = MainWindow();
    if (!SelectionNamesFitCodePage(w.browser, w.browser, w.instance)) return;
    std::string folder = BrowserText(w.browser, CDM_GETFOLDERPATH);
    std::vector<std::string> chosen = SourcesFromSelection(folder, BrowserText(w.browser, CDM_GETSPEC), 1);
    if (chosen.empty()) {
        Stop(w.browser, kSelectFileText);
        return;
    }
    ShellOpen(w.browser, "open", chosen[0].c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void OnChooseColor(HWND panel) {
    MainWindowState &w = MainWindow();
    static COLORREF custom[16];
    for (COLORREF &c : custom) c = RGB(255, 255, 255);
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = w.browser;
    choose.rgbResult = w.chosenColor;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&choose)) return;
    HBRUSH brush = CreateSolidBrush(choose.rgbResult);
    if (!brush) return;
    if (w.swatchBrush) DeleteObject(w.swatchBrush);
    w.swatchBrush = brush;
    w.chosenColor = choose.rgbResult;
    InvalidateRect(GetDlgItem(panel, IDC_SWATCH), nullptr, TRUE);
}

void OnXpFormat(HWND panel) {
    if (!XpButtonPressed()) {
        ChooseFormatPreset(panel, kXpSetIds, 9);
        SetXpFormatState(panel, true, false);
    } else {
        ClearFormatChoice(panel);
        SetXpFormatState(panel, false, false);
    }
}

void OnUnselect(HWND panel) {
    ClearFormatChoice(panel);
    SetXpFormatState(panel, false, false);
}

void OnCreateAsChanged(HWND panel) {
    CreateAsEffects effects = OnCreateAsSelected(panel);
    MainWindow().settings->current_format = (uint32_t)effects.kind;
    SetXpFormatState(panel, false, effects.xpButton == kXpIndeterminate);
}

void OnStoreFilter() {
    MainWindowState &w = MainWindow();
    int selection = (int)SendDlgItemMessageA(w.browser, cmb1, CB_GETCURSEL, 0, 0);
    w.settings->formatIn = FormatInForSelection(selection, w.settings->formatIn);
}

void OnClose(HWND panel) {
    MainWindowState &w = MainWindow();
    w.settings->transparent = Checked(panel, IDC_TRANSPARENT) ? 1 : 0;
    SettingsAccess(w.settings, kSettingsSave);
    ExitProcess(0);
}

// The setup dialog edits the record; the tool tips follow its choice at once.
void OnSetup(HWND owner) {
    MainWindowState &w = MainWindow();
    if (ShowSetupDialog(owner, w.settings) == 1 && w.tooltips)
        SendMessageA(w.tooltips, TTM_ACTIVATE, w.settings->tooltips == 1, 0);
}

void OnAbout(HWND owner) { ShowAboutDialog(owner); }

}  // namespace

bool OnMainCommand(HWND panel, int id, int code) {
    if (id == IDC_CREATE_AS) {
        if (code == CBN_SELCHANGE) OnCreateAsChanged(panel);
        return code == CBN_SELCHANGE;
    }
    // Clicks, menu items and accelerators; other notifications are the controls' own.
    if (code != BN_CLICKED && code != 1) return false;
    HWND owner = MainWindow().browser;
    switch (id) {
    case IDM_CLOSE: OnClose(panel); break;
    case IDM_ABOUT: OnAbout(owner); break;
    case IDM_QUIT: SendMessageA(owner, WM_COMMAND, IDM_CLOSE, 0); break;
    case IDM_SETUP: OnSetup(owner); break;
    case IDM_HELP:
        ShellOpen(owner, "open", MainWindow().settings->helpPath, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDM_SYSICONS: OnSystemIcons(owner); break;
    case IDM_SYSCURSORS: OnSystemCursors(owner); break;
    case IDM_UNSELECT: OnUnselect(panel); break;
    case IDM_FOLDERICONS: OnFolderIcons(owner); break;
    case IDM_METRICS: OnIconMetrics(owner); break;
    case IDM_DRIVEICONS: OnDriveIcons(owner); break;
    case IDM_DESKTOPICONS: break;  // no action
    case IDM_XP_BUTTON:
    case IDM_XP_FORMAT: OnXpFormat(panel); break;
    case IDM_FAVORITES: OnFavoritesIcons(owner); break;
    case IDM_SELECT_SOURCE: OnSelectSource(owner); break;
    case IDM_SCAN_GLYPHERY: OnScanGlyphery(owner); break;
    case IDM_ACQUIRE_BUTTON: OnScanModule(owner); break;
    case IDM_CAMERA: OnCamera(owner); break;
    case IDM_CAPTURE: OnScreenCapture(owner); break;
    case IDC_COLOR: OnChooseColor(panel); break;
    case IDM_FILTER_A:
    case IDM_FILTER_B: OnStoreFilter(); break;
    case IDM_OPEN_SELECTED: OnOpenSelected(); break;
    case IDC_TRANSPARENT: EnableWindow(GetDlgItem(panel, IDC_COLOR), Checked(panel, IDC_TRANSPARENT)); break;
    case IDC_TARGET_BROWSE: OnBrowseTarget(panel); break;
    case IDC_CONVERT: OnConvert(panel); break;
    case IDC_TEST: OnCursorTest(panel); break;
    case IDC_FROM_SCANNER: MainWindow().settings->scanner = Checked(panel, IDC_FROM_SCANNER) ? 1 : 0; break;
    default: return false;
    }
    return true;
}

// The desktop customization dialogs, modal on the main window, with the
// suite's help file.
void OnSystemIcons(HWND owner) { ShowSystemIconsDialog(owner, MainWindow().settings->helpPath); }
void OnSystemCursors(HWND owner) { ShowSystemCursorsDialog(owner, MainWindow().settings->helpPath); }
void OnFolderIcons(HWND owner) { ShowFolderIconsDialog(owner, MainWindow().settings->helpPath); }
void OnIconMetrics(HWND owner) { ShowMetricsDialog(owner, MainWindow().settings->helpPath); }
void OnDriveIcons(HWND owner) { ShowDriveIconsDialog(owner, MainWindow().settings->helpPath); }
void OnFavoritesIcons(HWND owner) { ShowFavoritesDialog(owner, MainWindow().settings->helpPath); }

// Acquisition and the display window belong to parts of the suite that are
// not in this program yet: each is reached from its menu item or button and
// does nothing for now.
void OnSelectSource(HWND owner) {}
void OnScanModule(HWND owner) {}
void OnScanGlyphery(HWND owner) {}
void OnCamera(HWND owner) {}
void OnScreenCapture(HWND owner) {}
void AcquireFromScanner(HWND owner) {}
void OpenDisplayWindow(HWND owner, const std::string &resultPath) {}
std::string PickVideoFrame(HWND owner, const std::string &video) { return video; }
