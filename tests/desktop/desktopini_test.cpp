// The desktop.ini text the folder dialog writes and the colon rule that
// turns a tree node's display path into a file-system path.
#include <gtest/gtest.h>

#include "desktop/desktopini.h"

TEST(DesktopIniText, ThreeLinesWithoutATooltipFiveWithOneEachEndedByCrLf) {
    EXPECT_EQ(DesktopIniText("C:\\icons\\a.ico", 7, ""),
              "[.ShellClassInfo]\r\nIconFile=C:\\icons\\a.ico\r\nIconIndex=7\r\n");
    EXPECT_EQ(DesktopIniText("C:\\w\\shell32.dll", 0, "My photos"),
              "[.ShellClassInfo]\r\nIconFile=C:\\w\\shell32.dll\r\nIconIndex=0\r\n"
              "ConfirmFileOp=0\r\nInfoTip=My photos\r\n");
    EXPECT_EQ(DesktopIniText("x.ico", -3, ""), "[.ShellClassInfo]\r\nIconFile=x.ico\r\nIconIndex=-3\r\n");
}

TEST(DesktopIniText, TheTooltipIsCutAt511Characters) {
    std::string tip(600, 't');
    tip[510] = 'E';
    std::string text = DesktopIniText("a.ico", 1, tip);
    size_t at = text.find("InfoTip=");
    ASSERT_NE(at, std::string::npos);
    std::string written = text.substr(at + 8);
    EXPECT_EQ(written, std::string(510, 't') + "E\r\n");
}

TEST(FolderPath, NamesAreJoinedFromTheTopAndCutAt259) {
    EXPECT_EQ(JoinFolderPath({"My Computer", "Disk (C:)", "Data"}), "My Computer\\Disk (C:)\\Data");
    EXPECT_EQ(JoinFolderPath({"Desktop"}), "Desktop");
    EXPECT_EQ(JoinFolderPath({}), "");
    std::string long1(200, 'a'), long2(200, 'b');
    std::string joined = JoinFolderPath({long1, long2, "c"});
    EXPECT_EQ(joined.size(), 259u);
    EXPECT_EQ(joined, long1 + "\\" + std::string(58, 'b'));
}

TEST(FolderPath, TheFileSystemPathStartsOneCharacterBeforeTheFirstColon) {
    std::string path;
    ASSERT_TRUE(FileSystemPathOf("My Computer\\Local Disk (C:)\\Windows\\Fonts", &path));
    EXPECT_EQ(path, "C:\\Windows\\Fonts");
    ASSERT_TRUE(FileSystemPathOf("My Computer\\Local Disk (D:)", &path));
    EXPECT_EQ(path, "D:");
    // A name that is the drive itself: the two characters after the colon
    // are skipped whatever they are.
    ASSERT_TRUE(FileSystemPathOf("My Computer\\C:\\users", &path));
    EXPECT_EQ(path, "C:users");
    // Only the first colon counts.
    ASSERT_TRUE(FileSystemPathOf("My Computer\\Disk (E:)\\a:b", &path));
    EXPECT_EQ(path, "E:\\a:b");
}

TEST(FolderPath, NoColonOrNothingBeforeItGivesNoPath) {
    std::string path = "untouched";
    EXPECT_FALSE(FileSystemPathOf("Desktop\\My Computer", &path));
    EXPECT_FALSE(FileSystemPathOf(":\\odd", &path));
    EXPECT_FALSE(FileSystemPathOf("", &path));
    EXPECT_EQ(path, "untouched");
}

TEST(FolderPath, DesktopIniPathCollapsesDoubledBackslashes) {
    EXPECT_EQ(DesktopIniPath("C:\\data\\"), "C:\\data\\desktop.ini");
    EXPECT_EQ(DesktopIniPath("C:"), "C:\\desktop.ini");
    EXPECT_EQ(DesktopIniPath("C:\\\\a"), "C:\\a\\desktop.ini");
}
