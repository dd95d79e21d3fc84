// The display window's image sets: what it reads from an icon or cursor
// file, what it refuses, and the bytes Save writes back.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "common/bytereader.h"
#include "display/imageset.h"
#include "tests/iconres/fixtures.h"

namespace {

TEST(DisplayImageSetTest, ReadsEveryImageWithItsSizeDepthAndParts) {
    std::vector<uint8_t> file = MakeIconFile({{16, 4, 0x123456}, {32, 24, 0xA0B0C0}, {48, 32, 0x102030}, {16, 1, 0}});
    DisplayImageSet set;
    std::string error;
    ASSERT_TRUE(ReadDisplayImageSet(file.data(), file.size(), &set, &error)) << error;
    EXPECT_EQ(set.type, 1);
    struct Want {
        uint32_t size, depth, table, mask;
    } want[] = {
        {16, 4, 64, 64 + 16 * 8},    // 16 entries; rows of 8 bytes
        {32, 24, 0, 32 * 96},        // rows of 96 bytes
        {48, 32, 0, 48 * 192},
        {16, 1, 8, 8 + 16 * 4},      // 2 entries; rows padded to 4 bytes
    };
    ASSERT_EQ(set.images.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const DisplayImageRecord &r = set.images[i];
        EXPECT_EQ(r.width, want[i].size) << i;
        EXPECT_EQ(r.height, want[i].size) << i;
        EXPECT_EQ(r.bitDepth, want[i].depth) << i;
        EXPECT_EQ(r.colorTableSize, want[i].table) << i;
        EXPECT_EQ(r.maskOffset, want[i].mask) << i;
        EXPECT_EQ(ByteReader::PeekU32(r.bytes.data()), 40u) << "the header starts the bytes";
    }
    // Written back unchanged: the writer of the suite also stores 0 as each
    // header's image size.
    EXPECT_EQ(DisplayImageSetBytes(set), file);
}

TEST(DisplayImageSetTest, CursorFilesKeepTheirHotSpots) {
    std::vector<uint8_t> file = MakeIconFile({{32, 32, 0x00FF00, 7, 29}, {16, 8, 1, 3, 4}}, true);
    DisplayImageSet set;
    std::string error;
    ASSERT_TRUE(ReadDisplayImageSet(file.data(), file.size(), &set, &error)) << error;
    EXPECT_EQ(set.type, 2);
    std::vector<uint8_t> written = DisplayImageSetBytes(set);
    EXPECT_EQ(written, file);
    EXPECT_EQ(ByteReader::PeekU16(&written[6 + 4]), 7);
    EXPECT_EQ(ByteReader::PeekU16(&written[6 + 16 + 6]), 4);
}

TEST(DisplayImageSetTest, DamagedFilesAreRefused) {
    const std::vector<uint8_t> good = MakeIconFile({{16, 8, 0x00FF00}, {32, 32, 0xFF0000}});
    const size_t entry1 = 6 + 16;  // the second directory entry
    const size_t block0 = ByteReader::PeekU32(&good[6 + 12]);
    struct Case {
        const char *name;
        std::function<void(std::vector<uint8_t> &)> damage;
    } cases[] = {
        {"empty", [](std::vector<uint8_t> &f) { f.clear(); }},
        {"header cut", [](std::vector<uint8_t> &f) { f.resize(5); }},
        {"type 3", [](std::vector<uint8_t> &f) { PutU16(&f[2], 3); }},
        {"count beyond the directory", [](std::vector<uint8_t> &f) { PutU16(&f[4], 0xFFFF); }},
        {"file cut inside an image", [](std::vector<uint8_t> &f) { f.resize(f.size() - 1); }},
        {"offset past the end", [&](std::vector<uint8_t> &f) { PutU32(&f[entry1 + 12], 0xFFFFFFF0u); }},
        {"size past the end", [&](std::vector<uint8_t> &f) { PutU32(&f[entry1 + 8], 0x7FFFFFFFu); }},
        {"core header", [&](std::vector<uint8_t> &f) { PutU32(&f[block0], 12); }},
        {"zero width", [&](std::vector<uint8_t> &f) { PutU32(&f[block0 + 4], 0); }},
        {"height beyond the block", [&](std::vector<uint8_t> &f) { PutU32(&f[block0 + 8], 4000); }},
        {"PNG image", [&](std::vector<uint8_t> &f) {
             static const uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
             memcpy(&f[block0], png, 8);
         }},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> file = good;
        c.damage(file);
        DisplayImageSet set;
        set.images.resize(1);  // a refusal leaves the caller's set as it was
        std::string error;
        EXPECT_FALSE(ReadDisplayImageSet(file.data(), file.size(), &set, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(set.images.size(), 1u) << c.name;
    }
}

TEST(DisplayImageSetTest, ARetouchedImageReplacesTheRecordOnlyWhenItIsOne) {
    std::vector<uint8_t> file = MakeIconFile({{16, 4, 0x123456}});
    std::vector<uint8_t> other = MakeIconFile({{32, 24, 0xABCDEF}});
    DisplayImageSet set, replacement;
    std::string error;
    ASSERT_TRUE(ReadDisplayImageSet(file.data(), file.size(), &set, &error));
    ASSERT_TRUE(ReadDisplayImageSet(other.data(), other.size(), &replacement, &error));
    DisplayImageRecord &rec = set.images[0];
    const std::vector<uint8_t> &block = replacement.images[0].bytes;
    EXPECT_FALSE(SetRecordImage(&rec, block.data(), 39));
    EXPECT_FALSE(SetRecordImage(&rec, nullptr, 0));
    EXPECT_EQ(rec.width, 16u);
    ASSERT_TRUE(SetRecordImage(&rec, block.data(), block.size()));
    EXPECT_EQ(rec.width, 32u);
    EXPECT_EQ(rec.bitDepth, 24u);
    EXPECT_EQ(rec.bytes, block);
    // The directory now describes the new image.
    std::vector<uint8_t> written = DisplayImageSetBytes(set);
    EXPECT_EQ(written[6], 32);
    EXPECT_EQ(written[6 + 2], 0) << "no colour count at 24 bits";
    EXPECT_EQ(ByteReader::PeekU16(&written[6 + 6]), 24);
}

TEST(DisplayImageSetTest, ImageLinesAndIndexesBeyondASmallerSet) {
    const struct {
        uint32_t depth;
        int colors;
    } lines[] = {{1, 2}, {4, 16}, {8, 256}, {24, 0}, {32, 0}, {2, -1}, {16, -1}, {0, -1}};
    for (const auto &l : lines) EXPECT_EQ(ImageLineColors(l.depth), l.colors) << l.depth;
    EXPECT_EQ(ImageIndexInSet(1, 3), 1u);
    EXPECT_EQ(ImageIndexInSet(4, 3), 2u) << "the last image of the smaller set";
    EXPECT_EQ(ImageIndexInSet(2, 0), 0u);
}

}  // namespace
