// The .ani reader's rules and refusals, the writer read back by the reader,
// and the record store's byte rules (group directory, creation input).
#include <gtest/gtest.h>

#include <string>

#include "iconres/anifile.h"
#include "iconres/recordformat.h"
#include "tests/iconres/fixtures.h"

namespace {

AniContents Parse(const std::vector<uint8_t> &file, bool expectOk = true) {
    AniContents ani;
    std::string error;
    bool ok = ParseAniFile(file.data(), file.size(), &ani, &error);
    EXPECT_EQ(ok, expectOk) << error;
    return ani;
}

std::string Refusal(const std::vector<uint8_t> &file) {
    AniContents ani;
    std::string error;
    EXPECT_FALSE(ParseAniFile(file.data(), file.size(), &ani, &error));
    return error;
}

std::vector<uint8_t> FrameBytes(const std::vector<uint8_t> &file, const AniFrame &f) {
    return std::vector<uint8_t>(file.begin() + f.offset, file.begin() + f.offset + f.size);
}

const std::vector<uint8_t> kRed = SolidIcon(0xFF0000), kGreen = SolidIcon(0x00FF00), kBlue = SolidIcon(0x0000FF);

TEST(AniFile, WrittenFileReadsBackWithTablesTitleAndAuthor) {
    AniWriteSpec spec;
    spec.frames = {kRed, kGreen, kBlue};
    spec.rate = 9;
    spec.rates = {0xc0de, 0xbeef, 0x1234};
    spec.sequence = {2, 0, 1};
    spec.title = "Spinning globe";
    spec.author = "Glyphery";
    std::vector<uint8_t> file = BuildAniFile(spec);
    EXPECT_EQ(ByteReader::PeekU32(&file[4]), file.size() - 8);  // RIFF size counts what follows it
    EXPECT_EQ(file.size() % 2, 0u);

    AniContents ani = Parse(file);
    EXPECT_EQ(ani.header.headerSize, 36u);
    EXPECT_EQ(ani.header.frames, 3u);
    EXPECT_EQ(ani.header.steps, 3u);
    EXPECT_EQ(ani.header.rate, 9u);
    EXPECT_EQ(ani.header.flags, kAniFlagIcon | kAniFlagSequence);  // a "seq " chunk is announced by its flag
    ASSERT_EQ(ani.frames.size(), 3u);
    EXPECT_EQ(FrameBytes(file, ani.frames[0]), kRed);
    EXPECT_EQ(FrameBytes(file, ani.frames[2]), kBlue);
    EXPECT_EQ(ani.rates, (std::vector<uint32_t>{0xc0de, 0xbeef, 0x1234}));
    EXPECT_EQ(ani.sequence, (std::vector<uint32_t>{2, 0, 1}));
    EXPECT_EQ(ani.title, "Spinning globe");
    EXPECT_EQ(ani.author, "Glyphery");
}

TEST(AniFile, WithoutRateAndSeqEveryFrameShowsOnceAtTheDefaultRate) {
    AniWriteSpec spec;
    spec.frames = {kRed, kGreen, kBlue};
    spec.rate = 0xc0de;
    AniContents ani = Parse(BuildAniFile(spec));
    EXPECT_FALSE(ani.hasRate);
    EXPECT_FALSE(ani.hasSequence);
    EXPECT_EQ(ani.rates, (std::vector<uint32_t>{0xc0de, 0xc0de, 0xc0de}));
    EXPECT_EQ(ani.sequence, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_TRUE(ani.title.empty());
}

// What the platform's loader takes: a header declaring no step (each frame
// then shows once, in file order, at the default rate, whatever the tables
// say) and a last chunk the reader skips that claims more than the file holds.
TEST(AniFile, NoStepAndAnOverlongSkippedLastChunkAreAccepted) {
    AniContents none = Parse(AniAssembler()
                                 .Header(IconFlagHeader(2, 0, 7))
                                 .Chunk("seq ", Table({1, 1, 1}))
                                 .Chunk("rate", Table({9, 9}))
                                 .Frames({kRed, kGreen})
                                 .Finish());
    EXPECT_EQ(none.sequence, (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(none.rates, (std::vector<uint32_t>{7, 7}));

    for (const char *id : {"junk", "LIST"}) {
        SCOPED_TRACE(id);
        std::vector<uint8_t> file = AniAssembler().Header(IconFlagHeader(1, 1, 3)).Frames({kBlue}).Finish();
        const uint8_t tail[12] = {(uint8_t)id[0], (uint8_t)id[1], (uint8_t)id[2], (uint8_t)id[3], 0x00, 0x10, 0, 0,
                                  'd', 'i', 's', 'p'};
        file.insert(file.end(), tail, tail + 12);
        AniContents ani = Parse(file);
        ASSERT_EQ(ani.frames.size(), 1u);
        EXPECT_EQ(FrameBytes(file, ani.frames[0]), kBlue);
    }
}

TEST(AniFile, OddSizedChunksArePaddedAndTheNextIsReadAtTheEvenPosition) {
    std::vector<uint8_t> odd = kRed;
    odd.push_back(0x5A);  // 1 byte past the icon: odd size, a pad byte follows
    AniAssembler a;
    a.Header(IconFlagHeader(2, 2, 3)).Info("abc", "de").Frames({odd, kGreen});
    std::vector<uint8_t> file = a.Finish();
    AniContents ani = Parse(file);
    ASSERT_EQ(ani.frames.size(), 2u);
    EXPECT_EQ(ani.frames[0].size, odd.size());
    EXPECT_EQ(ani.frames[1].offset % 2, 0u);
    EXPECT_EQ(FrameBytes(file, ani.frames[1]), kGreen);
    EXPECT_EQ(ani.title, "abc");
    EXPECT_EQ(ani.author, "de");
}

TEST(AniFile, LongTitleKeepsEightyBytesAndTheWalkContinues) {
    std::string title(200, 'T');
    title[79] = 'x';
    AniAssembler a;
    a.Header(IconFlagHeader(1, 1, 3)).Info(title, "after the title").Frames({kRed});
    AniContents ani = Parse(a.Finish());
    EXPECT_EQ(ani.title, title.substr(0, 80));
    EXPECT_EQ(ani.title.back(), 'x');
    EXPECT_EQ(ani.author, "after the title");
    ASSERT_EQ(ani.frames.size(), 1u);
}

TEST(AniFile, ChunksInUnusualOrderAreAppliedOnceTheHeaderIsKnown) {
    AniAssembler a;
    a.Chunk("seq ", Table({1, 0, 1, 0}))
        .Frames({kRed, kGreen})
        .Chunk("rate", Table({0xc0de, 1, 2, 3}))
        .Chunk("junk", {1, 2, 3})
        .Header(IconFlagHeader(2, 4, 7))
        .Info("t", "a");
    AniContents ani = Parse(a.Finish());
    EXPECT_EQ(ani.sequence, (std::vector<uint32_t>{1, 0, 1, 0}));
    EXPECT_EQ(ani.rates, (std::vector<uint32_t>{0xc0de, 1, 2, 3}));
    EXPECT_EQ(ani.frames.size(), 2u);
}

TEST(AniFile, TablesLongerThanTheStepCountKeepTheirFirstEntries) {
    AniAssembler a;
    a.Header(IconFlagHeader(2, 2, 7)).Chunk("rate", Table({5, 6, 7, 8})).Chunk("seq ", Table({1, 0, 9, 9}));
    a.Frames({kRed, kGreen});
    AniContents ani = Parse(a.Finish());
    EXPECT_EQ(ani.rates, (std::vector<uint32_t>{5, 6}));
    EXPECT_EQ(ani.sequence, (std::vector<uint32_t>{1, 0}));
}

TEST(AniFile, RefusesWhatCannotBeMadeSound) {
    struct Case {
        const char *what;
        std::vector<uint8_t> file;
    };
    auto withHeader = [](const AniHeader &h) {
        AniAssembler a;
        a.Header(h).Frames({kRed, kGreen});
        return a.Finish();
    };
    AniHeader noFlag = IconFlagHeader(2, 2, 1);
    noFlag.flags = 2;
    std::vector<uint8_t> shortHeader;
    {
        AniAssembler a;
        std::vector<uint8_t> h = AniHeaderBytes(IconFlagHeader(2, 2, 1));
        h.resize(32);
        a.Chunk("anih", h).Frames({kRed});
        shortHeader = a.Finish();
    }
    std::vector<Case> cases = {
        {"not RIFF", {'R', 'I', 'F', 'X', 4, 0, 0, 0, 'A', 'C', 'O', 'N'}},
        {"form type", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({kRed}).Finish("AVI ")},
        {"flags bit 0 clear", withHeader(noFlag)},
        {"frame count 0", withHeader(IconFlagHeader(0, 2, 1))},
        {"short anih", shortHeader},
        {"no anih", AniAssembler().Frames({kRed}).Finish()},
        {"two anih", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Header(IconFlagHeader(1, 1, 1)).Frames({kRed}).Finish()},
        {"no frame", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({}).Finish()},
        {"seq names a missing frame", AniAssembler().Header(IconFlagHeader(2, 2, 1)).Chunk("seq ", Table({0, 2})).Frames({kRed, kGreen}).Finish()},
        {"more steps than frames, no seq", withHeader(IconFlagHeader(2, 3, 1))},
        {"huge step count, no seq", withHeader(IconFlagHeader(2, 0xFFFFFFFF, 1))},
        {"huge step count, short seq", AniAssembler().Header(IconFlagHeader(2, 0x40000000, 1)).Chunk("seq ", Table({0, 1})).Frames({kRed, kGreen}).Finish()},
        {"short rate", AniAssembler().Header(IconFlagHeader(2, 2, 1)).Chunk("rate", Table({1})).Frames({kRed, kGreen}).Finish()},
        {"short seq", AniAssembler().Header(IconFlagHeader(2, 2, 1)).Chunk("seq ", {0, 0, 0, 0, 1}).Frames({kRed, kGreen}).Finish()},
        {"more steps than any cursor has", AniAssembler().Header(IconFlagHeader(1, kAniMaxSteps + 1, 1)).Chunk("seq ", std::vector<uint8_t>(4 * (kAniMaxSteps + 1), 0)).Frames({kRed}).Finish()},
        {"more frames than any cursor has", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames(std::vector<std::vector<uint8_t>>(kAniMaxFrames + 1, {0})).Finish()},
        {"list shorter than its type", AniAssembler().Header(IconFlagHeader(1, 1, 1)).Chunk("LIST", {'f', 'r'}).Frames({kRed}).Finish()},
    };
    // A chunk whose size runs far past the end of the file.
    std::vector<uint8_t> huge = AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({kRed}).Finish();
    const uint8_t rateHead[8] = {'r', 'a', 't', 'e', 0xF0, 0xFF, 0xFF, 0xFF};
    huge.insert(huge.end(), rateHead, rateHead + 8);
    cases.push_back({"huge chunk size", huge});
    // A sub-chunk larger than the list holding it.
    std::vector<uint8_t> sub = AniAssembler().Header(IconFlagHeader(1, 1, 1)).Frames({kRed}).Finish();
    size_t iconAt = 12 + 8 + 36 + 12;  // RIFF head, anih chunk, LIST head + "fram"
    ASSERT_EQ(memcmp(&sub[iconAt], "icon", 4), 0);
    PutU32(&sub[iconAt + 4], (uint32_t)kRed.size() + 2);
    sub.insert(sub.end(), 16, 0);  // the file goes on; the list does not
    cases.push_back({"sub-chunk larger than its list", sub});

    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Refusal(c.file).empty());
    }
}

// Cutting a file at every byte never reads outside it; cut at a chunk
// boundary it is accepted exactly when the header and every frame came before.
TEST(AniFile, TruncatedAtEveryByteAndChunkBoundary) {
    AniAssembler a;
    a.Header(IconFlagHeader(2, 3, 4)).Chunk("seq ", Table({1, 0, 1})).Frames({kRed, kGreen}).Info("title", "author");
    std::vector<uint8_t> file = a.Finish();
    size_t framesEnd = a.boundaries[2];
    for (size_t cut = 0; cut <= file.size(); ++cut) {
        std::vector<uint8_t> part(file.begin(), file.begin() + cut);  // exact size: ASan sees any overread
        AniContents ani;
        std::string error;
        bool ok = ParseAniFile(part.data(), part.size(), &ani, &error);
        if (ok) {
            EXPECT_EQ(ani.sequence.size(), 3u);
            for (uint32_t s : ani.sequence) EXPECT_LT(s, ani.frames.size());
        }
        bool atBoundary = cut == 12;
        for (size_t b : a.boundaries) atBoundary |= cut == b;
        if (atBoundary) {
            SCOPED_TRACE(cut);
            EXPECT_EQ(ok, cut >= framesEnd) << error;
            if (ok) {
                EXPECT_EQ(ani.title, cut == file.size() ? "title" : "");
            }
        }
    }
}

TEST(RecordFormat, ByteSumWrapsAtThirtyTwoBits) {
    std::vector<uint8_t> bytes(0x01010102, 0xFF);  // 0xFF * n overflows 32 bits
    uint64_t exact = 0xFFull * bytes.size();
    EXPECT_EQ(ByteSum(bytes.data(), bytes.size()), (uint32_t)exact);
    const uint8_t few[] = {1, 2, 250};
    EXPECT_EQ(ByteSum(few, 3), 253u);
}

TEST(RecordFormat, GroupDirectoryOfIconAndCursorFiles) {
    std::vector<uint8_t> ico = MakeIconFile({{16, 4, 0x112233}, {32, 8, 0x445566}});
    GroupDirectory dir;
    ASSERT_TRUE(BuildGroupDirectory(ico.data(), ico.size(), &dir));
    ASSERT_EQ(dir.bytes.size(), 6u + 2 * 14);
    EXPECT_EQ(dir.type, 1);
    const uint8_t *e1 = &dir.bytes[6 + 14];
    EXPECT_EQ(e1[0], 32);
    EXPECT_EQ(e1[1], 32);
    EXPECT_EQ(e1[2], 0);
    EXPECT_EQ(ByteReader::PeekU16(e1 + 4), 0);   // planes
    EXPECT_EQ(ByteReader::PeekU16(e1 + 6), 0);   // bit count
    EXPECT_EQ(ByteReader::PeekU32(e1 + 8), ByteReader::PeekU32(&ico[6 + 16 + 8]));
    EXPECT_EQ(ByteReader::PeekU16(e1 + 12), 2);  // identifier: index + 1
    EXPECT_EQ(dir.bytes[6 + 2], 16);             // 4-bit colour count

    std::vector<uint8_t> cur = MakeIconFile({{16, 1, 0xFFFFFF, 3, 5}, {48, 32, 0x00FF00, 40, 41}}, true);
    ASSERT_TRUE(BuildGroupDirectory(cur.data(), cur.size(), &dir));
    EXPECT_EQ(dir.type, 2);
    EXPECT_EQ(ByteReader::PeekU16(&dir.bytes[6 + 14]), 48);      // width, 16 bits
    EXPECT_EQ(ByteReader::PeekU16(&dir.bytes[6 + 14 + 2]), 48);  // height, 16 bits

    CreationInput in;
    ASSERT_TRUE(MakeCreationInput(cur.data(), cur.size(), 2, &in));
    EXPECT_FALSE(in.icon);
    EXPECT_EQ(in.hotspotX, 40);
    EXPECT_EQ(in.hotspotY, 41);
    uint32_t offset = ByteReader::PeekU32(&cur[6 + 16 + 12]);
    ASSERT_EQ(in.bytes.size(), 4 + cur.size() - offset);
    EXPECT_EQ(ByteReader::PeekU16(&in.bytes[0]), 40);
    EXPECT_EQ(memcmp(&in.bytes[4], &cur[offset], cur.size() - offset), 0);

    ASSERT_TRUE(MakeCreationInput(ico.data(), ico.size(), 1, &in));
    EXPECT_TRUE(in.icon);
    EXPECT_EQ(in.hotspotX, 16);
    EXPECT_EQ(in.bytes.size(), ico.size() - 38);
    EXPECT_FALSE(MakeCreationInput(ico.data(), ico.size(), 0, &in));
    EXPECT_FALSE(MakeCreationInput(ico.data(), ico.size(), 3, &in));
}

TEST(RecordFormat, UnsoundFileImagesGiveNoDirectory) {
    std::vector<uint8_t> ico = SolidIcon(0x123456);
    GroupDirectory dir;
    std::vector<uint8_t> cut(ico.begin(), ico.begin() + 30);
    EXPECT_FALSE(BuildGroupDirectory(cut.data(), cut.size(), &dir));
    std::vector<uint8_t> none = {0, 0, 1, 0, 0, 0};
    EXPECT_FALSE(BuildGroupDirectory(none.data(), none.size(), &dir));
    std::vector<uint8_t> junk(64, 0xAB);
    EXPECT_FALSE(BuildGroupDirectory(junk.data(), junk.size(), &dir));
}

}  // namespace
