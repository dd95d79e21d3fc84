// GYmpeg.dll: MPEG-1 and MPEG-2 frames as bitmap files, decoded by libmpeg2
// (cross-built from Debian's sources), program streams demultiplexed by
// mpegdemux.cpp.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <inttypes.h>
#include <mpeg2dec/mpeg2.h>
#include <mpeg2dec/mpeg2convert.h>
}

#include "common/files_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gympeg.h"
#include "conversion/bmpfile.h"
#include "conversion/sources.h"
#include "libs/gympeg/mpegdemux.h"

namespace {

const UINT kProgressPosition = 40;  // the progress window's command: move the bar to lParam
const DWORD kReadChunk = 256 * 1024;

struct DecoderDeleter {
    void operator()(mpeg2dec_t *d) const { mpeg2_close(d); }
};
typedef std::unique_ptr<mpeg2dec_t, DecoderDeleter> DecoderPtr;

class FrameExtractor {
public:
    FrameExtractor(const std::string &path, HWND progress)
        : path_(path), progress_(progress), temp_(TempFolder()), base_(BaseName(path)) {}
    ~FrameExtractor() {
        if (!succeeded_)
            for (const std::string &f : written_) DeleteFileA(f.c_str());
    }
    int Run();

private:
    bool Decode(const uint8_t *begin, const uint8_t *end);
    bool SaveFrame();
    void Report(ULONGLONG done, ULONGLONG total);

    std::string path_;
    HWND progress_;
    std::string temp_, base_;
    DecoderPtr decoder_;
    const mpeg2_info_t *info_ = nullptr;
    int frames_ = 0, lastPercent_ = -1, stride_ = 0;
    bool failed_ = false, full_ = false, succeeded_ = false;
    std::vector<std::string> written_;
};

void FrameExtractor::Report(ULONGLONG done, ULONGLONG total) {
    int percent = total ? (int)(done * 100 / total) : 100;
    if (percent == lastPercent_ || !progress_ || !IsWindow(progress_)) return;
    lastPercent_ = percent;
    SendMessageA(progress_, WM_COMMAND, kProgressPosition, percent);
}

bool FrameExtractor::SaveFrame() {
    const mpeg2_sequence_t *seq = info_->sequence;
    if (!seq || !info_->display_fbuf || !info_->display_fbuf->buf[0] || stride_ <= 0) return true;
    if (frames_ >= kMpegMaxFrames) {
        full_ = true;
        return true;
    }
    std::string own = MpegFrameBitmap(temp_, base_, frames_), shared = AniFrameBitmap(temp_, frames_);
    if (own.empty() || shared.empty()) return false;
    // The decoder's pictures are whole macroblocks; the clip's picture is the top-left part.
    uint32_t width = seq->picture_width ? seq->picture_width : seq->width;
    uint32_t height = seq->picture_height ? seq->picture_height : seq->height;
    if (width > seq->width) width = seq->width;
    if (height > seq->height) height = seq->height;
    std::vector<uint8_t> bmp = BuildBmp24File(width, height, info_->display_fbuf->buf[0], (size_t)stride_);
    written_.push_back(own);
    if (bmp.empty() || !WriteWholeFile(own, bmp)) return false;
    // The second name is a second link to the same file where the file
    // system has them, else a copy.
    DeleteFileA(shared.c_str());
    written_.push_back(shared);
    if (!CreateHardLinkA(shared.c_str(), own.c_str(), nullptr) && !WriteWholeFile(shared, bmp)) return false;
    ++frames_;
    return true;
}

// Gives the decoder [begin, end) and saves every picture it finishes.
bool FrameExtractor::Decode(const uint8_t *begin, const uint8_t *end) {
    mpeg2_buffer(decoder_.get(), const_cast<uint8_t *>(begin), const_cast<uint8_t *>(end));
    for (;;) {
        mpeg2_state_t state = mpeg2_parse(decoder_.get());
        switch (state) {
        case STATE_BUFFER: return true;
        case STATE_SEQUENCE: {
            const mpeg2_sequence_t *seq = info_->sequence;
            if ((unsigned long long)seq->width * seq->height > kMpegMaxFramePixels) return false;
            mpeg2_convert(decoder_.get(), mpeg2convert_bgr24, nullptr);
            stride_ = mpeg2_stride(decoder_.get(), (int)seq->width * 3);
            break;
        }
        case STATE_SLICE:
        case STATE_END:
        case STATE_INVALID_END:
            if (!SaveFrame()) return false;
            if (full_) return true;
            break;
        default: break;
        }
    }
}

int FrameExtractor::Run() {
    UniqueFile file(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return 0;
    // The decoder's plain C routines: its MMX picture transforms assume the
    // calling conventions of other systems and fault in 64-bit Windows
    // programs. The choice holds for the process (the first call sets it).
    mpeg2_accel(0);
    decoder_.reset(mpeg2_init());
    if (!decoder_) return 0;
    info_ = mpeg2_info(decoder_.get());

    std::vector<uint8_t> chunk(kReadChunk), video;
    ProgramStreamDemuxer demuxer;
    MpegStreamKind kind = kMpegUnknown;
    ULONGLONG done = 0;
    Report(0, (ULONGLONG)size.QuadPart);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), kReadChunk, &got, nullptr)) return 0;
        if (got == 0) break;
        done += got;
        if (kind == kMpegUnknown) {
            // The kind is told by the opening bytes, all in the first chunk.
            kind = DetectMpegStream(chunk.data(), got);
            if (kind == kMpegUnknown) return 0;
        }
        const uint8_t *begin = chunk.data(), *end = chunk.data() + got;
        if (kind == kMpegProgram) {
            video.clear();
            demuxer.Feed(chunk.data(), got, &video);
            begin = video.data();
            end = video.data() + video.size();
        }
        if (begin != end && !Decode(begin, end)) return 0;
        if (full_) break;
        Report(done, (ULONGLONG)size.QuadPart);
    }
    // A sequence end code makes the decoder give the last picture it holds.
    static const uint8_t kSequenceEnd[] = {0, 0, 1, 0xB7};
    if (!full_ && !Decode(kSequenceEnd, kSequenceEnd + sizeof kSequenceEnd)) return 0;
    Report(1, 1);
    succeeded_ = frames_ > 0;
    return frames_;
}

}  // namespace

extern "C" int WINAPI ExtractMpegFrames(const char *path, HWND progress) {
    if (!path || !*path) return 0;
    try {
        FrameExtractor extractor(path, progress);
        return extractor.Run();
    } catch (...) {
        return 0;  // nothing crosses the library's boundary; the extractor removed its files
    }
}
