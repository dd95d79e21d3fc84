// The editor's real frame on an icon, as the program makes it, for the tests
// that drive its views and tools; closed at the end of the scope.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "editor/frame.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/views_win.h"

class EditorFrame {
public:
    explicit EditorFrame(const std::string &iconPath, uint32_t grid = 0) {
        instance_ = GetModuleHandleA(nullptr);
        ok_ = PrepareSession(instance_, ("|" + iconPath).c_str(), &session_);
        if (!ok_) return;
        session_.settings.Grid = grid;
        RegisterFrameClass(instance_, session_);
        frame_ = CreateFrame(instance_, &session_);
    }
    ~EditorFrame() {
        if (frame_ && IsWindow(frame_)) DestroyWindow(frame_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
        UnregisterClassA(kFrameClass, instance_);
    }
    EditorFrame(const EditorFrame &) = delete;
    EditorFrame &operator=(const EditorFrame &) = delete;

    bool ok() const { return ok_ && frame_; }
    HWND frame() const { return frame_; }
    HWND bar() const { return Views().formatBar; }
    EditorSession &session() { return session_; }
    void Command(int id) { SendMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The image selector's choice, as a user makes it.
    void Select(int index) {
        SendDlgItemMessageA(bar(), IDC_IMAGE_SELECTOR, CB_SETCURSEL, index, 0);
        SendMessageA(bar(), WM_COMMAND, MAKEWPARAM(IDC_IMAGE_SELECTOR, CBN_SELCHANGE),
                     (LPARAM)GetDlgItem(bar(), IDC_IMAGE_SELECTOR));
    }
    std::string SelectorLine(int i) {
        char text[128] = "";
        SendDlgItemMessageA(bar(), IDC_IMAGE_SELECTOR, CB_GETLBTEXT, i, (LPARAM)text);
        return text;
    }

    // The WorkArea point at the middle of image pixel (c, r).
    static LPARAM At(int c, int r) {
        int z = Views().zoom;
        return MAKELPARAM(c * z + z / 2, r * z + z / 2);
    }
    // A press at the first pixel, moves through the others, the release at
    // the last one: the messages a user's hand sends the WorkArea.
    void Drag(bool right, const std::vector<POINT> &pixels) {
        HWND work = WorkAreaWindow();
        WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
        const POINT &first = pixels.front(), &last = pixels.back();
        SendMessageA(work, WM_MOUSEMOVE, 0, At(first.x, first.y));
        SendMessageA(work, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, held, At(first.x, first.y));
        for (size_t i = 1; i < pixels.size(); ++i) SendMessageA(work, WM_MOUSEMOVE, held, At(pixels[i].x, pixels[i].y));
        SendMessageA(work, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, At(last.x, last.y));
    }

private:
    HINSTANCE instance_ = nullptr;
    EditorSession session_;
    HWND frame_ = nullptr;
    bool ok_ = false;
};
