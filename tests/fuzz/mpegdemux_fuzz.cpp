// The program-stream demultiplexer on arbitrary bytes fed in arbitrary
// pieces: the video it gives is never more than it was fed, the same
// whatever the pieces, and it never holds more than one packet.
#include <cstdint>
#include <vector>

#include "libs/gympeg/mpegdemux.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    size_t piece = 1 + data[0] % 97;
    ++data;
    --size;
    ProgramStreamDemuxer whole, pieces;
    std::vector<uint8_t> a, b;
    whole.Feed(data, size, &a);
    for (size_t at = 0; at < size; at += piece) pieces.Feed(data + at, size - at < piece ? size - at : piece, &b);
    if (a != b) __builtin_trap();
    if (a.size() > size) __builtin_trap();
    if (whole.Pending() > 6 + 65535 + 3) __builtin_trap();
    (void)DetectMpegStream(data, size);
    return 0;
}
