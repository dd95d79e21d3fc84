#include "shell/winversion_win.h"

#include <windows.h>

std::string CurrentWindowsVersionText() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return "Windows";
    WindowsVersion version = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId,
                              info.szCSDVersion};
    return FormatWindowsVersion(version);
}
