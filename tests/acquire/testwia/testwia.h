// What the test device manager and its tests share: the photo it "takes".
#pragma once
#include <windows.h>

const int kTestPhotoSide = 40;
// Pixel (x, y), y from the top: an orange upper half over a purple lower half.
inline COLORREF TestPhotoPixel(int x, int y) { return y < kTestPhotoSide / 2 ? RGB(250, 120, 20) : RGB(120, 30, 160); }
