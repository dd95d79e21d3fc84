#include "setup/install_win.h"

#include <ddeml.h>
#include <objidl.h>
#include <shlobj.h>

#include "common/files_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/registry_win.h"

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glyphery";

namespace {

// Per command. The shell that answers may need seconds for its first link
// (loading its COM objects), and a command that times out is lost with the
// ones after it.
const DWORD kDdeTimeoutMs = 10000;

HDDEDATA CALLBACK DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// One DDEML client instance with its string handle, released in order.
class DdeClient {
public:
    DdeClient() {
        if (DdeInitializeA(&instance_, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) instance_ = 0;
        if (instance_) progman_ = DdeCreateStringHandleA(instance_, "PROGMAN", CP_WINANSI);
    }
    ~DdeClient() {
        if (conv_) DdeDisconnect(conv_);
        if (progman_) DdeFreeStringHandle(instance_, progman_);
        if (instance_) DdeUninitialize(instance_);
    }
    bool Connect() {
        if (progman_) conv_ = DdeConnect(instance_, progman_, progman_, nullptr);
        return conv_ != nullptr;
    }
    bool Execute(const std::string &command) {
        DWORD result = 0;
        HDDEDATA done = DdeClientTransaction((LPBYTE)command.c_str(), (DWORD)command.size() + 1, conv_, nullptr, 0,
                                             XTYP_EXECUTE, kDdeTimeoutMs, &result);
        return done != nullptr;
    }

private:
    DWORD instance_ = 0;
    HSZ progman_ = nullptr;
    HCONV conv_ = nullptr;
};

struct ComScope {
    HRESULT hr = CoInitialize(nullptr);
    ~ComScope() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

// HKLM's uninstall entry and HKCU's first settings. Strings are stored
// without their terminating zero, numbers as REG_DWORD.
bool WriteRegistry(const std::string &folder) {
    bool ok = true;
    auto create = [&](HKEY root, const char *path) {
        HKEY raw = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
            ok = false;
            raw = nullptr;
        }
        return UniqueRegKey(raw);
    };
    auto string = [&](HKEY key, const char *name, const std::string &value) {
        if (!key || RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)value.data(), (DWORD)value.size()) !=
                        ERROR_SUCCESS)
            ok = false;
    };
    auto number = [&](HKEY key, const char *name, uint32_t value) {
        if (!key || WriteRegNumber(key, name, value) != 0) ok = false;
    };
    {
        UniqueRegKey key = create(HKEY_LOCAL_MACHINE, kUninstallKey);
        string(key.get(), "DisplayName", "Glyphery");
        string(key.get(), "UninstallString", UninstallCommand(folder));
    }
    {
        UniqueRegKey key = create(HKEY_CURRENT_USER, "Software\\Glyphery");
        number(key.get(), "current_format", 1);
        number(key.get(), "bip", 0);
        for (const char *name : {"pathSave", "pathLaunch", "installPath"}) string(key.get(), name, folder);
    }
    {
        UniqueRegKey key = create(HKEY_CURRENT_USER, "Software\\Glyphery\\GlypheryEdit");
        for (const char *name : {"Grid", "keep_proportions", "Orig", "Palette", "View"}) number(key.get(), name, 1);
    }
    return ok;
}

}  // namespace

bool SendProgmanCommands(const std::vector<std::string> &commands) {
    DdeClient client;
    if (!client.Connect()) return false;
    bool first = true, taken = false;
    for (const std::string &c : commands) {
        bool done = client.Execute(c);
        if (first) taken = done;
        first = false;
    }
    return taken;
}

bool WriteShellLink(const std::string &linkPath, const std::string &target, const char *description) {
    ComScope com;
    IShellLinkA *link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link)))
        return false;
    bool ok = SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetDescription(description));
    IPersistFile *file = nullptr;
    if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
        WCHAR wide[MAX_PATH];
        ok = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH) > 0 &&
             SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    } else {
        ok = false;
    }
    link->Release();
    return ok;
}

std::string CommonDesktopFolder() {
    char path[MAX_PATH] = {0};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_DESKTOPDIRECTORY, TRUE)) return std::string();
    return path;
}

InstallResult RunInstall(const InstallRequest &request, InstallProgress *progress) {
    InstallResult result;
    InstallRecord record;
    record.folders = request.madeFolders;
    for (const std::string &name : ShippedFiles()) {
        std::string from = CollapseBackslashes(request.sourceFolder + "\\" + name);
        std::string to = CollapseBackslashes(request.folder + "\\" + name);
        if (progress) progress->Copying(from, to);
        if (CopyFileA(from.c_str(), to.c_str(), FALSE)) record.files.push_back(name);
        else result.failed.push_back(name);
    }
    if (request.group && SendProgmanCommands(ProgmanCommands(request.folder))) record.group = kGroupName;
    result.registryWritten = WriteRegistry(request.folder);
    if (request.desktop) {
        std::string desktop = CommonDesktopFolder();
        std::string link = CollapseBackslashes(desktop + "\\Glyphery.lnk");
        if (!desktop.empty() && WriteShellLink(link, request.folder, "Glyphery")) record.links.push_back(link);
    }
    if (!request.startMenuFolder.empty()) {
        std::string link = CollapseBackslashes(request.startMenuFolder + "\\Glyphery.lnk");
        if (WriteShellLink(link, request.folder + "\\Glyphery.exe", "Glyphery")) record.links.push_back(link);
    }
    std::string text = FormatInstallRecord(record);
    result.recordWritten =
        WriteWholeFile(request.folder + "\\" + kRecordName, std::vector<uint8_t>(text.begin(), text.end()));
    return result;
}
