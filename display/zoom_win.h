// The magnifier of GYzoom.dll, taken by ordinal from the program's folder.
// Without the library the calls do nothing.
#pragma once
#include <windows.h>

#include "common/handles.h"

class Magnifier {
public:
    // Loads the library and starts the magnifier over `parent`, with a grid
    // when `grid` is set. False when the library or an entry is missing.
    bool Start(HWND parent, bool grid);
    // Stops it and releases the library (nothing when it was not started).
    void Stop();
    bool active() const { return (bool)module_; }

private:
    UniqueModule module_;
};
