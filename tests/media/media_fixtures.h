// What the media tests share: the files make_media.sh made, the colours of
// the clips' frames, and a colour comparison that allows for lossy coding.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/testutil_win.h"

inline std::string MediaInput(const std::string &name) { return TestOutputDir("media-inputs") + "\\" + name; }

// Frames 0 to 3 of every test clip: red, green, blue, yellow.
const COLORREF kFrameColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};

// Within `tolerance` on each channel.
inline ::testing::AssertionResult Near(COLORREF got, COLORREF want, int tolerance) {
    int d = std::max({std::abs(GetRValue(got) - GetRValue(want)), std::abs(GetGValue(got) - GetGValue(want)),
                      std::abs(GetBValue(got) - GetBValue(want))});
    if (d <= tolerance) return ::testing::AssertionSuccess();
    char text[96];
    snprintf(text, sizeof text, "got %02X%02X%02X, want %02X%02X%02X", GetRValue(got), GetGValue(got),
             GetBValue(got), GetRValue(want), GetGValue(want), GetBValue(want));
    return ::testing::AssertionFailure() << text;
}
