// The text of a folder's desktop.ini as the folder icon dialog writes it, and
// the rule that turns a node's display path in the folder tree into a
// file-system path. Portable.
#pragma once
#include <string>
#include <vector>

// The longest tooltip written into "InfoTip=" (longer texts are cut).
const size_t kMaxInfoTip = 511;
// The longest folder path of a tree node (a 260-character buffer).
const size_t kMaxFolderPath = 259;

// "[.ShellClassInfo]", "IconFile=<file>", "IconIndex=<index>" and, when the
// tooltip is not empty, "ConfirmFileOp=0" and "InfoTip=<tooltip>"; every line
// ends with CR LF.
std::string DesktopIniText(const std::string &iconFile, int iconIndex, const std::string &tooltip);

// The display names of a node and its ancestors, from the top level down,
// joined with backslashes and cut to kMaxFolderPath characters.
std::string JoinFolderPath(const std::vector<std::string> &names);

// The file-system path in a display path, taken from its first colon: the
// character before the colon and the colon, then the text from two
// characters after the colon ("My Computer\Disk (C:)\Data" -> "C:\Data"; the
// closing parenthesis of the drive's name is skipped). False when there is no
// colon, or nothing before it.
bool FileSystemPathOf(const std::string &displayPath, std::string *path);

// "<folder>\desktop.ini" with doubled backslashes collapsed.
std::string DesktopIniPath(const std::string &folder);
