#include "libs/gyzoom/zoomgeometry.h"

namespace {

const int kMaxSize = 4096;
const int kMaxFactor = 256;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// One axis of the window's place. First choice: `offset` after the cursor and
// past the shown span [spanLo, spanHi); second: as far before it. `apart`
// tells whether the result stays clear of the span; without either the window
// goes `offset` after the cursor, kept inside [lo, hi).
int PlaceAxis(int cursor, int offset, int spanLo, int spanHi, int size, int lo, int hi, bool keepClear, bool *apart) {
    int after = cursor + offset;
    if (keepClear && after < spanHi) after = spanHi;
    if (after + size <= hi) {
        *apart = true;
        return after;
    }
    int before = cursor - offset;
    if (keepClear && before > spanLo) before = spanLo;
    before -= size;
    if (before >= lo) {
        *apart = true;
        return before;
    }
    *apart = false;
    if (size >= hi - lo) return lo;
    return Clamp(cursor + offset, lo, hi - size);
}

}  // namespace

bool MakeZoomSetup(int width, int height, int dx, int dy, int step, int factor, ZoomSetupValues *out) {
    if (!InRange(width, 1, kMaxSize) || !InRange(height, 1, kMaxSize) || !InRange(dx, 0, kMaxSize) ||
        !InRange(dy, 0, kMaxSize) || !InRange(step, 1, kMaxSize) || !InRange(factor, 1, kMaxFactor))
        return false;
    out->width = width;
    out->height = height;
    out->dx = dx;
    out->dy = dy;
    out->step = step;
    out->factor = factor;
    return true;
}

ZoomRect ZoomSourceArea(const ZoomSetupValues &setup, int cursorX, int cursorY) {
    int w = (setup.width + setup.factor - 1) / setup.factor;
    int h = (setup.height + setup.factor - 1) / setup.factor;
    ZoomRect r;
    r.left = cursorX - w / 2;
    r.top = cursorY - h / 2;
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

ZoomRect ZoomWindowPlace(const ZoomSetupValues &setup, int cursorX, int cursorY, int outerWidth, int outerHeight,
                         const ZoomRect &screen) {
    ZoomRect shown = ZoomSourceArea(setup, cursorX, cursorY);
    bool apart = false;
    // Clear of the shown area sideways when the screen allows; else clear of it
    // vertically.
    int x = PlaceAxis(cursorX, setup.dx, shown.left, shown.right, outerWidth, screen.left, screen.right, true, &apart);
    bool unused = false;
    int y = PlaceAxis(cursorY, setup.dy, shown.top, shown.bottom, outerHeight, screen.top, screen.bottom, !apart,
                      &unused);
    ZoomRect r;
    r.left = x;
    r.top = y;
    r.right = x + outerWidth;
    r.bottom = y + outerHeight;
    return r;
}
