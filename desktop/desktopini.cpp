#include "desktop/desktopini.h"

#include "common/paths.h"

std::string DesktopIniText(const std::string &iconFile, int iconIndex, const std::string &tooltip) {
    std::string text = "[.ShellClassInfo]\r\n";
    text += "IconFile=" + iconFile + "\r\n";
    text += "IconIndex=" + std::to_string(iconIndex) + "\r\n";
    if (!tooltip.empty()) {
        text += "ConfirmFileOp=0\r\n";
        text += "InfoTip=" + tooltip.substr(0, kMaxInfoTip) + "\r\n";
    }
    return text;
}

std::string JoinFolderPath(const std::vector<std::string> &names) {
    std::string path;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i) path += '\\';
        path += names[i];
        if (path.size() >= kMaxFolderPath) break;
    }
    if (path.size() > kMaxFolderPath) path.resize(kMaxFolderPath);
    return path;
}

bool FileSystemPathOf(const std::string &displayPath, std::string *path) {
    size_t colon = displayPath.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    std::string out = displayPath.substr(colon - 1, 2);
    if (colon + 2 < displayPath.size()) out += displayPath.substr(colon + 2);
    *path = out;
    return true;
}

std::string DesktopIniPath(const std::string &folder) { return CollapseBackslashes(folder + "\\desktop.ini"); }
