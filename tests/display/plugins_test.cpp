// The display window's plug-in host under Wine: the Plugins menu built from
// folders of our test plug-ins (tests/qplugin/plugins) through Qplugin.dll,
// plugins.ini, the plug-in manager driven as a user drives it, and plug-in
// runs on a working bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "display/displaytools_resource.h"
#include "display/plugins_win.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\plugins";
const int kManager = 292;

std::string TestPlugin(const std::string &name) {
    return DirName(SiblingProgram("Qplugin.dll")) + "\\test-plugins\\" + name;
}

// A Plugins menu as the window's resource starts it.
HMENU NewPluginsMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kManager, "Plugin Manager...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return menu;
}

struct Item {
    std::string text;
    int id;  // the command, or -1 for a popup
    std::vector<Item> items;
    bool operator==(const Item &o) const { return text == o.text && id == o.id && items == o.items; }
};

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[100] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_SUBMENU | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, (UINT)i, TRUE, &info);
        Item item{text, info.hSubMenu ? -1 : (int)info.wID, {}};
        if (info.hSubMenu) item.items = Items(info.hSubMenu);
        items.push_back(item);
    }
    return items;
}

void PrintTo(const Item &item, std::ostream *os) {
    *os << "\"" << item.text << "\" " << item.id;
    if (!item.items.empty()) {
        *os << " {";
        for (const Item &i : item.items) PrintTo(i, os), *os << "; ";
        *os << "}";
    }
}

const Item kManagerItem = {"Plugin Manager...", kManager, {}};
const Item kSeparator = {"", 0, {}};

std::string IniValue(const std::string &ini, const char *section, const std::string &key) {
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, ini.c_str());
    return value;
}

class PluginsTest : public ::testing::Test {
protected:
    PluginsTest() : install_("plugins_install"), folders_("plugins_folders") {}
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(SiblingProgram("Qplugin.dll").c_str(), install_.File("Qplugin.dll").c_str(), FALSE));
        SetInstallFolderOverride(install_.path().c_str());
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
        ini_ = PluginsIniPath();
    }
    void TearDown() override {
        RestoreRegistry(kScratchKey);
        SetInstallFolderOverride(nullptr);
    }
    // A folder of plug-ins: each pair is the file's name and the test plug-in copied there.
    std::string Folder(const std::string &name, const std::vector<std::pair<std::string, std::string>> &files) {
        std::string folder = folders_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const auto &f : files)
            EXPECT_TRUE(CopyFileA(TestPlugin(f.second).c_str(), (folder + "\\" + f.first).c_str(), FALSE)) << f.second;
        return folder;
    }
    ScratchDir install_, folders_;
    std::string ini_;
};

// The manager's texts and layout in both languages, kept as screenshots.
TEST_F(PluginsTest, ManagerInEnglishAndFrench) {
    const struct {
        LANGID language;
        const char *title, *label, *shot;
    } languages[] = {
        {kEnglish, " Plug-in Manager", "Search for plugins in these paths:", "plugin_manager_en"},
        {kFrench, " Gestionnaire de plug-ins", "Chercher les plug-ins dans ces dossiers :", "plugin_manager_fr"},
    };
    for (const auto &l : languages) {
        UiLanguageScope language(l.language);
        UniqueMenu menu(NewPluginsMenu());
        std::vector<std::string> layout;
        std::string label;
        RunDialog([&] { return (INT_PTR)RunPluginManager(nullptr, GetModuleHandleA(nullptr), menu.get(), ini_); },
                  [&](HWND d) {
                      label = ItemText(d, IDC_PLUGIN_LABEL);
                      layout = LayoutProblems(d);
                      EXPECT_TRUE(SaveShot(d, l.shot));
                      Click(d, IDCANCEL);
                  },
                  l.title);
        EXPECT_EQ(label, l.label);
        EXPECT_TRUE(layout.empty()) << l.shot << ": " << layout.front();
    }
}

// Four folders found in order: one "Blur" popup holds both blurs in the
// order found; files the host refuses, hidden names and folders get nothing.
TEST_F(PluginsTest, MenuOfFoldersInOrderWithTheirIniEntries) {
    std::vector<std::string> folders = {
        Folder("colors", {{"invert.8bf", "invert.8bf"}}),
        Folder("blur1", {{"box.8bf", "boxblur.8bf"}, {"gray.8bf", "grayonly.8bf"}, {".hidden.8bf", "invert.8bf"}}),
        Folder("blur2", {{"wide.8bf", "wideblur.8bf"}}),
        Folder("tests", {{"failing.8bf", "failing.8bf"}}),
    };
    ASSERT_TRUE(WriteBytes(folders[1] + "\\text.8bf", {'n', 'o', 'n', 'e'}));
    CreateDirectoryA((folders[1] + "\\folder.8bf").c_str(), nullptr);
    UniqueMenu menu(NewPluginsMenu());
    EXPECT_EQ(BuildPluginsMenu(menu.get(), folders, ini_), 4);
    const std::vector<Item> expected = {
        kManagerItem, kSeparator,
        {"Colors", -1, {{"Invert", 710, {}}}},
        {"Blur", -1, {{"Box blur", 711, {}}, {"Wide blur", 712, {}}}},
        {"Tests", -1, {{"Failing", 713, {}}}},
    };
    EXPECT_EQ(Items(menu.get()), expected);
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "710"), folders[0] + "\\invert.8bf");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "711"), folders[1] + "\\box.8bf");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "712"), folders[2] + "\\wide.8bf");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "713"), folders[3] + "\\failing.8bf");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "714"), "");

    // Built again (as at the next opening) from one folder: the earlier
    // commands leave the ini file.
    ClearPluginsMenu(menu.get());
    EXPECT_EQ(Items(menu.get()), (std::vector<Item>{kManagerItem, kSeparator}));
    EXPECT_EQ(BuildPluginsMenu(menu.get(), {folders[3]}, ini_), 1);
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "710"), folders[3] + "\\failing.8bf");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "711"), "");
}

// The eleventh plug-in gets 721; past the fortieth there is no command.
TEST_F(PluginsTest, CommandsSkip720AndEndAtTheFortieth) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 42; ++i) files.push_back({"p" + std::to_string(100 + i) + ".8bf", "invert.8bf"});
    std::string folder = Folder("many", files);
    UniqueMenu menu(NewPluginsMenu());
    EXPECT_EQ(BuildPluginsMenu(menu.get(), {folder}, ini_), 40);
    std::vector<Item> items = Items(menu.get());
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(items[2].items.size(), 40u);
    for (size_t i = 0; i < 40; ++i) EXPECT_EQ(items[2].items[i].id, (int)(i < 10 ? 710 + i : 711 + i)) << i;
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "720"), "");
    EXPECT_NE(IniValue(ini_, "PLUGINS", "721"), "");
    EXPECT_NE(IniValue(ini_, "PLUGINS", "750"), "");
}

// Without the host library in the installation folder, the fixed items only.
TEST_F(PluginsTest, WithoutTheHostTheMenuKeepsItsFixedItems) {
    ASSERT_TRUE(DeleteFileA(install_.File("Qplugin.dll").c_str()));
    UniqueMenu menu(NewPluginsMenu());
    EXPECT_EQ(BuildPluginsMenu(menu.get(), {Folder("one", {{"invert.8bf", "invert.8bf"}})}, ini_), 0);
    EXPECT_EQ(Items(menu.get()), (std::vector<Item>{kManagerItem, kSeparator}));
    EXPECT_FALSE(FileExists(ini_));
}

TEST_F(PluginsTest, FolderListsOfTheRegistryAndOfTheIniFile) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Glyphery\\Plugins", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    const char *values[][2] = {{"plugin_0", "C:\\one"}, {"plugin_1", "D:\\two"}, {"plugin_3", "C:\\after a gap"}};
    for (auto &v : values) RegSetValueExA(key.get(), v[0], 0, REG_SZ, (const BYTE *)v[1], (DWORD)strlen(v[1]) + 1);
    EXPECT_EQ(RegistryPluginFolders(), (std::vector<std::string>{"C:\\one", "D:\\two"}));
    WritePrivateProfileStringA("PATHS", "plugin_0", "E:\\three", ini_.c_str());
    WritePrivateProfileStringA("PATHS", "plugin_2", "E:\\after a gap", ini_.c_str());
    EXPECT_EQ(IniPluginFolders(ini_), (std::vector<std::string>{"E:\\three"}));
}

// The manager lists the registry's folders; Remove takes the selected one
// out; Reload writes the list as [PATHS] and builds the menu from it; a
// Reload of an empty list leaves the fixed items; Cancel changes nothing.
TEST_F(PluginsTest, ManagerRemoveReloadAndCancel) {
    std::string blur = Folder("blur", {{"box.8bf", "boxblur.8bf"}});
    std::string colors = Folder("colors", {{"invert.8bf", "invert.8bf"}});
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Glyphery\\Plugins", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    RegSetValueExA(key.get(), "plugin_0", 0, REG_SZ, (const BYTE *)blur.c_str(), (DWORD)blur.size() + 1);
    RegSetValueExA(key.get(), "plugin_1", 0, REG_SZ, (const BYTE *)colors.c_str(), (DWORD)colors.size() + 1);
    WritePrivateProfileStringA("PLUGINS", "799", "stale", ini_.c_str());

    UniqueMenu menu(NewPluginsMenu());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::vector<std::string> listed;
    INT_PTR reloaded = RunDialog(
        [&] { return (INT_PTR)RunPluginManager(nullptr, instance, menu.get(), ini_); },
        [&](HWND d) {
            for (int i = 0; i < (int)SendDlgItemMessageA(d, IDC_PLUGIN_PATHS, LB_GETCOUNT, 0, 0); ++i) {
                char text[MAX_PATH] = "";
                SendDlgItemMessageA(d, IDC_PLUGIN_PATHS, LB_GETTEXT, i, (LPARAM)text);
                listed.push_back(text);
            }
            Click(d, IDC_PLUGIN_REMOVE);  // nothing selected: nothing removed
            SendDlgItemMessageA(d, IDC_PLUGIN_PATHS, LB_SETCURSEL, 0, 0);
            Click(d, IDC_PLUGIN_REMOVE);
            Click(d, IDOK);
        },
        " Plug-in Manager");
    EXPECT_EQ(reloaded, 1);
    EXPECT_EQ(listed, (std::vector<std::string>{blur, colors}));
    EXPECT_EQ(IniValue(ini_, "PATHS", "plugin_0"), colors);
    EXPECT_EQ(IniValue(ini_, "PATHS", "plugin_1"), "");
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "799"), "");  // the file was made anew
    EXPECT_EQ(IniValue(ini_, "PLUGINS", "710"), colors + "\\invert.8bf");
    EXPECT_EQ(Items(menu.get()),
              (std::vector<Item>{kManagerItem, kSeparator, {"Colors", -1, {{"Invert", 710, {}}}}}));

    INT_PTR cancelled = RunDialog([&] { return (INT_PTR)RunPluginManager(nullptr, instance, menu.get(), ini_); },
                                  [](HWND d) {
                                      SendDlgItemMessageA(d, IDC_PLUGIN_PATHS, LB_RESETCONTENT, 0, 0);
                                      Click(d, IDCANCEL);
                                  },
                                  " Plug-in Manager");
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(Items(menu.get()).size(), 3u);

    INT_PTR emptied = RunDialog([&] { return (INT_PTR)RunPluginManager(nullptr, instance, menu.get(), ini_); },
                                [](HWND d) {
                                    SendDlgItemMessageA(d, IDC_PLUGIN_PATHS, LB_RESETCONTENT, 0, 0);
                                    Click(d, IDOK);
                                },
                                " Plug-in Manager");
    EXPECT_EQ(emptied, 1);
    EXPECT_EQ(Items(menu.get()), (std::vector<Item>{kManagerItem, kSeparator}));
    EXPECT_EQ(IniValue(ini_, "PATHS", "plugin_0"), "");
}

// Runs through the image library and the host: the invert's and the box
// blur's pixels; a failing plug-in, a command without an ini entry and a
// missing working file give no picture.
TEST_F(PluginsTest, RunsOnTheWorkingBitmap) {
    ScratchDir work("plugins_work");
    std::string working = work.File("GY.bmp");
    ASSERT_TRUE(WriteBmp24(working, 16, 16, [](int x, int y) { return RGB(x * 16, y * 16, 200); }));
    WritePrivateProfileStringA("PLUGINS", "710", TestPlugin("invert.8bf").c_str(), ini_.c_str());
    WritePrivateProfileStringA("PLUGINS", "711", TestPlugin("boxblur.8bf").c_str(), ini_.c_str());
    WritePrivateProfileStringA("PLUGINS", "712", TestPlugin("failing.8bf").c_str(), ini_.c_str());

    UniqueBitmap inverted(RunPlugin(working, ini_, 710));
    ASSERT_TRUE(inverted);
    for (int y = 0; y < 16; y += 5)
        for (int x = 0; x < 16; x += 3)
            EXPECT_EQ(BitmapPixel(inverted.get(), x, y), RGB(255 - x * 16, 255 - y * 16, 55)) << x << "," << y;

    ASSERT_TRUE(WriteBmp24(working, 16, 16, [](int x, int y) { return x == 5 && y == 7 ? RGB(255, 255, 255) : 0; }));
    UniqueBitmap blurred(RunPlugin(working, ini_, 711));
    ASSERT_TRUE(blurred);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool inBox = abs(x - 5) <= 1 && abs(y - 7) <= 1;
            EXPECT_EQ(BitmapPixel(blurred.get(), x, y), inBox ? RGB(28, 28, 28) : RGB(0, 0, 0)) << x << "," << y;
        }

    EXPECT_EQ(RunPlugin(working, ini_, 712), nullptr);
    EXPECT_EQ(RunPlugin(working, ini_, 713), nullptr);
    EXPECT_EQ(RunPlugin(work.File("missing.bmp"), ini_, 710), nullptr);
}

}  // namespace
