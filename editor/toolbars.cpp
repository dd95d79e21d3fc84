#include "editor/toolbars.h"

#include <cstring>
#include <string>

#include "common/windowutil.h"
#include "editor/command_tables.h"
#include "editor/resource.h"

namespace {

// Bitmap 1 is declared to the toolbar as 43 images, as it always was; the
// strip holds 47 and the toolbar takes every image of it (indexes up to 46
// are shown).
const int kMainImages = 43;
const int kToolImages = 20;


BYTE ToggleState(bool down) { return down ? TBSTATE_PRESSED | TBSTATE_CHECKED | TBSTATE_ENABLED : TBSTATE_ENABLED; }

}  // namespace

HWND CreateMainToolbar(HINSTANCE instance, HWND frame, bool grid, bool palette) {
    const TBBUTTON buttons[] = {
        ToolbarButton(2, CMD_SAVE),
        ToolbarButton(46, CMD_SAVE_AS),
        ToolbarButton(45, CMD_PRINT),
        ToolbarSeparator(),
        ToolbarButton(39, CMD_GRID, TBSTYLE_CHECK, ToggleState(grid)),
        ToolbarButton(10, CMD_PALETTE, TBSTYLE_CHECK, ToggleState(palette)),
        ToolbarSeparator(),
        ToolbarButton(40, CMD_BRUSH_WIDTH, TBSTYLE_DROPDOWN),
        ToolbarSeparator(),
        ToolbarButton(5, CMD_UNDO, TBSTYLE_BUTTON, TBSTATE_INDETERMINATE),
        ToolbarSeparator(),
        ToolbarSeparator(),
        ToolbarButton(18, CMD_SETUP_DISPLAY),
        ToolbarSeparator(),
        ToolbarButton(33, CMD_HELP_INDEX),
        ToolbarButton(21, CMD_CLOSE),
    };
    HWND bar = CreateToolbarEx(frame, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, IDC_MAIN_TOOLBAR,
                               kMainImages, instance, IDB_TOOLBAR, buttons, (int)(sizeof buttons / sizeof buttons[0]),
                               16, 16, 16, 16, sizeof(TBBUTTON));
    if (bar) SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    return bar;
}

void SetToggleButton(HWND frame, UINT command, bool down) {
    SendDlgItemMessageA(frame, IDC_MAIN_TOOLBAR, TB_SETSTATE, command, MAKELONG(ToggleState(down), 0));
}

HWND CreateToolRebar(HINSTANCE instance, HWND frame) {
    HWND rebar = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_NODIVIDER |
                                     CCS_NOPARENTALIGN | CCS_NORESIZE | RBS_VARHEIGHT,
                                 0, 56, 0, 0, frame, (HMENU)(INT_PTR)IDC_TOOL_REBAR, instance, nullptr);
    if (!rebar) return nullptr;
    const struct {
        int image, command;
    } tools[] = {
        {0, CMD_PEN},           {2, CMD_BRUSH},           {4, CMD_LINE},       {1, CMD_EXTRACT_COLOR},
        {3, CMD_FILL},          {19, CMD_SPRAY},          {7, CMD_RECTANGLE},  {8, CMD_FILLED_RECTANGLE},
        {11, CMD_BICOLOR_RECTANGLE}, {9, CMD_CIRCLE},     {10, CMD_FILLED_CIRCLE}, {21, CMD_SELECT},
        {20, CMD_CHOOSE_COLOR},
    };
    const int count = (int)(sizeof tools / sizeof tools[0]);
    TBBUTTON buttons[count];
    for (int i = 0; i < count; ++i) {
        // One button per row; the drawing tools form one check group, Choose
        // a color is a plain push button.
        bool plain = tools[i].command == CMD_CHOOSE_COLOR;
        BYTE state = TBSTATE_ENABLED | TBSTATE_WRAP | (tools[i].command == CMD_PEN ? TBSTATE_CHECKED : 0);
        buttons[i] = ToolbarButton(tools[i].image, tools[i].command, plain ? TBSTYLE_BUTTON : TBSTYLE_CHECKGROUP, state);
    }
    // The strip is declared as 20 images; it holds 22 (Select a region and
    // Choose a color use indexes 21 and 20).
    HWND box = CreateToolbarEx(rebar,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               IDC_TOOLBOX, kToolImages, instance, IDB_TOOLS, buttons, count, 16, 16, 16, 16,
                               sizeof(TBBUTTON));
    if (!box) return rebar;
    // The box is one button wide and 13 rows high.
    DWORD size = (DWORD)SendMessageA(box, TB_GETBUTTONSIZE, 0, 0);
    int width = LOWORD(size), height = HIWORD(size) * count;
    SetWindowPos(box, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    band.fStyle = RBBS_NOGRIPPER | RBBS_CHILDEDGE;
    band.hwndChild = box;
    band.cxMinChild = width;
    band.cyMinChild = height;
    band.cx = 250;
    SendMessageA(rebar, RB_INSERTBANDA, (WPARAM)-1, (LPARAM)&band);
    SetWindowPos(rebar, nullptr, 0, 56, width + 4, height + 4, SWP_NOZORDER | SWP_NOACTIVATE);
    return rebar;
}

bool AnswerTooltip(HINSTANCE instance, NMHDR *hdr) {
    if (hdr->code != TTN_GETDISPINFOA && hdr->code != TTN_GETDISPINFOW) return false;
    unsigned text = TooltipTextId((unsigned)hdr->idFrom);
    // An id the table does not hold gets the empty text.
    if (hdr->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA *info = reinterpret_cast<NMTTDISPINFOA *>(hdr);
        info->szText[0] = '\0';
        info->hinst = text ? instance : nullptr;
        info->lpszText = text ? MAKEINTRESOURCEA(text) : info->szText;
    } else {
        NMTTDISPINFOW *info = reinterpret_cast<NMTTDISPINFOW *>(hdr);
        info->szText[0] = L'\0';
        info->hinst = text ? instance : nullptr;
        info->lpszText = text ? MAKEINTRESOURCEW(text) : info->szText;
    }
    return true;
}

void MarkBrushSize(HMENU menu, uint32_t size) {
    for (unsigned command : kBrushSizeCommands)
        CheckMenuItem(menu, command, MF_BYCOMMAND | (command == BrushSizeCommand(size) ? MF_CHECKED : MF_UNCHECKED));
}

void ShowBrushSizeMenu(HINSTANCE instance, HWND frame, const NMTOOLBARA *button, uint32_t size) {
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_BRUSH_SIZE));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    MarkBrushSize(popup, size);
    RECT r = button->rcButton;
    MapWindowPoints(button->hdr.hwndFrom, nullptr, (POINT *)&r, 2);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0, frame, nullptr);
    DestroyMenu(menu);
}
