// The commands of the main window: menu 128, menu 401, the toolbar and the
// panel's buttons. OnMainCommand hands each to its handler.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "common/files_win.h"
#include "common/paths.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "conversion/driver_win.h"
#include "conversion/formatpanel_win.h"
#include "conversion/formatset.h"
#include "conversion/mediasources_win.h"
#include "conversion/resource.h"
#include "conversion/sources.h"
#include "shell/aboutdlg.h"
#include "shell/filters.h"
#include "desktop/desktop.h"
#include "display/display_win.h"
#include "iconres/anibuilder.h"
#include "shell/mainwindow.h"
#include "shell/mainwindow_report.h"
#include "shell/resource.h"
#include "shell/selection.h"
#include "shell/settings.h"
#include "shell/setupdlg.h"

namespace {

std::string Text(UINT id) { return LoadText(MainWindow().instance, id); }

int Say(HWND owner, const std::string &text, UINT flags) {
    return ShowMessage(owner, text.c_str(), Text(IDS_CAPTION).c_str(), flags);
}

void Stop(HWND owner, const std::string &text) { Say(owner, text, MB_OK | MB_ICONSTOP); }

// A string of the table with its one %s filled.
std::string Formatted(UINT id, const std::string &arg) {
    std::string pattern = Text(id);
    std::vector<char> buf(pattern.size() + arg.size() + 1);
    snprintf(buf.data(), buf.size(), pattern.c_str(), arg.c_str());
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

const size_t kProbeNameLength = 14;  // "\gyXXXX.tmp" of the folder probe and the terminating NUL

// A refused target folder: the message, then the focus on the field.
bool RefuseTarget(HWND owner, HWND field, const std::string &text) {
    Stop(owner, text);
    SetFocus(field);
    return false;
}

// The target folder from its field into pathSave, collapsed, probed and
// created on request. False when the conversion must not go on; every
// refusal but the user's own No says why and puts the focus on the field.
bool TakeTargetFolder(HWND panel, HWND owner, Settings &s) {
    HWND field = GetDlgItem(panel, IDC_TARGET);
    if (GetWindowTextLengthA(field) >= MAX_PATH) return RefuseTarget(owner, field, Text(IDS_TARGET_TOO_LONG));
    char target[MAX_PATH] = "";
    GetWindowTextA(field, target, sizeof target);
    if (!target[0]) {
        Stop(owner, Text(IDS_NO_TARGET));
        return false;
    }
    CollapseBackslashesInPlace(target);
    CopyBounded(s.pathSave, sizeof s.pathSave, target);
    SetWindowTextA(field, target);
    // The platform's probe takes folders of at most 245 characters; a longer
    // one leaves no room for the files' names either.
    if (strlen(target) + kProbeNameLength > MAX_PATH) return RefuseTarget(owner, field, Formatted(IDS_TARGET_NO_ROOM, target));
    if (FolderAcceptsFiles(target)) return true;
    if (IsFolder(target)) return RefuseTarget(owner, field, Formatted(IDS_TARGET_NOT_WRITABLE, target));
    int answer = Say(owner, Formatted(IDS_CREATE_TARGET, target), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return false;
    if (!CreateFolderWithParents(target)) return RefuseTarget(owner, field, Formatted(IDS_TARGET_NOT_CREATED, target));
    if (!FolderAcceptsFiles(target)) return RefuseTarget(owner, field, Formatted(IDS_TARGET_NOT_WRITABLE, target));
    return true;
}

// The browser's selection as the source list; a single name must exist.
bool TakeSelection(HWND owner, std::vector<std::string> *sources) {
    HWND browser = MainWindow().browser;
    std::string selection = BrowserText(browser, CDM_GETSPEC);
    if (selection.empty()) {
        Stop(owner, Text(IDS_NO_FILE));
        return false;
    }
    std::string folder = BrowserText(browser, CDM_GETFOLDERPATH);
    *sources = SourcesFromSelection(folder, selection, kMaxSources);
    if (sources->empty()) {
        Stop(owner, Text(IDS_NO_FILE));
        return false;
    }
    if (selection.find('"') == std::string::npos &&
        GetFileAttributesA((*sources)[0].c_str()) == INVALID_FILE_ATTRIBUTES) {
        Stop(owner, Formatted(IDS_FILE_MISSING, (*sources)[0]));
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

// One conversion at a time: a message box shown during a conversion runs a
// modal loop, from which Convert, Test or their menu items could start
// another over the first one's progress window and source list. The buttons
// are disabled for the scope, and any command that still arrives is refused.
class ConversionScope {
public:
    explicit ConversionScope(HWND panel) : panel_(panel) {
        MainWindow().converting = true;
        for (int i = 0; i < 2; ++i) {
            HWND button = GetDlgItem(panel, kButtons[i]);
            enabled_[i] = IsWindowEnabled(button) != FALSE;
            EnableWindow(button, FALSE);
        }
    }
    ~ConversionScope() {
        for (int i = 0; i < 2; ++i) EnableWindow(GetDlgItem(panel_, kButtons[i]), enabled_[i]);
        MainWindow().converting = false;
    }
    ConversionScope(const ConversionScope &) = delete;
    ConversionScope &operator=(const ConversionScope &) = delete;

private:
    static constexpr int kButtons[2] = {IDC_CONVERT, IDC_TEST};
    HWND panel_;
    bool enabled_[2];
};

// Kind 3 on a clip: the builder dialog shows the frame icons and writes the
// animated cursor the user names into the target folder.
AnimatedCursorResult BuildAnimatedCursor(HWND owner, const AnimatedCursorFrames &frames) {
    const Settings &s = *MainWindow().settings;
    AniBuilderRequest request = {frames.frameCount, frames.frameSize, frames.source.c_str(), s.pathSave, s.helpPath, ""};
    AnimatedCursorResult result;
    if (RunAniBuilder(MainWindow().instance, owner, &request) == 1)
        result.written = request.written;
    else
        result.cancelled = true;
    return result;
}

// The cursor test writes a clip's animated cursor at once, as "<temp>GY.ani".
AnimatedCursorResult WriteTestAnimatedCursor(const AnimatedCursorFrames &frames) {
    AnimatedCursorResult result;
    std::string path = CursorTestAni(TempFolder());
    if (WriteAnimatedCursor(frames.icons, path, kDirectAniRate, "", "")) result.written = path;
    return result;
}

// The display window shows every icon or cursor file the conversion wrote,
// in source order. A profile image (a bitmap) is not one it shows.
void ShowInDisplayWindow(HWND owner, Settings &s, const std::vector<SourceResult> &results) {
    DisplayRequest request;
    request.kind = (int)s.current_format;
    request.settings = &s;
    if (request.kind != kCreateIcon && request.kind != kCreateCursor) return;
    for (const SourceResult &r : results)
        if (r.outcome == kSourceConverted) request.files.insert(request.files.end(), r.outputs.begin(), r.outputs.end());
    if (!request.files.empty()) ShowDisplayWindow(owner, MainWindow().instance, request);
}

void ShowResult(HWND owner, Settings &s, const std::vector<std::string> &sources,
                const std::vector<SourceResult> &results) {
    int kind = (int)s.current_format;
    if (!s.display_icon || sources.empty() || kind == kCreateAnimatedCursor) return;
    // Only a result of one frame is shown: MPEG sources make one file per frame.
    if (ClassifySource(sources.back()) == kMpegSource) return;
    std::string result = ResultPath(s.pathSave, sources.front(), kind);
    if (result.empty()) return;
    switch (s.display_type) {
    case 0: ShowInDisplayWindow(owner, s, results); break;
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
    if (w.converting) return;
    std::unique_ptr<ConversionScope> scope(new ConversionScope(panel));
    Settings &s = *w.settings;
    HWND owner = w.browser;
    std::vector<std::string> &sources = w.sources;
    sources.clear();
    if (w.scannedPending || w.cameraPending || w.capturePending) {
        // A picture handed over by the scanner, the camera or the screen capture.
        sources.push_back(w.scannedPending ? w.scannedPath : w.cameraPending ? w.cameraPath : w.capturePath);
        w.scannedPending = w.cameraPending = w.capturePending = false;
    } else {
        if (!FormatsChosen(panel, owner)) return;
        if (s.scanner) {
            // The picture comes from the TWAIN source, which hands it over
            // by message and issues Convert again (which must not be refused).
            scope.reset();
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
    // A single video: the frame the user grabs in the video tool is converted instead.
    std::string grabbedFrame;
    if (sources.size() == 1 && IsVideoSource(sources[0])) {
        if (!PickVideoFrame(owner, sources[0], &grabbedFrame)) return;
        sources[0] = grabbedFrame;
    }
    std::vector<SourceResult> results;
    int done = ConvertFromPanel(panel, w.instance, s, sources, &w.progress, &results,
                                [owner](const AnimatedCursorFrames &frames) { return BuildAnimatedCursor(owner, frames); });
    // The grabbed frame has served its conversion.
    if (!grabbedFrame.empty()) DeleteFileA(grabbedFrame.c_str());
    if (!done) {
        EndProgress(&w.progress, false);
        return;
    }
    if (s.bip) MessageBeep(MB_OK);
    EndProgress(&w.progress, true);
    ReportSourcesKept(owner, w.instance, results);
    ShowResult(owner, s, sources, results);
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
    if (w.converting) return;
    if (w.cursorTest) {
        StopCursorTest(panel);
        return;
    }
    ConversionScope scope(panel);
    if (!SelectionNamesFitCodePage(w.browser, w.browser, w.instance)) return;
    SetTestLabel(panel, IDS_STOP_TEST);
    std::string selection = BrowserText(w.browser, CDM_GETSPEC);
    std::vector<std::string> sources =
        SourcesFromSelection(BrowserText(w.browser, CDM_GETFOLDERPATH), selection, 1);
    if (sources.empty()) {
        Stop(w.browser, Text(IDS_SELECT_FILE));
        SetTestLabel(panel, IDS_TEST);
        return;
    }
    CopyTransparency(panel, s);
    s.current_format = (uint32_t)KindFromCreateAsList(panel);
    std::vector<SourceResult> results;
    int done = ConvertFromPanel(panel, w.instance, s, sources, &w.progress, &results, WriteTestAnimatedCursor);
    EndProgress(&w.progress, done != 0);
    ReportSourcesKept(w.browser, w.instance, results);
    // Only a file this conversion wrote is previewed, never one an earlier
    // run left under the same name: the cursor, the first frame's cursor of a
    // clip, or a clip's animated cursor "<temp>GY.ani".
    HCURSOR preview = nullptr;
    if (done && results.size() == 1 && !results[0].outputs.empty())
        preview = LoadCursorFromFileA(results[0].outputs[0].c_str());
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
    std::string chosen;
    if (BrowseForFolder(w.browser, LoadText(w.instance, IDS_TARGET_TITLE), std::string(), -1, &chosen))
        SetDlgItemTextA(panel, IDC_TARGET, chosen.c_str());
}

void OnOpenSelected() {
    MainWindowState &w = MainWindow();
    if (!SelectionNamesFitCodePage(w.browser, w.browser, w.instance)) return;
    std::string folder = BrowserText(w.browser, CDM_GETFOLDERPATH);
    std::vector<std::string> chosen = SourcesFromSelection(folder, BrowserText(w.browser, CDM_GETSPEC), 1);
    if (chosen.empty()) {
        Stop(w.browser, Text(IDS_SELECT_FILE));
        return;
    }
    ShellOpen(w.browser, "open", chosen[0].c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void OnChooseColor(HWND panel) {
    MainWindowState &w = MainWindow();
    COLORREF colour = w.chosenColor;
    if (!PickColour(w.browser, &colour)) return;
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    if (w.swatchBrush) DeleteObject(w.swatchBrush);
    w.swatchBrush = brush;
    w.chosenColor = colour;
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
// A default target folder chosen there replaces the field's, which the next
// Convert reads.
void OnSetup(HWND panel, HWND owner) {
    MainWindowState &w = MainWindow();
    std::string savedBefore = w.settings->pathSave;
    if (ShowSetupDialog(owner, w.settings) != 1) return;
    if (w.tooltips) SendMessageA(w.tooltips, TTM_ACTIVATE, w.settings->tooltips == 1, 0);
    if (savedBefore != w.settings->pathSave) SetDlgItemTextA(panel, IDC_TARGET, w.settings->pathSave);
}

void OnAbout(HWND owner) { ShowAboutDialog(owner); }

}  // namespace

void ShowCapturedPicture(HWND owner, const std::string &picture) {
    MainWindowState &w = MainWindow();
    Settings &s = *w.settings;
    if (!s.display_icon) return;
    if (s.display_type == 0) {
        DisplayRequest request;  // the window finds the picture and names its icon
        request.kind = kCreateProfile;
        request.targetFolder = s.pathSave;
        request.captureName = w.captureName;
        request.settings = &s;
        ShowDisplayWindow(owner, w.instance, request);
    } else if (s.display_type == 2 && s.pathDisplay[0]) {
        ShellOpen(owner, "open", s.pathDisplay, QuotedParameter(picture).c_str(), nullptr, SW_SHOWNORMAL);
    }
    // The editor opens icon files only: a captured bitmap has none yet.
}

bool FormatsChosen(HWND panel, HWND owner) {
    if (AnyFormatChecked(panel)) return true;
    UINT empty = KindFromCreateAsList(panel) == kCreateCursor ? IDS_EMPTY_CURSOR : IDS_EMPTY_ICON;
    Say(owner, Text(empty), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

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
    case IDM_SETUP: OnSetup(panel, owner); break;
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
