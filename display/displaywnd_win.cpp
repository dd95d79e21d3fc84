// The display window's dialog procedure and its handlers. The window's state
// lives in a DisplayWindow behind DWLP_USER for one opening.
#include "display/display_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/handles.h"
#include "common/help_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/types.h"
#include "common/windowutil.h"
#include "contracts/gygraph.h"
#include "conversion/sources.h"
#include "display/colordlg_win.h"
#include "display/combine_win.h"
#include "display/displayops_win.h"
#include "display/effects_win.h"
#include "display/pluginmenu.h"
#include "display/plugins_win.h"
#include "display/print_win.h"
#include "display/resource.h"
#include "display/zoom_win.h"
#include "shell/settings.h"

namespace {

const int kOrigin = 5;           // the picture's top-left corner, client pixels
const int kZoomHotKey = 0x455A;  // Escape ends the magnifier
const COLORREF kReplacement = RGB(120, 0, 0);

struct DisplayWindow {
    HINSTANCE instance = nullptr;
    const DisplayRequest *request = nullptr;
    std::vector<DisplayFile> files;
    size_t file = 0, image = 0;
    size_t firstCount = 0;  // images of the first file, taken at opening
    int displaySize = 0;    // the current image's width: the square drawn
    int extent = 0;         // repaint square (5, 5)-(extent, extent)
    UniqueIcon icon;
    EffectCode code = 0;
    EffectParams params;
    COLORREF picked = 0;
    bool pickedNow = false;  // the last pick ended on a button release, not on Escape
    bool zooming = false;
    Magnifier magnifier;
    std::string workingFile;
    HWND toolbar = nullptr, effectBar = nullptr;

    DisplayFile &File() { return files[file]; }
    DisplayImageRecord &Record() { return File().set.images[image]; }
    UniqueBitmap &Effect() { return File().effects[image]; }
};

DisplayWindow *State(HWND window) { return (DisplayWindow *)GetWindowLongPtrA(window, DWLP_USER); }

std::string Text(const DisplayWindow &w, UINT id) { return LoadText(w.instance, id); }

// The client point a mouse message carries (signed: left of or above the
// client area is negative).
POINT MessagePoint(LPARAM lParam) {
    POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return p;
}

// The displayed square in screen coordinates.
RECT DisplayedSquare(HWND window, int size) {
    POINT corner = {kOrigin, kOrigin};
    ClientToScreen(window, &corner);
    RECT r = {corner.x, corner.y, corner.x + size, corner.y + size};
    return r;
}

// Submenu 1 of the window's menu.
HMENU PluginsMenu(HWND window) { return GetSubMenu(GetMenu(window), 1); }

void RepaintPicture(HWND window, const DisplayWindow &w) {
    RECT r = {kOrigin, kOrigin, w.extent, w.extent};
    InvalidateRect(window, &r, TRUE);
}

// The current image at (x, y) of dc, as the window paints it: the effect's
// picture when there is one, else the icon over the background.
void DrawPicture(HDC dc, int x, int y, DisplayWindow *w) {
    int size = w->displaySize;
    if (w->Effect()) {
        UniqueMemDC mem(CreateCompatibleDC(dc));
        SelectObjectScope select(mem.get(), w->Effect().get());
        StretchBlt(dc, x, y, size, size, mem.get(), 0, 0, size, size, SRCCOPY);
    } else if (w->icon) {
        DrawIconEx(dc, x, y, w->icon.get(), size, size, 0, nullptr, DI_NORMAL);
    }
}

// The displayed picture, a new bitmap: the square at (5, 5) as the window
// shows it. Drawn again in memory, never read from the screen, so a window or
// tool tip lying over the picture (or a screen that does not keep hidden
// pixels) is never taken in with it.
HBITMAP SnapshotPicture(HWND window, DisplayWindow *w) {
    int size = w->displaySize;
    if (size <= 0 || w->files.empty() || w->File().set.images.empty()) return nullptr;
    WindowDC dc(window);
    UniqueMemDC mem(CreateCompatibleDC(dc.get()));
    HBITMAP bitmap = CreateCompatibleBitmap(dc.get(), size, size);
    if (!mem || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    SelectObjectScope select(mem.get(), bitmap);
    // The dialog's own background under a transparent icon, as WM_ERASEBKGND paints it.
    HBRUSH background = (HBRUSH)SendMessageA(window, WM_CTLCOLORDLG, (WPARAM)mem.get(), (LPARAM)window);
    RECT all = {0, 0, size, size};
    FillRect(mem.get(), &all, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    DrawPicture(mem.get(), 0, 0, w);
    return bitmap;
}

// The colour of the displayed picture at a point of the window's client area
// (clamped to the picture), read from the picture drawn in memory like the
// snapshot, never from the screen.
COLORREF PictureColourAt(HWND window, DisplayWindow *w, POINT client) {
    UniqueBitmap picture(SnapshotPicture(window, w));
    if (!picture) return 0;
    int last = w->displaySize - 1;
    int x = (std::min)((std::max)((int)client.x - kOrigin, 0), last);
    int y = (std::min)((std::max)((int)client.y - kOrigin, 0), last);
    UniqueMemDC mem(CreateCompatibleDC(nullptr));
    SelectObjectScope select(mem.get(), picture.get());
    return GetPixel(mem.get(), x, y);
}

class WindowObserver : public DisplayObserver {
public:
    WindowObserver(HWND window, DisplayWindow *w) : window_(window), w_(w) {}
    HBITMAP Snapshot() override { return SnapshotPicture(window_, w_); }
    void Repaint() override {
        RepaintPicture(window_, *w_);
        UpdateWindow(window_);
    }
    HBITMAP Build(const std::string &workingFile, EffectCode code, int width, const EffectParams &params) override {
        return BuildEffect(window_, workingFile, code, width, params);
    }

private:
    HWND window_;
    DisplayWindow *w_;
};

// Display size, depth and icon from the current record.
void TakeCurrentRecord(DisplayWindow *w) {
    w->image = ImageIndexInSet(w->image, w->File().set.images.size());
    w->displaySize = w->File().set.images.empty() ? 0 : (int)w->Record().width;
    w->icon.reset(w->File().set.images.empty() ? nullptr : IconOfRecord(w->Record()));
}

void ShowFileCount(HWND window, const DisplayWindow &w, size_t count) {
    const std::string &path = w.files[w.file].path;
    std::string format = Text(w, count > 1 ? IDS_DISPLAY_ICONS : IDS_DISPLAY_ICON);
    char text[MAX_PATH + 64];
    snprintf(text, sizeof(text), format.c_str(), (int)count, BaseName(path).c_str(), Extension(path).c_str());
    SetDlgItemTextA(window, IDC_FILE_COUNT, text);
}

// One line per image of the current file; the repaint extent grows to the
// tallest image.
void FillImageList(HWND window, DisplayWindow *w) {
    HWND list = GetDlgItem(window, IDC_IMAGE_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    std::string colors = Text(*w, IDS_DISPLAY_COLORS), truecolor = Text(*w, IDS_DISPLAY_TRUECOLOR);
    for (const DisplayImageRecord &rec : w->File().set.images) {
        char line[128] = "";
        int n = ImageLineColors(rec.bitDepth);
        if (n > 0)
            snprintf(line, sizeof(line), colors.c_str(), (int)rec.width, (int)rec.height, n);
        else if (n == 0)
            snprintf(line, sizeof(line), truecolor.c_str(), (int)rec.width, (int)rec.height, (int)rec.bitDepth);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)line);
        if ((int)rec.height + kOrigin > w->extent) w->extent = (int)rec.height + kOrigin;
    }
    SendMessageA(list, CB_SETCURSEL, w->image, 0);
}

void SetLabels(HWND window, const DisplayWindow &w) {
    static const struct {
        int control;
        UINT text;
    } kLabels[] = {
        {IDC_FILE_LABEL, IDS_DISPLAY_LABEL_FILE},         {IDC_SPECIAL_LABEL, IDS_DISPLAY_LABEL_SPECIAL},
        {IDC_FILTERS_LABEL, IDS_DISPLAY_LABEL_FILTERS},   {IDC_COLORIZE_LABEL, IDS_DISPLAY_LABEL_COLORIZE},
        {IDC_APPLY_TO_ALL, IDS_DISPLAY_LABEL_ALL},
    };
    for (const auto &l : kLabels) SetDlgItemTextA(window, l.control, Text(w, l.text).c_str());
}

// The tool tip string of a toolbar command (0 when it has none).
UINT TipOf(int command) {
    static const int kWindowTools[] = {IDM_DISPLAY_SAVE, IDM_DISPLAY_PRINT, IDM_DISPLAY_ZOOM, IDM_DISPLAY_ORIGINAL,
                                       IDM_DISPLAY_REDO, IDM_DISPLAY_HELP,  IDM_DISPLAY_CLOSE};
    static const int kEffectTools[] = {IDM_FX_IMPLODE,   IDM_FX_SWIRL,  IDM_FX_WAVE,  IDM_FX_FLIP,
                                       IDM_FX_FLOP,      IDM_FX_THRESHOLD, IDM_FX_BORDER, IDM_FX_RAISE,
                                       IDM_FX_ROLL,      IDM_FX_COLORIZE};
    for (int i = 0; i < 7; ++i)
        if (kWindowTools[i] == command) return IDS_TIP_DISPLAY_FIRST + i;
    for (int i = 0; i < 10; ++i)
        if (kEffectTools[i] == command) return IDS_TIP_EFFECT_FIRST + i;
    return 0;
}

// Both toolbars, 5 pixels right of the divider: the window's at y = 5, the
// effect tools' at y = 33.
void CreateToolbars(HWND window, DisplayWindow *w) {
    auto button = [](int image, int command, BYTE style) { return ToolbarButton(image, command, style); };
    const TBBUTTON sep = ToolbarSeparator();
    const TBBUTTON windowTools[] = {
        button(8, IDM_DISPLAY_SAVE, BTNS_BUTTON),     button(11, IDM_DISPLAY_PRINT, BTNS_BUTTON),
        button(10, IDM_DISPLAY_ZOOM, BTNS_CHECK),     sep,
        button(7, IDM_DISPLAY_ORIGINAL, BTNS_BUTTON), button(9, IDM_DISPLAY_REDO, BTNS_BUTTON),
        sep,                                          button(6, IDM_DISPLAY_HELP, BTNS_BUTTON),
        button(1, IDM_DISPLAY_CLOSE, BTNS_BUTTON),
    };
    const TBBUTTON effectTools[] = {
        button(0, IDM_FX_IMPLODE, BTNS_BUTTON), button(3, IDM_FX_SWIRL, BTNS_BUTTON),
        button(2, IDM_FX_WAVE, BTNS_BUTTON),    button(12, IDM_FX_FLIP, BTNS_BUTTON),
        button(13, IDM_FX_FLOP, BTNS_BUTTON),   button(18, IDM_FX_THRESHOLD, BTNS_BUTTON),
        button(11, IDM_FX_BORDER, BTNS_BUTTON), button(9, IDM_FX_RAISE, BTNS_BUTTON),
        button(8, IDM_FX_ROLL, BTNS_BUTTON),    button(14, IDM_FX_COLORIZE, BTNS_BUTTON),
    };
    w->toolbar = CreateStripToolbar(window, w->instance, IDC_DISPLAY_TOOLBAR, IDB_DISPLAY_TOOLBAR, 15, windowTools,
                                    (int)(sizeof(windowTools) / sizeof(windowTools[0])));
    w->effectBar = CreateStripToolbar(window, w->instance, IDC_EFFECT_TOOLBAR, IDB_EFFECT_TOOLS, 19, effectTools,
                                      (int)(sizeof(effectTools) / sizeof(effectTools[0])));
    RECT divider;
    GetWindowRect(GetDlgItem(window, IDC_DISPLAY_DIVIDER), &divider);
    POINT right = {divider.right, divider.top};
    ScreenToClient(window, &right);
    RECT client;
    GetClientRect(window, &client);
    int x = right.x + 5, width = client.right - x - 5;
    SetWindowPos(w->toolbar, nullptr, x, 5, width, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w->effectBar, nullptr, x, 33, width, 26, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND window, DisplayWindow *w) {
    SetWindowLongPtrA(window, DWLP_USER, (LONG_PTR)w);
    w->workingFile = WorkingBitmapPath();
    SetLabels(window, *w);
    FillEffectLists(window);
    BuildPluginsMenu(PluginsMenu(window), RegistryPluginFolders(), PluginsIniPath());
    CreateToolbars(window, w);
    if (w->request->settings && w->request->settings->apply_to_all) CheckDlgButton(window, IDC_APPLY_TO_ALL, BST_CHECKED);
    HWND fileList = GetDlgItem(window, IDC_FILE_LIST);
    for (const DisplayFile &f : w->files) SendMessageA(fileList, CB_ADDSTRING, 0, (LPARAM)f.path.c_str());
    SendMessageA(fileList, CB_SETCURSEL, 0, 0);
    w->firstCount = w->files[0].set.images.size();
    ShowFileCount(window, *w, w->firstCount);
    FillImageList(window, w);
    TakeCurrentRecord(w);
    CentreOnScreen(window);
    return TRUE;
}

void OnPaint(HWND window, DisplayWindow *w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (w->files.empty() || w->File().set.images.empty()) {
        EndPaint(window, &ps);
        return;
    }
    DrawPicture(dc, kOrigin, kOrigin, w);
    EndPaint(window, &ps);
}

// A file of the list: its images fill the image list; the image index is
// kept when the file has that image, else it shows its last one.
void OnSelectFile(HWND window, DisplayWindow *w) {
    LRESULT sel = SendDlgItemMessageA(window, IDC_FILE_LIST, CB_GETCURSEL, 0, 0);
    if (sel < 0 || (size_t)sel >= w->files.size()) return;
    w->file = (size_t)sel;
    TakeCurrentRecord(w);
    ShowFileCount(window, *w, w->File().set.images.size());
    FillImageList(window, w);
    RepaintPicture(window, *w);
}

void OnSelectImage(HWND window, DisplayWindow *w) {
    LRESULT sel = SendDlgItemMessageA(window, IDC_IMAGE_LIST, CB_GETCURSEL, 0, 0);
    if (sel < 0 || (size_t)sel >= w->File().set.images.size()) return;
    w->image = (size_t)sel;
    TakeCurrentRecord(w);
    RepaintPicture(window, *w);
}

void RunEffect(HWND window, DisplayWindow *w, bool runNow) {
    if (w->File().set.images.empty()) return;
    bool all = IsDlgButtonChecked(window, IDC_APPLY_TO_ALL) == BST_CHECKED;
    if (w->request->settings) w->request->settings->apply_to_all = all ? 1 : 0;
    ApplyRequest req;
    req.code = w->code;
    req.params = runNow ? EffectParams() : w->params;
    req.applyToAll = all;
    req.runNow = runNow;
    req.displaySize = w->displaySize;
    req.image = w->image;
    req.workingFile = w->workingFile;
    WindowObserver observer(window, w);
    ApplyEffect(req, &w->File(), &observer);
    TakeCurrentRecord(w);
    RepaintPicture(window, *w);
}

void OnChooseEffect(HWND window, DisplayWindow *w, int command) {
    switch (ChooseEffect(window, command, w->displaySize, &w->code, &w->params)) {
    case EffectChoice::kApply: SendMessageA(window, WM_COMMAND, IDM_APPLY_EFFECT, 0); break;
    case EffectChoice::kRunNow: RunEffect(window, w, true); break;
    case EffectChoice::kNothing: break;
    }
}

void TellNotSaved(HWND window, const DisplayWindow &w, const std::string &path) {
    char text[MAX_PATH + 200];
    snprintf(text, sizeof(text), Text(w, IDS_DISPLAY_NOT_SAVED).c_str(), path.c_str());
    ShowMessage(window, text, Text(w, IDS_DISPLAY_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// Every file of the list rewritten from its own images; a captured picture
// goes back to its bitmap.
void OnSave(HWND window, DisplayWindow *w) {
    const DisplayRequest &r = *w->request;
    if (r.kind == kCreateProfile) {
        if (!SaveDisplayBitmap(&w->files[0], r.targetFolder, r.captureName, w->workingFile))
            TellNotSaved(window, *w, CollapseBackslashes(r.targetFolder + "\\" + r.captureName + ".bmp"));
    } else {
        for (DisplayFile &f : w->files)
            if (!SaveDisplayFile(&f, w->workingFile)) TellNotSaved(window, *w, f.path);
    }
    TakeCurrentRecord(w);
}

void OnCopy(HWND window, DisplayWindow *w) {
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    HBITMAP picture = SnapshotPicture(window, w);
    // The clipboard owns the bitmap once it takes it.
    if (picture && !SetClipboardData(CF_BITMAP, picture)) DeleteObject(picture);
    CloseClipboard();
}

// Confines the pointer to the picture and takes the mouse until Escape or a
// button release; the pixel under the release becomes the picked colour.
void OnPickColor(HWND window, DisplayWindow *w, bool forReplace) {
    w->picked = 0;
    w->pickedNow = false;
    RECT square = DisplayedSquare(window, w->displaySize);
    ClipCursor(&square);
    SetCapture(window);
    HCURSOR picker = LoadCursorA(w->instance, MAKEINTRESOURCEA(IDC_PICKER_CURSOR));
    POINT down = {kOrigin, kOrigin};
    for (bool done = false; !done;) {
        if (GetCapture() != window) break;  // another window took the mouse
        MSG m;
        if (!PeekMessageA(&m, window, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        switch (m.message) {
        case WM_KEYDOWN:
            if (m.wParam == VK_ESCAPE) done = true;
            break;
        case WM_MOUSEMOVE: SetCursor(picker); break;
        case WM_LBUTTONDOWN:
            // Where the button went down (the window has the mouse, so the
            // point is in its client coordinates), not where the pointer is
            // by the time the message is read.
            down = MessagePoint(m.lParam);
            break;
        case WM_LBUTTONUP:
            w->picked = PictureColourAt(window, w, down);
            w->pickedNow = true;
            ClipCursor(nullptr);
            if (!forReplace) ShowColorInfo(window, w->instance, w->picked);
            done = true;
            break;
        default:
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
    ClipCursor(nullptr);
}

// Escape during the pick replaces nothing (black is not a colour the user picked).
void OnReplaceColor(HWND window, DisplayWindow *w) {
    SendMessageA(window, WM_COMMAND, IDM_PICK_COLOR, PICK_FOR_REPLACE);
    if (!w->pickedNow) return;
    UniqueBitmap picture(SnapshotPicture(window, w));
    if (!picture || w->File().set.images.empty()) return;
    ReplaceColorInBitmap(picture.get(), w->picked, kReplacement);
    w->Effect() = std::move(picture);
    RepaintPicture(window, *w);
}

// Button 1177 back to its plain enabled state.
void ReleaseZoomButton(const DisplayWindow &w) {
    SendMessageA(w.toolbar, TB_SETSTATE, IDM_DISPLAY_ZOOM, MAKELONG(TBSTATE_ENABLED, 0));
    InvalidateRect(w.toolbar, nullptr, TRUE);
}

void EndZoom(HWND window, DisplayWindow *w) {
    w->zooming = false;
    w->magnifier.Stop();
    UnregisterHotKey(window, kZoomHotKey);
    ClipCursor(nullptr);
    ReleaseZoomButton(*w);
}

// The magnifier until Escape (a hot key) or a button release over the
// picture, where the pointer stays meanwhile. Without the zoom library
// nothing starts.
void OnZoom(HWND window, DisplayWindow *w) {
    if (w->zooming) return;
    if (!w->magnifier.Start(GetParent(window), w->request->settings && w->request->settings->grid)) {
        ReleaseZoomButton(*w);
        return;
    }
    w->zooming = true;
    RegisterHotKey(window, kZoomHotKey, 0, VK_ESCAPE);
    RECT square = DisplayedSquare(window, w->displaySize);
    ClipCursor(&square);
}

// `at`: where the button came up, in client coordinates.
void OnZoomRelease(HWND window, DisplayWindow *w, POINT at) {
    EndZoom(window, w);
    w->picked = PictureColourAt(window, w, at);
    ShowColorInfo(window, w->instance, w->picked);
}

// A clipboard or plug-in result: it becomes the current image's retouched
// picture and its icon image, at the image's size (cut from its top-left
// corner, as the window shows it).
void TakeResult(HWND window, DisplayWindow *w, HBITMAP result) {
    UniqueBitmap owned(result);
    if (!owned || w->File().set.images.empty()) return;
    UniqueBitmap square(CropToSquare(owned.get(), w->displaySize));
    if (!square) return;
    HBITMAP shown = square.get();
    w->Effect() = std::move(square);
    RepaintPicture(window, *w);
    StoreBitmapInRecord(shown, w->workingFile, &w->Record());
    TakeCurrentRecord(w);
}

void OnPasteCombine(HWND window, DisplayWindow *w) {
    UniqueBitmap picture(SnapshotPicture(window, w));
    const char *help = w->request->settings ? w->request->settings->helpPath : nullptr;
    TakeResult(window, w, CombineWithClipboard(window, w->instance, help, picture.get(), w->workingFile));
}

// The displayed picture goes through the working file to the plug-in; its
// result is taken like a pasted picture.
void OnRunPlugin(HWND window, DisplayWindow *w, int command) {
    if (w->File().set.images.empty()) return;
    UniqueBitmap picture(SnapshotPicture(window, w));
    if (!picture || !WriteWorkingBitmap(picture.get(), (int)w->Record().bitDepth, w->workingFile)) return;
    HBITMAP result = RunPlugin(w->workingFile, PluginsIniPath(), command);
    DeleteFileA(w->workingFile.c_str());
    TakeResult(window, w, result);
}

void OnClose(HWND window, DisplayWindow *w) {
    if (w->zooming) EndZoom(window, w);
    w->icon.reset();
    EndDialog(window, 0);
}

BOOL OnCommand(HWND window, DisplayWindow *w, int id, int code, LPARAM lParam) {
    switch (id) {
    case IDM_DISPLAY_SAVE:
    case IDM_DISPLAY_SAVE_MENU: OnSave(window, w); break;
    case IDM_DISPLAY_CLOSE: OnClose(window, w); break;
    case IDM_DISPLAY_ZOOM:
    case IDM_DISPLAY_ZOOM_MENU: OnZoom(window, w); break;
    case IDM_DISPLAY_ORIGINAL:
        if (!w->File().set.images.empty()) w->Effect().reset();
        RepaintPicture(window, *w);
        break;
    case IDM_DISPLAY_REDO: SendMessageA(window, WM_COMMAND, IDM_APPLY_EFFECT, 0); break;
    case IDM_APPLY_EFFECT: RunEffect(window, w, false); break;
    case IDM_DISPLAY_HELP:
        if (w->request->settings) ShowHelpTopic(window, w->request->settings->helpPath, HELP_DISPLAY);
        break;
    case IDM_PICK_COLOR: OnPickColor(window, w, lParam == PICK_FOR_REPLACE); break;
    case IDM_REPLACE_COLOR: OnReplaceColor(window, w); break;
    case IDM_DISPLAY_COPY: OnCopy(window, w); break;
    case IDM_PASTE_REPLACE: TakeResult(window, w, PasteFromClipboard(window, w->instance)); break;
    case IDM_PASTE_COMBINE: OnPasteCombine(window, w); break;
    case IDM_DISPLAY_PRINT: PrintIconFile(window, w->instance, w->File().set, w->File().path); break;
    case IDC_FILE_LIST:
        if (code == CBN_SELCHANGE) OnSelectFile(window, w);
        break;
    case IDC_IMAGE_LIST:
        if (code == CBN_SELCHANGE) OnSelectImage(window, w);
        break;
    case IDM_COUNT_COLORS:
    case IDM_FX_THRESHOLD: case IDM_FX_FLIP: case IDM_FX_FLOP: case IDM_FX_SWIRL: case IDM_FX_WAVE:
    case IDM_FX_RAISE: case IDM_FX_ROLL: case IDM_FX_COLORIZE: case IDM_FX_BORDER: case IDM_FX_IMPLODE:
    case IDC_SPECIAL_APPLY: case IDC_COLORIZE_APPLY: case IDC_FILTERS_APPLY:
        OnChooseEffect(window, w, id);
        break;
    case IDM_PLUGIN_MANAGER: RunPluginManager(window, w->instance, PluginsMenu(window), PluginsIniPath()); break;
    default:
        if (!IsPluginCommand(id)) return FALSE;
        OnRunPlugin(window, w, id);
        break;
    }
    return TRUE;
}

BOOL OnNotify(HWND window, DisplayWindow *w, NMHDR *hdr) {
    if (hdr->code != TTN_GETDISPINFOA) return FALSE;
    NMTTDISPINFOA *info = (NMTTDISPINFOA *)hdr;
    UINT tip = TipOf((int)hdr->idFrom);
    if (!tip) return FALSE;
    info->hinst = w->instance;
    info->lpszText = (LPSTR)MAKEINTRESOURCEA(tip);
    return TRUE;
}

INT_PTR CALLBACK DisplayProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DisplayWindow *w = State(window);
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(window, (DisplayWindow *)lParam);
    case WM_PAINT:
        if (!w) return FALSE;
        OnPaint(window, w);
        return TRUE;
    case WM_COMMAND: return w ? OnCommand(window, w, LOWORD(wParam), HIWORD(wParam), lParam) : FALSE;
    case WM_NOTIFY: return w ? OnNotify(window, w, (NMHDR *)lParam) : FALSE;
    case WM_HOTKEY:
        if (w && w->zooming && (int)wParam == kZoomHotKey) EndZoom(window, w);
        return TRUE;
    case WM_LBUTTONUP:
        if (w && w->zooming) OnZoomRelease(window, w, MessagePoint(lParam));
        return TRUE;
    case WM_CLOSE:
        if (w) OnClose(window, w);
        return TRUE;
    }
    return FALSE;
}

// Kind 4: the capture's picture as a 48 x 48 icon at 24 bits, through the
// image library's saveICON with the conversion's transparency.
std::vector<std::string> CaptureIcon(HWND owner, const DisplayRequest &request) {
    std::string picture = CollapseBackslashes(TempFolder() + "captemp.bmp");
    std::string icon = CollapseBackslashes(request.targetFolder + "\\" + request.captureName + ".ico");
    const FormatEntry format = {48, 24};
    // saveICON takes each format's bitmap from "<temp>\<icon's base>_48_24.bmp"
    // and deletes it: the picture goes there first, and stays where it is.
    std::string rendered = FileOfRenderedName(RenderedBitmapName(TempFolder(), request.captureName, -1, 48, 24));
    if (rendered.empty() || !CopyFileA(picture.c_str(), rendered.c_str(), FALSE)) return {};
    const Settings *s = request.settings;
    saveICON(owner, s ? (int)s->transparent : 0, s ? s->color : 0, picture.c_str(), icon.c_str(), 1, &format);
    return {icon};
}

}  // namespace

void ShowDisplayWindow(HWND owner, HINSTANCE instance, const DisplayRequest &request) {
    std::unique_ptr<DisplayWindow> w(new DisplayWindow);
    w->instance = instance;
    w->request = &request;
    std::string caption = LoadText(instance, IDS_DISPLAY_CAPTION);
    std::vector<std::string> files = request.kind == kCreateProfile ? CaptureIcon(owner, request) : request.files;
    for (const std::string &path : files) {
        DisplayFile file;
        std::string why;
        if (LoadDisplayFile(path, &file, &why)) {
            w->files.push_back(std::move(file));
            continue;
        }
        char text[MAX_PATH + 300];
        snprintf(text, sizeof(text), LoadText(instance, IDS_DISPLAY_UNREADABLE).c_str(), path.c_str(), why.c_str());
        ShowMessage(owner, text, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    if (w->files.empty()) return;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DISPLAY), owner, DisplayProc, (LPARAM)w.get());
}
