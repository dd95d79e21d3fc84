// Bitmap files into packed DIBs: layouts, and every refusal, with files
// built here byte by byte.
#include <gtest/gtest.h>

#include <cstring>

#include "common/bytereader.h"
#include "conversion/bmpfile.h"
#include "tests/conversion/bmp_builder.h"

namespace {

BmpReadResult Parse(const std::vector<uint8_t> &file, std::vector<uint8_t> *block) {
    return ParseBmpFile(file.data(), file.size(), block);
}

TEST(BmpLayout, RowsArePaddedToFourBytes) {
    EXPECT_EQ(ComputeBmpLayout(1, 1, 1, 1, 0).rowBytes, 4u);
    EXPECT_EQ(ComputeBmpLayout(33, 1, 1, 1, 0).rowBytes, 8u);
    EXPECT_EQ(ComputeBmpLayout(3, 2, 1, 24, 0).rowBytes, 12u);
    EXPECT_EQ(ComputeBmpLayout(5, 2, 1, 4, 0).colorEntries, 16u);
    EXPECT_EQ(ComputeBmpLayout(5, 2, 1, 8, 16).colorEntries, 16u);
    EXPECT_EQ(ComputeBmpLayout(5, 2, 1, 24, 0).colorEntries, 0u);
    EXPECT_EQ(ComputeBmpLayout(5, 2, 1, 32, 0).blockSize, 40u + 5 * 4 * 2);
}

TEST(BmpFile, TwentyFourBitsWithOffset54HasNoTable) {
    BmpSpec s;
    s.width = 5, s.height = 3;
    std::vector<uint8_t> pixels, block;
    std::vector<uint8_t> file = MakeBmp(s, &pixels);
    ASSERT_EQ(ByteReader::PeekU32(&file[10]), 54u);
    ASSERT_EQ(Parse(file, &block), kBmpOk);
    ASSERT_EQ(block.size(), 40u + 16 * 3);
    EXPECT_EQ(0, memcmp(block.data(), &file[14], 40));
    EXPECT_EQ(0, memcmp(block.data() + 40, pixels.data(), pixels.size()));
}

TEST(BmpFile, EightBitsWithSixteenColoursUsedHasA64ByteTable) {
    BmpSpec s;
    s.bits = 8, s.colorsUsed = 16;
    std::vector<uint8_t> pixels, block;
    std::vector<uint8_t> file = MakeBmp(s, &pixels);
    ASSERT_EQ(Parse(file, &block), kBmpOk);
    ASSERT_EQ(block.size(), 40u + 64 + 4 * 3);
    EXPECT_EQ(block[40], 0x80);
    EXPECT_EQ(block[40 + 63], 0x80 + 63);
    EXPECT_EQ(0, memcmp(block.data() + 104, pixels.data(), pixels.size()));
}

TEST(BmpFile, PixelsAreTakenFromTheOffsetOrRightAfterTheTable) {
    BmpSpec s;
    s.bits = 4, s.gap = 10;  // the offset skips ten bytes of padding
    std::vector<uint8_t> pixels, block;
    ASSERT_EQ(Parse(MakeBmp(s, &pixels), &block), kBmpOk);
    EXPECT_EQ(0, memcmp(block.data() + 40 + 64, pixels.data(), pixels.size()));
    BmpSpec z;
    z.bits = 1, z.zeroOffset = true;
    ASSERT_EQ(Parse(MakeBmp(z, &pixels), &block), kBmpOk);
    EXPECT_EQ(0, memcmp(block.data() + 40 + 8, pixels.data(), pixels.size()));
}

TEST(BmpFile, RefusesWhatItCannotRead) {
    std::vector<uint8_t> block;
    std::vector<uint8_t> good = MakeBmp(BmpSpec());
    EXPECT_EQ(Parse(std::vector<uint8_t>(good.begin(), good.begin() + 13), &block), kBmpFileHeaderShort);
    EXPECT_EQ(Parse({}, &block), kBmpFileHeaderShort);
    std::vector<uint8_t> f = good;
    f[0] = 'X';
    EXPECT_EQ(Parse(f, &block), kBmpBadSignature);
    f = good;
    f[7] = 1;  // second reserved field
    EXPECT_EQ(Parse(f, &block), kBmpBadSignature);
    EXPECT_EQ(Parse(std::vector<uint8_t>(good.begin(), good.begin() + 50), &block), kBmpInfoHeaderShort);
    BmpSpec core;
    core.headerSize = 12;
    EXPECT_EQ(Parse(MakeBmp(core), &block), kBmpNotWindows3);
    BmpSpec v5;
    v5.headerSize = 124;
    EXPECT_EQ(Parse(MakeBmp(v5), &block), kBmpNotWindows3);
    BmpSpec topDown;
    topDown.height = -3;
    EXPECT_EQ(Parse(MakeBmp(topDown), &block), kBmpTopDown);
    EXPECT_EQ(Parse(std::vector<uint8_t>(good.begin(), good.end() - 1), &block), kBmpPixelsShort);
    BmpSpec shortTable;
    shortTable.bits = 8, shortTable.tableEntries = 0;  // header says 256 entries, the file is too small
    shortTable.height = 1;
    std::vector<uint8_t> t = MakeBmp(shortTable);
    t.resize(14 + 40 + 100);
    EXPECT_EQ(Parse(t, &block), kBmpColorTableShort);
    EXPECT_TRUE(block.empty());
}

TEST(BmpFile, HugeCountsAreRefusedBeforeAnyAllocation) {
    std::vector<uint8_t> block;
    BmpSpec s;
    s.height = 1;
    std::vector<uint8_t> f = MakeBmp(s);
    PutU32(&f[18], 0x7FFFFFFF);  // width
    PutU32(&f[22], 0x7FFFFFFF);  // height
    EXPECT_EQ(Parse(f, &block), kBmpBadGeometry);
    f = MakeBmp(s);
    PutU32(&f[46], 0xFFFFFFFF);  // colours used
    EXPECT_NE(Parse(f, &block), kBmpOk);
    f = MakeBmp(s);
    PutU32(&f[10], 0xFFFFFFF0);  // pixel offset
    EXPECT_EQ(Parse(f, &block), kBmpBadOffset);
    f = MakeBmp(s);
    PutU32(&f[10], 0x10000);  // beyond the end
    EXPECT_EQ(Parse(f, &block), kBmpPixelsShort);
    f = MakeBmp(s);
    PutU32(&f[18], 0);
    EXPECT_EQ(Parse(f, &block), kBmpBadGeometry);
    EXPECT_TRUE(block.empty());
}

// A written 24-bit file reads back: rows bottom-up, padded to four bytes,
// the stride's extra bytes left out; impossible sizes give no file.
TEST(BmpWrite, TwentyFourBitFileReadsBackRowForRow) {
    const uint8_t rows[] = {1, 2, 3, 4, 5, 6, 9, 9,  // top row: two pixels, then stride padding
                            7, 8, 9, 10, 11, 12, 9, 9};
    std::vector<uint8_t> file = BuildBmp24File(2, 2, rows, 8);
    ASSERT_EQ(file.size(), 14u + 40 + 2 * 8);
    std::vector<uint8_t> block;
    ASSERT_EQ(ParseBmpFile(file.data(), file.size(), &block), kBmpOk);
    const uint8_t *pixels = block.data() + 40;
    const uint8_t bottomUp[] = {7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 16), std::vector<uint8_t>(bottomUp, bottomUp + 16));
    EXPECT_TRUE(BuildBmp24File(0, 2, rows, 8).empty());
    EXPECT_TRUE(BuildBmp24File(3, 2, rows, 8).empty());  // the stride holds two pixels
    EXPECT_TRUE(BuildBmp24File(100000, 100000, rows, 300000).empty());  // past the reader's limit
}

}  // namespace
