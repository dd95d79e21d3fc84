// The uninstaller's work: remove what the install wizard made, from the
// record it left in the installation folder, and nothing else.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "setup/plan.h"

// True when `folder` was installed by the wizard: its record reads as one,
// and the uninstall entry names the uninst.exe of that folder.
bool InstalledByWizard(const std::string &folder, InstallRecord *record);

// Removes the group, the shortcuts, the files and the folders of the record,
// the record, the uninstall entry and, when asked, the settings keys of the
// suite. A file in use (the running uninstaller itself) is removed when
// Windows next starts, and so is the folder holding it. Returns what could
// not be removed.
std::vector<std::string> RunUninstall(const std::string &folder, const InstallRecord &record, bool removeSettings);
