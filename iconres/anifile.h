// The animated cursor (.ani) file: a RIFF file of form type "ACON" holding an
// "anih" header, optional "rate" and "seq " tables, the frames as complete
// .ico/.cur file images in a "fram" list, and a title and author in an
// "INFO" list. Reading (every rule, every refusal) and writing. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

const uint32_t kAniHeaderSize = 36;      // nine 32-bit fields
const uint32_t kAniFlagIcon = 1;         // frames are .ico/.cur file images
const uint32_t kAniFlagSequence = 2;     // the file has a "seq " chunk
const size_t kAniTextMax = 80;           // bytes kept of a title or author
const uint32_t kAniDefaultSpeed = 5;     // jiffies (1/60 s) stored for a speed of 0
// Far above any animated cursor anyone draws (a few hundred frames at most),
// low enough that a crafted file cannot make the reader store, write or list
// millions of items.
const uint32_t kAniMaxFrames = 1024;
const uint32_t kAniMaxSteps = 8192;

// The "anih" chunk, field for field.
struct AniHeader {
    uint32_t headerSize = 0;
    uint32_t frames = 0;     // as declared; the frames actually read count
    uint32_t steps = 0;
    uint32_t width = 0, height = 0, bitCount = 0, planes = 0;
    uint32_t rate = 0;       // default display time of a step, jiffies
    uint32_t flags = 0;
};

// One frame: where its file image lies in the .ani data.
struct AniFrame {
    size_t offset = 0;
    uint32_t size = 0;
};

// A file as the reader accepts it. rates and sequence hold one entry per
// step: header.steps entries, or one per frame read when the header declares
// no step; every sequence entry names a frame that was read.
struct AniContents {
    AniHeader header;
    std::vector<AniFrame> frames;
    std::vector<uint32_t> rates;     // jiffies per step
    std::vector<uint32_t> sequence;  // frame index per step
    bool hasRate = false, hasSequence = false;
    uint32_t rateEntries = 0, sequenceEntries = 0;  // as stored (may exceed the steps)
    bool padMissing = false;         // an odd-sized last chunk without its pad byte
    std::string title, author;       // at most kAniTextMax bytes, cut at a NUL
};

// Walks the file. Chunks may come in any order (the tables and frames are
// applied once the whole file has been walked). A chunk the reader only
// skips (an unknown id, a list of another type than "fram" or "INFO") may
// run past the end of the file: it ends the walk, as the platform's loader
// takes such files. A header declaring no step shows each frame once, in
// file order (the rate and sequence tables then have no entry to give).
// A read chunk whose data runs past the end of the file, a second "anih", a
// short "anih", "rate" or "seq ", a list shorter than its type, a sub-chunk
// larger than its list, flags bit 0 clear, no frame, more than kAniMaxFrames
// frames or kAniMaxSteps steps, or a step naming a frame that was not read
// refuse the file with a short reason in *error.
bool ParseAniFile(const uint8_t *data, size_t size, AniContents *out, std::string *error);

// --- Writing -------------------------------------------------------------

// Appends one chunk: id, 32-bit size, data and a pad byte when size is odd.
void AppendRiffChunk(std::vector<uint8_t> *out, const char id[4], const void *data, size_t size);
// Appends a "LIST" chunk of the given type around already-built sub-chunks.
void AppendRiffList(std::vector<uint8_t> *out, const char type[4], const std::vector<uint8_t> &subChunks);
// The nine fields of an "anih" chunk's data, little-endian.
std::vector<uint8_t> AniHeaderBytes(const AniHeader &h);

struct AniWriteSpec {
    std::vector<std::vector<uint8_t>> frames;  // complete .ico/.cur file images
    uint32_t rate = 0;                         // default rate, jiffies
    std::vector<uint32_t> rates;               // per step; empty: no "rate" chunk
    std::vector<uint32_t> sequence;            // per step; empty: no "seq " chunk, one step per frame
    std::string title, author;                 // empty: not written
};

// RIFF ACON with, in this order: "anih" (flags: icon frames, and the
// sequence flag when a "seq " chunk is written), a "LIST"
// "INFO" with "INAM" and "IART" (each text with its terminating NUL), "rate",
// "seq ", and the frames as "icon" sub-chunks of a "LIST" "fram", every
// payload padded to an even length. The RIFF size counts everything after it.
std::vector<uint8_t> BuildAniFile(const AniWriteSpec &spec);
