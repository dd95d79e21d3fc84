// The install wizard's fixed data and the record it leaves for the
// uninstaller. Portable.
#pragma once
#include <string>
#include <vector>

// The files the wizard copies, in copy order (setup/shipfiles.txt).
const std::vector<std::string> &ShippedFiles();

// The program group's name, and the Program Manager commands that create it
// and list the suite in it, in the order they are sent. `folder` is the
// installation folder (collapsed, no trailing backslash).
extern const char kGroupName[];
std::vector<std::string> ProgmanCommands(const std::string &folder);
// The command that removes the group again.
std::string ProgmanDeleteCommand();

// "<folder>\uninst.exe" with doubled backslashes collapsed: the uninstall
// entry's UninstallString.
std::string UninstallCommand(const std::string &folder);

// What one installation made, written as "uninst.ini" into the installation
// folder; the uninstaller removes exactly this and refuses a folder without
// one. Text, one "key=value" a line under the header "[Glyphery install]":
//   file=NAME    a file copied into the installation folder (a plain name)
//   folder=PATH  a folder the wizard created (outermost first)
//   link=PATH    a shortcut the wizard wrote (a full path ending in ".lnk")
//   group=NAME   the Program Manager group it created
struct InstallRecord {
    std::vector<std::string> files, folders, links;
    std::string group;
};
extern const char kRecordName[];
std::string FormatInstallRecord(const InstallRecord &record);
// False (and *record untouched) when the text is not such a record: a missing
// header, an unknown key, a file name that is not a plain name, a link that
// is not a full .lnk path, a folder that is not a full path.
bool ParseInstallRecord(const std::string &text, InstallRecord *record);
