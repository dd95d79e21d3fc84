// The install wizard's fixed data: Program Manager commands, the uninstall
// command, and the record the uninstaller trusts.
#include "setup/plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(SetupPlan, ProgmanCommandsNameTheInstalledFilesInOrder) {
    std::vector<std::string> c = ProgmanCommands("D:\\Apps\\Glyphery");
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[0], "[CreateGroup(Glyphery, 1)]");
    EXPECT_EQ(c[1], "[AddItem(\"D:\\Apps\\Glyphery\\Glyphery.exe\",Glyphery)]");
    EXPECT_EQ(c[2], "[AddItem(\"D:\\Apps\\Glyphery\\uninst.exe\",Uninstall)]");
    EXPECT_EQ(c[3], "[AddItem(\"D:\\Apps\\Glyphery\\Glypherye.chm\",Help, hh.exe, 1)]");
    EXPECT_EQ(c[4], "[AddItem(\"D:\\Apps\\Glyphery\\whatsnewe.txt\",Read me, notepad.exe, 0)]");
    EXPECT_EQ(c[5], "[ShowGroup(Glyphery)]");
    EXPECT_EQ(ProgmanDeleteCommand(), "[DeleteGroup(Glyphery)]");
}

TEST(SetupPlan, UninstallCommandIsCollapsed) {
    EXPECT_EQ(UninstallCommand("C:\\\\Program Files\\\\Glyphery\\"), "C:\\Program Files\\Glyphery\\uninst.exe");
    EXPECT_EQ(UninstallCommand("\\\\server\\share\\Glyphery"), "\\\\server\\share\\Glyphery\\uninst.exe");
}

TEST(SetupPlan, TheCopyListHoldsTheUninstallerHelpAndReadMeOnce) {
    const std::vector<std::string> &files = ShippedFiles();
    for (const char *name : {"Glyphery.exe", "Glyphery.dll", "GYgraph.dll", "uninst.exe", "Glypherye.chm",
                             "whatsnewe.txt"})
        EXPECT_EQ(std::count(files.begin(), files.end(), name), 1) << name;
    // Libraries come before the programs that load them.
    auto at = [&](const char *name) { return std::find(files.begin(), files.end(), name) - files.begin(); };
    EXPECT_LT(at("GYgraph.dll"), at("Glyphery.exe"));
    EXPECT_LT(at("Glyphery.dll"), at("Glyphery.exe"));
}

TEST(SetupPlan, RecordRoundTrips) {
    InstallRecord r;
    r.files = {"Glyphery.exe", "uninst.exe"};
    r.folders = {"C:\\Apps", "C:\\Apps\\Glyphery"};
    r.links = {"C:\\users\\Public\\Desktop\\Glyphery.lnk"};
    r.group = "Glyphery";
    InstallRecord back;
    ASSERT_TRUE(ParseInstallRecord(FormatInstallRecord(r), &back));
    EXPECT_EQ(back.files, r.files);
    EXPECT_EQ(back.folders, r.folders);
    EXPECT_EQ(back.links, r.links);
    EXPECT_EQ(back.group, r.group);
    // Line ends of either kind, blank lines, no group.
    ASSERT_TRUE(ParseInstallRecord("[Glyphery install]\n\nfile=a.dll\n", &back));
    EXPECT_EQ(back.files, std::vector<std::string>{"a.dll"});
    EXPECT_EQ(back.group, "");
}

// The uninstaller deletes what the record names: a record that could make it
// delete anything outside what the wizard made is refused whole.
TEST(SetupPlan, RecordsThatReachOutsideTheInstallAreRefused) {
    const char *bad[] = {
        "",
        "file=Glyphery.exe\n",                                 // no header
        "[Other]\nfile=Glyphery.exe\n",
        "[Glyphery install]\nfile=..\\boot.ini\n",             // a path, not a name
        "[Glyphery install]\nfile=C:\\windows\\win.ini\n",
        "[Glyphery install]\nfile=..\n",
        "[Glyphery install]\nfile=\n",
        "[Glyphery install]\nlink=C:\\users\\me\\notes.txt\n",  // not a shortcut
        "[Glyphery install]\nlink=Glyphery.lnk\n",              // not a full path
        "[Glyphery install]\nfolder=C:\\Apps\\..\\windows\n",
        "[Glyphery install]\nfolder=Apps\n",
        "[Glyphery install]\ngroup=a\\b\n",
        "[Glyphery install]\ngroup=A\ngroup=B\n",
        "[Glyphery install]\nregistry=HKLM\n",                  // an unknown key
        "[Glyphery install]\nfile Glyphery.exe\n",
    };
    for (const char *text : bad) {
        InstallRecord r;
        r.group = "kept";
        EXPECT_FALSE(ParseInstallRecord(text, &r)) << text;
        EXPECT_EQ(r.group, "kept") << text;
    }
}
