#include "desktop/sysicons.h"

#include <gtest/gtest.h>

#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/resource.h"
#include "iconres/iconlist.h"
#include "tests/desktop/desk_test.h"

namespace {

const char kScratch[] = "Software\\GlypheryTests\\desk_sysicons";
const char kMyComputer[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";
const char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
const char kTemporaryFiles[] = "CLSID\\{7BD29E00-76C1-11CF-9DD0-00A0C9034933}\\DefaultIcon";
const char kControlPanel[] = "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon";
const char kFonts[] = "CLSID\\{BD84B380-8CA2-1069-AB1D-08000948F534}\\DefaultIcon";
const char kFolder[] = "Directory\\DefaultIcon";
const char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";

class SystemIcons : public DeskDialogTest {
protected:
    void SetUp() override {
        DeskDialogTest::SetUp();
        ASSERT_TRUE(IsolateRegistry(kScratch));
        SetWindowsFolderOverride(BinFolder().c_str());
    }
    void TearDown() override {
        DeskDialogTest::TearDown();
        SetWindowsFolderOverride(nullptr);
        RestoreRegistry(kScratch);
    }
    HWND Open() { return OpenDialog(IDD_SYSICONS, SystemIconsDialogProc); }
    void PickLibrary() { Pick(SevenIconsDll()); }
    // The text of a value (the platform may keep a terminating NUL or add one).
    std::string Value(HKEY root, const char *key, const char *name) {
        std::string bytes;
        if (!RawValue(root, key, name, &bytes)) return "<absent>";
        if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
        return bytes;
    }
    std::string Dll() const { return SevenIconsDll(); }
};

TEST_F(SystemIcons, OnlyExistingKeysGiveRowsInCatalogueOrder) {
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kFolder, "", "%SystemRoot%\\desk_seven_icons.dll,2"));
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kMyComputer, "", "%SystemRoot%\\desk_seven_icons.dll,4"));
    ASSERT_TRUE(CreateKey(HKEY_CLASSES_ROOT, kTemporaryFiles));
    ASSERT_TRUE(Open());
    char title[64];
    GetWindowTextA(dialog_, title, sizeof title);
    EXPECT_STREQ(title, "Glyphery");
    ExpectDialogUnits(dialog_, 332, 231);
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_CAPTION), "Current icons");
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "no icon");
    EXPECT_EQ(ControlText(dialog_, IDC_SYSICONS_HINT), "You will have to press F5 to update your desktop.");
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_RESET), "&Reset");
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog_, IDC_DESK_OBJECTS), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);

    // Without the shell's icon table only the classes-root rows that exist.
    ASSERT_EQ(RowCount(dialog_), 3);
    ASSERT_EQ(SystemIconRowCount(), 3);
    EXPECT_EQ(RowLabel(dialog_, 0), "My Computer");
    EXPECT_EQ(RowLabel(dialog_, 1), "Temporary Internet Files");
    EXPECT_EQ(RowLabel(dialog_, 2), "Folder");
    EXPECT_EQ(ImageList_GetImageCount(SystemIconImages()), 3);
    // Row i shows image i: the current icons, the placeholder for the empty value.
    EXPECT_EQ(ImageCentreColour(SystemIconImages(), 0), kFixtureColours[4]);
    EXPECT_EQ(ImageCentreColour(SystemIconImages(), 2), kFixtureColours[2]);
    UniqueIcon placeholder((HICON)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOICON), IMAGE_ICON,
                                             32, 32, 0));
    ASSERT_TRUE(placeholder);
    EXPECT_EQ(ImageCentreColour(SystemIconImages(), 1), DrawnCentreColour(placeholder.get()));
    EXPECT_EQ(SystemIconRowAt(1)->valueName, std::string("0"));
    EXPECT_EQ(SystemIconRowAt(0)->pending.path, Dll());
    EXPECT_EQ(SystemIconRowAt(0)->pending.index, 4);

    // With it, every local-machine row appears, valued or not.
    ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kShellIcons, "3", "C:\\folder.ico"));
    ASSERT_TRUE(Open());
    ASSERT_EQ(RowCount(dialog_), 24);
    EXPECT_EQ(RowLabel(dialog_, 3), "3.5 Floppy\"");
    EXPECT_EQ(RowLabel(dialog_, 5), "Removeable Drive");
    EXPECT_EQ(RowLabel(dialog_, 6), "Fard Drive");
    EXPECT_EQ(RowLabel(dialog_, 23), "Execute");
}

TEST_F(SystemIcons, AssignedIconsAreWrittenOnApply) {
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kMyComputer, "", "C:\\old\\explorer.exe,0"));
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kTemporaryFiles, "", "C:\\old\\tif.dll,2"));
    ASSERT_TRUE(Open());
    PickLibrary();
    EXPECT_EQ(ControlText(dialog_, IDC_DESK_STATUS), "7 icons in " + Dll());
    EXPECT_EQ(IconListEntries(dialog_), 7);

    Assign(0, 5);
    EXPECT_EQ(ImageCentreColour(SystemIconImages(), 0), kFixtureColours[5]);
    Assign(1, 3);
    Shoot(dialog_, "desktop_sysicons_assigned");

    MessageRecorder messages(IDYES);
    Command(IDOK);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "Please confirm the modification.");
    EXPECT_EQ(messages.calls()[0].caption, "Glyphery");
    EXPECT_EQ(messages.calls()[0].flags, (UINT)(MB_YESNO | MB_ICONSTOP));
    // Written as text without its terminating NUL.
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawValue(HKEY_CLASSES_ROOT, kMyComputer, "", &bytes, &type));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(bytes.c_str(), Dll() + ",5");
    // Temporary Internet Files: read from the default value, written to "0".
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kTemporaryFiles, "0"), Dll() + ",3");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kTemporaryFiles, ""), std::string("C:\\old\\tif.dll,2"));
}

TEST_F(SystemIcons, ApplyWritesOnlyAssignedRowsAndEveryOtherValueStaysAsStored) {
    // Values a rewrite would change: an expandable one, a per-user variable
    // in a machine-wide key, a path holding a comma but no index, and the
    // ones the parser refuses or finds no index in.
    struct Stored {
        HKEY root;
        const char *key, *name;
        std::string text;
        DWORD type;
    };
    const Stored kept[] = {
        {HKEY_CLASSES_ROOT, kMyComputer, "", "%SystemRoot%\\desk_seven_icons.dll,1", REG_EXPAND_SZ},
        {HKEY_LOCAL_MACHINE, kShellIcons, "3", "%USERPROFILE%\\icons.dll,2", REG_EXPAND_SZ},
        {HKEY_LOCAL_MACHINE, kShellIcons, "8", "C:\\a,b", REG_SZ},
        {HKEY_LOCAL_MACHINE, kShellIcons, "9", "shell.dll,  -4", REG_SZ},
        {HKEY_CLASSES_ROOT, kFolder, "", "C:\\folder.ico", REG_SZ},
        {HKEY_CLASSES_ROOT, kFonts, "", "%SystemRoot\\fonts.dll,3", REG_SZ},
        {HKEY_CLASSES_ROOT, kControlPanel, "", "C:\\" + std::string(300, 'x') + ".dll,1", REG_SZ},
    };
    for (const Stored &v : kept) ASSERT_TRUE(SetString(v.root, v.key, v.name, v.text, v.type));
    ASSERT_TRUE(CreateKey(HKEY_CLASSES_ROOT, kRecycleBin));  // no value at all
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kTemporaryFiles, "0", "%SystemRoot%\\tif.dll,0", REG_EXPAND_SZ));
    ASSERT_TRUE(Open());
    ShowWindow(dialog_, SW_SHOWNA);

    // Refused confirmation: nothing is written and the dialog stays.
    PickLibrary();
    ASSERT_EQ(RowLabel(dialog_, 4), "Temporary Internet Files");  // after both Recycle Bin rows
    Assign(4, 6);
    {
        MessageRecorder no(IDNO);
        Command(IDOK);
        EXPECT_EQ(no.calls().size(), 1u);
    }
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kTemporaryFiles, "0"), "%SystemRoot%\\tif.dll,0");

    MessageRecorder yes(IDYES);
    Command(IDOK);
    for (const Stored &v : kept) {
        std::string bytes;
        DWORD type = 0;
        ASSERT_TRUE(RawValue(v.root, v.key, v.name, &bytes, &type)) << v.text;
        EXPECT_EQ(bytes, v.text + '\0');
        EXPECT_EQ(type, v.type) << v.text;
    }
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), "<absent>");
    // The assigned value names the new file and stays expandable.
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawValue(HKEY_CLASSES_ROOT, kTemporaryFiles, "0", &bytes, &type));
    EXPECT_EQ(bytes.c_str(), Dll() + ",6");
    EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
}

TEST_F(SystemIcons, MissingSelectionsChangeNothing) {
    ASSERT_TRUE(CreateKey(HKEY_CLASSES_ROOT, kRecycleBin));
    ASSERT_TRUE(Open());
    uint32_t before = ImageCentreColour(SystemIconImages(), 0);
    // No file listed, nothing selected.
    FocusRow(dialog_, 0);
    NotifyObjects(dialog_, NM_DBLCLK);
    PickLibrary();
    // A file listed, no entry selected.
    NotifyObjects(dialog_, NM_DBLCLK);
    EXPECT_EQ(ImageCentreColour(SystemIconImages(), 0), before);
    EXPECT_FALSE(SystemIconRowAt(0)->assigned);
    // An entry selected, no row focused.
    LVITEMA clear = {};
    clear.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendDlgItemMessageA(dialog_, IDC_DESK_OBJECTS, LVM_SETITEMSTATE, 0, (LPARAM)&clear);
    SelectEntry(dialog_, 2);
    NotifyObjects(dialog_, NM_DBLCLK);
    EXPECT_FALSE(SystemIconRowAt(0)->assigned);
    MessageRecorder yes(IDYES);
    Command(IDOK);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), "<absent>");

    // An assignment to the valueless row is written.
    ASSERT_TRUE(Open());
    PickLibrary();
    Assign(0, 6);
    Command(IDOK);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), Dll() + ",6");
}

TEST_F(SystemIcons, ResetPutsBackWhatTheFirstApplyReplaced) {
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kMyComputer, "", "C:\\orig\\explorer.exe,1"));
    ASSERT_TRUE(CreateKey(HKEY_CLASSES_ROOT, kRecycleBin));
    MessageRecorder yes(IDYES);

    // Nothing kept yet: Reset changes nothing and says so.
    ASSERT_TRUE(Open());
    Command(IDC_DESK_RESET);
    ASSERT_EQ(yes.calls().size(), 2u);
    EXPECT_EQ(yes.calls()[0].text, "You are going to reset the default icons.\nPlease confirm your choice.");
    EXPECT_EQ(yes.calls()[0].flags & MB_TYPEMASK, (UINT)MB_YESNO);
    EXPECT_EQ(yes.calls()[1].text, "Done.");
    EXPECT_EQ(yes.calls()[1].flags, (UINT)(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), std::string("C:\\orig\\explorer.exe,1"));

    // Two Applies: the first one's old values are the ones kept.
    PickLibrary();
    Assign(0, 0);  // Recycle Bin, absent before
    Assign(1, 5);  // My Computer
    Command(IDOK);
    ASSERT_TRUE(Open());
    PickLibrary();
    Assign(1, 2);
    Command(IDOK);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), Dll() + ",2");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), Dll() + ",0");
    std::string kept;
    ASSERT_TRUE(RawValue(HKEY_CURRENT_USER, std::string(kSavedIconsKey) + "\\2", "Data", &kept));
    EXPECT_EQ(kept, std::string("C:\\orig\\explorer.exe,1") + '\0');

    // A kept record that names another key than its entry's is not followed.
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER, std::string(kSavedIconsKey) + "\\15", "Key", "Elsewhere\\DefaultIcon"));
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER, std::string(kSavedIconsKey) + "\\15", "Value", ""));
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER, std::string(kSavedIconsKey) + "\\15", "Data", "evil.dll,1"));
    // Neither is a subkey whose name is too long to be an entry's number;
    // it sorts first and must not end the walk.
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, std::string(kSavedIconsKey) + "\\" + std::string(64, '0')));

    ASSERT_TRUE(Open());
    Command(IDC_DESK_RESET);
    EXPECT_EQ(yes.calls().back().text, "Done.");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), std::string("C:\\orig\\explorer.exe,1"));
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), "<absent>");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "Elsewhere\\DefaultIcon", ""), "<absent>");
    // The rows show the restored locations: an Apply now keeps them.
    EXPECT_EQ(std::string(SystemIconRowAt(1)->pending.path), "C:\\orig\\explorer.exe");
    Command(IDOK);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), "C:\\orig\\explorer.exe,1");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kRecycleBin, ""), "<absent>");
}

TEST_F(SystemIcons, HelpAndThePropertiesOfARow) {
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kFolder, "", "C:\\folder.ico"));
    ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kShellIcons, "3", "C:\\closed.dll,7"));
    ASSERT_TRUE(Open());
    Command(IDC_DESK_HELP);
    ASSERT_EQ(HelpCalls().size(), 1u);
    EXPECT_EQ(HelpCalls()[0].file, kHelpFile);
    EXPECT_EQ(HelpCalls()[0].command, (UINT)HELP_CONTEXT);
    EXPECT_EQ(HelpCalls()[0].data, (ULONG_PTR)200);

    // Right click opens the properties of the focused row; a timer reads and closes them.
    ShowWindow(dialog_, SW_SHOW);
    std::vector<std::string> shown;
    auto readAndClose = [&](HWND props) {
        char title[32];
        GetWindowTextA(props, title, sizeof title);
        shown = {title, ControlText(props, IDC_PROP_FILE_LABEL), ControlText(props, IDC_PROP_FILE),
                 ControlText(props, IDC_PROP_INDEX_LABEL), ControlText(props, IDC_PROP_INDEX),
                 ControlText(props, IDC_PROP_ROOT_LABEL), ControlText(props, IDC_PROP_ROOT),
                 ControlText(props, IDC_PROP_KEY_LABEL), ControlText(props, IDC_PROP_KEY)};
        ExpectDialogUnits(props, 318, 110);
        Shoot(props, "desktop_sysicon_properties");
        SendMessageA(props, WM_COMMAND, IDOK, 0);
    };
    FocusRow(dialog_, 0);
    WhenModalShows(IDC_PROP_INDEX, readAndClose);
    NotifyObjects(dialog_, NM_RCLICK);
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown[0], "Glyphery");
    EXPECT_EQ(shown[1], "File:");
    EXPECT_EQ(shown[2], "C:\\folder.ico");
    EXPECT_EQ(shown[3], "Indice:");
    EXPECT_EQ(shown[4], "4294967295");
    EXPECT_EQ(shown[5], "Hotkey:");
    EXPECT_EQ(shown[6], "HKEY_HKEY_CLASSES_ROOT");
    EXPECT_EQ(shown[7], "Key:");
    EXPECT_EQ(shown[8], kFolder);

    shown.clear();
    FocusRow(dialog_, 10);  // Folder, six drive rows, three default icons, then "Closed Folder"
    ASSERT_EQ(RowLabel(dialog_, 10), "Closed Folder");
    WhenModalShows(IDC_PROP_INDEX, readAndClose);
    NotifyObjects(dialog_, NM_RCLICK);
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown[2], "C:\\closed.dll");
    EXPECT_EQ(shown[4], "7");
    EXPECT_EQ(shown[6], "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(shown[8], kShellIcons);
}

TEST_F(SystemIcons, TheModalDialogEndsWithZeroOnCancelAndOneOnApply) {
    ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, kMyComputer, "", "C:\\orig\\explorer.exe,1"));
    bool seen = false;
    WhenModalShows(IDC_DESK_RESET, [&](HWND d) {
        seen = true;
        SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ShowSystemIconsDialog(nullptr, kHelpFile), 0);
    EXPECT_TRUE(seen);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), std::string("C:\\orig\\explorer.exe,1"));

    // Apply ends it with 1.
    MessageRecorder yes(IDYES);
    WhenModalShows(IDC_DESK_RESET, [&](HWND d) { SendMessageA(d, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(ShowSystemIconsDialog(nullptr, kHelpFile), 1);
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, kMyComputer, ""), "C:\\orig\\explorer.exe,1");
}

TEST_F(SystemIcons, Screenshot) {
    // The rows of a typical system, a listed library and one assignment.
    for (int i = 0; i < 17; ++i) {
        const SystemIconEntry &e = SystemIconCatalogue(i);
        if (e.root != kRootClasses) continue;
        ASSERT_TRUE(SetString(HKEY_CLASSES_ROOT, e.key, e.readValue,
                              "%SystemRoot%\\desk_seven_icons.dll," + std::to_string(i % 7)));
    }
    ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kShellIcons, "3", "%SystemRoot%\\desk_seven_icons.dll,6"));
    ASSERT_TRUE(Open());
    PickLibrary();
    Assign(1, 5);
    SelectEntry(dialog_, 5);
    Shoot(dialog_, "desktop_sysicons");
    EXPECT_EQ(RowCount(dialog_), 17 + 21);
}

}  // namespace
