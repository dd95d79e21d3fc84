#include "display/plugins_win.h"

#include <cstdio>
#include <cstring>

#include "common/codepage_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/registry_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gygraph.h"
#include "contracts/qplugin.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "display/displaytools_resource.h"
#include "display/effects_win.h"
#include "display/pluginmenu.h"

namespace {

const char kPluginsKey[] = "Software\\Glyphery\\Plugins";
const char kPathsSection[] = "PATHS";
const char kPluginsSection[] = "PLUGINS";
const int kFixedItems = 2;       // "Plugin Manager..." and the separator
const int kMenuTextLength = 80;  // category texts are compared on this many characters
// The pictures plug-ins work on are icon-sized; this bounds a damaged file.
const size_t kMaxPluginPixels = 4096u * 4096u;

std::string Numbered(const char *format, int n) {
    char name[32];
    snprintf(name, sizeof name, format, n);
    return name;
}

// The popup of `plugins` whose text is `category`, or null.
HMENU FindCategory(HMENU plugins, const std::string &category) {
    int count = GetMenuItemCount(plugins);
    for (int i = kFixedItems; i < count; ++i) {
        char text[kMenuTextLength + 1] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(plugins, (UINT)i, TRUE, &item) || !item.hSubMenu) continue;
        if (category == text) return item.hSubMenu;
    }
    return nullptr;
}

bool AddItem(HMENU plugins, const std::string &category, const std::string &name, int command) {
    HMENU popup = FindCategory(plugins, category);
    if (popup) return AppendMenuA(popup, MF_STRING, (UINT_PTR)command, name.c_str()) != FALSE;
    popup = CreatePopupMenu();
    if (!popup) return false;
    AppendMenuA(popup, MF_STRING, (UINT_PTR)command, name.c_str());
    // Categories follow one another after the fixed items, in the order found.
    if (!InsertMenuA(plugins, (UINT)GetMenuItemCount(plugins), MF_BYPOSITION | MF_POPUP, (UINT_PTR)popup,
                     category.c_str())) {
        DestroyMenu(popup);
        return false;
    }
    return true;
}

// ------------------------------------------------------------ the manager

struct Manager {
    HINSTANCE instance;
    HMENU plugins;
    std::string ini;
    PluginManagerTexts texts;
};

std::vector<std::string> ListedFolders(HWND dialog) {
    std::vector<std::string> folders;
    HWND list = GetDlgItem(dialog, IDC_PLUGIN_PATHS);
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)i, 0);
        if (length < 0) continue;
        std::string text((size_t)length + 1, '\0');
        SendMessageA(list, LB_GETTEXT, (WPARAM)i, (LPARAM)&text[0]);
        text.resize((size_t)length);
        folders.push_back(text);
    }
    return folders;
}

void OnManagerInit(HWND dialog, Manager *m) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)m);
    SetDlgItemTextA(dialog, IDC_PLUGIN_LABEL, LoadText(m->instance, m->texts.label).c_str());
    for (const std::string &f : RegistryPluginFolders())
        SendDlgItemMessageA(dialog, IDC_PLUGIN_PATHS, LB_ADDSTRING, 0, (LPARAM)f.c_str());
    if (m->texts.centreOnOwner)
        CentreOnOwner(dialog);
    else
        CentreOnScreen(dialog);
}

void OnAddPath(HWND dialog, Manager *m) {
    std::string folder;
    if (!BrowseForFolder(dialog, LoadText(m->instance, m->texts.folderTitle), std::string(), -1, &folder)) return;
    SendDlgItemMessageA(dialog, IDC_PLUGIN_PATHS, LB_ADDSTRING, 0, (LPARAM)folder.c_str());
}

void OnRemovePath(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_PLUGIN_PATHS, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) SendDlgItemMessageA(dialog, IDC_PLUGIN_PATHS, LB_DELETESTRING, (WPARAM)selected, 0);
}

void OnReload(HWND dialog, Manager *m) {
    HWND owner = GetParent(dialog);
    ClearPluginsMenu(m->plugins);
    if (owner) DrawMenuBar(owner);
    DeleteFileA(m->ini.c_str());
    std::vector<std::string> folders = ListedFolders(dialog);
    for (size_t i = 0; i < folders.size(); ++i)
        WritePrivateProfileStringA(kPathsSection, Numbered("plugin_%d", (int)i).c_str(), folders[i].c_str(),
                                   m->ini.c_str());
    BuildPluginsMenu(m->plugins, IniPluginFolders(m->ini), m->ini, m->texts.split);
    if (owner) DrawMenuBar(owner);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK ManagerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Manager *m = (Manager *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG: OnManagerInit(dialog, (Manager *)lParam); return TRUE;
    case WM_COMMAND:
        if (!m) return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_PLUGIN_ADD: OnAddPath(dialog, m); return TRUE;
        case IDC_PLUGIN_REMOVE: OnRemovePath(dialog); return TRUE;
        case IDOK: OnReload(dialog, m); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

std::string PluginsIniPath() { return CollapseBackslashes(InstallFolder() + "\\plugins.ini"); }

std::vector<std::string> RegistryPluginFolders() {
    std::vector<std::string> folders;
    UniqueRegKey key(OpenUserKey(kPluginsKey, KEY_READ));
    if (!key) return folders;
    for (int i = 0;; ++i) {
        char folder[kRegPathBytes] = "";
        std::string name = Numbered("plugin_%d", i);
        DWORD type = 0;
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) break;
        ReadRegString(key.get(), name.c_str(), folder);
        folders.push_back(folder);
    }
    return folders;
}

std::vector<std::string> IniPluginFolders(const std::string &ini) {
    std::vector<std::string> folders;
    for (int i = 0;; ++i) {
        char folder[MAX_PATH] = "";
        GetPrivateProfileStringA(kPathsSection, Numbered("plugin_%d", i).c_str(), "", folder, sizeof folder,
                                 ini.c_str());
        if (!folder[0]) break;
        folders.push_back(folder);
    }
    return folders;
}

int BuildPluginsMenu(HMENU plugins, const std::vector<std::string> &folders, const std::string &ini,
                     PluginNameSplit split) {
    UniqueModule host(LoadLibraryA(CollapseBackslashes(InstallFolder() + "\\Qplugin.dll").c_str()));
    QgetMenuNameProc menuName = host ? (QgetMenuNameProc)GetProcAddress(host.get(), "Qget_menu_name") : nullptr;
    if (!menuName) return 0;
    // The commands are handed out from the first again: no mapping of an
    // earlier list outlives it.
    WritePrivateProfileStringA(kPluginsSection, nullptr, nullptr, ini.c_str());
    size_t found = 0;
    for (const std::string &folder : folders) {
        WIN32_FIND_DATAA entry;
        std::string pattern = CollapseBackslashes(folder + "\\*.8bf");
        HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry.cFileName[0] == '.') continue;
            std::string path = CollapseBackslashes(folder + "\\" + entry.cFileName);
            char text[QPLUGIN_MENU_NAME_LENGTH] = "";
            std::string category, name;
            if (path.size() >= MAX_PATH || !menuName(path.c_str(), text)) continue;
            text[sizeof text - 1] = '\0';
            if (!SplitPluginMenuName(text, &category, &name, split)) continue;
            // Past the fortieth plug-in there are no commands left.
            int command = PluginCommandId(found);
            if (!command) break;
            if (!AddItem(plugins, category, name, command)) continue;
            WritePrivateProfileStringA(kPluginsSection, Numbered("%d", command).c_str(), path.c_str(), ini.c_str());
            ++found;
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        if (!PluginCommandId(found)) break;
    }
    return (int)found;
}

void ClearPluginsMenu(HMENU plugins) {
    while (GetMenuItemCount(plugins) > kFixedItems)
        if (!DeleteMenu(plugins, kFixedItems, MF_BYPOSITION)) break;
}

HBITMAP RunPlugin(const std::string &workingFile, const std::string &ini, int command) {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    if (!CopyBounded(info->filename, MaxTextExtent, AnsiToUtf8(workingFile))) return nullptr;
    ImagePtr image(ReadImage(info.get(), e.get()));
    if (!image) return nullptr;
    WaitCursor wait;
    ImagePtr result(RunPluginOnImage(image.get(), ini, command, e.get()));
    if (!result) return nullptr;
    ImageInfoPtr bmp(AcquireImageInfo());
    return BitmapFromImage(bmp.get(), result.get(), e.get());
}

Image *RunPluginOnImage(Image *image, const std::string &ini, int command, ExceptionInfo *e) {
    char plugin[MAX_PATH] = "";
    GetPrivateProfileStringA(kPluginsSection, Numbered("%d", command).c_str(), "", plugin, sizeof plugin,
                             ini.c_str());
    if (!plugin[0]) return nullptr;
    const size_t columns = image->columns, rows = image->rows;
    if (columns == 0 || rows == 0 || columns > kMaxPluginPixels / rows) return nullptr;

    // The picture as raw 8-bit RGB rows, top to bottom.
    std::string size = std::to_string(columns) + "x" + std::to_string(rows);
    ImageInfoPtr raw(AcquireImageInfo());
    CopyBounded(raw->magick, MaxTextExtent, "RGB");
    CopyBounded(raw->filename, MaxTextExtent, "RGB:plugin");
    CloneString(&raw->size, size.c_str());
    raw->depth = 8;
    CopyBounded(image->magick, MaxTextExtent, "RGB");
    CopyBounded(image->filename, MaxTextExtent, "RGB:plugin");
    image->depth = 8;
    image->matte = MagickFalse;  // three bytes a pixel, whatever the picture held
    size_t length = 0;
    void *blob = ImageToBlob(raw.get(), image, &length, e);
    if (!blob) return nullptr;
    std::vector<uint8_t> input((uint8_t *)blob, (uint8_t *)blob + length);
    RelinquishMagickMemory(blob);
    if (input.size() != columns * rows * 3) return nullptr;
    std::vector<uint8_t> output(input.size());

    UniqueModule host(LoadLibraryA("Qplugin.dll"));
    QloadPluginProc run = host ? (QloadPluginProc)GetProcAddress(host.get(), "Qload_plugin") : nullptr;
    if (!run || !run(plugin, input.data(), (DWORD)input.size(), output.data(), (int)columns, (int)rows))
        return nullptr;
    return BlobToImage(raw.get(), output.data(), output.size(), e);
}

bool RunPluginManager(HWND owner, HINSTANCE instance, HMENU plugins, const std::string &ini) {
    return RunPluginManager(owner, instance, plugins, ini,
                            {IDD_PLUGIN_MANAGER, IDS_PLUGIN_LABEL, IDS_PLUGIN_FOLDER, false,
                             PluginNameSplit::kAtFirstSlash});
}

bool RunPluginManager(HWND owner, HINSTANCE instance, HMENU plugins, const std::string &ini,
                      const PluginManagerTexts &texts) {
    Manager m = {instance, plugins, ini, texts};
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(texts.templateId), owner, ManagerProc, (LPARAM)&m) == 1;
}
