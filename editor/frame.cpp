#include "editor/frame.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/infodlg.h"
#include "editor/resource.h"
#include "editor/views_win.h"

namespace {

struct FrameState {
    EditorSession *session;
    HWND status;
    HBRUSH pattern;  // owns the background pattern brush
};

FrameState *State(HWND frame) { return reinterpret_cast<FrameState *>(GetWindowLongPtrA(frame, GWLP_USERDATA)); }

// The menu items carried at run time: (menu bar position, insert position, label, command).
struct RuntimeItem {
    int menu, position;
    UINT label, command;
};
const RuntimeItem kRuntimeItems[] = {
    {0, 0, IDS_MENU_SAVE, CMD_SAVE},       {0, 1, IDS_MENU_SAVE_AS, CMD_SAVE_AS}, {0, 3, IDS_MENU_PRINT, CMD_PRINT},
    {0, 5, IDS_MENU_CLOSE, CMD_CLOSE},     {4, 0, IDS_MENU_SWIRL, CMD_SWIRL},     {4, 1, IDS_MENU_EXPLODE, CMD_EXPLODE},
    {4, 2, IDS_MENU_EMBOSS, CMD_EMBOSS},   {4, 4, IDS_MENU_WAVE, CMD_WAVE},       {8, 0, IDS_MENU_BORDER, CMD_BORDER},
    {8, 1, IDS_MENU_FRAME, CMD_FRAME},     {8, 3, IDS_MENU_SHARPEN, CMD_SHARPEN}, {8, 5, IDS_MENU_FLIP, CMD_FLIP},
    {8, 6, IDS_MENU_FLOP, CMD_FLOP},       {8, 7, IDS_MENU_ROTATE, CMD_ROTATE},   {10, 0, IDS_MENU_INDEX, CMD_HELP_INDEX},
    {10, 1, IDS_MENU_FIND, CMD_HELP_FIND}, {10, 3, IDS_MENU_ABOUT, CMD_ABOUT},
};

void InsertRuntimeItems(HINSTANCE instance, HMENU bar) {
    for (const RuntimeItem &item : kRuntimeItems) {
        HMENU menu = GetSubMenu(bar, item.menu);
        if (!menu) continue;
        std::string label = LoadText(instance, item.label);
        InsertMenuA(menu, item.position, MF_BYPOSITION | MF_STRING, item.command, label.c_str());
    }
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
    FrameState *state = new FrameState{static_cast<EditorSession *>(create->lpCreateParams), nullptr, nullptr};
    SetWindowLongPtrA(frame, GWLP_USERDATA, (LONG_PTR)state);
    HBITMAP pattern = LoadBitmapA(create->hInstance, MAKEINTRESOURCEA(IDB_PATTERN));
    if (pattern) {
        state->pattern = CreatePatternBrush(pattern);
        DeleteObject(pattern);  // the brush keeps its own copy
    }
    CreateStatusBar(create->hInstance, frame, state);
    CreateFormatBar(frame);
    InsertRuntimeItems(create->hInstance, GetMenu(frame));
    CheckMenuRadioItem(GetMenu(frame), CMD_BRUSH_1, CMD_BRUSH_5, CMD_BRUSH_2, MF_BYCOMMAND);
    return true;
}

void OnSize(HWND frame, WPARAM sizeType, int width, int height) {
    FrameState *state = State(frame);
    if (!state || !state->status) return;
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

void OnInitMenu(HWND frame, HMENU menu) {
    const EditorSettings &s = State(frame)->session->settings;
    CheckMenuItem(menu, CMD_GRID, MF_BYCOMMAND | (s.Grid ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, CMD_PALETTE, MF_BYCOMMAND | (s.Palette ? MF_CHECKED : MF_UNCHECKED));
}

// Asks before closing; on Yes writes the frame's place and the settings
// (only into an existing key) and destroys the frame.
void OnClose(HWND frame) {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(frame, GWLP_HINSTANCE);
    std::string question = LoadText(instance, IDS_CLOSE_QUESTION), title = LoadText(instance, IDS_TITLE);
    if (ShowMessage(frame, question.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    EditorSession *session = State(frame)->session;
    RECT r;
    GetWindowRect(frame, &r);
    session->settings.x = (uint32_t)r.left;
    session->settings.y = (uint32_t)r.top;
    session->settings.cx = (uint32_t)(r.right - r.left);
    session->settings.cy = (uint32_t)(r.bottom - r.top);
    SaveEditorSettings(&session->settings);
    DestroyWindow(frame);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(frame, (CREATESTRUCTA *)lParam) ? 0 : -1;
    case WM_SIZE: OnSize(frame, wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ERASEBKGND: OnEraseBackground(frame, (HDC)wParam); return 1;
    case WM_INITMENU: OnInitMenu(frame, (HMENU)wParam); return 0;
    case WM_COMMAND:
        if (ViewsCommand(frame, LOWORD(wParam))) return 0;
        if (LOWORD(wParam) == CMD_CLOSE) SendMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
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
    default: return DefWindowProcA(frame, message, wParam, lParam);
    }
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
    if (session->settings.first_time) ShowInformationDialog(frame, &session->settings.first_time);
    return frame;
}
