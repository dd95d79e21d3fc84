// The host side of the filter protocol. The callbacks a plug-in calls carry
// no context, so the run in progress is module state: one run at a time,
// on the thread that started it (the suite's programs have one thread).
#include "libs/qplugin/filterhost_win.h"

#include <cstring>
#include <memory>

#include "libs/qplugin/tiles.h"

namespace {

// What a plug-in may hold at once in buffers and handles, and the largest tile.
const int32_t kMaxSpace = 256 << 20;
const size_t kMaxTileBytes = 64u << 20;
// The block the filter record lives in: larger than the record, so that a
// plug-in reading fields of a later interface version reads zeros.
const size_t kRecordBlock = 4096;

struct Block {
    char *data = nullptr;  // first: a handle dereferenced gives the block
    std::vector<char> bytes;
};

struct FilterRun {
    // Tiles are read from the picture as it was and written to the result,
    // so a tile's border never holds pixels an earlier tile filtered.
    std::vector<uint8_t> source;
    std::vector<uint8_t> *picture = nullptr;
    int width = 0, height = 0;
    PIFilterRecord *record = nullptr;
    std::vector<uint8_t> in, out;
    // The output tile handed out and not yet written back.
    bool pending = false;
    TileRect pendingRect = {0, 0, 0, 0};
    int pendingLo = 0, pendingHi = 0;
    size_t pendingRowBytes = 0;
    std::vector<std::unique_ptr<Block>> blocks;  // buffers and handles, freed with the run
    int32_t used = 0;
};

FilterRun *g_run = nullptr;

TileRect RectOf(const PIRect &r) { return TileRect{r.top, r.left, r.bottom, r.right}; }

Block *NewBlock(int32_t size) {
    if (!g_run || size < 0 || size > kMaxSpace - g_run->used) return nullptr;
    std::unique_ptr<Block> b(new Block);
    b->bytes.resize((size_t)size + 1);
    b->data = b->bytes.data();
    g_run->used += size;
    g_run->blocks.push_back(std::move(b));
    return g_run->blocks.back().get();
}

void DropBlock(void *block) {
    if (!g_run || !block) return;
    for (size_t i = 0; i < g_run->blocks.size(); ++i) {
        if (g_run->blocks[i].get() == block) {
            g_run->used -= (int32_t)(g_run->blocks[i]->bytes.size() - 1);
            g_run->blocks.erase(g_run->blocks.begin() + (ptrdiff_t)i);
            return;
        }
    }
}

bool Owned(void *block) {
    if (!g_run || !block) return false;
    for (const auto &b : g_run->blocks)
        if (b.get() == block) return true;
    return false;
}

// Buffer suite.
PIErr AllocateBuffer(int32_t size, PIBufferID *id) {
    Block *b = NewBlock(size);
    if (id) *id = (PIBufferID)b;
    return b ? kPINoErr : kPIMemFull;
}
void *LockBuffer(PIBufferID id, PIBoolean) { return Owned(id) ? ((Block *)id)->data : nullptr; }
void UnlockBuffer(PIBufferID) {}
void FreeBuffer(PIBufferID id) { DropBlock(id); }
int32_t BufferSpace() { return g_run ? kMaxSpace - g_run->used : 0; }

// Handle suite.
PIHandle NewHandle(int32_t size) { return (PIHandle)NewBlock(size); }
void DisposeHandle(PIHandle h) { DropBlock(h); }
int32_t HandleSize(PIHandle h) { return Owned(h) ? (int32_t)(((Block *)h)->bytes.size() - 1) : 0; }
PIErr SetHandleSize(PIHandle h, int32_t size) {
    if (!Owned(h) || size < 0) return kPIFilterBadParameters;
    Block *b = (Block *)h;
    int32_t old = (int32_t)(b->bytes.size() - 1);
    if (size > old && size - old > kMaxSpace - g_run->used) return kPIMemFull;
    b->bytes.resize((size_t)size + 1);
    b->data = b->bytes.data();
    g_run->used += size - old;
    return kPINoErr;
}
void *LockHandle(PIHandle h, PIBoolean) { return Owned(h) ? ((Block *)h)->data : nullptr; }
void UnlockHandle(PIHandle) {}
void RecoverSpace(int32_t) {}

PIBoolean TestAbort() { return 0; }
void Progress(int32_t, int32_t) {}

void WriteBack(FilterRun *run) {
    if (!run->pending) return;
    WriteTile(run->picture->data(), run->width, run->height, run->pendingRect, run->pendingLo, run->pendingHi,
              run->out.data(), run->pendingRowBytes);
    run->pending = false;
}

// Hands the plug-in the tiles its record asks for.
PIErr Deliver(FilterRun *run) {
    PIFilterRecord *r = run->record;
    r->inData = r->outData = nullptr;
    r->inRowBytes = r->outRowBytes = 0;
    TileRect in = RectOf(r->inRect), out = RectOf(r->outRect);
    if (!TileEmpty(in)) {
        size_t rowBytes = 0, bytes = TileBytes(in, r->inLoPlane, r->inHiPlane, kMaxTileBytes, &rowBytes);
        if (!bytes) return kPIFilterBadParameters;
        run->in.assign(bytes, 0);
        if (!ReadTile(run->source.data(), run->width, run->height, in, r->inLoPlane, r->inHiPlane,
                      r->inputPadding, run->in.data(), rowBytes))
            return kPIFilterBadParameters;
        r->inData = run->in.data();
        r->inRowBytes = (int32_t)rowBytes;
        r->inColumnBytes = r->inHiPlane - r->inLoPlane + 1;
        r->inPlaneBytes = 1;
    }
    if (!TileEmpty(out)) {
        size_t rowBytes = 0, bytes = TileBytes(out, r->outLoPlane, r->outHiPlane, kMaxTileBytes, &rowBytes);
        if (!bytes) return kPIFilterBadParameters;
        run->out.assign(bytes, 0);
        // The output tile starts as the picture's pixels there (edges
        // replicated where it reaches beyond the picture).
        ReadTile(run->picture->data(), run->width, run->height, out, r->outLoPlane, r->outHiPlane,
                 kPIPadEdgeReplication, run->out.data(), rowBytes);
        r->outData = run->out.data();
        r->outRowBytes = (int32_t)rowBytes;
        r->outColumnBytes = r->outHiPlane - r->outLoPlane + 1;
        r->outPlaneBytes = 1;
        run->pending = true;
        run->pendingRect = out;
        run->pendingLo = r->outLoPlane;
        run->pendingHi = r->outHiPlane;
        run->pendingRowBytes = rowBytes;
    }
    return kPINoErr;
}

bool Asking(const PIFilterRecord &r) { return !TileEmpty(RectOf(r.inRect)) || !TileEmpty(RectOf(r.outRect)); }

// A plug-in may ask for its next tiles before returning: what it wrote goes
// back into the picture and the buffers now hold the rectangles it set.
PIErr AdvanceState() {
    if (!g_run) return kPIFilterBadParameters;
    WriteBack(g_run);
    return Deliver(g_run);
}

struct RunScope {
    explicit RunScope(FilterRun *run) { g_run = run; }
    ~RunScope() { g_run = nullptr; }
};

}  // namespace

bool RunFilter(PIFilterEntry entry, HWND owner, std::vector<uint8_t> *picture, int width, int height) {
    if (!entry || width <= 0 || height <= 0 || width > 30000 || height > 30000 ||
        picture->size() != (size_t)width * height * 3)
        return false;
    FilterRun run;
    run.source = *picture;
    run.picture = picture;
    run.width = width;
    run.height = height;
    RunScope scope(&run);

    std::vector<uint64_t> block(kRecordBlock / sizeof(uint64_t), 0);
    PIFilterRecord *r = (PIFilterRecord *)block.data();
    run.record = r;
    PIBufferProcs buffers = {2, 5, AllocateBuffer, LockBuffer, UnlockBuffer, FreeBuffer, BufferSpace};
    PIHandleProcs handles = {1, 8, NewHandle, DisposeHandle, HandleSize, SetHandleSize,
                             LockHandle, UnlockHandle, RecoverSpace, DisposeHandle};
    PIPlatformData platform = {(intptr_t)owner};
    r->abortProc = TestAbort;
    r->progressProc = Progress;
    r->imageSize.v = (int16_t)height;
    r->imageSize.h = (int16_t)width;
    r->planes = 3;
    r->filterRect = PIRect{0, 0, (int16_t)height, (int16_t)width};
    r->background = PIRGBColor{0xFFFF, 0xFFFF, 0xFFFF};
    r->foreground = PIRGBColor{0, 0, 0};
    memset(r->backColor, 0xFF, 3);
    r->maxSpace = kMaxSpace;
    r->bufferSpace = kMaxSpace;
    r->hostSig = PI_FOURCC('G', 'L', 'Y', 'P');
    r->imageMode = kPIModeRGBColor;
    r->imageHRes = r->imageVRes = 72 << 16;
    r->wholeSize = r->imageSize;
    r->monitor.gamma = (PIFixed)(1.8 * 65536);
    r->platformData = &platform;
    r->bufferProcs = &buffers;
    r->handleProcs = &handles;
    r->filterCase = kPIFilterCaseFlatImageNoSelection;
    r->advanceState = AdvanceState;
    r->supportsPadding = 1;
    r->inputPadding = r->outputPadding = r->maskPadding = kPIPadErrorOnBounds;
    r->inputRate = r->maskRate = 1 << 16;
    r->inNonLayerPlanes = r->outNonLayerPlanes = r->absNonLayerPlanes = 3;

    intptr_t data = 0;
    int16_t result = 0;
    entry(kPIFilterParameters, r, &data, &result);
    if (result != kPINoErr) return false;
    entry(kPIFilterPrepare, r, &data, &result);
    if (result != kPINoErr) return false;
    entry(kPIFilterStart, r, &data, &result);
    if (result != kPINoErr) return false;
    WriteBack(&run);
    // A plug-in moves on by changing its rectangles; one that keeps asking
    // for ever is stopped: no honest tiling needs more calls than pixels.
    size_t calls = 0, maxCalls = (size_t)width * height + 1024;
    while (Asking(*r)) {
        if (++calls > maxCalls) return false;
        if (Deliver(&run) != kPINoErr) return false;
        entry(kPIFilterContinue, r, &data, &result);
        if (result != kPINoErr) return false;
        WriteBack(&run);
    }
    entry(kPIFilterFinish, r, &data, &result);
    return result == kPINoErr;
}
