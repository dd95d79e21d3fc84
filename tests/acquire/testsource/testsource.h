// What the test TWAIN source and the tests that drive it share: its names,
// its interface's controls, the message that carries its events and its
// pictures' pixels.
#pragma once
#include <windows.h>

#define kTestSourceProductName "Glyphery test source"
#define kTestSourceTitle "Glyphery test source"
#define kTestSourceClass "GlypheryTestSource"
#define kTestSourceEventName "GlypheryTestSourceEvent"
const int kTestSourceScanId = 101;
const int kTestSourceCancelId = 102;
const int kTestPictureWidth = 64;
const int kTestPictureHeight = 64;

// Pixel (x, y), y from the top, of picture p (0 first): four quadrants whose
// colours change with p.
inline COLORREF TestPicturePixel(int p, int x, int y) {
    bool right = x >= kTestPictureWidth / 2, bottom = y >= kTestPictureHeight / 2;
    int q = (bottom ? 2 : 0) + (right ? 1 : 0);
    static const COLORREF base[4] = {RGB(200, 30, 30), RGB(30, 180, 40), RGB(20, 40, 210), RGB(230, 200, 20)};
    COLORREF c = base[q];
    return RGB(GetRValue(c), GetGValue(c), (GetBValue(c) + 40 * p) & 0xFF);
}
