// Icon, cursor and animated cursor file images built in code, with
// distinctive values, for the tests of the icon resources. Portable.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/bytereader.h"
#include "iconlib/icofile.h"
#include "iconres/anifile.h"

struct FixtureImage {
    uint32_t size;       // width and height
    uint32_t bits;       // 1, 4, 8, 24 or 32
    uint32_t colour;     // 0x00RRGGBB of every pixel (24/32 bits), or palette entry 1
    uint16_t hotX = 0, hotY = 0;  // cursor files only
};

// A .ico (cursor == false) or .cur file image with the given images, every
// pixel of a colour image set to its colour and the mask fully opaque.
inline std::vector<uint8_t> MakeIconFile(const std::vector<FixtureImage> &images, bool cursor = false) {
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<uint8_t> setBytes(8 + sizeof(IconImageRecord) * (images.empty() ? 1 : images.size()), 0);
    IconSet *set = (IconSet *)setBytes.data();
    set->count = (uint32_t)images.size();
    blocks.reserve(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const FixtureImage &f = images[i];
        IconBlockLayout l;
        ComputeIconBlockLayout(f.size, f.size, f.bits, &l);
        blocks.emplace_back(l.blockSize, 0);
        uint8_t *b = blocks.back().data();
        WriteBlockHeader(b, f.size, f.size, f.bits);
        if (l.colorEntries) {
            PutU32(b + 40 + 4, f.colour);  // entry 1; every pixel uses it
            for (uint32_t y = 0; y < f.size; ++y)
                for (uint32_t x = 0; x < f.size; ++x) {
                    uint8_t *row = b + l.colorOffset + y * l.colorRowBytes;
                    if (f.bits == 1) row[x / 8] |= 0x80 >> (x % 8);
                    if (f.bits == 4) row[x / 2] |= (x % 2) ? 0x01 : 0x10;
                    if (f.bits == 8) row[x] = 1;
                }
        } else {
            uint32_t bpp = f.bits / 8;
            for (uint32_t y = 0; y < f.size; ++y)
                for (uint32_t x = 0; x < f.size; ++x) {
                    uint8_t *p = b + l.colorOffset + y * l.colorRowBytes + x * bpp;
                    p[0] = (uint8_t)f.colour;
                    p[1] = (uint8_t)(f.colour >> 8);
                    p[2] = (uint8_t)(f.colour >> 16);
                    if (bpp == 4) p[3] = 0xFF;
                }
        }
        IconImageRecord &rec = set->images[i];
        rec.width = rec.height = f.size;
        rec.bitDepth = f.bits;
        BindRecordToBlock(&rec, b, l);
    }
    std::vector<uint8_t> file;
    WriteIconSet(set, cursor ? kCursorType : kIconType, [&](const void *data, uint32_t len) {
        const uint8_t *p = (const uint8_t *)data;
        file.insert(file.end(), p, p + len);
        return true;
    });
    if (cursor)
        for (size_t i = 0; i < images.size(); ++i) {
            PutU16(&file[6 + 16 * i + 4], images[i].hotX);
            PutU16(&file[6 + 16 * i + 6], images[i].hotY);
        }
    return file;
}

// A one-image 32 x 32 32-bit icon of one colour.
inline std::vector<uint8_t> SolidIcon(uint32_t colour) { return MakeIconFile({{32, 32, colour}}); }

inline std::vector<uint8_t> Table(const std::vector<uint32_t> &values) {
    std::vector<uint8_t> b(4 * values.size());
    for (size_t i = 0; i < values.size(); ++i) PutU32(&b[4 * i], values[i]);
    return b;
}

inline AniHeader IconFlagHeader(uint32_t frames, uint32_t steps, uint32_t rate) {
    AniHeader h;
    h.headerSize = kAniHeaderSize;
    h.frames = frames;
    h.steps = steps;
    h.rate = rate;
    h.flags = kAniFlagIcon;
    return h;
}

// Chunk by chunk assembly of an .ani file, in any order and with any values;
// Finish() wraps the chunks in "RIFF" size form-type.
struct AniAssembler {
    std::vector<uint8_t> body;
    std::vector<size_t> boundaries;  // offsets in the finished file where a chunk ends
    AniAssembler &Header(const AniHeader &h) {
        std::vector<uint8_t> b = AniHeaderBytes(h);
        return Chunk("anih", b);
    }
    AniAssembler &Chunk(const char id[4], const std::vector<uint8_t> &data) {
        AppendRiffChunk(&body, id, data.data(), data.size());
        boundaries.push_back(12 + body.size());
        return *this;
    }
    AniAssembler &Frames(const std::vector<std::vector<uint8_t>> &frames) {
        std::vector<uint8_t> sub;
        for (const auto &f : frames) AppendRiffChunk(&sub, "icon", f.data(), f.size());
        AppendRiffList(&body, "fram", sub);
        boundaries.push_back(12 + body.size());
        return *this;
    }
    AniAssembler &Info(const std::string &title, const std::string &author) {
        std::vector<uint8_t> sub;
        AppendRiffChunk(&sub, "INAM", title.c_str(), title.size() + 1);
        AppendRiffChunk(&sub, "IART", author.c_str(), author.size() + 1);
        AppendRiffList(&body, "INFO", sub);
        boundaries.push_back(12 + body.size());
        return *this;
    }
    std::vector<uint8_t> Finish(const char form[4] = "ACON") const {
        std::vector<uint8_t> f(12 + body.size());
        memcpy(&f[0], "RIFF", 4);
        PutU32(&f[4], (uint32_t)(body.size() + 4));
        memcpy(&f[8], form, 4);
        if (!body.empty()) memcpy(&f[12], body.data(), body.size());
        return f;
    }
};
