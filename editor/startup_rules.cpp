#include "editor/startup_rules.h"

#include <cstring>

bool IconPathFromCommandLine(const char *commandLine, char *path, size_t size) {
    if (size == 0) return false;
    path[0] = '\0';
    if (!commandLine || commandLine[0] == '\0') return false;
    const char *rest = commandLine + 1;  // the lead character, whatever it is
    size_t length = strnlen(rest, size - 1);
    memcpy(path, rest, length);
    path[length] = '\0';
    return true;
}

WorkingSize ComputeWorkingSize(const std::vector<ImageShape> &images) {
    WorkingSize w;
    uint32_t bits = 0;
    for (const ImageShape &image : images)
        if (image.height > w.size) w.size = image.height;
    for (const ImageShape &image : images)
        if (image.height == w.size && image.bits > bits) bits = image.bits;
    if (images.empty()) return w;
    w.colors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : -1;
    return w;
}

void StatusPartEdges(int clientWidth, int edges[3]) {
    edges[0] = clientWidth * 5 / 9;
    edges[1] = clientWidth * 5 / 7;
    edges[2] = -1;
}
