// Running a filter plug-in's protocol over a 24-bit RGB picture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "libs/qplugin/pifilter.h"

// Runs `entry` (a plug-in loaded by the caller): parameters, prepare, start,
// continue while the plug-in asks for tiles, finish. `picture` (width x
// height x 3 bytes) holds the result when it returns true; on false it may
// be partly filtered and the caller keeps its own copy.
bool RunFilter(PIFilterEntry entry, HWND owner, std::vector<uint8_t> *picture, int width, int height);
