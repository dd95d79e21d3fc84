// The .ico/.cur layout: blocks, directory, offsets and the directory reader.
#include "iconlib/icofile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/bytereader.h"
#include "iconlib/hotspot.h"

namespace {

// An IconSet with zeroed blocks of the given formats, as the writer sees it.
class TestSet {
public:
    explicit TestSet(std::initializer_list<FormatEntry> formats) {
        size_t n = formats.size();
        memory_.assign(offsetof(IconSet, images) + sizeof(IconImageRecord) * (n ? n : 1), 0);
        set()->count = (uint32_t)n;
        uint32_t i = 0;
        for (const FormatEntry &f : formats) {
            IconBlockLayout l;
            EXPECT_TRUE(ComputeIconBlockLayout(f.size, f.size, f.bits, &l));
            blocks_.emplace_back(l.blockSize, 0);
            IconImageRecord &rec = set()->images[i++];
            rec.width = rec.height = f.size;
            rec.bitDepth = f.bits;
            BindRecordToBlock(&rec, blocks_.back().data(), l);
            WriteBlockHeader(blocks_.back().data(), f.size, f.size, f.bits);
        }
    }
    IconSet *set() { return reinterpret_cast<IconSet *>(memory_.data()); }
    std::vector<uint8_t> &block(size_t i) { return blocks_[i]; }

    std::vector<uint8_t> Write(IconFileType type) {
        std::vector<uint8_t> out;
        EXPECT_TRUE(WriteIconSet(set(), type, [&](const void *p, uint32_t n) {
            out.insert(out.end(), (const uint8_t *)p, (const uint8_t *)p + n);
            return true;
        }));
        return out;
    }

private:
    std::vector<uint8_t> memory_;
    std::vector<std::vector<uint8_t>> blocks_;
};

uint16_t U16At(const std::vector<uint8_t> &v, size_t o) { return ByteReader::PeekU16(&v[o]); }
uint32_t U32At(const std::vector<uint8_t> &v, size_t o) { return ByteReader::PeekU32(&v[o]); }

}  // namespace

TEST(IconBlockLayout, SizesOfTheCommonFormats) {
    IconBlockLayout l;
    ASSERT_TRUE(ComputeIconBlockLayout(32, 32, 4, &l));
    EXPECT_EQ(l.colorEntries, 16u);
    EXPECT_EQ(l.blockSize, 40u + 64 + 512 + 128);  // 744
    ASSERT_TRUE(ComputeIconBlockLayout(16, 16, 8, &l));
    EXPECT_EQ(l.blockSize, 40u + 1024 + 256 + 64);  // 1384
    ASSERT_TRUE(ComputeIconBlockLayout(48, 48, 24, &l));
    EXPECT_EQ(l.colorEntries, 0u);
    EXPECT_EQ(l.colorRowBytes, 144u);
    EXPECT_EQ(l.maskRowBytes, 8u);
    EXPECT_EQ(l.blockSize, 40u + 6912 + 384);
    ASSERT_TRUE(ComputeIconBlockLayout(16, 16, 1, &l));
    EXPECT_EQ(l.colorRowBytes, 4u);  // 16 bits padded to 32
    EXPECT_EQ(l.maskRowBytes, 4u);
    EXPECT_EQ(l.colorOffset, 48u);
    ASSERT_TRUE(ComputeIconBlockLayout(96, 96, 32, &l));
    EXPECT_EQ(l.blockSize, 40u + 96 * 384 + 96 * 12);
    ASSERT_TRUE(ComputeIconBlockLayout(33, 1, 1, &l));
    EXPECT_EQ(l.colorRowBytes, 8u);
    EXPECT_FALSE(ComputeIconBlockLayout(0x10000, 0x10000, 32, &l));
}

TEST(IconBlockLayout, MaskBitsLieBottomRowFirstMostSignificantBitLeft) {
    // 32 x 32: rows of 4 bytes; pixel (0, 0) is in the last row.
    EXPECT_EQ(MaskByteIndex(32, 32, 0, 0), 31u * 4);
    EXPECT_EQ(MaskByteIndex(32, 32, 9, 31), 1u);
    EXPECT_EQ(MaskBitValue(0), 0x80);
    EXPECT_EQ(MaskBitValue(9), 0x40);
    EXPECT_EQ(MaskBitValue(15), 0x01);
    // 48 wide: rows of 8 bytes (padded to 64 bits).
    EXPECT_EQ(MaskByteIndex(48, 48, 47, 1), 46u * 8 + 5);
}

TEST(IconFileWriter, EmptySetIsSixBytes) {
    TestSet t({});
    EXPECT_EQ(t.Write(kIconType), (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(t.Write(kCursorType), (std::vector<uint8_t>{0, 0, 2, 0, 0, 0}));
}

TEST(IconFileWriter, DirectoryAndBlocksOfOneImage) {
    TestSet t({{32, 4}});
    std::vector<uint8_t> file = t.Write(kIconType);
    ASSERT_EQ(file.size(), 6u + 16 + 744);
    EXPECT_EQ(file[6], 32);
    EXPECT_EQ(file[7], 32);
    EXPECT_EQ(file[8], 16);  // colour count
    EXPECT_EQ(file[9], 0);
    EXPECT_EQ(U16At(file, 10), 1);  // planes
    EXPECT_EQ(U16At(file, 12), 4);  // bit count
    EXPECT_EQ(U32At(file, 14), 744u);
    EXPECT_EQ(U32At(file, 18), 22u);
    EXPECT_EQ(U32At(file, 22), 40u);      // header size
    EXPECT_EQ(U32At(file, 22 + 8), 64u);  // doubled height
}

TEST(IconFileWriter, SeveralImagesInRecordOrderWithoutGaps) {
    TestSet t({{16, 1}, {16, 8}, {48, 24}, {32, 32}, {256, 32}});
    t.block(1)[40] = 0xAB;  // first colour-table byte of the second image
    std::vector<uint8_t> file = t.Write(kIconType);
    uint32_t expected = 6 + 16 * 5;
    for (uint32_t i = 0; i < 5; ++i) {
        size_t e = 6 + 16 * i;
        EXPECT_EQ(U32At(file, e + 12), expected) << "image " << i;
        EXPECT_EQ(U32At(file, e + 12), ImageDataOffset(t.set(), i));
        expected += U32At(file, e + 8);
    }
    EXPECT_EQ(file.size(), expected);
    EXPECT_EQ(file[6], 16);
    EXPECT_EQ(file[8], 2);        // 1 bit: 2 colours
    EXPECT_EQ(file[6 + 16 + 2], 0);  // 8 bits: 0
    EXPECT_EQ(file[6 + 64], 0);   // 256 is stored as 0
    EXPECT_EQ(file[6 + 64 + 1], 0);
    EXPECT_EQ(file[ImageDataOffset(t.set(), 1) + 40], 0xAB);
}

TEST(HotspotText, OnlyTheExactFormIsRead) {
    struct Case {
        const char *text;
        bool ok;
        int x, y;
    } cases[] = {
        {"hotspot=47,12", true, 47, 12}, {"hotspot=65535,0", true, 65535, 0}, {nullptr, false, 0, 0},
        {"", false, 0, 0},  {"unused", false, 0, 0},  {"hotspot=4", false, 0, 0},
        {"hotspot=4,", false, 0, 0},  {"hotspot=4,5 ", false, 0, 0},  {"hotspot=65536,1", false, 0, 0},
        {"hotspot=-1,1", false, 0, 0},
    };
    for (const Case &c : cases) {
        int x = -1, y = -1;
        EXPECT_EQ(ParseHotspotText(c.text, &x, &y), c.ok) << (c.text ? c.text : "(null)");
        EXPECT_EQ(x, c.x) << (c.text ? c.text : "(null)");
        EXPECT_EQ(y, c.y) << (c.text ? c.text : "(null)");
    }
    int x, y;
    ASSERT_TRUE(ParseHotspotText(HotspotText(31, 2).c_str(), &x, &y));
    EXPECT_EQ(x * 100 + y, 3102);
}

TEST(IconFileWriter, ImageSizeFieldIsWrittenAsZeroAndRestored) {
    TestSet t({{16, 4}});
    PutU32(t.block(0).data() + kHeaderSizeImageOffset, 0xC0DE);
    std::vector<uint8_t> file = t.Write(kIconType);
    EXPECT_EQ(U32At(file, 22 + kHeaderSizeImageOffset), 0u);
    EXPECT_EQ(ByteReader::PeekU32(t.block(0).data() + kHeaderSizeImageOffset), 0xC0DEu);
}

TEST(IconFileWriter, StopsAtTheFirstShortWrite) {
    TestSet t({{16, 4}, {32, 4}});
    PutU32(t.block(0).data() + kHeaderSizeImageOffset, 77);
    int calls = 0;
    bool ok = WriteIconSet(t.set(), kIconType, [&](const void *, uint32_t n) { return ++calls < 6 || n != 40 + 64 + 128 + 64; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(calls, 6);  // three header words, two entries, the failed block
    EXPECT_EQ(ByteReader::PeekU32(t.block(0).data() + kHeaderSizeImageOffset), 77u);
}

TEST(IconFileWriter, TypeComesFromTheExtension) {
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.ico"), kIconType);
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.ICO"), kIconType);
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.IcOn"), kIconType);  // first four characters
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.cur"), kCursorType);
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.ani"), kCursorType);
    EXPECT_EQ(IconTypeFromPath("C:\\x\\a.bmp"), kCursorType);
    EXPECT_EQ(IconTypeFromPath("C:\\x.ico\\noext"), kCursorType);
}

TEST(IconFileReader, ReadsWhatTheWriterWrote) {
    TestSet t({{16, 4}, {32, 8}, {48, 32}});
    std::vector<uint8_t> file = t.Write(kCursorType);
    IconFileDirectory dir;
    std::string error;
    ASSERT_TRUE(ParseIconDirectory(file.data(), file.size(), &dir, &error)) << error;
    EXPECT_EQ(dir.type, 2);
    ASSERT_EQ(dir.entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        IconImageInfo info;
        const IconDirEntry &e = dir.entries[i];
        ASSERT_TRUE(ParseIconImage(file.data() + e.offset, e.bytes, &info, &error)) << error;
        EXPECT_EQ((uint32_t)info.width, t.set()->images[i].width);
        EXPECT_EQ((uint32_t)info.height, t.set()->images[i].height);
        EXPECT_EQ(info.bitCount, t.set()->images[i].bitDepth);
        EXPECT_TRUE(info.hasMask);
        EXPECT_EQ(info.maskOffset + info.maskRowBytes * info.height, e.bytes);
    }
}

TEST(IconFileReader, RefusesMalformedFiles) {
    TestSet t({{32, 4}});
    std::vector<uint8_t> good = t.Write(kIconType);
    IconFileDirectory dir;
    std::string error;
    // Every truncation of the header and directory is refused.
    for (size_t n = 0; n < 22; ++n)
        EXPECT_FALSE(ParseIconDirectory(good.data(), n, &dir, &error)) << "length " << n;
    // Cut inside the image data: the entry's data is no longer inside the file.
    EXPECT_FALSE(ParseIconDirectory(good.data(), good.size() - 1, &dir, &error));
    std::vector<uint8_t> bad = good;
    bad[2] = 3;  // type
    EXPECT_FALSE(ParseIconDirectory(bad.data(), bad.size(), &dir, &error));
    bad = good;
    PutU32(&bad[18], 0xFFFFFFF0);  // offset wraps
    EXPECT_FALSE(ParseIconDirectory(bad.data(), bad.size(), &dir, &error));
    bad = good;
    PutU16(&bad[4], 0xFFFF);  // huge count
    EXPECT_FALSE(ParseIconDirectory(bad.data(), bad.size(), &dir, &error));

    IconImageInfo info;
    const uint8_t *block = good.data() + 22;
    EXPECT_FALSE(ParseIconImage(block, 39, &info, &error));
    EXPECT_FALSE(ParseIconImage(block, 40 + 64 + 10, &info, &error));
    EXPECT_FALSE(ParseIconImage(block, 744 - 1, &info, &error));  // mask cut short
    ASSERT_TRUE(ParseIconImage(block, 744, &info, &error)) << error;
    std::vector<uint8_t> b(block, block + 744);
    PutU32(&b[32], 5000);  // colours used beyond any table
    EXPECT_FALSE(ParseIconImage(b.data(), b.size(), &info, &error));
    b.assign(block, block + 744);
    PutU16(&b[14], 7);  // bit count
    EXPECT_FALSE(ParseIconImage(b.data(), b.size(), &info, &error));
    b.assign(block, block + 744);
    PutU32(&b[4], 0x7FFFFFFF);  // width
    EXPECT_FALSE(ParseIconImage(b.data(), b.size(), &info, &error));
}
