// The install itself, apart from the wizard: copy the suite, create the
// program group, write the uninstall entry and the first settings, write the
// shortcuts, and leave the record the uninstaller works from.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "setup/plan.h"

struct InstallRequest {
    std::string sourceFolder;      // where setup.exe runs from, no trailing backslash
    std::string folder;            // the installation folder, collapsed; exists
    std::vector<std::string> madeFolders;  // the folders the wizard created for it, outermost first
    bool group = true;             // Program Manager group
    bool desktop = true;           // shortcut on the all-users desktop
    std::string startMenuFolder;   // a shortcut to the program there, "" for none
};

struct InstallResult {
    std::vector<std::string> failed;  // files of the list that could not be copied
    bool registryWritten = false;
    bool recordWritten = false;
    bool complete() const { return failed.empty() && registryWritten && recordWritten; }
};

// What the install reports while it works; the wizard's Copy page shows it.
class InstallProgress {
public:
    virtual ~InstallProgress() {}
    virtual void Copying(const std::string &from, const std::string &to) {}
};

// Runs every step; a step that fails does not stop the others. Returns the
// outcome, which the wizard reports.
InstallResult RunInstall(const InstallRequest &request, InstallProgress *progress);

// Sends Program Manager commands over DDE (service and topic "PROGMAN",
// execute transactions); true when a Program Manager answered and took the
// first command (the group's creation). Later commands a shell does not
// support (ShowGroup, where there is no group window) are passed over.
bool SendProgmanCommands(const std::vector<std::string> &commands);

// A shell link to `target` saved as `linkPath`, with a description.
bool WriteShellLink(const std::string &linkPath, const std::string &target, const char *description);

// The all-users desktop folder ("" when the shell has none).
std::string CommonDesktopFolder();

// The uninstall entry's key under HKEY_LOCAL_MACHINE.
extern const char kUninstallKey[];
