#include "libs/gympeg/mpegdemux.h"

#include "common/bytereader.h"

namespace {

const size_t kResync = (size_t)-1;

bool StartCodeAt(const uint8_t *p, size_t size, size_t pos) {
    return pos <= size && size - pos >= 3 && p[pos] == 0 && p[pos + 1] == 0 && p[pos + 2] == 1;
}

}  // namespace

MpegStreamKind DetectMpegStream(const uint8_t *data, size_t size) {
    size_t pos = 0;
    while (pos < size && data[pos] == 0) ++pos;
    // At least two zero bytes, then 01 and the code.
    if (pos < 2 || size - pos < 2 || data[pos] != 1) return kMpegUnknown;
    switch (data[pos + 1]) {
    case 0xBA: return kMpegProgram;
    case 0xB3: return kMpegElementary;
    default: return kMpegUnknown;
    }
}

size_t ProgramStreamDemuxer::UnitLength(size_t pos) const {
    ByteReader r(pending_.data(), pending_.size());
    if (!r.Has(pos, 4)) return 0;
    uint8_t code = pending_[pos + 3];
    if (code == 0xB9) return 4;  // end of the program stream
    if (code == 0xBA) {
        if (!r.Has(pos, 5)) return 0;
        uint8_t mark = pending_[pos + 4];
        if ((mark & 0xC0) == 0x40) {  // MPEG-2 pack header: 14 bytes and up to 7 of stuffing
            if (!r.Has(pos, 14)) return 0;
            return 14 + (pending_[pos + 13] & 7);
        }
        if ((mark & 0xF0) == 0x20) return 12;  // MPEG-1 pack header
        return kResync;
    }
    if (code < 0xBB) return kResync;  // a video start code outside any packet
    // System header, stream map and every packet: a 16-bit length follows the code.
    if (!r.Has(pos, 6)) return 0;
    return 6 + ((size_t)pending_[pos + 4] << 8 | pending_[pos + 5]);
}

void ProgramStreamDemuxer::TakePayload(size_t pos, size_t length, std::vector<uint8_t> *video) {
    const uint8_t *p = pending_.data() + pos;
    int id = p[3];
    if (id < 0xE0 || id > 0xEF) return;
    if (videoId_ < 0) videoId_ = id;
    if (id != videoId_) return;
    size_t q = 6;
    if (q < length && (p[q] & 0xC0) == 0x80) {
        // MPEG-2 packet header: two flag bytes, then its own length.
        if (length - q < 3) return;
        q += 3 + p[q + 2];
    } else {
        // MPEG-1 packet header: stuffing, buffer size, time stamps.
        for (int stuffing = 0; q < length && p[q] == 0xFF && stuffing < 16; ++stuffing) ++q;
        if (q < length && (p[q] & 0xC0) == 0x40) q += 2;
        if (q < length) {
            if ((p[q] & 0xF0) == 0x20) q += 5;
            else if ((p[q] & 0xF0) == 0x30) q += 10;
            else if (p[q] == 0x0F) q += 1;
            else return;  // no valid header: the packet is dropped
        }
    }
    if (q >= length) return;
    video->insert(video->end(), p + q, p + length);
}

void ProgramStreamDemuxer::Feed(const uint8_t *data, size_t size, std::vector<uint8_t> *video) {
    pending_.insert(pending_.end(), data, data + size);
    size_t pos = 0;
    for (;;) {
        // Find the next start code from pos.
        while (pos < pending_.size() && !StartCodeAt(pending_.data(), pending_.size(), pos)) {
            if (pending_.size() - pos < 3) break;
            ++pos;
        }
        if (!StartCodeAt(pending_.data(), pending_.size(), pos)) break;
        size_t length = UnitLength(pos);
        if (length == 0) break;  // wait for more bytes
        if (length == kResync) {
            pos += 3;
            continue;
        }
        if (pending_.size() - pos < length) break;
        TakePayload(pos, length, video);
        pos += length;
    }
    // Keep what is not consumed: a partial unit, or the last bytes that may begin a start code.
    if (pos > pending_.size()) pos = pending_.size();
    pending_.erase(pending_.begin(), pending_.begin() + (long)pos);
}
