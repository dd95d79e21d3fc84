// The favorites icon dialog (437) from its real template over a scratch
// Favorites folder: the tree and the count, the icons, Apply, Close, the
// shell's icon-picking dialog driven by a watcher thread, delete, connect.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/favorites.h"
#include "desktop/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/desktop/desk_driver.h"

using namespace deskdrv;

namespace {

std::string Bytes(const std::string &path) {
    std::vector<uint8_t> b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

std::string Profile(const std::string &file, const char *key) {
    char buf[MAX_PATH] = {0};
    GetPrivateProfileStringA("InternetShortcut", key, "<absent>", buf, sizeof buf, file.c_str());
    return buf;
}

std::string NodeText(HWND tree, HTREEITEM node) {
    char buf[MAX_PATH] = {0};
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = node;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item);
    return buf;
}

int NodeImage(HWND tree, HTREEITEM node, bool selected = false) {
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item);
    return selected ? item.iSelectedImage : item.iImage;
}

// Every node in pre-order with its path of texts below the root ("Work\b3").
std::vector<std::pair<std::string, HTREEITEM>> Walk(HWND tree) {
    std::vector<std::pair<std::string, HTREEITEM>> out;
    std::function<void(HTREEITEM, const std::string &)> visit = [&](HTREEITEM node, const std::string &prefix) {
        for (; node; node = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)node)) {
            std::string name = prefix.empty() ? NodeText(tree, node) : prefix + "\\" + NodeText(tree, node);
            out.push_back({name, node});
            visit((HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)node), name);
        }
    };
    HTREEITEM root = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    out.push_back({"", root});
    visit((HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)root), "");
    return out;
}

HTREEITEM Find(HWND tree, const std::string &name) {
    for (auto &n : Walk(tree))
        if (n.first == name) return n.second;
    return nullptr;
}

// The small icon of a file as the tree's image list (16-bit colour) holds it.
std::vector<COLORREF> ExpectedPixels(const char *file, int index) {
    HICON small = nullptr;
    ExtractIconExA(file, index, nullptr, &small, 1);
    UniqueIcon owned(small);
    if (!small) small = (HICON)LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);
    return SmallIconPixels(small, ILC_COLOR16 | ILC_MASK);
}

std::string SystemFile(const char *name) {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

// Finds this process's icon-picking dialog (any dialog but ours), chooses an
// entry and presses OK, or presses Cancel.
class IconPickWatcher {
public:
    IconPickWatcher(int choose, bool ok) : choose_(choose), ok_(ok) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~IconPickWatcher() {
        stop_ = true;
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }
    bool seen() const { return seen_; }
    std::string title() const { return title_; }

private:
    static BOOL CALLBACK Check(HWND w, LPARAM self) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        char cls[32] = {0}, title[128] = {0};
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, title, sizeof title);
        if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") || !strcmp(title, "Glyphery") || !IsWindowVisible(w))
            return TRUE;
        *(HWND *)self = w;
        return FALSE;
    }
    static BOOL CALLBACK FindList(HWND child, LPARAM out) {
        char cls[32] = {0};
        GetClassNameA(child, cls, sizeof cls);
        if (!_stricmp(cls, "ListBox")) {
            *(HWND *)out = child;
            return FALSE;
        }
        return TRUE;
    }
    static DWORD WINAPI Run(void *param) {
        IconPickWatcher *self = static_cast<IconPickWatcher *>(param);
        for (int i = 0; i < 200 && !self->stop_; ++i) {
            HWND dialog = nullptr;
            EnumWindows(Check, (LPARAM)&dialog);
            if (dialog) {
                Sleep(200);  // let it fill its list
                char title[128] = {0};
                GetWindowTextA(dialog, title, sizeof title);
                self->title_ = title;
                HWND list = nullptr;
                EnumChildWindows(dialog, FindList, (LPARAM)&list);
                if (list && self->ok_) {
                    SendMessageA(list, LB_SETCURSEL, self->choose_, 0);
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), (LPARAM)list);
                }
                self->seen_ = true;
                PostMessageA(dialog, WM_COMMAND, self->ok_ ? IDOK : IDCANCEL, 0);
                return 0;
            }
            Sleep(50);
        }
        return 0;
    }
    HANDLE thread_;
    int choose_;
    bool ok_;
    std::atomic<bool> stop_{false}, seen_{false};
    std::string title_;
};

struct OpenCall {
    std::string verb, file;
    int show = -1;
    int count = 0;
};
OpenCall g_open;
HINSTANCE RecordOpen(HWND, const char *verb, const char *file, const char *, const char *, int show) {
    g_open.verb = verb ? verb : "";
    g_open.file = file ? file : "";
    g_open.show = show;
    ++g_open.count;
    return (HINSTANCE)42;
}

// Closes the context menu once it shows, noting its first entry.
std::string g_menuSeen;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindOwnWindow("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    HMENU shown = (HMENU)SendMessageA(menu, MN_GETHMENU, 0, 0);
    char text[64] = {0};
    if (shown) GetMenuStringA(shown, 0, text, sizeof text, MF_BYPOSITION);
    g_menuSeen = text;
    EndMenu();
}

class FavoritesTest : public ::testing::Test {
protected:
    FavoritesTest() : favorites_("favorites") {
        InitCommonControls();
        SetFavoritesFolderOverride(favorites_.path().c_str());
        CreateDirectoryA(favorites_.File("Work").c_str(), nullptr);
        CreateDirectoryA(favorites_.File("Channels").c_str(), nullptr);
        // Six at the top, three in Work, three in Channels (counted, not shown).
        Url("news.url", "http://news.example/", "");
        Url("mail.URL", "http://mail.example/", "IconFile=" + SystemFile("shell32.dll") + "\r\nIconIndex=3\r\n");
        Url("maps.url", "http://maps.example/", "");
        Url("shop.url", "http://shop.example/", "");
        Url("tv.url", "http://tv.example/", "");
        Url("wiki.url", "http://wiki.example/", "");
        Url("Work\\wiki.url", "http://work.example/wiki", "");
        Url("Work\\build.url", "http://work.example/build", "");
        Url("Work\\bugs.url", "http://work.example/bugs", "");
        for (const char *c : {"Channels\\c1.url", "Channels\\c2.url", "Channels\\c3.url"}) Url(c, "http://ch/", "");
        // Not shortcuts, and a dot-named one: neither shown nor counted.
        WriteBytes(favorites_.File("readme.txt"), {'x'});
        Url("odd.urlx", "http://odd/", "");
        Url(".hidden.url", "http://hidden/", "");
    }
    ~FavoritesTest() override { SetFavoritesFolderOverride(nullptr); }
    void Url(const std::string &name, const std::string &url, const std::string &extra) {
        std::string text = "[InternetShortcut]\r\nURL=" + url + "\r\n" + extra;
        ASSERT_TRUE(WriteBytes(favorites_.File(name), std::vector<uint8_t>(text.begin(), text.end())));
    }
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> files;
        for (const char *n : {"news.url", "mail.URL", "maps.url", "shop.url", "tv.url", "wiki.url", "Work\\wiki.url",
                              "Work\\build.url", "Work\\bugs.url", "Channels\\c1.url"})
            files[n] = Bytes(favorites_.File(n));
        return files;
    }
    INT_PTR Run(std::function<void(HWND)> script) {
        return RunModal([] { return ShowFavoritesDialog(nullptr, "C:\\glyphery\\Glypherye.hlp"); }, std::move(script));
    }
    void Select(HWND d, const std::string &name) {
        HWND tree = GetDlgItem(d, IDC_FAV_TREE);
        HTREEITEM node = Find(tree, name);
        ASSERT_NE(node, nullptr) << name;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
    }
    ScratchDir favorites_;
};

TEST(FavoritesCount, EveryUrlFileAtAnyDepthWholeExtensionAnyCase) {
    ScratchDir dir("favorites-count");
    CreateDirectoryA(dir.File("a").c_str(), nullptr);
    CreateDirectoryA(dir.File("a\\b").c_str(), nullptr);
    CreateDirectoryA(dir.File(".skip").c_str(), nullptr);
    for (const char *n : {"1.url", "2.UrL", "a\\3.url", "a\\b\\4.url", ".skip\\5.url", "6.urlx", "7.txt", "a\\.8.url"})
        WriteBytes(dir.File(n), {'x'});
    EXPECT_EQ(CountFavorites(dir.path().c_str()), 4);
    EXPECT_EQ(CountFavorites(dir.File("missing").c_str()), 0);
}

TEST_F(FavoritesTest, CountsTwelveShowsNineTheUrlFollowsTheSelectionAndTheMenuIsComplete) {
    INT_PTR result = Run([&](HWND d) {
        ExpectDialogUnits(d, 332, 222);
        EXPECT_EQ(ControlText(d, IDC_DESK_STATUS), favorites_.path() + ": 12 items");
        HWND tree = GetDlgItem(d, IDC_FAV_TREE);
        auto nodes = Walk(tree);
        std::vector<std::string> names;
        for (auto &n : nodes) names.push_back(n.first);
        // Root, the Work folder and nine shortcuts; Channels is left out.
        EXPECT_EQ(nodes.size(), 11u);
        EXPECT_EQ(NodeText(tree, nodes[0].second), "Favorites (" + favorites_.path() + ")");
        for (const char *n : {"news", "mail", "maps", "shop", "tv", "wiki", "Work", "Work\\wiki", "Work\\build",
                              "Work\\bugs"})
            EXPECT_NE(Find(tree, n), nullptr) << n;
        EXPECT_EQ(Find(tree, "Channels"), nullptr);
        EXPECT_EQ(Find(tree, "readme"), nullptr);
        EXPECT_EQ(Find(tree, "odd"), nullptr);
        EXPECT_EQ(Find(tree, ".hidden"), nullptr);
        EXPECT_EQ(FavoriteOfNode(tree, Find(tree, "Work")), nullptr);
        EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)nodes[0].second) != 0, true);
        EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)nodes[0].second, TVIS_EXPANDED) & TVIS_EXPANDED);

        // Icons: IconFile at IconIndex; without IconFile the first icon of url.dll.
        HIMAGELIST images = (HIMAGELIST)SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
        ASSERT_NE(images, nullptr);
        HTREEITEM mail = Find(tree, "mail"), news = Find(tree, "news");
        EXPECT_EQ(SmallImagePixels(images, NodeImage(tree, mail)), ExpectedPixels(SystemFile("shell32.dll").c_str(), 3));
        EXPECT_NE(SmallImagePixels(images, NodeImage(tree, mail)), ExpectedPixels(SystemFile("shell32.dll").c_str(), 4));
        EXPECT_EQ(NodeImage(tree, mail), NodeImage(tree, mail, true));
        EXPECT_EQ(SmallImagePixels(images, NodeImage(tree, news)), ExpectedPixels("url.dll", 0));
        const FavoriteData *data = FavoriteOfNode(tree, news);
        ASSERT_NE(data, nullptr);
        EXPECT_STREQ(data->iconFile, "url.dll");
        EXPECT_EQ(data->iconIndex, 0);
        EXPECT_EQ(std::string(data->shortcutPath), favorites_.File("news.url"));
        EXPECT_EQ(FavoriteOfNode(tree, mail)->iconIndex, 3);
        // Folders show the closed and open folder bitmaps.
        HTREEITEM work = Find(tree, "Work");
        EXPECT_NE(NodeImage(tree, work), NodeImage(tree, work, true));
        EXPECT_EQ(NodeImage(tree, work), NodeImage(tree, nodes[0].second));

        Select(d, "Work\\build");
        EXPECT_EQ(ControlText(d, IDC_FAV_URL), "http://work.example/build");
        Select(d, "Work");
        EXPECT_EQ(ControlText(d, IDC_FAV_URL), "");
        Select(d, "mail");
        EXPECT_EQ(ControlText(d, IDC_FAV_URL), "http://mail.example/");
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)work);
        Shoot(d, "favorites");
    });
    EXPECT_EQ(result, 0);

    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_FAVORITES_CONTEXT));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    const std::pair<UINT, const char *> items[] = {{IDM_FAV_ASSIGN, "&Assign new Icon..."}, {0, ""},
                                                   {IDM_FAV_CONNECT, "&Connect"},           {IDM_FAV_EDIT_URL, "&Edit URL"},
                                                   {0, ""},                                 {IDM_FAV_DELETE, "&Send to Recycle Bin"}};
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    for (int i = 0; i < 6; ++i) {
        char text[64] = {0};
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(popup, i), items[i].first) << i;
        EXPECT_STREQ(text, items[i].second) << i;
    }
    DestroyMenu(menu);
}

TEST_F(FavoritesTest, ARightClickInTheTreeShowsTheContextMenu) {
    g_menuSeen.clear();
    Run([&](HWND d) {
        HWND tree = GetDlgItem(d, IDC_FAV_TREE);
        RECT r;
        GetWindowRect(tree, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
        NMHDR hdr = {tree, IDC_FAV_TREE, (UINT)NM_RCLICK};
        SendMessageA(d, WM_NOTIFY, IDC_FAV_TREE, (LPARAM)&hdr);
        KillTimer(nullptr, timer);
    });
    EXPECT_EQ(g_menuSeen, "&Assign new Icon...");
}

// A picker standing in for the user in the shell's icon-picking dialog.
struct PickCall {
    std::string fileIn;
    int indexIn = -99;
    int count = 0;
};
PickCall g_pick;
std::string g_pickFile;
int g_pickIndex = 0;
bool g_pickOk = true;
bool TestPicker(HWND, char *file, size_t size, int *index) {
    g_pick.fileIn = file;
    g_pick.indexIn = *index;
    ++g_pick.count;
    if (!g_pickOk) return false;
    snprintf(file, size, "%s", g_pickFile.c_str());
    *index = g_pickIndex;
    return true;
}
class PickerScope {
public:
    PickerScope(const std::string &file, int index, bool ok) {
        g_pick = PickCall();
        g_pickFile = file;
        g_pickIndex = index;
        g_pickOk = ok;
        old_ = SetIconPicker(TestPicker);
    }
    ~PickerScope() { SetIconPicker(old_); }

private:
    IconPicker old_;
};

TEST_F(FavoritesTest, ApplyWritesOnlyTheShortcutsGivenANewIconAndLeavesTheOthersByteForByte) {
    // What fixed-size reads would write back changed: an IconFile longer
    // than a path, a negative index (a resource number).
    const std::string longFile = "C:\\" + std::string(300, 'i') + ".dll";
    Url("long.url", "http://long.example/", "IconFile=" + longFile + "\r\nIconIndex=2\r\n");
    Url("Work\\negative.url", "http://neg.example/", "IconFile=" + SystemFile("shell32.dll") + "\r\nIconIndex=-5\r\n");
    auto before = Snapshot();
    std::string longBefore = Bytes(favorites_.File("long.url"));
    std::string negativeBefore = Bytes(favorites_.File("Work\\negative.url"));
    PickerScope picker(SystemFile("shell32.dll"), 7, true);
    EXPECT_EQ(Run([&](HWND d) {
                  HWND tree = GetDlgItem(d, IDC_FAV_TREE);
                  EXPECT_EQ(FavoriteOfNode(tree, Find(tree, "Work\\negative"))->iconIndex, -5);
                  Select(d, "news");
                  SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);
                  Click(d, IDOK);
              }),
              1);
    EXPECT_EQ(Bytes(favorites_.File("long.url")), longBefore);
    EXPECT_EQ(Bytes(favorites_.File("Work\\negative.url")), negativeBefore);
    EXPECT_EQ(Profile(favorites_.File("news.url"), "IconFile"), SystemFile("shell32.dll"));
    EXPECT_EQ(Profile(favorites_.File("news.url"), "IconIndex"), "7");
    auto after = Snapshot();
    after.erase("news.url");
    before.erase("news.url");
    EXPECT_EQ(after, before);
}

TEST_F(FavoritesTest, AnIconAssignedAndThenClosedLeavesEveryFileAsItWas) {
    auto before = Snapshot();
    PickerScope picker(SystemFile("shell32.dll"), 5, true);
    INT_PTR result = Run([&](HWND d) {
        HWND tree = GetDlgItem(d, IDC_FAV_TREE);
        Select(d, "Work\\build");
        SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);
        ASSERT_EQ(g_pick.count, 1);
        // The picker starts on shell32.dll.
        EXPECT_EQ(g_pick.fileIn, "shell32.dll");
        const FavoriteData *data = FavoriteOfNode(tree, Find(tree, "Work\\build"));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(data->iconFile), SystemFile("shell32.dll"));
        EXPECT_EQ(data->iconIndex, 5);
        EXPECT_EQ(std::string(data->url), "http://work.example/build");
        EXPECT_EQ(std::string(data->shortcutPath), favorites_.File("Work\\build.url"));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FavoritesTest, AnAssignedIconIsWrittenByApplyAndACancelledPickChangesNothing) {
    {
        PickerScope picker(SystemFile("shell32.dll"), 7, true);
        EXPECT_EQ(Run([&](HWND d) {
                      HWND tree = GetDlgItem(d, IDC_FAV_TREE);
                      HIMAGELIST images = (HIMAGELIST)SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
                      int before = ImageList_GetImageCount(images);
                      Select(d, "tv");
                      SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);
                      HTREEITEM tv = Find(tree, "tv");
                      // The icon is appended twice: normal and selected image.
                      EXPECT_EQ(ImageList_GetImageCount(images), before + 2);
                      EXPECT_EQ(NodeImage(tree, tv), before);
                      EXPECT_EQ(NodeImage(tree, tv, true), before + 1);
                      EXPECT_EQ(SmallImagePixels(images, before), ExpectedPixels(SystemFile("shell32.dll").c_str(), 7));
                      EXPECT_EQ(SmallImagePixels(images, before + 1), SmallImagePixels(images, before));
                      Click(d, IDOK);
                  }),
                  1);
        EXPECT_EQ(Profile(favorites_.File("tv.url"), "IconFile"), SystemFile("shell32.dll"));
        EXPECT_EQ(Profile(favorites_.File("tv.url"), "IconIndex"), "7");
        EXPECT_EQ(Profile(favorites_.File("tv.url"), "URL"), "http://tv.example/");
    }
    {
        PickerScope picker("C:\\nowhere.dll", 9, false);
        Run([&](HWND d) {
            HWND tree = GetDlgItem(d, IDC_FAV_TREE);
            Select(d, "mail");
            const FavoriteData *old = FavoriteOfNode(tree, Find(tree, "mail"));
            SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);
            EXPECT_EQ(g_pick.count, 1);
            EXPECT_EQ(FavoriteOfNode(tree, Find(tree, "mail")), old);
            Click(d, IDOK);
        });
        EXPECT_EQ(Profile(favorites_.File("mail.URL"), "IconIndex"), "3");
    }
}

// The platform's own icon-picking dialog: pressed Cancel by a watcher where
// it shows; where the platform exports only a stub (which answers -1), the
// answer is not taken for OK. Either way nothing changes.
TEST_F(FavoritesTest, ThePlatformsIconPickerGivingNoChoiceChangesNothing) {
    auto before = Snapshot();
    IconPickWatcher watcher(0, false);
    Run([&](HWND d) {
        HWND tree = GetDlgItem(d, IDC_FAV_TREE);
        Select(d, "news");
        const FavoriteData *old = FavoriteOfNode(tree, Find(tree, "news"));
        SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);
        EXPECT_EQ(FavoriteOfNode(tree, Find(tree, "news")), old);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FavoritesTest, DeleteAsksThenRemovesTheFileAndApplyDoesNotBringItBack) {
    MessageRecorder no(IDNO);
    Run([&](HWND d) {
        Select(d, "shop");
        SendMessageA(d, WM_COMMAND, IDM_FAV_DELETE, 0);
    });
    ASSERT_EQ(no.calls().size(), 1u);
    EXPECT_EQ(no.calls()[0].text,
              "You are about to delete the currently selected item in your Favorites folder.\nProceed anyway ?");
    EXPECT_EQ(no.calls()[0].flags & (MB_ICONMASK | MB_TYPEMASK), (UINT)(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(FileExists(favorites_.File("shop.url")));

    MessageRecorder yes(IDYES);
    PickerScope picker(SystemFile("shell32.dll"), 2, true);
    EXPECT_EQ(Run([&](HWND d) {
                  Select(d, "shop");
                  SendMessageA(d, WM_COMMAND, IDM_FAV_ASSIGN, 0);  // Apply would write it, were it there
                  SendMessageA(d, WM_COMMAND, IDM_FAV_DELETE, 0);
                  EXPECT_FALSE(FileExists(favorites_.File("shop.url")));
                  // The node stays until the next opening.
                  EXPECT_NE(Find(GetDlgItem(d, IDC_FAV_TREE), "shop"), nullptr);
                  Click(d, IDOK);
              }),
              1);
    EXPECT_FALSE(FileExists(favorites_.File("shop.url")));
    // Not moved to a recycle bin: the folder holds no other trace of it.
    EXPECT_EQ(CountFavorites(favorites_.path().c_str()), 11);
}

TEST_F(FavoritesTest, CommandsWithoutASelectionAreRefusedOnAFolderIgnoredConnectOpensTheUrl) {
    MessageRecorder recorder(IDYES);
    HelpRecorder help;
    g_open = OpenCall();
    ShellOpener old = SetShellOpener(RecordOpen);
    auto before = Snapshot();
    Run([&](HWND d) {
        // The tree selects its first node when it takes the focus: clear it.
        SendMessageA(GetDlgItem(d, IDC_FAV_TREE), TVM_SELECTITEM, TVGN_CARET, 0);
        for (int id : {IDM_FAV_ASSIGN, IDM_FAV_DELETE, IDM_FAV_CONNECT}) SendMessageA(d, WM_COMMAND, id, 0);
        ASSERT_EQ(recorder.calls().size(), 3u);
        for (auto &c : recorder.calls()) {
            EXPECT_EQ(c.text, "Please select a Favorite.");
            EXPECT_EQ(c.caption, "Glyphery");
            EXPECT_EQ(c.flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
        }
        Select(d, "Work");
        for (int id : {IDM_FAV_ASSIGN, IDM_FAV_DELETE, IDM_FAV_CONNECT, IDM_FAV_EDIT_URL})
            SendMessageA(d, WM_COMMAND, id, 0);
        EXPECT_EQ(recorder.calls().size(), 3u);
        EXPECT_EQ(g_open.count, 0);
        Select(d, "Work\\bugs");
        SendMessageA(d, WM_COMMAND, IDM_FAV_CONNECT, 0);
        EXPECT_EQ(g_open.count, 1);
        EXPECT_EQ(g_open.verb, "open");
        EXPECT_EQ(g_open.file, "http://work.example/bugs");
        EXPECT_EQ(g_open.show, SW_SHOWNORMAL);
        Click(d, IDC_DESK_HELP);
        EXPECT_EQ(help.last().data, 221u);
        EXPECT_EQ(help.last().command, (UINT)HELP_CONTEXT);
    });
    SetShellOpener(old);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(FileExists(favorites_.File("Work")));
}

}  // namespace
