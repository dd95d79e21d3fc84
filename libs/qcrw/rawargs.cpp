#include "libs/qcrw/rawargs.h"

#include <cstdio>
#include <cstring>

RawDecodeOptions ParseRawArguments(int argc, const char *const *argv) {
    RawDecodeOptions options;
    if (!argv || argc < 2) return options;
    if (argc > 64) argc = 64;
    for (int i = 1; i < argc && argv[i]; ++i) {
        if (strcmp(argv[i], "-h") == 0)
            options.halfSize = true;
        else if (argv[i][0])
            options.path = argv[i];
    }
    return options;
}

std::string PnmHeader(int colors, unsigned width, unsigned height) {
    if ((colors != 1 && colors != 3) || width == 0 || height == 0) return std::string();
    char text[48];
    snprintf(text, sizeof text, "P%c\n%u %u\n255\n", colors == 1 ? '5' : '6', width, height);
    return text;
}
