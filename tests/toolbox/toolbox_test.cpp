// The command line's portable rules: the checks on a table of broken files
// built in code, groups rebuilt as files, animation steps, JSON and columns,
// and the command lines.
#include <gtest/gtest.h>

#include <map>

#include "tests/iconres/fixtures.h"
#include "toolbox/animation.h"
#include "toolbox/groupfile.h"
#include "toolbox/iconcheck.h"
#include "toolbox/report.h"
#include "toolbox/toolbox_options.h"

namespace {

// One image of a hand-assembled file: its directory entry and its bytes.
struct Part {
    IconDirEntry entry;
    std::vector<uint8_t> data;
};

// The parts of a file image (entries and image bytes).
std::vector<Part> Parts(const std::vector<uint8_t> &file) {
    IconFileDirectory dir;
    std::string error;
    EXPECT_TRUE(ParseIconDirectory(file.data(), file.size(), &dir, &error)) << error;
    std::vector<Part> parts;
    for (const IconDirEntry &e : dir.entries)
        parts.push_back({e, std::vector<uint8_t>(file.begin() + e.offset, file.begin() + e.offset + e.bytes)});
    return parts;
}

// Header, directory and images back to back; an entry's offset and size are
// taken from where its bytes land unless keepPlaces is set.
std::vector<uint8_t> Assemble(uint16_t type, std::vector<Part> parts, bool keepPlaces = false) {
    std::vector<uint8_t> file(6 + 16 * parts.size(), 0);
    PutU16(&file[2], type);
    PutU16(&file[4], (uint16_t)parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        Part &p = parts[i];
        if (!keepPlaces) {
            p.entry.offset = (uint32_t)file.size();
            p.entry.bytes = (uint32_t)p.data.size();
        }
        uint8_t *d = &file[6 + 16 * i];
        d[0] = p.entry.width, d[1] = p.entry.height, d[2] = p.entry.colorCount, d[3] = p.entry.reserved;
        PutU16(d + 4, p.entry.planes);
        PutU16(d + 6, p.entry.bitCount);
        PutU32(d + 8, p.entry.bytes);
        PutU32(d + 12, p.entry.offset);
        file.insert(file.end(), p.data.begin(), p.data.end());
    }
    return file;
}

// A PNG image's first bytes: signature and IHDR (RGBA, 8 bits a channel).
std::vector<uint8_t> PngStub(uint32_t side) {
    std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((uint8_t)(side >> shift));
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((uint8_t)(side >> shift));
    b.insert(b.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});  // depth, colour type, ..., CRC
    return b;
}

// The clean icon every broken case starts from: the four usual sizes.
const std::vector<uint8_t> &CleanIcon() {
    static const std::vector<uint8_t> file =
        MakeIconFile({{16, 4, 0x102030}, {32, 8, 0x405060}, {48, 32, 0x708090}, {256, 24, 0xA0B0C0}});
    return file;
}

TEST(IconCheck, TheSuitesOwnKindsOfFileAreClean) {
    std::vector<Finding> found;
    CheckIconFile(CleanIcon().data(), CleanIcon().size(), -1, &found);
    EXPECT_TRUE(found.empty()) << FindingCodeName(found[0].code);
    found.clear();
    std::vector<uint8_t> cur = MakeIconFile({{32, 4, 0x112233, 31, 0}, {48, 32, 0x445566, 0, 47}}, true);
    CheckIconFile(cur.data(), cur.size(), -1, &found);
    EXPECT_TRUE(found.empty()) << FindingCodeName(found[0].code);
    found.clear();
    AniWriteSpec spec = BuildAnimation({cur, MakeIconFile({{32, 4, 0x778899, 1, 1}}, true), cur}, {6, 12, 6}, "t", "a");
    std::vector<uint8_t> ani = BuildAniFile(spec);
    CheckAniFile(ani.data(), ani.size(), &found);
    EXPECT_TRUE(found.empty()) << FindingCodeName(found[0].code);
    EXPECT_EQ(0, CheckExitCode(found));
}

// A broken file with one defect: the finding expected, where (the image of
// an icon or cursor file, the frame of an animated cursor; -1 for the file)
// and the exit code it deserves.
struct BrokenCase {
    const char *name;
    std::vector<uint8_t> file;
    FindingCode code;
    int place;
    int exitCode;
};

void ExpectReportedOnce(const BrokenCase &c, bool ani) {
    SCOPED_TRACE(c.name);
    std::vector<Finding> found;
    if (ani)
        CheckAniFile(c.file.data(), c.file.size(), &found);
    else
        CheckIconFile(c.file.data(), c.file.size(), -1, &found);
    ASSERT_EQ(1u, found.size()) << FindingCodeName(found.empty() ? c.code : found[0].code) << " "
                                << (found.size() > 1 ? FindingCodeName(found[1].code) : "");
    EXPECT_EQ(c.code, found[0].code) << FindingCodeName(found[0].code);
    EXPECT_EQ(c.place, ani ? found[0].frame : found[0].image);
    EXPECT_EQ(c.exitCode, CheckExitCode(found));
}

// Each broken file has one defect, reported once, with the exit code it deserves.
TEST(IconCheck, EachDefectOfAnIconOrCursorFileIsReportedOnce) {
    std::vector<Part> p = Parts(CleanIcon());
    auto with = [&](auto change) {
        std::vector<Part> q = p;
        change(q);
        return Assemble(kIconType, q);
    };
    std::vector<uint8_t> outside = CleanIcon();
    PutU32(&outside[6 + 16 * 1 + 12], (uint32_t)outside.size() - 10);  // image 1 starts 10 bytes before the end
    std::vector<uint8_t> overlap = CleanIcon();
    PutU32(&overlap[6 + 16 * 0 + 8], ByteReader::PeekU32(&overlap[6 + 8]) + 8);  // image 0 grows into image 1
    std::vector<uint8_t> trailing = CleanIcon();
    trailing.insert(trailing.end(), {0, 0, 0});
    std::vector<Part> dup = p;
    dup.push_back(p[0]);
    std::vector<uint8_t> alphaZero = CleanIcon(), alphaMask = CleanIcon();
    {
        const Part &img = p[2];  // 48 x 48 at 32 bits: colour rows of 192 bytes, mask rows of 8
        size_t colour = img.entry.offset + 40, mask = colour + 48 * 192;
        for (size_t px = 0; px < 48 * 48; ++px) alphaZero[colour + 4 * px + 3] = 0;
        alphaMask[mask] = 0xFF;  // eight opaque pixels of the bottom row marked transparent
    }
    std::vector<uint8_t> badHeader = CleanIcon();
    PutU32(&badHeader[p[1].entry.offset], 12);  // a core header size in an icon image
    std::vector<Part> cursorParts = Parts(MakeIconFile({{32, 4, 0x112233, 32, 5}}, true));

    std::vector<BrokenCase> cases = {
        {"entry width disagrees", with([](std::vector<Part> &q) { q[0].entry.width = 20; }), kFindEntrySize, 0, 1},
        {"entry bit count disagrees", with([](std::vector<Part> &q) { q[1].entry.bitCount = 4; }), kFindEntryBits, 1, 1},
        {"entry colour count disagrees", with([](std::vector<Part> &q) { q[0].entry.colorCount = 8; }),
         kFindEntryColors, 0, 1},
        {"png image", with([](std::vector<Part> &q) { q[3].data = PngStub(256); }), kFindPngImage, 3, 1},
        {"image past the end", outside, kFindImageOutside, 1, 2},
        {"images overlap", overlap, kFindImagesOverlap, 1, 2},
        {"trailing bytes", trailing, kFindUnusedBytes, -1, 1},
        {"same size and depth twice", Assemble(kIconType, dup), kFindDuplicateFormat, 4, 1},
        {"alpha all zero", alphaZero, kFindAlphaAllZero, 2, 0},
        {"alpha disagrees with the mask", alphaMask, kFindAlphaMask, 2, 1},
        {"bad image header", badHeader, kFindBadImageHeader, 1, 2},
        {"missing usual sizes", MakeIconFile({{16, 4, 1}, {32, 4, 2}}), kFindMissingSizes, -1, 0},
        {"no image", Assemble(kIconType, {}), kFindNoImages, -1, 2},
        {"not an icon file", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', '!', '!'}, kFindNotIconFile, -1, 2},
        {"hot spot outside", Assemble(kCursorType, cursorParts), kFindHotspotOutside, 0, 1},
    };
    for (const BrokenCase &c : cases) ExpectReportedOnce(c, false);
}

TEST(IconCheck, EachDefectOfAnAnimatedCursorIsReportedOnce) {
    std::vector<uint8_t> a = MakeIconFile({{32, 4, 0x112233, 1, 2}}, true);
    std::vector<uint8_t> b = MakeIconFile({{32, 4, 0x445566, 1, 2}}, true);
    AniHeader seqHeader = IconFlagHeader(2, 2, 6);
    seqHeader.flags |= kAniFlagSequence;
    std::vector<uint8_t> noPad =
        AniAssembler().Header(IconFlagHeader(2, 2, 6)).Frames({a, b}).Chunk("junk", {1, 2, 3}).Finish();
    noPad.pop_back();
    std::vector<BrokenCase> cases = {
        {"frame count disagrees", AniAssembler().Header(IconFlagHeader(3, 2, 6)).Frames({a, b}).Finish(),
         kFindAniFrameCount, -1, 1},
        {"seq without its flag",
         AniAssembler().Header(IconFlagHeader(2, 2, 6)).Chunk("seq ", Table({1, 0})).Frames({a, b}).Finish(),
         kFindAniSequenceFlag, -1, 1},
        {"the flag without seq", AniAssembler().Header(seqHeader).Frames({a, b}).Finish(), kFindAniSequenceFlag, -1, 1},
        {"a step of no time",
         AniAssembler().Header(IconFlagHeader(2, 2, 6)).Chunk("rate", Table({6, 0})).Frames({a, b}).Finish(),
         kFindAniZeroRate, -1, 1},
        {"rate longer than the steps",
         AniAssembler().Header(IconFlagHeader(2, 2, 6)).Chunk("rate", Table({6, 6, 6})).Frames({a, b}).Finish(),
         kFindAniTableLength, -1, 1},
        {"a frame no step shows",
         AniAssembler().Header(seqHeader).Chunk("seq ", Table({0, 0})).Frames({a, b}).Finish(), kFindAniUnusedFrame, -1,
         1},
        {"missing pad byte", noPad, kFindAniMissingPad, -1, 1},
        {"a frame that is no icon",
         AniAssembler().Header(IconFlagHeader(2, 2, 6)).Frames({a, {'n', 'o', 'p', 'e'}}).Finish(), kFindNotIconFile, 1,
         2},
        {"refused", AniAssembler().Header(IconFlagHeader(2, 2, 6)).Frames({a, b}).Finish("AVI "), kFindAniRefused, -1, 2},
    };
    for (const BrokenCase &c : cases) ExpectReportedOnce(c, true);
}

// A file split into a group resource and its images, as a resource compiler
// stores it, comes back byte for byte.
TEST(GroupFile, GroupsComeBackAsTheFilesTheyWereMadeFrom) {
    for (bool cursor : {false, true}) {
        SCOPED_TRACE(cursor ? "cursor" : "icon");
        std::vector<uint8_t> file =
            cursor ? MakeIconFile({{32, 4, 0x112233, 5, 6}, {48, 32, 0x445566, 7, 8}}, true)
                   : MakeIconFile({{16, 4, 0x112233}, {48, 32, 0x445566}});
        std::vector<Part> parts = Parts(file);
        std::vector<uint8_t> group(6 + 14 * parts.size(), 0);
        memcpy(group.data(), file.data(), 6);
        std::map<uint16_t, std::vector<uint8_t>> resources;
        for (size_t i = 0; i < parts.size(); ++i) {
            const IconDirEntry &e = parts[i].entry;
            uint8_t *g = &group[6 + 14 * i];
            uint16_t id = (uint16_t)(100 + i);
            std::vector<uint8_t> data = parts[i].data;
            if (cursor) {
                PutU16(g, e.width);
                PutU16(g + 2, (uint16_t)(2 * e.height));
                PutU16(g + 4, 1);
                PutU16(g + 6, e.width == 48 ? 32 : 4);
                std::vector<uint8_t> hot(4);
                PutU16(&hot[0], e.planes);
                PutU16(&hot[2], e.bitCount);
                data.insert(data.begin(), hot.begin(), hot.end());
            } else {
                g[0] = e.width, g[1] = e.height, g[2] = e.colorCount;
                PutU16(g + 4, e.planes);
                PutU16(g + 6, e.bitCount);
            }
            PutU32(g + 8, (uint32_t)data.size());
            PutU16(g + 12, id);
            resources[id] = data;
        }
        ResourceFetcher fetch = [&](uint16_t id, std::vector<uint8_t> *out) {
            auto it = resources.find(id);
            if (it == resources.end()) return false;
            *out = it->second;
            return true;
        };
        std::vector<uint8_t> rebuilt;
        std::string error;
        ASSERT_TRUE(BuildFileFromGroup(group.data(), group.size(), cursor, fetch, &rebuilt, &error)) << error;
        EXPECT_EQ(file, rebuilt);

        EXPECT_FALSE(BuildFileFromGroup(group.data(), group.size() - 1, cursor, fetch, &rebuilt, &error));
        resources.erase(101);
        EXPECT_FALSE(BuildFileFromGroup(group.data(), group.size(), cursor, fetch, &rebuilt, &error));
        EXPECT_NE(std::string::npos, error.find("101")) << error;
    }
}

TEST(GroupFile, KindsOfFileAndSafeNames) {
    const struct {
        std::vector<uint8_t> bytes;
        ContainerKind kind;
    } cases[] = {
        {{0, 0, 1, 0, 1, 0}, kContainerIcon}, {{0, 0, 2, 0}, kContainerCursor}, {{'R', 'I', 'F', 'F'}, kContainerAni},
        {{'M', 'Z', 0x90}, kContainerModule}, {{0, 0, 3, 0}, kContainerUnknown}, {{0, 0}, kContainerUnknown},
    };
    for (const auto &c : cases) EXPECT_EQ(c.kind, ClassifyFile(c.bytes.data(), c.bytes.size()));
    EXPECT_EQ("a_b_c_d_e_f_g_h_i_j", SafeNamePart("a<b>c:d\"e/f\\g|h?i*j"));
    EXPECT_EQ("OCR_NORMAL", SafeNamePart("OCR_NORMAL"));
}

TEST(Animation, DelaysBecomeJiffiesRoundedAndAtLeastOne) {
    const struct {
        uint64_t delay, perSecond;
        uint32_t jiffies;
    } cases[] = {
        {10, 100, 6}, {20, 100, 12}, {0, 100, 1}, {1, 100, 1}, {3, 100, 2}, {25, 1000, 2},
        {7, 0, 4}, {100, 100, 60}, {UINT64_MAX, 1, UINT32_MAX},
    };
    for (const auto &c : cases) EXPECT_EQ(c.jiffies, JiffiesFromDelay(c.delay, c.perSecond)) << c.delay << "/" << c.perSecond;
}

TEST(Animation, IdenticalFramesAreStoredOnceAndShownThroughTheSequence) {
    std::vector<uint8_t> a = MakeIconFile({{32, 4, 1, 0, 0}}, true), b = MakeIconFile({{32, 4, 2, 0, 0}}, true),
                         c = MakeIconFile({{32, 4, 3, 0, 0}}, true), d = MakeIconFile({{32, 4, 4, 0, 0}}, true);
    std::vector<uint8_t> file = BuildAniFile(BuildAnimation({a, b, b, c, d}, {6, 12, 12, 6, 12}, "Spin", "Me"));
    AniContents ani;
    std::string error;
    ASSERT_TRUE(ParseAniFile(file.data(), file.size(), &ani, &error)) << error;
    EXPECT_EQ(4u, ani.frames.size());
    EXPECT_EQ(5u, ani.header.steps);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 1, 2, 3}), ani.sequence);
    EXPECT_EQ((std::vector<uint32_t>{6, 12, 12, 6, 12}), ani.rates);
    EXPECT_TRUE(ani.header.flags & kAniFlagSequence);
    EXPECT_EQ("Spin", ani.title);

    // Frames repeated further apart are stored once too; equal rates need no table.
    AniWriteSpec spec = BuildAnimation({a, b, a}, {4, 4, 4}, "", "");
    EXPECT_EQ(2u, spec.frames.size());
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 0}), spec.sequence);
    EXPECT_TRUE(spec.rates.empty());
    EXPECT_EQ(4u, spec.rate);
    // All different: neither table.
    spec = BuildAnimation({a, b, c}, {3, 3, 3}, "", "");
    EXPECT_TRUE(spec.sequence.empty());
    EXPECT_EQ(3u, spec.frames.size());
}

TEST(ToolboxOptions, AnimatedCursorOptionsAreTakenOutOfTheConvertersLine) {
    AniOptions ani;
    std::vector<std::string> rest;
    std::string bad;
    std::vector<std::string> plain = {"--as", "cursor", "--hotspot", "1,2", "a.gif"};
    EXPECT_EQ(kOptOk, SplitAniOptions(plain, &ani, &rest, &bad));
    EXPECT_FALSE(ani.wanted);
    EXPECT_EQ(plain, rest);  // another command's options are left alone

    EXPECT_EQ(kOptOk, SplitAniOptions({"--xp", "--as", "ani", "--title=Spin", "--author", "Me", "--hotspot", "3,40",
                                       "--rate", "9", "--", "--rate", "a.gif"},
                                      &ani, &rest, &bad));
    EXPECT_TRUE(ani.wanted);
    EXPECT_EQ("Spin", ani.title);
    EXPECT_EQ("Me", ani.author);
    EXPECT_TRUE(ani.hotspot);
    EXPECT_EQ(3u, ani.hotspotX);
    EXPECT_EQ(40u, ani.hotspotY);
    EXPECT_EQ(9u, ani.rate);
    EXPECT_EQ((std::vector<std::string>{"--xp", "--as", "cursor", "--", "--rate", "a.gif"}), rest);

    const struct {
        std::vector<std::string> words;
        ToolboxOptionError error;
    } refused[] = {
        {{"--as=ani", "--hotspot=3,x"}, kOptBadValue},
        {{"--as=ani", "--hotspot=300,1"}, kOptBadValue},
        {{"--as=ani", "--author"}, kOptMissingValue},
    };
    for (const auto &c : refused) {
        EXPECT_EQ(c.error, SplitAniOptions(c.words, &ani, &rest, &bad)) << c.words[1];
        EXPECT_TRUE(ani.wanted);
    }
}

TEST(Report, JsonNestsAndEscapes) {
    JsonWriter j;
    j.BeginObject().Key("files").BeginArray();
    j.BeginObject().Key("path").String("C:\\a \"b\"\n\x01").Key("n").Number(-3).Key("ok").Bool(true).Key("e").Null();
    j.Key("list").BeginArray().Number(1).Number(2).EndArray().EndObject();
    j.BeginObject().EndObject();
    j.EndArray().EndObject();
    EXPECT_EQ("{\"files\":[{\"path\":\"C:\\\\a \\\"b\\\"\\n\\u0001\",\"n\":-3,\"ok\":true,\"e\":null,\"list\":[1,2]},{}]}",
              j.text());
    EXPECT_EQ("\"caf\xC3\xA9\"", JsonQuote("caf\xC3\xA9"));
}

TEST(ToolboxOptions, CommandLines) {
    const struct {
        ToolboxCommand command;
        std::vector<std::string> words;
        ToolboxOptionError error;
        size_t files;
        const char *out;
        bool json;
    } cases[] = {
        {kToolList, {"--json", "a.ico", "b.dll"}, kOptOk, 2, "", true},
        {kToolExtract, {"--out=D", "--", "--json"}, kOptOk, 1, "D", false},
        {kToolExtract, {"--out=", "a.ico"}, kOptMissingValue, 0, "", false},
        {kToolCheck, {"-"}, kOptOk, 1, "", false},
    };
    for (const auto &c : cases) {
        ToolboxOptions o;
        std::string bad;
        EXPECT_EQ(c.error, ParseToolboxOptions(c.command, c.words, &o, &bad)) << c.words[0];
        if (c.error != kOptOk) continue;
        EXPECT_EQ(c.files, o.files.size());
        EXPECT_EQ(c.out, o.outDir);
        EXPECT_EQ(c.json, o.json);
    }
    ToolboxCommand command;
    EXPECT_TRUE(ToolboxCommandFromWord("extract", &command));
    EXPECT_EQ(kToolExtract, command);
    EXPECT_FALSE(ToolboxCommandFromWord("convert", &command));
    EXPECT_FALSE(ToolboxCommandFromWord("List", &command));
}

}  // namespace
