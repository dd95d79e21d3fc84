// The icon metrics dialog (434): the shell's icon spacing, icon size and
// colour depth under the current user's WindowMetrics key, the size of the
// shell's icon cache, and the two ways of making the shell take up changed
// icons (a settings-change broadcast, deleting the cache file).
#pragma once
#include <windows.h>

#include <string>

// The icon cache file: "<Windows folder>\ShellIconCache".
std::string IconCacheFile();

// How long the Rebuild broadcast waits for each top-level window, in
// milliseconds: a window that does not answer is skipped, never waited for
// without end.
const UINT kSettingChangeTimeout = 5000;
