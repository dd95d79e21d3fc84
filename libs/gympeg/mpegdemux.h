// The video of an MPEG clip as the decoder takes it. A program stream
// (MPEG-1 system stream or MPEG-2 program stream: packs of packets) carries
// the video in the payloads of its video packets; an elementary stream is
// the video itself. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum MpegStreamKind {
    kMpegUnknown,     // not (yet) recognised
    kMpegProgram,     // starts with a pack header (00 00 01 BA)
    kMpegElementary,  // starts with a sequence header (00 00 01 B3)
};

// The kind of a clip from its first bytes (zero bytes before the first
// start code are allowed). kMpegUnknown also when too few bytes are given.
MpegStreamKind DetectMpegStream(const uint8_t *data, size_t size);

// Takes a program stream in pieces of any size and gives the payload bytes
// of its first video stream (ids E0 to EF; the first one met is kept), in
// order. Packets of other streams, padding and system headers are skipped;
// bytes that do not start a packet are skipped up to the next start code.
class ProgramStreamDemuxer {
public:
    // Appends the payload of every packet completed by `data` to *video.
    void Feed(const uint8_t *data, size_t size, std::vector<uint8_t> *video);
    // The video stream id, or -1 before a video packet was met.
    int VideoStream() const { return videoId_; }
    // Bytes held for a packet not complete yet (at most one packet).
    size_t Pending() const { return pending_.size(); }

private:
    // Length of the unit at pending_[pos], 0 when more bytes are needed, or
    // kResync when it is no unit.
    size_t UnitLength(size_t pos) const;
    void TakePayload(size_t pos, size_t length, std::vector<uint8_t> *video);

    std::vector<uint8_t> pending_;
    int videoId_ = -1;
};
