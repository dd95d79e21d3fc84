// The Windows version line of the running system, for the suite's About dialogs.
#pragma once
#include <string>

#include "shell/winversion.h"

// What FormatWindowsVersion makes of the version the platform reports
// ("Windows" alone when it reports none).
std::string CurrentWindowsVersionText();
