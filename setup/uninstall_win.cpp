#include "setup/uninstall_win.h"

#include <shlwapi.h>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "setup/install_win.h"

namespace {

const size_t kMaxRecordBytes = 64 * 1024;

std::string UninstallEntry() {
    char value[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH, type = 0;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return std::string();
    UniqueRegKey key(raw);
    if (RegQueryValueExA(key.get(), "UninstallString", nullptr, &type, (BYTE *)value, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string();
    return std::string(value, strnlen(value, size));
}

bool SamePath(const std::string &a, const std::string &b) {
    return a.size() == b.size() && CompareNoCase(a.c_str(), b.c_str(), a.size()) == 0;
}

// Deletes a file now, or when Windows next starts if it is in use.
bool RemoveFile(const std::string &path, std::vector<std::string> *left) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (DeleteFileA(path.c_str())) return true;
    if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
    left->push_back(path);
    return false;
}

}  // namespace

bool InstalledByWizard(const std::string &folder, InstallRecord *record) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(folder + "\\" + kRecordName, kMaxRecordBytes, &bytes)) return false;
    if (!ParseInstallRecord(std::string(bytes.begin(), bytes.end()), record)) return false;
    return SamePath(UninstallEntry(), UninstallCommand(folder));
}

std::vector<std::string> RunUninstall(const std::string &folder, const InstallRecord &record, bool removeSettings) {
    std::vector<std::string> left;
    if (!record.group.empty()) SendProgmanCommands({ProgmanDeleteCommand()});
    for (const std::string &link : record.links) RemoveFile(link, &left);
    bool pending = false;
    for (const std::string &name : record.files)
        if (!RemoveFile(folder + "\\" + name, &left)) pending = true;
    RemoveFile(folder + "\\" + kRecordName, &left);
    // The folders the wizard made, innermost first, each only once empty.
    std::vector<std::string> folders = record.folders;
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        if (RemoveDirectoryA(it->c_str())) continue;
        if (pending) MoveFileExA(it->c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (removeSettings) {
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Glyphery");
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\GlypheryEdit");
    }
    return left;
}
