// The program's bitmap reader: the packed DIB it returns, and each failure's
// message and caption through the message seam.
#include <gtest/gtest.h>

#include <fstream>

#include "common/handles.h"
#include "conversion/bmpreader_win.h"
#include "tests/common/testutil_win.h"
#include "tests/conversion/bmp_builder.h"

namespace {

TEST(BmpReader, ReturnsTheBlockInMovableMemory) {
    ScratchDir dir("bmpreader-ok");
    BmpSpec s;
    s.bits = 8, s.colorsUsed = 16, s.width = 6;
    std::vector<uint8_t> pixels;
    WriteBytes(dir.File("ok.bmp"), MakeBmp(s, &pixels));
    MessageRecorder recorder;
    UniqueGlobal dib(ReadBMPFile(dir.File("ok.bmp").c_str()));
    ASSERT_TRUE(dib);
    EXPECT_TRUE(recorder.calls().empty());
    ASSERT_EQ(GlobalSize(dib.get()), 40u + 64 + 8 * 3);
    const uint8_t *p = (const uint8_t *)GlobalLock(dib.get());
    EXPECT_EQ(ByteReader::PeekU32(p), 40u);
    EXPECT_EQ(ByteReader::PeekU32(p + 4), 6u);
    EXPECT_EQ(0, memcmp(p + 104, pixels.data(), pixels.size()));
    GlobalUnlock(dib.get());
}

TEST(BmpReader, EveryFailureHasItsMessage) {
    ScratchDir dir("bmpreader-fail");
    std::vector<uint8_t> good = MakeBmp(BmpSpec());
    BmpSpec core, topDown, tableShort, huge;
    core.headerSize = 12;
    topDown.height = -3;
    tableShort.bits = 8, tableShort.height = 1;
    std::vector<uint8_t> badSignature = good, shortTable = MakeBmp(tableShort), hugeFile = good;
    badSignature[1] = 'A';
    shortTable.resize(14 + 40 + 30);
    PutU32(&hugeFile[18], 0x40000000);
    struct Case {
        const char *name;
        std::vector<uint8_t> bytes;
        const char *text;
        bool captionIsPath;
    } cases[] = {
        {"header.bmp", std::vector<uint8_t>(good.begin(), good.begin() + 10), "Error reading file", false},
        {"signature.bmp", badSignature, "Not a recognised BMP format file", false},
        {"info.bmp", std::vector<uint8_t>(good.begin(), good.begin() + 30), "Error reading file", true},
        {"os2.bmp", MakeBmp(core), "OS/2 style BMPs Not Supported", true},
        {"table.bmp", shortTable, "Error reading file", true},
        {"pixels.bmp", std::vector<uint8_t>(good.begin(), good.end() - 3), "Error reading file", false},
        {"topdown.bmp", MakeBmp(topDown), "Top-down BMPs Not Supported", true},
        {"huge.bmp", hugeFile, "Failed to allocate memory for DIB", true},
    };
    for (const Case &c : cases) {
        std::string path = dir.File(c.name);
        WriteBytes(path, c.bytes);
        MessageRecorder recorder;
        EXPECT_EQ(ReadBMPFile(path.c_str()), nullptr) << c.name;
        ASSERT_EQ(recorder.calls().size(), 1u) << c.name;
        const MessageRecord &m = recorder.calls()[0];
        EXPECT_EQ(m.text, c.text) << c.name;
        EXPECT_EQ(m.caption, c.captionIsPath ? path : std::string("Glyphery")) << c.name;
        EXPECT_EQ(m.owner, nullptr);
        EXPECT_EQ(m.flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
        // The file was closed: it can be deleted at once.
        EXPECT_TRUE(DeleteFileA(path.c_str())) << c.name;
    }
    MessageRecorder recorder;
    EXPECT_EQ(ReadBMPFile(dir.File("missing.bmp").c_str()), nullptr);
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].text, "Error opening file");
    EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
}

}  // namespace
