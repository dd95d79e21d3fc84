// Where the magnifier looks and where its window goes: pure rules, no Windows
// header, so they build and are tested natively too. Units are screen pixels.
#pragma once

struct ZoomRect {
    int left, top, right, bottom;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The magnifier's setup: client size, window offset from the cursor, the
// arrow keys' step and the enlargement factor.
struct ZoomSetupValues {
    int width = 100, height = 100;
    int dx = 80, dy = 80;
    int step = 1;
    int factor = 2;
};

// The setup from the library's arguments; false (and `out` untouched) when a
// value is out of range: sizes and step 1..4096, offsets 0..4096, factor 1..256.
bool MakeZoomSetup(int width, int height, int dx, int dy, int step, int factor, ZoomSetupValues *out);

// The screen area shown: ceil(width / factor) x ceil(height / factor) pixels
// with the cursor's pixel in the middle cell (its left/top half rounded down).
ZoomRect ZoomSourceArea(const ZoomSetupValues &setup, int cursorX, int cursorY);

// The window's outer rectangle (outerWidth x outerHeight, frame included) for
// a cursor: `dx`/`dy` right of and below the cursor, pushed past the area it
// shows so it never covers it, on the other side of the cursor when the screen
// ends there, and kept on the screen.
ZoomRect ZoomWindowPlace(const ZoomSetupValues &setup, int cursorX, int cursorY, int outerWidth, int outerHeight,
                         const ZoomRect &screen);
