// The drawing tools on the canvas. Each handler paints the canvas (the
// picture itself) and has the WorkArea and the small view repaint what
// changed from it; rubber bands are drawn on the WorkArea's screen with the
// inverting raster operation, so drawing one twice removes it.
#include "editor/tools_win.h"

#include "common/handles.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/colordlg_win.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/textdlg_win.h"
#include "editor/views_win.h"

namespace {

typedef UniqueHandle<HGDIOBJ, GdiObjectTraits> UniqueGdi;

// One mouse button's colour as its drawing objects.
struct ButtonObjects {
    COLORREF color = 0;
    UniqueGdi fill, stroke, pen, swatch;

    void Make(COLORREF c) {
        color = c;
        fill.reset(CreateSolidBrush(c));
        stroke.reset(CreateSolidBrush(c));
        pen.reset(CreatePen(PS_INSIDEFRAME, 1, c));
        swatch.reset(CreateSolidBrush(c));
    }
};

// A one-shot pick waiting for the next release in the WorkArea.
enum PickMode { kPickNone, kPickWhich, kPickExtract, kPickTransparent };

struct ToolState {
    int tool = kToolPen;
    PickMode pick = kPickNone;
    bool text = false;  // text insertion waits for its click
    ButtonObjects buttons[2];  // left, right
    bool made = false;
    // The stroke: in progress, which button, its start, previous and
    // current points (WorkArea pixels snapped to image pixels).
    bool stroke = false;
    bool right = false;
    POINT start = {}, previous = {}, current = {};
    POINT lastMove = {-1, -1};
    bool rubber = false;  // a rubber band is showing
    PixelRect selection = {0, 0, -1, -1};
    // Select transparent pixels: while on, strokes mark pixels (the left
    // button) or unmark them (the right) instead of painting. The marks as
    // the stroke leaves them, given to the picture pushed at its release.
    bool marking = false;
    bool marksPending = false;
    std::vector<uint8_t> strokeMarks;
};

ToolState g_tools;

ButtonObjects &Button(bool right) {
    if (!g_tools.made) {
        g_tools.buttons[0].Make(RGB(255, 255, 255));
        g_tools.buttons[1].Make(RGB(0, 0, 0));
        g_tools.made = true;
    }
    return g_tools.buttons[right ? 1 : 0];
}

int Zoom() { return Views().zoom > 0 ? Views().zoom : 1; }

POINT Snap(int x, int y) {
    POINT p = {SnapCoordinate(x, Zoom(), ActiveSize()), SnapCoordinate(y, Zoom(), ActiveSize())};
    return p;
}

// The WorkArea's rectangle of image pixels left..right, top..bottom.
RECT ViewRect(const PixelRect &r) {
    int z = Zoom();
    RECT v = {r.left * z, r.top * z, (r.right + 1) * z, (r.bottom + 1) * z};
    return v;
}

// The WorkArea and the small view show the canvas's pixels in r again.
void Repaint(const PixelRect &r) {
    HWND work = Views().workArea;
    if (work) {
        RECT v = ViewRect(r);
        InvalidateRect(work, &v, FALSE);
        UpdateWindow(work);
    }
    PaintSmallView();
}

void RepaintAll() { Repaint({0, 0, ActiveSize() - 1, ActiveSize() - 1}); }

// Fills the n x n square of image pixels at the WorkArea point (snapped or
// not) with the active stroke brush; nothing for a point left or above the
// view or past the image.
void PaintCells(int x, int y, int n) {
    HDC canvas = CanvasDC();
    if (!canvas || x < 0 || y < 0) return;
    int c = x / Zoom(), r = y / Zoom();
    if (c >= ActiveSize() || r >= ActiveSize()) return;
    PixelRect s = BrushSquare(c, r, n, ActiveSize());
    RECT fill = {s.left, s.top, s.right + 1, s.bottom + 1};
    FillRect(canvas, &fill, (HBRUSH)Button(g_tools.right).stroke.get());
    Repaint(s);
}

// Marks (or, for the right button, unmarks) the n x n square of image
// pixels at the WorkArea point; the WorkArea shows the stroke's marks.
void MarkCells(int x, int y, int n) {
    int side = ActiveSize();
    if (x < 0 || y < 0 || g_tools.strokeMarks.size() != (size_t)side * side) return;
    int c = x / Zoom(), r = y / Zoom();
    if (c >= side || r >= side) return;
    PixelRect s = BrushSquare(c, r, n, side);
    uint8_t mark = g_tools.right ? 0 : 1;
    for (int row = s.top; row <= s.bottom; ++row)
        for (int col = s.left; col <= s.right; ++col) g_tools.strokeMarks[(size_t)row * side + col] = mark;
    if (HWND work = Views().workArea) {
        RECT v = ViewRect(s);
        InvalidateRect(work, &v, FALSE);
        UpdateWindow(work);
    }
}

// Paints (or marks) the n x n squares of every cell from the previous point
// to the current one.
void PaintStroke(int n) {
    int z = Zoom();
    ForEachLineCell(g_tools.previous.x / z, g_tools.previous.y / z, g_tools.current.x / z, g_tools.current.y / z,
                    [&](int c, int r) {
                        if (g_tools.marking) MarkCells(c * z, r * z, n);
                        else PaintCells(c * z, r * z, n);
                    });
}

// The stroke's square: the brush size for the Brush, a single cell else.
int StrokeCells() { return kToolTable[g_tools.tool].handler == kHandleBrush ? BrushSize() : 1; }

// A marking stroke starts from the marks the current picture carries.
void StartMarking(POINT at) {
    int side = ActiveSize();
    PixelMarks marks = CurrentMarks();
    if (marks && marks->size() == (size_t)side * side) g_tools.strokeMarks = *marks;
    else g_tools.strokeMarks.assign((size_t)side * side, 0);
    MarkCells(at.x, at.y, StrokeCells());
}

// --- Rubber bands ----------------------------------------------------------

void DrawRubber(HWND work, POINT to) {
    WindowDC dc(work);
    if (!dc.get()) return;
    int z = Zoom();
    int oldRop = SetROP2(dc.get(), R2_NOT);
    if (kToolTable[g_tools.tool].handler == kHandleLine) {
        int a = z > 1 ? -1 : 0;
        UniqueGdi pen(CreatePen(PS_INSIDEFRAME, RubberLineWidth(ActiveSize()), RGB(0, 0, 0)));
        SelectObjectScope usePen(dc.get(), pen.get());
        MoveToEx(dc.get(), g_tools.start.x + z / 2 + a, g_tools.start.y + z / 2 + a, nullptr);
        LineTo(dc.get(), to.x + z / 2 + a, to.y + z / 2 + a);
    } else {
        PixelRect r = OrderedRect(g_tools.start.x, g_tools.start.y, to.x, to.y);
        SelectObjectScope usePen(dc.get(), GetStockObject(WHITE_PEN));
        SelectObjectScope noFill(dc.get(), GetStockObject(NULL_BRUSH));
        if (kToolTable[g_tools.tool].handler == kHandleEllipse)
            Ellipse(dc.get(), r.left, r.top, r.right + z, r.bottom + z);
        else
            Rectangle(dc.get(), r.left, r.top, r.right + z, r.bottom + z);
    }
    SetROP2(dc.get(), oldRop);
}

// --- The shapes, drawn in the canvas at button up --------------------------

PixelRect ImageRect(POINT a, POINT b) {
    int z = Zoom();
    return OrderedRect(a.x / z, a.y / z, b.x / z, b.y / z);
}

void DrawShape(POINT end) {
    HDC canvas = CanvasDC();
    if (!canvas) return;
    PixelRect r = ImageRect(g_tools.start, end);
    ButtonObjects &active = Button(g_tools.right), &other = Button(!g_tools.right);
    HGDIOBJ noFill = GetStockObject(NULL_BRUSH);
    // Every shape covers exactly the pixels from left to right and top to
    // bottom: drawn to right + 1 with an inside-frame pen of width 1 (a
    // filled shape with its own colour's pen, as one without an outline is
    // a pixel smaller, and not by the same pixel for every system's
    // ellipse).
    HGDIOBJ fill = noFill;  // Rectangle, Circle: an outline only
    if (g_tools.tool == kToolFilledRectangle || g_tools.tool == kToolFilledCircle) fill = active.fill.get();
    // Bicoloured: outlined in the pressed button's colour, filled with the other's.
    if (g_tools.tool == kToolBicolorRectangle || g_tools.tool == kToolBicolorCircle) fill = other.fill.get();
    switch (kToolTable[g_tools.tool].handler) {
    case kHandleRectangle:
    case kHandleEllipse: {
        SelectObjectScope pen(canvas, active.pen.get()), brush(canvas, fill);
        if (kToolTable[g_tools.tool].handler == kHandleRectangle)
            Rectangle(canvas, r.left, r.top, r.right + 1, r.bottom + 1);
        else
            Ellipse(canvas, r.left, r.top, r.right + 1, r.bottom + 1);
        break;
    }
    case kHandleLine: {
        int z = Zoom();
        SelectObjectScope pen(canvas, active.pen.get());
        MoveToEx(canvas, g_tools.start.x / z, g_tools.start.y / z, nullptr);
        LineTo(canvas, end.x / z, end.y / z);  // the end pixel is not drawn by LineTo
        PaintCells(end.x, end.y, 1);
        break;
    }
    default: break;
    }
    GdiFlush();
    RepaintAll();
}

// Fill: the area of the seed pixel's colour connected to it, found by a
// border flood on a monochrome copy of the canvas, gets the fill brush.
void FloodFill(POINT at) {
    HDC canvas = CanvasDC();
    int side = ActiveSize();
    if (!canvas || side <= 0) return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    int c = at.x / Zoom(), r = at.y / Zoom();
    UniqueBitmap mono(CreateBitmap(side, side, 1, 1, nullptr));
    UniqueMemDC monoDc(CreateCompatibleDC(canvas));
    if (mono && monoDc) {
        SelectObjectScope useMono(monoDc.get(), mono.get());
        COLORREF seed = GetPixel(canvas, c, r);
        COLORREF oldBk = SetBkColor(canvas, seed), oldText = SetTextColor(canvas, RGB(0, 0, 0));
        // White where the canvas has the seed colour, black elsewhere.
        BitBlt(monoDc.get(), 0, 0, side, side, canvas, 0, 0, SRCCOPY);
        {
            SelectObjectScope black(monoDc.get(), GetStockObject(BLACK_BRUSH));
            ExtFloodFill(monoDc.get(), c, r, RGB(0, 0, 0), FLOODFILLBORDER);
        }
        // White exactly on the flooded area.
        BitBlt(monoDc.get(), 0, 0, side, side, canvas, 0, 0, SRCINVERT);
        SetBkColor(canvas, RGB(255, 255, 255));
        BitBlt(canvas, 0, 0, side, side, monoDc.get(), 0, 0, 0x00220326);  // DSna: the area to black
        {
            SelectObjectScope brush(canvas, Button(g_tools.right).fill.get());
            BitBlt(canvas, 0, 0, side, side, monoDc.get(), 0, 0, 0x00EA02E9);  // DPSao: the brush into it
        }
        SetBkColor(canvas, oldBk);
        SetTextColor(canvas, oldText);
        GdiFlush();
        RepaintAll();
    }
    SetCursor(old);
}

// The stroke ends where it is (what it painted stays).
void EndStroke() {
    if (g_tools.stroke) ReleaseCapture();
    g_tools.stroke = false;
    g_tools.rubber = false;
    if (!g_tools.strokeMarks.empty() && Views().workArea) InvalidateRect(Views().workArea, nullptr, FALSE);
    g_tools.strokeMarks.clear();
}

// The colour the WorkArea shows at a snapped point.
COLORREF ShownColor(HWND work, POINT at) {
    WindowDC dc(work);
    return dc.get() ? GetPixel(dc.get(), at.x, at.y) & 0xFFFFFF : 0;
}

// The pick waiting for this release, at the snapped point.
void PerformPick(HWND work, POINT at) {
    PickMode pick = g_tools.pick;
    g_tools.pick = kPickNone;
    COLORREF colour = ShownColor(work, at);
    HWND frame = Views().frame ? Views().frame : work;
    switch (pick) {
    case kPickWhich:
        ClipCursor(nullptr);
        ShowColorDialog(work, IDD_WHICH_COLOR, colour);
        SetToolCursor();
        break;
    case kPickExtract:
        // Black is a colour here: the only way to get it back on the left.
        Button(false).Make(colour);
        if (Views().formatBar) InvalidateRect(Views().formatBar, nullptr, TRUE);
        SendMessageA(frame, WM_COMMAND, CMD_PEN, 0);
        break;
    case kPickTransparent: {
        SendMessageA(frame, WM_COMMAND, CMD_PEN, 0);
        int z = Zoom();
        if (ShowColorDialog(work, IDD_TRANSPARENT_COLOR, colour) == IDOK && CurrentImageIndex() < TheIcon().count) {
            EditorImage &image = TheIcon().images[CurrentImageIndex()];
            image.transparent = 1;
            image.transparentX = at.x / z;
            image.transparentY = at.y / z;
        }
        // The key colour is shown either way (after the command, which
        // ends the transparency view).
        SetTransparencyView(true, colour);
        InvalidateRect(work, nullptr, FALSE);
        break;
    }
    case kPickNone: break;
    }
}

}  // namespace

int CurrentTool() { return g_tools.tool; }
void ChooseTool(int tool) {
    if (tool >= 0 && tool < kToolCount) g_tools.tool = tool;
}
int BrushSize() {
    const EditorSession *session = Views().session;
    int size = session ? (int)session->settings.brush_size : 1;
    return size < 1 ? 1 : size > 5 ? 5 : size;
}

void ClearToolModes() {
    g_tools.pick = kPickNone;
    if (g_tools.marking && g_tools.stroke) EndStroke();
    g_tools.marking = false;
    if (g_tools.text) {
        ClipCursor(nullptr);
        ReleaseCapture();
        g_tools.text = false;
    }
}

namespace {

// Text insertion: told where to click, the pointer kept over the picture
// and captured until the click.
void StartTextInsertion(HWND frame) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND work = Views().workArea;
    if (!work || ShowMessage(frame, LoadText(instance, IDS_CLICK_FOR_TEXT).c_str(), LoadText(instance, IDS_TITLE).c_str(),
                             MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    g_tools.text = true;
    POINT origin = {0, 0};
    ClientToScreen(work, &origin);
    int reach = Zoom() * ActiveSize() - 20;
    RECT confine = {origin.x, origin.y, origin.x + reach, origin.y + reach};
    ClipCursor(&confine);
    SetToolCursor();
    SetCapture(work);
}

}  // namespace

// Choose a color: the system's chooser from black, its custom colours kept
// for the run; black (no colour) changes nothing.
void ChooseLeftColor(HWND frame) {
    static COLORREF custom[16] = {};
    COLORREF colour = RGB(0, 0, 0);
    if (PickColour(frame, &colour, custom)) SetButtonColor(false, colour);
}

bool ToolsCommand(HWND frame, int id) {
    // A tool or a pick is recorded here and returns false, so that the frame
    // shows it in the tool box and the status bar.
    PickMode pick = id == CMD_WHICH_COLOR ? kPickWhich : id == CMD_EXTRACT_COLOR ? kPickExtract
                  : id == CMD_TRANSPARENT_COLOR ? kPickTransparent : kPickNone;
    if (pick != kPickNone) {
        EndStroke();
        g_tools.pick = pick;
        return false;
    }
    switch (id) {
    case CMD_TRANSPARENT_PIXELS:
        EndStroke();
        g_tools.marking = true;
        return false;
    case CMD_INSERT_TEXT:
        EndStroke();
        StartTextInsertion(frame);
        return true;
    case CMD_CHOOSE_COLOR: ChooseLeftColor(frame); return true;
    default: break;
    }
    int tool = ToolForCommand(id);
    if (tool >= 0) ChooseTool(tool);
    return false;
}

COLORREF ButtonColor(bool right) { return Button(right).color; }

void SetButtonColor(bool right, COLORREF color) {
    if (color == 0) return;  // black stands for no colour
    Button(right).Make(color);
    if (Views().formatBar) InvalidateRect(Views().formatBar, nullptr, TRUE);
}

HBRUSH SwatchBrush(bool right) { return (HBRUSH)Button(right).swatch.get(); }

PixelRect Selection() {
    if (g_tools.selection.right < g_tools.selection.left) return {0, 0, ActiveSize() - 1, ActiveSize() - 1};
    return g_tools.selection;
}

void SetToolCursor() {
    // The tool's own, unless a mode waits for the pointer.
    int id = g_tools.tool == kToolLine ? LineCursorForSize(ActiveSize()) : kToolTable[g_tools.tool].cursor;
    if (g_tools.marking) id = IDC_TRANSPARENT_CURSOR;
    if (g_tools.pick != kPickNone) id = g_tools.pick == kPickTransparent ? IDC_TRANSPARENT_CURSOR : IDC_PICK_CURSOR;
    if (g_tools.text) id = IDC_TEXT_CURSOR;
    HCURSOR cursor = nullptr;
    if (id) cursor = LoadCursor(GetModuleHandle(nullptr), MAKEINTRESOURCE(id));
    SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_CROSS));
}

void ToolButtonDown(HWND work, bool right, int x, int y) {
    if (g_tools.stroke || g_tools.pick != kPickNone || g_tools.text || ActiveSize() <= 0) return;
    SetFocus(work);
    g_tools.right = right;
    g_tools.start = g_tools.previous = g_tools.current = Snap(x, y);
    SetCapture(work);
    g_tools.stroke = true;
    POINT p = g_tools.current;
    if (g_tools.marking) {
        StartMarking(p);
        ShowStrokeSize(1, 1);
        return;
    }
    switch (kToolTable[g_tools.tool].handler) {
    case kHandlePen: PaintCells(p.x, p.y, 1); break;
    case kHandleBrush: PaintCells(p.x, p.y, BrushSize()); break;
    case kHandleSpray:
        // The offsets are WorkArea pixels from the snapped point.
        for (int i = 0; i < kSprayCells; ++i) PaintCells(p.x + kSprayOffsets[i][0], p.y + kSprayOffsets[i][1], 1);
        break;
    case kHandleFill: FloodFill(p); break;
    case kHandleSelect:
        InvalidateRect(work, nullptr, FALSE);
        UpdateWindow(work);
        [[fallthrough]];  // the selection frame is a rubber rectangle
    case kHandleLine:
    case kHandleRectangle:
    case kHandleEllipse:
        DrawRubber(work, p);
        g_tools.rubber = true;
        break;
    }
    ShowStrokeSize(1, 1);
}

void ToolMouseMove(HWND work, int x, int y) {
    SetToolCursor();
    if (g_tools.pick != kPickNone || g_tools.text) return;
    POINT p = Snap(x, y);
    if (p.x == g_tools.lastMove.x && p.y == g_tools.lastMove.y) return;
    g_tools.lastMove = p;
    g_tools.current = p;
    if (g_tools.stroke && g_tools.marking) {
        PaintStroke(StrokeCells());
    } else if (g_tools.stroke) {
        switch (kToolTable[g_tools.tool].handler) {
        case kHandlePen: PaintStroke(1); break;
        case kHandleBrush: PaintStroke(BrushSize()); break;
        default:
            if (g_tools.rubber) {
                DrawRubber(work, g_tools.previous);
                DrawRubber(work, p);
            }
            break;
        }
    }
    g_tools.previous = g_tools.current;
    int z = Zoom();
    ShowPointerPosition(p.x / z, p.y / z);
    if (g_tools.stroke) {
        PixelRect r = ImageRect(g_tools.start, p);
        ShowStrokeSize(r.right - r.left + 1, r.bottom - r.top + 1);
    }
}

void ToolButtonUp(HWND work, bool right, int x, int y) {
    (void)right;
    if (g_tools.text) {
        // The text goes where the pointer is, not snapped to a pixel.
        ClearToolModes();
        POINT at = {x, y};
        InsertText(work, at);
        return;
    }
    POINT end = Snap(x, y);
    if (!g_tools.stroke) {
        if (g_tools.pick != kPickNone) PerformPick(work, end);
        return;
    }
    if (g_tools.marking) {
        ReleaseCapture();
        g_tools.stroke = false;
        g_tools.marksPending = true;
        return;
    }
    if (g_tools.rubber) {
        // The selection frame stays on the screen until the next repaint.
        if (kToolTable[g_tools.tool].handler != kHandleSelect) DrawRubber(work, g_tools.previous);
        g_tools.rubber = false;
        if (kToolTable[g_tools.tool].handler == kHandleSelect) {
            if (g_tools.previous.x != end.x || g_tools.previous.y != end.y) {
                DrawRubber(work, g_tools.previous);
                DrawRubber(work, end);
            }
            g_tools.selection = ImageRect(g_tools.start, end);
        } else {
            DrawShape(end);
        }
    }
    ReleaseCapture();
    g_tools.stroke = false;
}

void ToolStrokePushed() {
    if (!g_tools.marksPending) return;
    g_tools.marksPending = false;
    bool any = false;
    for (uint8_t m : g_tools.strokeMarks) any = any || m;
    SetCurrentMarks(any ? std::make_shared<const std::vector<uint8_t>>(std::move(g_tools.strokeMarks)) : PixelMarks());
    g_tools.strokeMarks.clear();
    if (Views().workArea) InvalidateRect(Views().workArea, nullptr, FALSE);
}

const std::vector<uint8_t> *ShownMarks() {
    if (!g_tools.strokeMarks.empty()) return &g_tools.strokeMarks;
    return CurrentMarks().get();  // the history keeps them
}

bool MarkingTransparentPixels() { return g_tools.marking; }

void ToolEscape(HWND work) {
    if (!g_tools.stroke) return;
    if (g_tools.rubber) {
        g_tools.rubber = false;
        InvalidateRect(work, nullptr, FALSE);
    }
    ClearPositionFields(true);
    EndStroke();
}

void ReleaseTools() {
    for (ButtonObjects &b : g_tools.buttons) {
        b.fill.reset(), b.stroke.reset(), b.pen.reset(), b.swatch.reset();
    }
    g_tools.made = false;
}
