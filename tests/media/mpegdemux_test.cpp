// The program-stream demultiplexer on streams built here byte by byte: the
// video payloads come out whole and in order whatever the pieces they are
// fed in, every other unit is skipped, and junk between units is passed over.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "libs/gympeg/mpegdemux.h"

namespace {

typedef std::vector<uint8_t> Bytes;

void Append(Bytes *out, const Bytes &more) { out->insert(out->end(), more.begin(), more.end()); }

Bytes Mpeg1Pack() { return {0, 0, 1, 0xBA, 0x21, 0, 1, 0, 1, 0x80, 0x1B, 0x91}; }
// An MPEG-2 pack header with three stuffing bytes.
Bytes Mpeg2Pack() { return {0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xFB, 0xFF, 0xFF, 0xFF}; }

// A packet of `id` with the header bytes given, then the payload.
Bytes Packet(uint8_t id, const Bytes &header, const Bytes &payload) {
    size_t length = header.size() + payload.size();
    Bytes p = {0, 0, 1, id, (uint8_t)(length >> 8), (uint8_t)length};
    Append(&p, header);
    Append(&p, payload);
    return p;
}
// MPEG-1 packet headers: stuffing, a buffer size, a presentation time stamp.
Bytes Mpeg1Header() { return {0xFF, 0xFF, 0x60, 0xE8, 0x21, 0, 1, 0, 1}; }
// MPEG-2 packet header with a presentation time stamp (5 bytes of header data).
Bytes Mpeg2Header() { return {0x81, 0x80, 5, 0x21, 0, 1, 0, 1}; }

Bytes Payload(uint8_t first, size_t n) {
    Bytes b;
    for (size_t i = 0; i < n; ++i) b.push_back((uint8_t)(first + i * 7));
    return b;
}

struct Stream {
    Bytes bytes, video;
};

// Two packs: MPEG-1 and MPEG-2 style, with a system header, sound, padding,
// a second video stream, junk and the end code.
Stream Build() {
    Stream s;
    Bytes v1 = {0, 0, 1, 0xB3, 0x04, 0x00, 0x30};  // the video's own start codes pass through
    Append(&v1, Payload(1, 300));
    Bytes v2 = Payload(50, 1000), v3 = Payload(90, 17);
    Append(&s.bytes, Mpeg1Pack());
    Append(&s.bytes, Packet(0xBB, {0x80, 0, 1, 4, 0xE1, 0xFF, 0xE0, 0xE0, 0xE8}, {}));
    Append(&s.bytes, Packet(0xE0, Mpeg1Header(), v1));
    Append(&s.bytes, Packet(0xC0, Mpeg1Header(), Payload(200, 90)));
    Append(&s.bytes, Packet(0xBE, {}, Bytes(40, 0xFF)));
    Append(&s.bytes, {0x12, 0x34, 0x00, 0x00});  // junk between units
    Append(&s.bytes, Mpeg2Pack());
    Append(&s.bytes, Packet(0xE0, Mpeg2Header(), v2));
    Append(&s.bytes, Packet(0xE1, Mpeg2Header(), Payload(7, 60)));  // a second video stream: not ours
    Append(&s.bytes, Packet(0xBD, Mpeg2Header(), Payload(3, 20)));
    Append(&s.bytes, Packet(0xE0, {0x0F}, v3));  // MPEG-1 packet without time stamps
    Append(&s.bytes, {0, 0, 1, 0xB9});
    Append(&s.video, v1);
    Append(&s.video, v2);
    Append(&s.video, v3);
    return s;
}

TEST(ProgramStream, VideoPayloadsWholeAndInOrderWhateverThePieces) {
    Stream s = Build();
    for (size_t piece : {s.bytes.size(), (size_t)1, (size_t)2, (size_t)3, (size_t)5, (size_t)64, (size_t)1000}) {
        ProgramStreamDemuxer demuxer;
        Bytes video;
        for (size_t at = 0; at < s.bytes.size(); at += piece)
            demuxer.Feed(s.bytes.data() + at, std::min(piece, s.bytes.size() - at), &video);
        EXPECT_EQ(video, s.video) << "pieces of " << piece;
        EXPECT_EQ(demuxer.VideoStream(), 0xE0);
        EXPECT_LE(demuxer.Pending(), 3u);
    }
}

TEST(ProgramStream, BrokenPacketsAreDroppedAndNothingIsReadPastTheEnd) {
    const struct {
        const char *what;
        Bytes bytes;
        Bytes video;
    } cases[] = {
        {"MPEG-2 header longer than its packet", Packet(0xE0, {0x81, 0x80, 40}, Payload(1, 4)), {}},
        {"MPEG-1 packet of stuffing only", Packet(0xE0, Bytes(10, 0xFF), {}), {}},
        {"MPEG-1 header mark unknown", Packet(0xE0, {0x55}, Payload(1, 4)), {}},
        {"pack header of no known kind, then a packet", [] {
             Bytes b = {0, 0, 1, 0xBA, 0x00, 1, 2, 3};
             Append(&b, Packet(0xE0, {0x0F}, {9, 8, 7}));
             return b;
         }(), {9, 8, 7}},
        {"video start code outside any packet", [] {
             Bytes b = {0, 0, 1, 0x00, 5, 5};
             Append(&b, Packet(0xE0, {0x0F}, {1, 2}));
             return b;
         }(), {1, 2}},
    };
    for (const auto &c : cases) {
        ProgramStreamDemuxer demuxer;
        Bytes video;
        demuxer.Feed(c.bytes.data(), c.bytes.size(), &video);
        EXPECT_EQ(video, c.video) << c.what;
    }
}

TEST(ProgramStream, AnUnfinishedPacketWaitsForItsBytes) {
    Bytes p = Packet(0xE0, {0x0F}, Payload(1, 100));
    ProgramStreamDemuxer demuxer;
    Bytes video;
    demuxer.Feed(p.data(), p.size() - 1, &video);
    EXPECT_TRUE(video.empty());
    EXPECT_EQ(demuxer.Pending(), p.size() - 1);
    demuxer.Feed(p.data() + p.size() - 1, 1, &video);
    EXPECT_EQ(video, Payload(1, 100));
    EXPECT_EQ(demuxer.Pending(), 0u);
}

TEST(StreamKind, ProgramElementaryOrNeither) {
    const struct {
        Bytes bytes;
        MpegStreamKind kind;
    } cases[] = {
        {{0, 0, 1, 0xBA, 0x21}, kMpegProgram},
        {{0, 0, 0, 0, 1, 0xBA}, kMpegProgram},
        {{0, 0, 1, 0xB3, 0x04}, kMpegElementary},
        {{0, 0, 1, 0xB8}, kMpegUnknown},
        {{0, 1, 0xBA}, kMpegUnknown},
        {{'R', 'I', 'F', 'F'}, kMpegUnknown},
        {{0, 0, 1}, kMpegUnknown},
        {{}, kMpegUnknown},
    };
    for (const auto &c : cases) EXPECT_EQ(DetectMpegStream(c.bytes.data(), c.bytes.size()), c.kind);
}

}  // namespace
