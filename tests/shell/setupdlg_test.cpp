// The Setup dialog (template 276) run modally from the real resources and
// driven from inside its loop: what it shows, the enabling rules, the
// browsers, OK and Cancel, in English and in French.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/paths.h"
#include "shell/resource.h"
#include "shell/setupdlg.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

const int kChecks[] = {IDC_SET_PROPORTIONS, IDC_SET_BEEP,     IDC_SET_AUTO_ANI,
                       IDC_SET_GRID,        IDC_SET_TOOLTIPS, IDC_SET_DISPLAY};
const int kViewerControls[] = {IDC_SET_INTERNAL, IDC_SET_EDITOR, IDC_SET_OTHER, IDC_SET_VIEWER};

// A folder under the platform's temporary folder (on drive C:, which the
// shell's browsers walk quickly), removed with its files at the end.
class LocalFolder {
public:
    explicit LocalFolder(const char *name) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~LocalFolder() {
        for (const std::string &file : files_) DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string &path() const { return path_; }
    std::string File(const char *name) {
        files_.push_back(path_ + "\\" + name);
        return files_.back();
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

class SetupDialogTest : public ::testing::Test {
protected:
    SetupDialogTest() {
        memset(&settings_, 0, sizeof settings_);
        strcpy(settings_.installPath, "C:\\Program Files\\Glyphery");
        strcpy(settings_.pathLaunch, "C:\\pictures");
        strcpy(settings_.pathSave, "C:\\icons");
        strcpy(settings_.pathDisplay, "C:\\tools\\viewer.exe");
        settings_.display_icon = 1;
        settings_.display_type = 0;
        settings_.color = 0x00123456;
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~SetupDialogTest() override { DestroyWindow(owner_); }

    INT_PTR Run(std::function<void(HWND)> script) {
        return RunDialog([this] { return ShowSetupDialog(owner_, &settings_); }, std::move(script));
    }
    bool SameAsBefore(const Settings &before) { return memcmp(&before, &settings_, sizeof before) == 0; }

    Settings settings_;
    HWND owner_;
};

TEST_F(SetupDialogTest, ShowsTheEnglishTextsTheSettingsAndTheBrowseIcons) {
    settings_.keep_proportions = 1;
    settings_.grid = 1;
    settings_.display_type = 1;
    INT_PTR result = Run([&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_SET_LAUNCH_LABEL), "Default source folder:");
        EXPECT_EQ(ItemText(d, IDC_SET_SAVE_LABEL), "Default target folder:");
        EXPECT_EQ(ItemText(d, IDC_SET_PROPORTIONS), "Keep proportions");
        EXPECT_EQ(ItemText(d, IDC_SET_BEEP), "Emit a beep after each conversion");
        EXPECT_EQ(ItemText(d, IDC_SET_AUTO_ANI), "Automatic production of an animated cursor");
        EXPECT_EQ(ItemText(d, IDC_SET_GRID), "Add a grid to the zoom");
        EXPECT_EQ(ItemText(d, IDC_SET_TOOLTIPS), "Tooltips");
        EXPECT_EQ(ItemText(d, IDC_SET_DISPLAY), "Display the icon after conversion");
        EXPECT_EQ(ItemText(d, IDC_SET_INTERNAL), "Internal display");
        EXPECT_EQ(ItemText(d, IDC_SET_EDITOR), "GlypheryEdit");
        EXPECT_EQ(ItemText(d, IDC_SET_OTHER), "Other:");
        EXPECT_EQ(ItemText(d, IDOK), "OK");
        EXPECT_EQ(ItemText(d, IDCANCEL), "&Cancel");
        char caption[64];
        GetWindowTextA(d, caption, sizeof caption);
        EXPECT_STREQ(caption, "Glyphery");

        EXPECT_EQ(ItemText(d, IDC_SET_LAUNCH), "C:\\pictures");
        EXPECT_EQ(ItemText(d, IDC_SET_SAVE), "C:\\icons");
        EXPECT_EQ(ItemText(d, IDC_SET_VIEWER), "C:\\tools\\viewer.exe");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_PROPORTIONS), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_GRID), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_BEEP), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_TOOLTIPS), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_AUTO_ANI), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_DISPLAY), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_EDITOR), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_INTERNAL), BST_UNCHECKED);
        EXPECT_FALSE(Enabled(d, IDC_SET_VIEWER));  // not "Other:"
        EXPECT_TRUE(Enabled(d, IDC_SET_INTERNAL));

        for (int id : {IDC_SET_LAUNCH_BROWSE, IDC_SET_SAVE_BROWSE, IDC_SET_VIEWER_BROWSE}) {
            HWND button = GetDlgItem(d, id);
            EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & BS_ICON) << id;
            HICON icon = (HICON)SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0);
            ICONINFO info = {};
            ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << id;
            BITMAP bm = {};
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, 16) << id;
            if (info.hbmColor) DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        for (int id : {IDC_SET_LAUNCH, IDC_SET_SAVE, IDC_SET_VIEWER})
            EXPECT_EQ(SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0), MAX_PATH - 1) << id;

        // Owned by the main window and centred on the screen.
        EXPECT_EQ(GetWindow(d, GW_OWNER), owner_);
        RECT r, work;
        GetWindowRect(d, &r);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(abs((r.left + r.right) - (work.left + work.right)), 2);
        EXPECT_LE(abs((r.top + r.bottom) - (work.top + work.bottom)), 2);

        for (const std::string &problem : LayoutProblems(d)) ADD_FAILURE() << problem;
        EXPECT_TRUE(SaveShot(d, "setup_en"));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(SetupDialogTest, TheFrenchTemplateKeepsItsFrenchTexts) {
    UiLanguageScope french(kFrench);
    settings_.display_type = 2;
    INT_PTR result = Run([&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_SET_PROPORTIONS), "Conserver les proportions");
        EXPECT_EQ(ItemText(d, IDC_SET_TOOLTIPS), "Info-bulles");
        EXPECT_EQ(ItemText(d, IDCANCEL), "&Annuler");
        EXPECT_EQ(ItemText(d, IDC_SET_OTHER), "Autre :");
        EXPECT_TRUE(Enabled(d, IDC_SET_VIEWER));
        for (const std::string &problem : LayoutProblems(d)) ADD_FAILURE() << problem;
        EXPECT_TRUE(SaveShot(d, "setup_fr"));
        // The refusal speaks French too.
        SetDlgItemTextA(d, IDC_SET_VIEWER, "");
        MessageRecorder messages;
        Click(d, IDOK);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls()[0].text.rfind("Veuillez choisir le programme", 0), 0u);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(SetupDialogTest, DisplayOffDisablesTheViewerChoiceWhateverTheViewer) {
    settings_.display_icon = 0;
    for (uint32_t type : {0u, 1u, 2u, 7u}) {
        settings_.display_type = type;
        Run([&](HWND d) {
            for (int id : kViewerControls) EXPECT_FALSE(Enabled(d, id)) << "viewer " << type << ", control " << id;
            EXPECT_TRUE(Enabled(d, IDC_SET_VIEWER_BROWSE));
            int chosen = type == 1 ? IDC_SET_EDITOR : type == 2 ? IDC_SET_OTHER : IDC_SET_INTERNAL;
            EXPECT_EQ(IsDlgButtonChecked(d, chosen), BST_CHECKED) << type;
            Click(d, IDCANCEL);
        });
    }
}

TEST_F(SetupDialogTest, TheDisplayBoxAndTheRadiosEnableTheViewerControls) {
    settings_.display_icon = 0;
    settings_.display_type = 2;
    Run([&](HWND d) {
        Click(d, IDC_SET_DISPLAY);  // on: radios, and the field since "Other:" is chosen
        for (int id : kViewerControls) EXPECT_TRUE(Enabled(d, id)) << id;
        Click(d, IDC_SET_INTERNAL);
        EXPECT_FALSE(Enabled(d, IDC_SET_VIEWER));
        EXPECT_TRUE(Enabled(d, IDC_SET_OTHER));
        Click(d, IDC_SET_OTHER);
        EXPECT_TRUE(Enabled(d, IDC_SET_VIEWER));
        Click(d, IDC_SET_EDITOR);
        EXPECT_FALSE(Enabled(d, IDC_SET_VIEWER));
        Click(d, IDC_SET_DISPLAY);  // off: all four
        for (int id : kViewerControls) EXPECT_FALSE(Enabled(d, id)) << id;
        Click(d, IDC_SET_DISPLAY);  // on again with "GlypheryEdit": the field stays off
        EXPECT_TRUE(Enabled(d, IDC_SET_EDITOR));
        EXPECT_FALSE(Enabled(d, IDC_SET_VIEWER));
        Click(d, IDCANCEL);
    });
}

TEST_F(SetupDialogTest, OkStoresEverySetting) {
    INT_PTR result = Run([&](HWND d) {
        for (int id : kChecks)
            if (id != IDC_SET_DISPLAY) Click(d, id);  // all on (display already on)
        SetDlgItemTextA(d, IDC_SET_LAUNCH, "D:\\sources");
        SetDlgItemTextA(d, IDC_SET_SAVE, "D:\\targets");
        Click(d, IDC_SET_OTHER);
        SetDlgItemTextA(d, IDC_SET_VIEWER, "D:\\bin\\show.exe");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(settings_.keep_proportions, 1u);
    EXPECT_EQ(settings_.bip, 1u);
    EXPECT_EQ(settings_.automatic_ani, 1u);
    EXPECT_EQ(settings_.grid, 1u);
    EXPECT_EQ(settings_.tooltips, 1u);
    EXPECT_EQ(settings_.display_icon, 1u);
    EXPECT_STREQ(settings_.pathLaunch, "D:\\sources");
    EXPECT_STREQ(settings_.pathSave, "D:\\targets");
    EXPECT_EQ(settings_.display_type, 2u);
    EXPECT_STREQ(settings_.pathDisplay, "D:\\bin\\show.exe");
    EXPECT_EQ(settings_.color, 0x00123456u);  // what the dialog does not edit stays
    EXPECT_STREQ(settings_.installPath, "C:\\Program Files\\Glyphery");

    // And back off, with the editor as viewer: pathDisplay is kept as it was.
    result = Run([&](HWND d) {
        for (int id : kChecks) Click(d, id);
        Click(d, IDC_SET_DISPLAY);  // on again so the radios take the click
        Click(d, IDC_SET_EDITOR);
        Click(d, IDC_SET_DISPLAY);
        SetDlgItemTextA(d, IDC_SET_VIEWER, "");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(settings_.keep_proportions + settings_.bip + settings_.automatic_ani + settings_.grid +
                  settings_.tooltips + settings_.display_icon,
              0u);
    EXPECT_EQ(settings_.display_type, 1u);
    EXPECT_STREQ(settings_.pathDisplay, "D:\\bin\\show.exe");
}

TEST_F(SetupDialogTest, OtherWithoutAProgramKeepsTheDialogOpenAndChangesNothing) {
    const Settings before = settings_;
    INT_PTR result = Run([&](HWND d) {
        Click(d, IDC_SET_BEEP);
        SetDlgItemTextA(d, IDC_SET_SAVE, "E:\\elsewhere");
        Click(d, IDC_SET_OTHER);
        SetDlgItemTextA(d, IDC_SET_VIEWER, "");
        {
            MessageRecorder messages;
            Click(d, IDOK);
            ASSERT_EQ(messages.calls().size(), 1u);
            EXPECT_EQ(messages.calls()[0].text, "Please select the icon display program to use.");
            EXPECT_EQ(messages.calls()[0].caption, "Glyphery");
            EXPECT_EQ(messages.calls()[0].owner, d);
            EXPECT_EQ(messages.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
        }
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_SET_VIEWER));
        EXPECT_TRUE(SameAsBefore(before)) << "a refused OK must not store half of the choices";
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(SameAsBefore(before));
}

TEST_F(SetupDialogTest, CancelAfterEditingTheFoldersChangesNothing) {
    const Settings before = settings_;
    INT_PTR result = Run([&](HWND d) {
        SetDlgItemTextA(d, IDC_SET_LAUNCH, "F:\\new source");
        SetDlgItemTextA(d, IDC_SET_SAVE, "F:\\new target");
        Click(d, IDC_SET_TOOLTIPS);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(settings_.pathSave, "C:\\icons");
    EXPECT_STREQ(settings_.pathLaunch, "C:\\pictures");
    EXPECT_TRUE(SameAsBefore(before));
}

// Lets the folder browser finish selecting its start folder (it fills its
// tree as it goes), up to ten seconds (a loaded machine is slow to fill it):
// the text of the selected node.
std::string BrowserSelection(HWND browser, const char *expected) {
    HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    char text[MAX_PATH] = {0};
    for (int i = 0; i < 500 && tree; ++i) {
        HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        text[0] = 0;
        if (item) SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv);
        if (strcmp(text, expected) == 0) break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
    return text;
}

// Moves a folder's last-access time back to 2001, so that the next reading
// of the folder (newer than its last change) moves it forward again.
bool AgeLastAccess(const std::string &folder) {
    HANDLE h = CreateFileA(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    SYSTEMTIME old = {2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME t;
    BOOL ok = SystemTimeToFileTime(&old, &t) && SetFileTime(h, nullptr, &t, nullptr);
    CloseHandle(h);
    return ok != FALSE;
}

TEST_F(SetupDialogTest, FolderBrowsersStartAtTheFieldAndFillIt) {
    LocalFolder first("gy-setup-a"), second("gy-setup-b");
    settings_.pathLaunch[0] = 0;
    strcpy(settings_.pathSave, first.path().c_str());
    // The browser reads the temporary folder on its way to the start folder:
    // an access time that moves meanwhile must not keep it from getting there.
    ASSERT_TRUE(AgeLastAccess(DirName(first.path())));
    INT_PTR result = Run([&](HWND d) {
        // Target folder: the browser opens on the field's folder; OK keeps it.
        std::string title;
        OnNextOwnedDialog(d, [&](HWND browser) {
            char text[256] = {0};
            GetDlgItemTextA(browser, 0x3742, text, sizeof text);  // the browser's title line
            title = text;
            EXPECT_EQ(BrowserSelection(browser, "gy-setup-a"), "gy-setup-a");
            SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Click(d, IDC_SET_SAVE_BROWSE);
        EXPECT_EQ(title, "Default target folder:");
        EXPECT_EQ(ItemText(d, IDC_SET_SAVE), first.path());
        // Source folder: choose another folder in the browser.
        OnNextOwnedDialog(d, [&](HWND browser) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)second.path().c_str());
            SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Click(d, IDC_SET_LAUNCH_BROWSE);
        EXPECT_EQ(ItemText(d, IDC_SET_LAUNCH), second.path());
        // A browser left with Cancel leaves the field alone.
        OnNextOwnedDialog(d, [&](HWND browser) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)first.path().c_str());
            SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Click(d, IDC_SET_LAUNCH_BROWSE);
        EXPECT_EQ(ItemText(d, IDC_SET_LAUNCH), second.path());
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(settings_.pathLaunch), second.path());
}

TEST_F(SetupDialogTest, TheProgramPickerOffersProgramsAndFillsTheField) {
    LocalFolder tools("gy-setup-viewer");
    const std::string program = tools.File("show.exe");
    ASSERT_TRUE(WriteBytes(program, {0x4D, 0x5A})) << program;
    settings_.display_type = 2;
    INT_PTR result = Run([&](HWND d) {
        std::string title, filter;
        OnNextOwnedDialog(d, [&](HWND picker) {
            char text[256] = {0};
            GetWindowTextA(picker, text, sizeof text);
            title = text;
            HWND types = GetDlgItem(picker, 0x470);  // the file-type list
            EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 1);
            text[0] = 0;
            SendMessageA(types, CB_GETLBTEXT, 0, (LPARAM)text);
            filter = text;
            SetDlgItemTextA(picker, 0x47c, program.c_str());  // the file name box
            SetDlgItemTextA(picker, 0x480, program.c_str());
            SendMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Click(d, IDC_SET_VIEWER_BROWSE);
        EXPECT_EQ(title, "Select the file");
        EXPECT_EQ(filter, "Programs (.exe)");
        EXPECT_EQ(ItemText(d, IDC_SET_VIEWER), program);
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(settings_.pathDisplay), program);
}

}  // namespace
