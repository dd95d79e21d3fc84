#include "anifile.h"

#include <cstring>

#include "common/bytereader.h"

namespace {

bool IdIs(const uint8_t *p, const char *id) { return memcmp(p, id, 4) == 0; }

bool Refuse(std::string *error, const std::string &why) {
    *error = why;
    return false;
}

// A chunk or sub-chunk found by a walk: its id and where its data lies.
struct Chunk {
    const uint8_t *id;
    size_t data;   // offset of the data
    uint32_t size; // data bytes, without the pad byte
};

// Reads the text of an "INAM" or "IART" sub-chunk: at most kAniTextMax
// bytes, cut at the first NUL.
std::string ChunkText(const uint8_t *data, const Chunk &c) {
    size_t n = c.size < kAniTextMax ? c.size : kAniTextMax;
    const uint8_t *p = data + c.data;
    size_t len = 0;
    while (len < n && p[len] != 0) ++len;
    return std::string((const char *)p, len);
}

// Walks the sub-chunks of a list's data [begin, end). Every sub-chunk must lie
// inside the list; 1 to 7 trailing bytes are ignored.
template <typename Visit>
bool WalkSubChunks(const uint8_t *data, size_t begin, size_t end, std::string *error, bool *padMissing, Visit visit) {
    size_t pos = begin;
    while (end - pos >= 8) {
        Chunk c{data + pos, pos + 8, ByteReader::PeekU32(data + pos + 4)};
        if (c.size > end - pos - 8)
            return Refuse(error, "sub-chunk '" + std::string((const char *)c.id, 4) + "' is larger than its list");
        if (!visit(c)) return false;
        size_t padded = (size_t)c.size + (c.size & 1);
        if (padded > end - pos - 8) {  // the last pad byte may be missing
            if (padMissing) *padMissing = true;
            break;
        }
        pos += 8 + padded;
    }
    return true;
}

}  // namespace

bool ParseAniFile(const uint8_t *data, size_t size, AniContents *out, std::string *error) {
    AniContents ani;
    if (size < 12 || !IdIs(data, "RIFF")) return Refuse(error, "not a RIFF file");
    if (!IdIs(data + 8, "ACON")) return Refuse(error, "RIFF form type is not ACON");

    bool haveHeader = false;
    Chunk rate{nullptr, 0, 0}, seq{nullptr, 0, 0};
    size_t pos = 12;
    // Chunks follow one another to the end of the file; a last chunk header
    // that cannot be read whole ends the walk.
    while (size - pos >= 8) {
        Chunk c{data + pos, pos + 8, ByteReader::PeekU32(data + pos + 4)};
        if (c.size > size - c.data) {
            // Skipping reads nothing: a chunk the reader does not read may
            // claim more than the file holds, and ends the walk.
            bool read = IdIs(c.id, "anih") || IdIs(c.id, "rate") || IdIs(c.id, "seq ") ||
                        (IdIs(c.id, "LIST") && size - c.data >= 4 &&
                         (IdIs(data + c.data, "fram") || IdIs(data + c.data, "INFO")));
            if (!read) break;
            return Refuse(error, "chunk '" + std::string((const char *)c.id, 4) + "' runs past the end of the file");
        }
        if (IdIs(c.id, "anih")) {
            if (haveHeader) return Refuse(error, "more than one 'anih' header");
            if (c.size < kAniHeaderSize) return Refuse(error, "'anih' header is too short");
            ByteReader r(data + c.data, c.size);
            AniHeader &h = ani.header;
            h.headerSize = r.U32();
            h.frames = r.U32();
            h.steps = r.U32();
            h.width = r.U32();
            h.height = r.U32();
            h.bitCount = r.U32();
            h.planes = r.U32();
            h.rate = r.U32();
            h.flags = r.U32();
            if (h.frames == 0) return Refuse(error, "'anih' declares no frame");
            if (!(h.flags & kAniFlagIcon)) return Refuse(error, "frames are not icon or cursor images (flags bit 0 clear)");
            if (h.steps > kAniMaxSteps) return Refuse(error, "'anih' declares more steps than any animated cursor has");
            haveHeader = true;
        } else if (IdIs(c.id, "rate")) {
            rate = c;
        } else if (IdIs(c.id, "seq ")) {
            seq = c;
        } else if (IdIs(c.id, "LIST")) {
            if (c.size < 4) return Refuse(error, "'LIST' is shorter than its type");
            const uint8_t *type = data + c.data;
            size_t begin = c.data + 4, end = c.data + c.size;
            bool ok = true;
            if (IdIs(type, "fram")) {
                ok = WalkSubChunks(data, begin, end, error, &ani.padMissing, [&](const Chunk &s) {
                    if (!IdIs(s.id, "icon")) return true;
                    if (ani.frames.size() == kAniMaxFrames)
                        return Refuse(error, "more frames than any animated cursor has");
                    ani.frames.push_back(AniFrame{s.data, s.size});
                    return true;
                });
            } else if (IdIs(type, "INFO")) {
                ok = WalkSubChunks(data, begin, end, error, &ani.padMissing, [&](const Chunk &s) {
                    if (IdIs(s.id, "INAM")) ani.title = ChunkText(data, s);
                    if (IdIs(s.id, "IART")) ani.author = ChunkText(data, s);
                    return true;
                });
            }
            if (!ok) return false;
        }
        size_t padded = (size_t)c.size + (c.size & 1);
        if (padded > size - c.data) {  // a missing last pad byte ends the file
            ani.padMissing = true;
            break;
        }
        pos = c.data + padded;
    }

    // Apply the tables now that the header is known: none is read or written
    // outside the step count, and every step must show a frame that was read.
    if (!haveHeader) return Refuse(error, "no 'anih' header");
    if (ani.frames.empty()) return Refuse(error, "no frame ('icon' in a 'fram' list)");
    // No step declared: each frame once, in file order, at the default rate.
    const bool framesAsSteps = ani.header.steps == 0;
    if (framesAsSteps) rate.id = seq.id = nullptr;
    const uint32_t steps = framesAsSteps ? (uint32_t)ani.frames.size() : ani.header.steps;
    if (rate.id && rate.size / 4 < steps) return Refuse(error, "'rate' holds fewer entries than steps");
    if (seq.id && seq.size / 4 < steps) return Refuse(error, "'seq ' holds fewer entries than steps");
    if (!seq.id && steps > ani.frames.size()) return Refuse(error, "a step shows a frame that was not read");
    // Each table is now backed by file data (or by the frames read), so the
    // step count is bounded by the file size before anything is allocated.
    ani.rates.assign(steps, ani.header.rate);
    ani.sequence.resize(steps);
    for (uint32_t s = 0; s < steps; ++s) {
        if (rate.id) ani.rates[s] = ByteReader::PeekU32(data + rate.data + 4 * (size_t)s);
        ani.sequence[s] = seq.id ? ByteReader::PeekU32(data + seq.data + 4 * (size_t)s) : s;
        if (ani.sequence[s] >= ani.frames.size())
            return Refuse(error, "step " + std::to_string(s) + " shows frame " + std::to_string(ani.sequence[s]) +
                                     ", which was not read");
    }
    ani.hasRate = rate.id != nullptr;
    ani.hasSequence = seq.id != nullptr;
    ani.rateEntries = rate.size / 4;
    ani.sequenceEntries = seq.size / 4;
    *out = std::move(ani);
    return true;
}

void AppendRiffChunk(std::vector<uint8_t> *out, const char id[4], const void *data, size_t size) {
    uint8_t head[8];
    memcpy(head, id, 4);
    PutU32(head + 4, (uint32_t)size);
    out->insert(out->end(), head, head + 8);
    const uint8_t *p = (const uint8_t *)data;
    if (size) out->insert(out->end(), p, p + size);
    if (size & 1) out->push_back(0);
}

void AppendRiffList(std::vector<uint8_t> *out, const char type[4], const std::vector<uint8_t> &subChunks) {
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), subChunks.begin(), subChunks.end());
    AppendRiffChunk(out, "LIST", body.data(), body.size());
}

std::vector<uint8_t> AniHeaderBytes(const AniHeader &h) {
    const uint32_t fields[9] = {h.headerSize, h.frames, h.steps, h.width, h.height, h.bitCount, h.planes, h.rate, h.flags};
    std::vector<uint8_t> bytes(sizeof fields);
    for (int i = 0; i < 9; ++i) PutU32(&bytes[4 * i], fields[i]);
    return bytes;
}

static std::vector<uint8_t> TableBytes(const std::vector<uint32_t> &table) {
    std::vector<uint8_t> bytes(4 * table.size());
    for (size_t i = 0; i < table.size(); ++i) PutU32(&bytes[4 * i], table[i]);
    return bytes;
}

std::vector<uint8_t> BuildAniFile(const AniWriteSpec &spec) {
    std::vector<uint8_t> body;  // everything after "RIFF" and its size
    const char form[4] = {'A', 'C', 'O', 'N'};
    body.insert(body.end(), form, form + 4);

    AniHeader h;
    h.headerSize = kAniHeaderSize;
    h.frames = (uint32_t)spec.frames.size();
    h.steps = spec.sequence.empty() ? h.frames : (uint32_t)spec.sequence.size();
    h.rate = spec.rate;
    h.flags = kAniFlagIcon | (spec.sequence.empty() ? 0 : kAniFlagSequence);
    std::vector<uint8_t> header = AniHeaderBytes(h);
    AppendRiffChunk(&body, "anih", header.data(), header.size());

    if (!spec.title.empty() || !spec.author.empty()) {
        std::vector<uint8_t> info;
        if (!spec.title.empty()) AppendRiffChunk(&info, "INAM", spec.title.c_str(), spec.title.size() + 1);
        if (!spec.author.empty()) AppendRiffChunk(&info, "IART", spec.author.c_str(), spec.author.size() + 1);
        AppendRiffList(&body, "INFO", info);
    }
    if (!spec.rates.empty()) {
        std::vector<uint8_t> t = TableBytes(spec.rates);
        AppendRiffChunk(&body, "rate", t.data(), t.size());
    }
    if (!spec.sequence.empty()) {
        std::vector<uint8_t> t = TableBytes(spec.sequence);
        AppendRiffChunk(&body, "seq ", t.data(), t.size());
    }
    std::vector<uint8_t> frames;
    for (const std::vector<uint8_t> &f : spec.frames) AppendRiffChunk(&frames, "icon", f.data(), f.size());
    AppendRiffList(&body, "fram", frames);

    std::vector<uint8_t> file;
    AppendRiffChunk(&file, "RIFF", body.data(), body.size());
    return file;
}
