// The Windows version line of the About dialog. Portable.
#pragma once
#include <cstddef>
#include <string>

// What the platform reports of its version (the fields of OSVERSIONINFOA).
struct WindowsVersion {
    unsigned major;
    unsigned minor;
    unsigned build;        // as reported: on Windows 95, 98 and ME the high word repeats major and minor
    unsigned platform;     // 1 Windows 95, 98 and ME; 2 NT and its successors
    const char *servicePack;  // may be null; read at most kServicePackMax characters
};

const size_t kServicePackMax = 128;  // the size of the platform's service-pack field
const unsigned kPlatformWin9x = 1;

// "Windows %u.%u", or for version 4.0 "Windows %u.%u Build %u %s" with the
// build number and the service-pack text. On Windows 95 the build number is
// the low word of what the platform reports.
std::string FormatWindowsVersion(const WindowsVersion &version);
