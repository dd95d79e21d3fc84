#include "render_args.h"

#include <cstdio>

std::vector<std::string> RenderArgs(int size, int bits, bool keepProportions) {
    std::vector<std::string> args = {"Glyphery"};
    if (bits == 1) {
        args.push_back("-monochrome");
    } else if (bits == 4) {
        args.insert(args.end(), {"-colors", "16"});
    } else if (bits == 8) {
        args.insert(args.end(), {"-colors", "256"});
    }
    char geometry[32];
    snprintf(geometry, sizeof geometry, keepProportions ? "%dx%d" : "%dx%d!", size, size);
    args.insert(args.end(), {"-resize", geometry});
    return args;
}

bool BorderArgs(int size, int width, int height, std::vector<std::string> *args) {
    // A picture fitted inside the square is never larger than it; should one
    // be, it gets no border on that side rather than a negative one.
    int dx = size > width ? (size - width) / 2 : 0;
    int dy = size > height ? (size - height) / 2 : 0;
    if (dx == 0 && dy == 0) return false;
    char geometry[32];
    snprintf(geometry, sizeof geometry, "%dx%d", dx, dy);
    *args = {"Glyphery", "-bordercolor", "white", "-border", geometry};
    return true;
}
