// The About dialog's Windows version line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/winversion.h"

TEST(WindowsVersionText, MajorAndMinorOnlyExceptForVersionFourNought) {
    EXPECT_EQ(FormatWindowsVersion({5, 1, 2600, 2, "Service Pack 3"}), "Windows 5.1");
    EXPECT_EQ(FormatWindowsVersion({10, 0, 19045, 2, ""}), "Windows 10.0");
    EXPECT_EQ(FormatWindowsVersion({4, 10, 0x040A08AE, 1, " A "}), "Windows 4.10");  // 98: no build
    EXPECT_EQ(FormatWindowsVersion({4, 90, 0x045A0BB8, 1, nullptr}), "Windows 4.90");
}

TEST(WindowsVersionText, VersionFourNoughtGivesTheBuildAndServicePack) {
    EXPECT_EQ(FormatWindowsVersion({4, 0, 1381, 2, "Service Pack 6"}), "Windows 4.0 Build 1381 Service Pack 6");
    EXPECT_EQ(FormatWindowsVersion({4, 0, 1381, 2, ""}), "Windows 4.0 Build 1381 ");
    EXPECT_EQ(FormatWindowsVersion({4, 0, 1381, 2, nullptr}), "Windows 4.0 Build 1381 ");
    // Windows 95 repeats 4.0 in the high word of its build number.
    EXPECT_EQ(FormatWindowsVersion({4, 0, 0x04000457, 1, " B"}), "Windows 4.0 Build 1111  B");
}

TEST(WindowsVersionText, AServicePackFieldWithoutItsZeroIsReadWithinItsSize) {
    char pack[kServicePackMax + 8];
    memset(pack, 'x', sizeof pack);  // no terminating zero within the field's 128 characters
    pack[sizeof pack - 1] = '\0';
    std::string text = FormatWindowsVersion({4, 0, 1381, 2, pack});
    EXPECT_EQ(text, "Windows 4.0 Build 1381 " + std::string(kServicePackMax, 'x'));
}
