#include "desktop/location.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>

namespace {

LocationParse Parse(const char *text, ParsedLocation *out, const VariableLookup &lookup = nullptr) {
    return ParseIconLocation(text, "C:\\windows", lookup, out);
}

}  // namespace

TEST(IconLocation, PathEndsAtTheLastCommaAndTheIndexFollowsIt) {
    ParsedLocation p;
    ASSERT_EQ(Parse("C:\\lib\\icons.dll,5", &p), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\lib\\icons.dll");
    EXPECT_EQ(p.index, 5);
    // A comma inside the path: only the last one counts.
    ASSERT_EQ(Parse("C:\\a,b\\c.icl,12", &p), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\a,b\\c.icl");
    EXPECT_EQ(p.index, 12);
    // Blanks and a sign before the digits; the digits end at the first other character.
    ASSERT_EQ(Parse("shell32.dll,  -15", &p), kLocationParsed);
    EXPECT_EQ(p.index, -15);
    ASSERT_EQ(Parse("shell32.dll,+7x9", &p), kLocationParsed);
    EXPECT_EQ(p.index, 7);
    // No digits after the comma give 0.
    ASSERT_EQ(Parse("shell32.dll,", &p), kLocationParsed);
    EXPECT_EQ(p.path, "shell32.dll");
    EXPECT_EQ(p.index, 0);
    ASSERT_EQ(Parse("shell32.dll, abc", &p), kLocationParsed);
    EXPECT_EQ(p.index, 0);
}

TEST(IconLocation, WithoutACommaTheIndexIsMinusOneAndThePathWhole) {
    ParsedLocation p;
    ASSERT_EQ(Parse("C:\\icons\\sun.ico", &p), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\icons\\sun.ico");
    EXPECT_EQ(p.index, -1);
}

TEST(IconLocation, IndexIsClampedToTheIntRange) {
    EXPECT_EQ(ParseLocationIndex("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLocationIndex("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseLocationIndex("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseLocationIndex("4294967295"), INT_MAX);
    EXPECT_EQ(ParseLocationIndex(""), 0);
    EXPECT_EQ(ParseLocationIndex("-"), 0);
}

TEST(IconLocation, SystemRootBecomesTheWindowsFolder) {
    ParsedLocation p;
    ASSERT_EQ(Parse("%SystemRoot%\\system32\\shell32.dll,3", &p), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(p.index, 3);
    // Text before the first percent sign is dropped with the variable.
    ASSERT_EQ(Parse("x%SystemRoot%\\a.dll,1", &p), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\windows\\a.dll");
    // The name is matched as written.
    ASSERT_EQ(Parse("%systemroot%\\a.dll,1", &p), kLocationParsed);
    EXPECT_EQ(p.path, "%systemroot%\\a.dll");
}

TEST(IconLocation, OtherVariablesAreLookedUpOrLeftAsWritten) {
    VariableLookup lookup = [](const std::string &name, std::string *value) {
        if (name != "ProgramFiles") return false;
        *value = "C:\\Program Files";
        return true;
    };
    ParsedLocation p;
    ASSERT_EQ(Parse("%ProgramFiles%\\app\\app.exe,2", &p, lookup), kLocationParsed);
    EXPECT_EQ(p.path, "C:\\Program Files\\app\\app.exe");
    EXPECT_EQ(p.index, 2);
    ASSERT_EQ(Parse("%Unknown%\\app.exe,2", &p, lookup), kLocationParsed);
    EXPECT_EQ(p.path, "%Unknown%\\app.exe");
}

TEST(IconLocation, RefusalsLeaveTheRowAlone) {
    ParsedLocation p;
    p.path = "kept";
    p.index = 9;
    EXPECT_EQ(Parse("", &p), kLocationEmpty);
    EXPECT_EQ(Parse(nullptr, &p), kLocationEmpty);
    EXPECT_EQ(Parse("%SystemRoot\\shell32.dll,3", &p), kLocationUnparsable);
    // A path longer than a 260-character buffer can hold is refused, not cut.
    std::string longPath(kMaxLocationPath + 1, 'a');
    EXPECT_EQ(Parse((longPath + ",1").c_str(), &p), kLocationUnparsable);
    EXPECT_EQ(Parse(("%SystemRoot%" + std::string(kMaxLocationPath - 9, 'b') + ",1").c_str(), &p),
              kLocationUnparsable);
    EXPECT_EQ(p.path, "kept");
    EXPECT_EQ(p.index, 9);
    // Exactly 259 characters fit.
    std::string fits(kMaxLocationPath, 'c');
    ASSERT_EQ(Parse((fits + ",4").c_str(), &p), kLocationParsed);
    EXPECT_EQ(p.path, fits);
}

TEST(IconLocation, ImageFilesAndTheWrittenForm) {
    EXPECT_TRUE(IsIconImagePath("C:\\x\\sun.ICO"));
    EXPECT_TRUE(IsIconImagePath("C:\\x\\sun.bmp"));
    EXPECT_TRUE(IsIconImagePath("C:\\x\\sun.icon"));
    EXPECT_FALSE(IsIconImagePath("C:\\x.ico\\lib.dll"));
    EXPECT_FALSE(IsIconImagePath("C:\\x\\sun.ic"));
    EXPECT_FALSE(IsIconImagePath("C:\\x\\noext"));
    EXPECT_EQ(FormatIconLocation("C:\\lib.dll", 5), "C:\\lib.dll,5");
    EXPECT_EQ(FormatIconLocation("C:\\lib.dll", -1), "C:\\lib.dll,-1");
}

TEST(Catalogues, SystemIconRowsAsTheDialogListsThem) {
    EXPECT_STREQ(SystemIconCatalogue(0).label, "Recycle Bin");
    EXPECT_STREQ(SystemIconCatalogue(7).readValue, "Full");
    const SystemIconEntry &tif = SystemIconCatalogue(8);
    EXPECT_STREQ(tif.label, "Temporary Internet Files");
    EXPECT_STREQ(tif.readValue, "");
    EXPECT_STREQ(tif.writeValue, "0");
    EXPECT_STREQ(SystemIconCatalogue(17).label, "3.5 Floppy\"");
    EXPECT_STREQ(SystemIconCatalogue(18).label, "5.25 Floppy\"");
    EXPECT_STREQ(SystemIconCatalogue(19).label, "Removeable Drive");
    EXPECT_STREQ(SystemIconCatalogue(20).label, "Fard Drive");
    EXPECT_STREQ(SystemIconCatalogue(41).label, "Execute");
    EXPECT_STREQ(SystemIconCatalogue(41).writeValue, "64");
    int machine = 0;
    for (int i = 0; i < kSystemIconCount; ++i) {
        const SystemIconEntry &e = SystemIconCatalogue(i);
        if (e.root == kRootMachine) {
            ++machine;
            EXPECT_STREQ(e.key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons");
        } else {
            EXPECT_NE(strstr(e.key, "DefaultIcon"), nullptr) << e.label;
        }
        // Only row 9 writes elsewhere than it reads.
        if (i != 8) {
            EXPECT_STREQ(e.readValue, e.writeValue) << e.label;
        }
    }
    EXPECT_EQ(machine, 21);
    EXPECT_STREQ(CatalogueRootName(kRootClasses), "HKEY_HKEY_CLASSES_ROOT");
    EXPECT_STREQ(CatalogueRootName(kRootMachine), "HKEY_LOCAL_MACHINE");
}

TEST(Catalogues, ThirteenDistinctSystemCursors) {
    std::set<uint32_t> ids;
    for (int i = 0; i < kSystemCursorCount; ++i) ids.insert(SystemCursorCatalogue(i).id);
    EXPECT_EQ(ids.size(), 13u);
    EXPECT_STREQ(SystemCursorCatalogue(0).label, "App starting");
    EXPECT_EQ(SystemCursorCatalogue(0).id, 32650u);
    EXPECT_STREQ(SystemCursorCatalogue(8).label, "Size ENS");
    EXPECT_EQ(SystemCursorCatalogue(8).id, 32645u);
    EXPECT_STREQ(SystemCursorCatalogue(12).label, "Waiting");
    EXPECT_EQ(SystemCursorCatalogue(12).id, 32514u);
}

TEST(FileFilters, BarsBecomeNulsAndTwoEndTheText) {
    std::string f = FilterForDialog("ICO - Windows icon|*.ICO||");
    ASSERT_GE(f.size(), 2u);
    EXPECT_EQ(f.substr(0, 18), "ICO - Windows icon");
    EXPECT_EQ(f[18], '\0');
    EXPECT_EQ(std::string(f.c_str() + 19), "*.ICO");
    EXPECT_EQ(f[f.size() - 1], '\0');
    EXPECT_EQ(f[f.size() - 2], '\0');
    EXPECT_EQ(f.find('|'), std::string::npos);
}
