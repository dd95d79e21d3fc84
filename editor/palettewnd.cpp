#include "editor/palettewnd.h"

#include <memory>

#include "common/handles.h"
#include "editor/command_tables.h"
#include "editor/resource.h"

namespace {

typedef UniqueHandle<HGDIOBJ, GdiObjectTraits> UniqueBrush;

// The cells' brushes, behind DWLP_USER while the window lives.
struct PaletteState {
    UniqueBrush cells[kPaletteCells];
};

PaletteState *State(HWND palette) { return reinterpret_cast<PaletteState *>(GetWindowLongPtrA(palette, DWLP_USER)); }

INT_PTR OnCellColour(HWND palette, HWND control) {
    PaletteState *state = State(palette);
    if (!state) return FALSE;
    int id = GetDlgCtrlID(control);
    for (size_t i = 0; i < kPaletteCells; ++i)
        if ((int)PaletteCellId(i) == id) return (INT_PTR)state->cells[i].get();
    return FALSE;
}

INT_PTR CALLBACK PaletteProc(HWND palette, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        PaletteState *state = new PaletteState;
        for (size_t i = 0; i < kPaletteCells; ++i) state->cells[i].reset(CreateSolidBrush(PaletteCellColour(i)));
        SetWindowLongPtrA(palette, DWLP_USER, (LONG_PTR)state);
        return FALSE;  // the frame keeps the focus
    }
    case WM_CTLCOLORSTATIC: return OnCellColour(palette, (HWND)lParam);
    case WM_DESTROY:
        delete State(palette);
        SetWindowLongPtrA(palette, DWLP_USER, 0);
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

HWND CreatePaletteWindow(HINSTANCE instance, HWND frame, const EditorSettings &settings) {
    HWND palette = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PALETTE), frame, PaletteProc, 0);
    if (!palette) return nullptr;
    ScreenPoint place = PalettePosition(settings);
    SetWindowPos(palette, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (settings.Palette) ShowPaletteWindow(palette, true);
    return palette;
}

void ShowPaletteWindow(HWND palette, bool show) {
    if (palette) ShowWindow(palette, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

ScreenPoint PaletteWindowPlace(HWND palette) {
    RECT r = {};
    GetWindowRect(palette, &r);
    return {r.left, r.top};
}
