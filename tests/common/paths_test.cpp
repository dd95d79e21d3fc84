#include "common/paths.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/bytereader.h"

TEST(CollapseBackslashes, RunsBecomeOneAndOtherTextStays) {
    EXPECT_EQ(CollapseBackslashes("C:\\TEMP\\\\pic_16_4.bmp"), "C:\\TEMP\\pic_16_4.bmp");
    EXPECT_EQ(CollapseBackslashes("a\\\\\\\\b\\c"), "a\\b\\c");
    EXPECT_EQ(CollapseBackslashes("no/slashes//here"), "no/slashes//here");
    EXPECT_EQ(CollapseBackslashes(""), "");
    char buf[32] = "x\\\\\\y\\\\";
    EXPECT_STREQ(CollapseBackslashesInPlace(buf), "x\\y\\");
}

// A network path keeps the two backslashes that open it, in both forms;
// doubled separators inside it are still collapsed.
TEST(CollapseBackslashes, NetworkPathsKeepTheirOpening) {
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\server\\share\\\\icons\\\\pic.ico", "\\\\server\\share\\icons\\pic.ico"},
        {"\\\\\\server\\share", "\\\\server\\share"},  // a run at the opening becomes the opening
        {"\\\\", "\\\\"},
        {"\\single\\\\x", "\\single\\x"},
        {"C:\\\\\\server", "C:\\server"},  // not at the opening: collapsed
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CollapseBackslashes(c.in), c.out) << c.in;
        char buf[64];
        snprintf(buf, sizeof buf, "%s", c.in);
        EXPECT_STREQ(CollapseBackslashesInPlace(buf), c.out) << c.in;
    }
}

TEST(FolderChain, FoldersToCreateOutermostFirstNeverAServerOrShare) {
    typedef std::vector<std::string> V;
    EXPECT_EQ(FolderChain("C:\\a\\b"), (V{"C:\\a", "C:\\a\\b"}));
    EXPECT_EQ(FolderChain("C:\\a\\\\b\\"), (V{"C:\\a", "C:\\a\\b"}));
    EXPECT_EQ(FolderChain("\\\\srv\\share\\x\\y"), (V{"\\\\srv\\share\\x", "\\\\srv\\share\\x\\y"}));
    EXPECT_EQ(FolderChain("\\\\srv\\share\\\\x\\"), (V{"\\\\srv\\share\\x"}));
    EXPECT_EQ(FolderChain("a\\b"), (V{"a", "a\\b"}));
    EXPECT_EQ(FolderChain("\\top\\in"), (V{"\\top", "\\top\\in"}));
    for (const char *none : {"C:", "C:\\", "\\\\srv\\share", "\\\\srv\\share\\", "\\\\srv", "\\\\", ""})
        EXPECT_TRUE(FolderChain(none).empty()) << none;
}

TEST(PathParts, BaseNameDirAndExtension) {
    EXPECT_EQ(BaseName("C:\\icons\\sunset.ico"), "sunset");
    EXPECT_EQ(BaseName("C:\\a.b\\pic.x.ICO"), "pic.x");
    EXPECT_EQ(BaseName("C:\\a.b\\noext"), "noext");
    EXPECT_EQ(BaseName("C:name.cur"), "name");
    EXPECT_EQ(BaseName("plain"), "plain");
    EXPECT_EQ(DirName("C:\\icons\\sunset.ico"), "C:\\icons");
    EXPECT_EQ(DirName("sunset.ico"), "");
    EXPECT_EQ(Extension("C:\\a.b\\pic.x.ICO"), ".ICO");
    EXPECT_EQ(Extension("C:\\a.b\\noext"), "");
}

TEST(PathParts, CompareNoCaseAndBoundedCopy) {
    EXPECT_EQ(CompareNoCase(".ICO", ".ico", 4), 0);
    EXPECT_EQ(CompareNoCase(".icon", ".ico", 4), 0);
    EXPECT_NE(CompareNoCase(".ic", ".ico", 4), 0);
    EXPECT_NE(CompareNoCase(".cur", ".ico", 4), 0);
    char small[5];
    EXPECT_TRUE(CopyBounded(small, sizeof small, "abcd"));
    EXPECT_STREQ(small, "abcd");
    EXPECT_FALSE(CopyBounded(small, sizeof small, "abcdefgh"));
    EXPECT_STREQ(small, "abcd");
}

// A name typed by the user may become a file of a folder only when it
// cannot reach another folder or name a device stream.
TEST(PathParts, PlainFileNames) {
    for (const char *good : {"shot", "my shot.v2", "\xe9t\xe9", "a..b", "..."})
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    for (const char *bad : {"", ".", "..", "..\\up", "a/b", "c:x", "x*", "x?", "\"q\"", "<", ">", "a|b", "tab\there"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(ByteReader, ReadsLittleEndianAndRefusesPastTheEnd) {
    const uint8_t data[] = {0x01, 0x02, 0xde, 0xc0, 0xad, 0x0b, 0xff};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.U16(), 0x0201);
    EXPECT_EQ(r.U32(), 0x0badc0deu);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.U16(), 0);  // only one byte left
    EXPECT_FALSE(r.ok());
    ByteReader s(data, sizeof data);
    EXPECT_FALSE(s.Has(5, 3));
    EXPECT_FALSE(s.Has(8, 0));
    EXPECT_TRUE(s.Has(7, 0));
    EXPECT_FALSE(s.Has(1, SIZE_MAX));  // no wrap-around
    EXPECT_FALSE(s.Seek(8));
    uint8_t out[8] = {0};
    ByteReader t(data, sizeof data);
    EXPECT_FALSE(t.Bytes(out, 8));
    EXPECT_EQ(out[0], 0);
}
