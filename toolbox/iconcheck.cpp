#include "toolbox/iconcheck.h"

#include <algorithm>

#include "common/bytereader.h"
#include "iconlib/icofile.h"

namespace {

struct CodeInfo {
    const char *name;
    FindingLevel level;
};

// Errors: the platform refuses the file or the image. Warnings: it reads
// them, but not as the file says, or not everywhere. Notes: worth knowing,
// nothing to mend.
const CodeInfo kCodes[kFindCodeCount] = {
    {"not-icon-file", kLevelError},
    {"no-images", kLevelError},
    {"image-outside-file", kLevelError},
    {"image-overlaps-directory", kLevelError},
    {"images-overlap", kLevelError},
    {"bad-image-header", kLevelError},
    {"entry-size-mismatch", kLevelWarning},
    {"entry-bits-mismatch", kLevelWarning},
    {"entry-colors-mismatch", kLevelWarning},
    {"png-image", kLevelWarning},
    {"missing-usual-sizes", kLevelNote},
    {"alpha-all-zero", kLevelNote},
    {"alpha-mask-mismatch", kLevelWarning},
    {"hotspot-outside", kLevelWarning},
    {"unused-bytes", kLevelWarning},
    {"duplicate-format", kLevelWarning},
    {"ani-refused", kLevelError},
    {"ani-frame-count", kLevelWarning},
    {"ani-table-length", kLevelWarning},
    {"ani-sequence-flag", kLevelWarning},
    {"ani-zero-rate", kLevelWarning},
    {"ani-unused-frame", kLevelWarning},
    {"ani-missing-pad", kLevelWarning},
};

void Add(std::vector<Finding> *out, FindingCode code, int frame, int image, int64_t a = 0, int64_t b = 0,
         const std::string &detail = std::string()) {
    Finding f;
    f.code = code;
    f.level = kCodes[code].level;
    f.frame = frame;
    f.image = image;
    f.a = a;
    f.b = b;
    f.detail = detail;
    out->push_back(f);
}

bool InsideFile(const IconDirEntry &e, size_t size) { return e.bytes != 0 && e.offset <= size && e.bytes <= size - e.offset; }

// A directory's width or height byte: 0 stands for 256.
int DirectorySide(uint8_t v) { return v ? v : 256; }

// The 32-bit image's alpha against its mask: all alpha zero (the platform
// then draws with the mask alone), or pixels that the mask calls
// transparent but alpha fully opaque, and the other way round.
void CheckAlpha(const uint8_t *block, const IconImageInfo &info, int frame, int image, std::vector<Finding> *out) {
    bool anyAlpha = false;
    int64_t disagree = 0;
    for (int y = 0; y < info.height; ++y) {
        const uint8_t *row = block + info.colorOffset + info.colorRowBytes * (size_t)(info.height - 1 - y);
        for (int x = 0; x < info.width; ++x) {
            uint8_t alpha = row[4 * (size_t)x + 3];
            if (alpha) anyAlpha = true;
            if (!info.hasMask) continue;
            const uint8_t *mask = block + info.maskOffset;
            bool transparent = (mask[MaskByteIndex(info.width, info.height, x, y)] & MaskBitValue(x)) != 0;
            if ((transparent && alpha == 255) || (!transparent && alpha == 0)) ++disagree;
        }
    }
    if (!anyAlpha)
        Add(out, kFindAlphaAllZero, frame, image);
    else if (disagree)
        Add(out, kFindAlphaMask, frame, image, disagree);
}

}  // namespace

const char *FindingCodeName(FindingCode code) { return code < kFindCodeCount ? kCodes[code].name : "unknown"; }
FindingLevel FindingCodeLevel(FindingCode code) { return code < kFindCodeCount ? kCodes[code].level : kLevelError; }

void CheckIconFile(const uint8_t *data, size_t size, int frame, std::vector<Finding> *out) {
    IconFileDirectory dir;
    std::string error;
    if (!ReadIconDirectory(data, size, &dir, &error)) {
        Add(out, kFindNotIconFile, frame, -1, 0, 0, error);
        return;
    }
    if (dir.entries.empty()) {
        Add(out, kFindNoImages, frame, -1);
        return;
    }
    const bool cursor = dir.type == kCursorType;
    const size_t directoryEnd = kIconFileHeaderSize + kIconDirEntrySize * dir.entries.size();
    bool allInside = true;
    std::vector<int> sideOf(dir.entries.size(), 0);
    for (size_t i = 0; i < dir.entries.size(); ++i) {
        const IconDirEntry &e = dir.entries[i];
        const int n = (int)i;
        if (e.width == e.height) sideOf[i] = DirectorySide(e.width);  // until the header says otherwise
        if (!InsideFile(e, size)) {
            Add(out, kFindImageOutside, frame, n, e.offset, e.bytes);
            allInside = false;
            continue;
        }
        if (e.offset < directoryEnd) Add(out, kFindImageOverlapsDirectory, frame, n, e.offset);
        IconImageInfo info;
        if (!ParseIconImage(data + e.offset, e.bytes, &info, &error)) {
            Add(out, kFindBadImageHeader, frame, n, 0, 0, error);
            continue;
        }
        if (info.png) Add(out, kFindPngImage, frame, n);
        if (info.width > 0) {
            int dw = DirectorySide(e.width), dh = DirectorySide(e.height);
            if (dw != info.width || dh != info.height)
                Add(out, kFindEntrySize, frame, n, ((int64_t)dw << 16) | dh, ((int64_t)info.width << 16) | info.height);
            sideOf[i] = info.width == info.height ? info.width : 0;
        }
        if (!cursor) {
            // In an icon directory the planes and bit count may be 0 (the
            // platform then reads the header); anything else must agree. A
            // PNG's directory depth is what it is shown at, not its own.
            if (!info.png && e.bitCount && info.bitCount && e.bitCount != info.bitCount)
                Add(out, kFindEntryBits, frame, n, e.bitCount, info.bitCount);
        } else if (info.width > 0 && (e.planes >= info.width || e.bitCount >= info.height)) {
            Add(out, kFindHotspotOutside, frame, n, e.planes, e.bitCount);
        }
        if (!info.png && info.bitCount) {
            int expected = info.bitCount < 8 ? 1 << info.bitCount : 0;
            if (e.colorCount && e.colorCount != expected) Add(out, kFindEntryColors, frame, n, e.colorCount, expected);
        }
        for (size_t j = 0; j < i; ++j) {
            const IconDirEntry &o = dir.entries[j];
            if (o.width == e.width && o.height == e.height && InsideFile(o, size)) {
                IconImageInfo oi;
                std::string ignored;
                if (ParseIconImage(data + o.offset, o.bytes, &oi, &ignored) && oi.bitCount == info.bitCount &&
                    oi.png == info.png) {
                    Add(out, kFindDuplicateFormat, frame, n, (int64_t)j);
                    break;
                }
            }
        }
        if (!info.png && info.bitCount == 32) CheckAlpha(data + e.offset, info, frame, n, out);
    }

    // Where the images lie: in file order, no two sharing bytes, and no byte
    // of the file that no image uses (a writer's stray padding or leftovers).
    if (allInside) {
        std::vector<size_t> order(dir.entries.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
            return dir.entries[x].offset < dir.entries[y].offset ||
                   (dir.entries[x].offset == dir.entries[y].offset && x < y);
        });
        size_t end = directoryEnd, unused = 0, firstUnused = 0;
        for (size_t k = 0; k < order.size(); ++k) {
            const IconDirEntry &e = dir.entries[order[k]];
            if (k > 0) {
                const IconDirEntry &prev = dir.entries[order[k - 1]];
                if (e.offset < (size_t)prev.offset + prev.bytes)
                    Add(out, kFindImagesOverlap, frame, (int)order[k], (int64_t)order[k - 1]);
            }
            if (e.offset > end) {
                if (!unused) firstUnused = end;
                unused += e.offset - end;
            }
            end = std::max(end, (size_t)e.offset + e.bytes);
        }
        if (size > end) {
            if (!unused) firstUnused = end;
            unused += size - end;
        }
        if (unused) Add(out, kFindUnusedBytes, frame, -1, (int64_t)unused, (int64_t)firstUnused);
    }

    // The sizes the shell asks for most (small and large icons, the large
    // view, and the 256 pixels of newer systems).
    if (!cursor) {
        static const int kUsual[] = {16, 32, 48, 256};
        std::string missing;
        for (int side : kUsual)
            if (std::find(sideOf.begin(), sideOf.end(), side) == sideOf.end())
                missing += (missing.empty() ? "" : ", ") + std::to_string(side);
        if (!missing.empty()) Add(out, kFindMissingSizes, frame, -1, 0, 0, missing);
    }
}

void CheckAniFile(const uint8_t *data, size_t size, std::vector<Finding> *out) {
    AniContents ani;
    std::string error;
    if (!ParseAniFile(data, size, &ani, &error)) {
        Add(out, kFindAniRefused, -1, -1, 0, 0, error);
        return;
    }
    const uint32_t steps = ani.header.steps;
    if (ani.header.frames != ani.frames.size()) Add(out, kFindAniFrameCount, -1, -1, ani.header.frames, ani.frames.size());
    if (ani.hasRate && ani.rateEntries != steps) Add(out, kFindAniTableLength, -1, -1, ani.rateEntries, steps, "rate");
    if (ani.hasSequence && ani.sequenceEntries != steps)
        Add(out, kFindAniTableLength, -1, -1, ani.sequenceEntries, steps, "seq ");
    bool flag = (ani.header.flags & kAniFlagSequence) != 0;
    if (ani.hasSequence != flag) Add(out, kFindAniSequenceFlag, -1, -1, ani.hasSequence ? 1 : 0);
    for (uint32_t s = 0; s < steps; ++s)
        if (ani.rates[s] == 0) Add(out, kFindAniZeroRate, -1, -1, s);
    std::vector<bool> shown(ani.frames.size(), false);
    for (uint32_t f : ani.sequence) shown[f] = true;
    for (size_t f = 0; f < shown.size(); ++f)
        if (!shown[f]) Add(out, kFindAniUnusedFrame, -1, -1, (int64_t)f);
    if (ani.padMissing) Add(out, kFindAniMissingPad, -1, -1);
    for (size_t f = 0; f < ani.frames.size(); ++f)
        CheckIconFile(data + ani.frames[f].offset, ani.frames[f].size, (int)f, out);
}

int CheckExitCode(const std::vector<Finding> &findings) {
    int worst = 0;
    for (const Finding &f : findings) worst = std::max(worst, (int)f.level);
    return worst;
}

bool SummarizeIconFile(const uint8_t *data, size_t size, std::vector<ImageSummary> *out, std::string *error) {
    IconFileDirectory dir;
    if (!ReadIconDirectory(data, size, &dir, error)) return false;
    out->clear();
    for (const IconDirEntry &e : dir.entries) {
        ImageSummary s;
        s.width = DirectorySide(e.width);
        s.height = DirectorySide(e.height);
        s.bits = dir.type == kIconType ? e.bitCount : 0;
        s.bytes = e.bytes;
        s.cursor = dir.type == kCursorType;
        if (s.cursor) {
            s.hotspotX = e.planes;
            s.hotspotY = e.bitCount;
        }
        IconImageInfo info;
        std::string ignored;
        if (InsideFile(e, size) && ParseIconImage(data + e.offset, e.bytes, &info, &ignored)) {
            s.png = info.png;
            if (info.width > 0) {
                s.width = info.width;
                s.height = info.height;
            }
            if (info.bitCount) s.bits = info.bitCount;
        }
        out->push_back(s);
    }
    return true;
}
