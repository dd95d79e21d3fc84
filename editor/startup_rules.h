// The editor's start-up rules that need no window: its command line, the
// working size of an icon and the status bar's parts. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The command line is one lead character (the main program passes "|")
// followed by the icon's full path. Copies the path into path (cut to
// size - 1 characters); false when the command line is empty, which means
// the editor was not started by the suite.
bool IconPathFromCommandLine(const char *commandLine, char *path, size_t size);

struct ImageShape {
    uint32_t width, height, bits;
};
// The size the editor works at: the largest image height, and among the
// images of that height the largest depth, as a colour count: 2 (1 bit),
// 16 (4 bits), 256 (8 bits) or -1 (true colour). Zero height for no images.
struct WorkingSize {
    uint32_t size = 0;
    int colors = 0;
};
WorkingSize ComputeWorkingSize(const std::vector<ImageShape> &images);

// The right edges of the status bar's three parts for a client width: 5/9 and
// 5/7 of it, the last part reaching the right edge (-1).
void StatusPartEdges(int clientWidth, int edges[3]);
