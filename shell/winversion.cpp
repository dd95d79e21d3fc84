#include "shell/winversion.h"

#include <cstdio>
#include <cstring>

std::string FormatWindowsVersion(const WindowsVersion &v) {
    char text[64 + kServicePackMax];
    if (v.major == 4 && v.minor == 0) {
        unsigned build = v.platform == kPlatformWin9x ? (v.build & 0xFFFF) : v.build;
        std::string pack;
        if (v.servicePack) pack.assign(v.servicePack, strnlen(v.servicePack, kServicePackMax));
        snprintf(text, sizeof text, "Windows %u.%u Build %u %s", v.major, v.minor, build, pack.c_str());
    } else {
        snprintf(text, sizeof text, "Windows %u.%u", v.major, v.minor);
    }
    return text;
}
