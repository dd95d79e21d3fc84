// uninst.exe: removes the suite from the folder it runs from, once the user
// agrees, and only when the install wizard installed it there.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/seams.h"
#include "common/windowutil.h"
#include "setup/resource.h"
#include "setup/uninstall_win.h"

namespace {

std::string Format(HINSTANCE instance, UINT id, const std::string &arg) {
    std::string pattern = LoadText(instance, id);
    std::vector<char> buf(pattern.size() + arg.size() + 1);
    snprintf(buf.data(), buf.size(), pattern.c_str(), arg.c_str());
    return buf.data();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::string app = LoadText(instance, IDS_APP);
    std::string folder = InstallFolder();
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    InstallRecord record;
    if (!InstalledByWizard(folder, &record)) {
        ShowMessage(nullptr, Format(instance, IDS_UNINST_REFUSED, folder).c_str(), app.c_str(), MB_OK | MB_ICONSTOP);
        return 2;
    }
    if (ShowMessage(nullptr, Format(instance, IDS_UNINST_CONFIRM, folder).c_str(), app.c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;
    bool settings = ShowMessage(nullptr, LoadText(instance, IDS_UNINST_SETTINGS).c_str(), app.c_str(),
                                MB_YESNO | MB_ICONQUESTION) == IDYES;
    std::vector<std::string> left = RunUninstall(folder, record, settings);
    if (left.empty()) {
        ShowMessage(nullptr, LoadText(instance, IDS_UNINST_DONE).c_str(), app.c_str(), MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    std::string names;
    for (const std::string &f : left) names += f + "\n";
    ShowMessage(nullptr, Format(instance, IDS_UNINST_LEFT, names).c_str(), app.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return 3;
}
