#include "setup/plan.h"

#include <iterator>

#include "common/paths.h"

namespace {
// shipfiles.inc: the lines of setup/shipfiles.txt as string literals, made by the build.
const char *const kShippedNames[] = {
#include "shipfiles.inc"
};

const char kRecordHeader[] = "[Glyphery install]";

bool IsPlainName(const std::string &name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

// "C:\..." or "\\server\share\...", with no ".." step.
bool IsFullPath(const std::string &path) {
    bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                 path[2] == '\\';
    bool unc = path.size() > 2 && path[0] == '\\' && path[1] == '\\';
    return (drive || unc) && path.find("\\..\\") == std::string::npos &&
           (path.size() < 3 || path.compare(path.size() - 3, 3, "\\..") != 0);
}

bool EndsWithLnk(const std::string &path) {
    return path.size() > 4 && CompareNoCase(path.c_str() + path.size() - 4, ".lnk", 4) == 0;
}
}  // namespace

const char kGroupName[] = "Glyphery";
const char kRecordName[] = "uninst.ini";

const std::vector<std::string> &ShippedFiles() {
    static const std::vector<std::string> files(std::begin(kShippedNames), std::end(kShippedNames));
    return files;
}

std::vector<std::string> ProgmanCommands(const std::string &folder) {
    return {
        std::string("[CreateGroup(") + kGroupName + ", 1)]",
        "[AddItem(\"" + folder + "\\Glyphery.exe\",Glyphery)]",
        "[AddItem(\"" + folder + "\\uninst.exe\",Uninstall)]",
        "[AddItem(\"" + folder + "\\Glypherye.chm\",Help, hh.exe, 1)]",
        "[AddItem(\"" + folder + "\\whatsnewe.txt\",Read me, notepad.exe, 0)]",
        std::string("[ShowGroup(") + kGroupName + ")]",
    };
}

std::string ProgmanDeleteCommand() { return std::string("[DeleteGroup(") + kGroupName + ")]"; }

std::string UninstallCommand(const std::string &folder) { return CollapseBackslashes(folder + "\\uninst.exe"); }

std::string FormatInstallRecord(const InstallRecord &record) {
    std::string text = std::string(kRecordHeader) + "\r\n";
    for (const std::string &f : record.files) text += "file=" + f + "\r\n";
    for (const std::string &f : record.folders) text += "folder=" + f + "\r\n";
    for (const std::string &l : record.links) text += "link=" + l + "\r\n";
    if (!record.group.empty()) text += "group=" + record.group + "\r\n";
    return text;
}

bool ParseInstallRecord(const std::string &text, InstallRecord *record) {
    InstallRecord parsed;
    bool header = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (!header) {
            if (line != kRecordHeader) return false;
            header = true;
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) return false;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "file" && IsPlainName(value)) parsed.files.push_back(value);
        else if (key == "folder" && IsFullPath(value)) parsed.folders.push_back(value);
        else if (key == "link" && IsFullPath(value) && EndsWithLnk(value)) parsed.links.push_back(value);
        else if (key == "group" && IsPlainName(value) && parsed.group.empty()) parsed.group = value;
        else return false;
    }
    if (!header) return false;
    *record = parsed;
    return true;
}
