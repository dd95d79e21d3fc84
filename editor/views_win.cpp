#include "editor/views_win.h"

#include "editor/picture_win.h"
#include "editor/resource.h"

namespace {
ViewWindows g_views;
}  // namespace

ViewWindows &Views() { return g_views; }

bool CreateViews(HWND frame, EditorSession *session) {
    g_views.frame = frame;
    g_views.session = session;
    StartOnLastImage();
    CreateSmallView(frame, (int)session->settings.x_smallview, (int)session->settings.y_smallview);
    HWND work = CreateWorkArea(frame);
    if (!work) return false;
    MakeCanvas((int)session->working.size, session->working.colors);
    ShowWindow(work, SW_SHOWNA);
    SendMessageA(frame, WM_COMMAND, CMD_SHOW_PICTURE, 0);
    // Once more when the frame has been shown and activated: where no window
    // manager keeps owned windows above their owner, activating the frame
    // put it over the small view.
    PostMessageA(frame, WM_COMMAND, CMD_SHOW_PICTURE, 0);
    return true;
}

void LayoutViews(HWND, WPARAM sizeType, int width, int height) {
    if (g_views.formatBar) {
        int barHeight = height < g_views.formatBarHeight ? height : g_views.formatBarHeight;
        SetWindowPos(g_views.formatBar, nullptr, 0, 0, width, barHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (sizeType != SIZE_MINIMIZED) LayoutWorkArea();
    RefreshSmallView();
}

bool ViewsCommand(HWND frame, int id) {
    SetTransparencyView(false, 0);
    const EditorIcon &icon = TheIcon();
    int current = CurrentImageIndex();
    switch (id) {
    case CMD_SHOW_PICTURE:
        if (current < icon.count) ShowPicture(icon.images[current].history.current());
        return true;
    case CMD_UNDO: UndoPicture(); return true;
    case CMD_COPY: CopyPicture(frame); return true;
    default: return false;
    }
}

void DestroyViews() {
    DeleteCanvas();
    ReleaseEditorIcon(&TheIcon());
    g_views = ViewWindows();
}
