#include "editor/frame.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "common/help_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/aboutdlg.h"
#include "editor/command_tables.h"
#include "editor/effects_win.h"
#include "editor/infodlg.h"
#include "editor/menus.h"
#include "editor/palettewnd.h"
#include "editor/resource.h"
#include "editor/setupsheet.h"
#include "editor/toolbars.h"
#include "editor/views_win.h"

namespace {

struct FrameState {
    EditorSession *session = nullptr;
    HWND status = nullptr;
    HWND toolbar = nullptr;    // the MainToolbar (control 1032)
    HWND toolRebar = nullptr;  // holds the ToolBox (control 1028)
    HBRUSH pattern = nullptr;  // owns the background pattern brush
    MenuArt menus;             // the owner-drawn items' texts and images
    UINT tool = CMD_PEN;       // the command of the chosen drawing tool
};

FrameState *State(HWND frame) { return reinterpret_cast<FrameState *>(GetWindowLongPtrA(frame, GWLP_USERDATA)); }
HINSTANCE Instance(HWND frame) { return (HINSTANCE)GetWindowLongPtrA(frame, GWLP_HINSTANCE); }

void RepaintWorkArea() {
    if (HWND work = WorkAreaWindow()) InvalidateRect(work, nullptr, FALSE);
}

void CreateStatusBar(HINSTANCE instance, HWND frame, FrameState *state) {
    state->status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                                    (HMENU)(INT_PTR)IDC_STATUS, instance, nullptr);
    // The parts first: text given to a part that does not exist yet is lost.
    RECT client;
    GetClientRect(frame, &client);
    int edges[3];
    StatusPartEdges(client.right, edges);
    SendMessageA(state->status, SB_SETPARTS, 3, (LPARAM)edges);
    std::string ready = LoadText(instance, IDS_READY);
    SendMessageA(state->status, SB_SETTEXTA, 0, (LPARAM)ready.c_str());
    std::string count = ImageCountText(instance, state->session->images.size());
    SendMessageA(state->status, SB_SETTEXTA, 1, (LPARAM)count.c_str());
}

bool OnCreate(HWND frame, CREATESTRUCTA *create) {
    FrameState *state = new FrameState;
    state->session = static_cast<EditorSession *>(create->lpCreateParams);
    SetWindowLongPtrA(frame, GWLP_USERDATA, (LONG_PTR)state);
    const EditorSettings &s = state->session->settings;
    HBITMAP pattern = LoadBitmapA(create->hInstance, MAKEINTRESOURCEA(IDB_PATTERN));
    if (pattern) {
        state->pattern = CreatePatternBrush(pattern);
        DeleteObject(pattern);  // the brush keeps its own copy
    }
    state->toolbar = CreateMainToolbar(create->hInstance, frame, s.Grid != 0, s.Palette != 0);
    CreateStatusBar(create->hInstance, frame, state);
    CreateFormatBar(frame);
    state->menus.Build(create->hInstance, GetMenu(frame));
    BuildEditorPluginsMenu(frame);
    MarkBrushSize(GetMenu(frame), s.brush_size);
    state->toolRebar = CreateToolRebar(create->hInstance, frame);
    return true;
}

void OnSize(HWND frame, WPARAM sizeType, int width, int height) {
    FrameState *state = State(frame);
    if (!state || !state->status) return;
    if (state->toolbar) SendMessageA(state->toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(state->status, WM_SIZE, 0, 0);
    int edges[3];
    StatusPartEdges(width, edges);
    SendMessageA(state->status, SB_SETPARTS, 3, (LPARAM)edges);
    LayoutViews(frame, sizeType, width, height);
}

void OnEraseBackground(HWND frame, HDC dc) {
    FrameState *state = State(frame);
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc, &client, state && state->pattern ? state->pattern : (HBRUSH)GetStockObject(GRAY_BRUSH));
}

// The check marks of the frame's own menu, set in this one place.
void OnInitMenu(HWND frame, HMENU menu) {
    if (menu != GetMenu(frame)) return;
    const EditorSettings &s = State(frame)->session->settings;
    CheckMenuItem(menu, CMD_GRID, MF_BYCOMMAND | (s.Grid ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, CMD_PALETTE, MF_BYCOMMAND | (s.Palette ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, CMD_SELECTION_ONLY, MF_BYCOMMAND | (EffectsOnSelectionOnly() ? MF_CHECKED : MF_UNCHECKED));
    MarkBrushSize(menu, s.brush_size);
}

void SetStatusText(HWND frame, UINT text) {
    std::string line = LoadText(Instance(frame), text);
    SendMessageA(State(frame)->status, SB_SETTEXTA, 0, (LPARAM)line.c_str());
}

// The drawing tools of the ToolBox and the Draw menu: the chosen one is
// recorded and shown down in the ToolBox; some say so in the status bar.
bool OnToolCommand(HWND frame, UINT id) {
    static const UINT kTools[] = {CMD_PEN,    CMD_BRUSH,         CMD_LINE,          CMD_RECTANGLE,
                                  CMD_FILLED_RECTANGLE, CMD_BICOLOR_RECTANGLE, CMD_CIRCLE,
                                  CMD_FILLED_CIRCLE, CMD_FILL,  CMD_SPRAY,         CMD_SELECT,
                                  CMD_EXTRACT_COLOR};
    bool tool = false;
    for (UINT t : kTools) tool = tool || t == id;
    UINT text = ToolStatusTextId(id);
    if (!tool && !text) return false;
    FrameState *state = State(frame);
    if (tool) {
        state->tool = id;
        SendDlgItemMessageA(state->toolRebar, IDC_TOOLBOX, TB_CHECKBUTTON, id, TRUE);
    }
    if (text) SetStatusText(frame, text);
    return true;
}

bool OnBrushSizeCommand(HWND frame, UINT id) {
    uint32_t size = BrushSizeOfCommand(id);
    if (!size) return false;
    State(frame)->session->settings.brush_size = size;
    MarkBrushSize(GetMenu(frame), size);
    return true;
}

// Grid and palette: the flag, its toolbar button and what it shows.
void ToggleGrid(HWND frame) {
    EditorSettings &s = State(frame)->session->settings;
    s.Grid = s.Grid ? 0 : 1;
    SetToggleButton(frame, CMD_GRID, s.Grid != 0);
    RepaintWorkArea();
}

void TogglePalette(HWND frame) {
    FrameState *state = State(frame);
    EditorSettings &s = state->session->settings;
    s.Palette = s.Palette ? 0 : 1;
    SetToggleButton(frame, CMD_PALETTE, s.Palette != 0);
    ShowPaletteWindow(Views().palette, s.Palette != 0);
}

// File > Close and the close button: the SmallView's place is kept, then the
// frame is asked to close like from its close box.
void OnCloseCommand(HWND frame) {
    FrameState *state = State(frame);
    if (Views().smallView) {
        RECT r;
        GetWindowRect(Views().smallView, &r);
        state->session->settings.x_smallview = (uint32_t)r.left;
        state->session->settings.y_smallview = (uint32_t)r.top;
    }
    SendMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The Help button, Help > Index and Help > Find: the editor's topic (its
// help file has no other), when the suite's folder is known.
void OnHelp(HWND frame) {
    const char *help = State(frame)->session->install.helpPath;
    if (help[0]) ShowHelpTopic(frame, help, HELP_EDITOR);
}

void OnCommand(HWND frame, UINT id) {
    if (OnToolCommand(frame, id) || OnBrushSizeCommand(frame, id) || EffectsCommand(frame, (int)id)) return;
    int page = SettingsPageOfCommand(id);
    if (page >= 0) {
        ShowSettingsSheet(frame, State(frame)->session, page);
        return;
    }
    switch (id) {
    case CMD_CLOSE: OnCloseCommand(frame); break;
    case CMD_GRID: ToggleGrid(frame); break;
    case CMD_PALETTE: TogglePalette(frame); break;
    case CMD_ABOUT: ShowEditorAbout(frame); break;
    case CMD_HELP_INDEX:
    case CMD_HELP_FIND: OnHelp(frame); break;
    }
}

LRESULT OnNotify(HWND frame, NMHDR *hdr) {
    if (AnswerTooltip(Instance(frame), hdr)) return 0;
    if (hdr->code == TBN_DROPDOWN && hdr->idFrom == IDC_MAIN_TOOLBAR) {
        const NMTOOLBARA *button = reinterpret_cast<const NMTOOLBARA *>(hdr);
        if (button->iItem != CMD_BRUSH_WIDTH) return TBDDRET_NODEFAULT;
        ShowBrushSizeMenu(Instance(frame), frame, button, State(frame)->session->settings.brush_size);
        return TBDDRET_DEFAULT;
    }
    return 0;
}

// Asks before closing; on Yes writes the frame's place and the settings
// (only into an existing key) and destroys the frame.
void OnClose(HWND frame) {
    HINSTANCE instance = Instance(frame);
    std::string question = LoadText(instance, IDS_CLOSE_QUESTION), title = LoadText(instance, IDS_TITLE);
    if (ShowMessage(frame, question.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    FrameState *state = State(frame);
    EditorSession *session = state->session;
    if (Views().palette) StorePalettePosition(&session->settings, PaletteWindowPlace(Views().palette));
    RECT r;
    GetWindowRect(frame, &r);
    session->settings.x = (uint32_t)r.left;
    session->settings.y = (uint32_t)r.top;
    session->settings.cx = (uint32_t)(r.right - r.left);
    session->settings.cy = (uint32_t)(r.bottom - r.top);
    if (SaveEditorSettings(&session->settings) && Views().smallView) {
        GetWindowRect(Views().smallView, &r);
        SaveCurrentViewPlace({r.left, r.top});
    }
    DestroyWindow(frame);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(frame, (CREATESTRUCTA *)lParam) ? 0 : -1;
    case WM_SIZE: OnSize(frame, wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ERASEBKGND: OnEraseBackground(frame, (HDC)wParam); return 1;
    case WM_INITMENU: OnInitMenu(frame, (HMENU)wParam); return 0;
    case WM_MEASUREITEM:
        if (!MeasureMenuItem(frame, (MEASUREITEMSTRUCT *)lParam)) break;
        return TRUE;
    case WM_DRAWITEM:
        if (!State(frame) || !DrawMenuItem(State(frame)->menus, (const DRAWITEMSTRUCT *)lParam)) break;
        return TRUE;
    case WM_MENUCHAR: return MenuCharResult((HMENU)lParam, (char)LOWORD(wParam));
    case WM_NOTIFY: return OnNotify(frame, (NMHDR *)lParam);
    case WM_COMMAND:
        if (!ViewsCommand(frame, LOWORD(wParam))) OnCommand(frame, LOWORD(wParam));
        return 0;
    case WM_CLOSE: OnClose(frame); return 0;
    case WM_DESTROY: {
        FrameState *state = State(frame);
        SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
        if (state && state->pattern) DeleteObject(state->pattern);
        delete state;
        DestroyViews();
        PostQuitMessage(0);
        return 0;
    }
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

}  // namespace

std::string ImageCountText(HINSTANCE instance, size_t count) {
    std::string format = LoadText(instance, count < 2 ? IDS_ONE_IMAGE : IDS_IMAGES);
    char text[64];
    snprintf(text, sizeof(text), format.c_str(), (int)count);
    return text;
}

bool RegisterFrameClass(HINSTANCE instance, const EditorSession &session) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_EDITOR));
    wc.hIconSm = (HICON)LoadImageA(instance, MAKEINTRESOURCEA(IDI_EDITOR), IMAGE_ICON, 16, 16, 0);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(session.settings.fond);  // the class keeps it for the process
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_EDITOR);
    wc.lpszClassName = kFrameClass;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateFrame(HINSTANCE instance, EditorSession *session) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int side = work.bottom - work.top;
    std::string title = LoadText(instance, IDS_TITLE);
    HWND frame = CreateWindowExA(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                 0, 0, side, side, nullptr, nullptr, instance, session);
    if (!frame) return nullptr;
    CreateViews(frame, session);
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    UpdateWindow(frame);
    // Made once the frame shows, so that it shows above it.
    Views().palette = CreatePaletteWindow(instance, frame, session->settings);
    if (session->settings.first_time) ShowInformationDialog(frame, &session->settings.first_time);
    return frame;
}

void ApplyDisplaySettings(HWND frame) {
    FrameState *state = State(frame);
    if (!state) return;
    const EditorSettings &s = state->session->settings;
    // The class keeps the new brush; the one it had was ours.
    HBRUSH brush = CreateSolidBrush(s.fond);
    HBRUSH old = brush ? (HBRUSH)SetClassLongPtrA(frame, GCLP_HBRBACKGROUND, (LONG_PTR)brush) : nullptr;
    if (old) DeleteObject(old);
    SetToggleButton(frame, CMD_GRID, s.Grid != 0);
    SetToggleButton(frame, CMD_PALETTE, s.Palette != 0);
    ShowPaletteWindow(Views().palette, s.Palette != 0);
    RedrawWindow(frame, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
    RepaintWorkArea();
}
