// Qcrw.dll: camera raw pictures through LibRaw (cross-built from Debian's
// sources), handed back as binary PNM files in memory.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include <libraw/libraw.h>

#include "contracts/qcrw.h"
#include "libs/qcrw/rawargs.h"

namespace {

struct ProcessedImageDeleter {
    void operator()(libraw_processed_image_t *image) const { LibRaw::dcraw_clear_mem(image); }
};

// The picture of a raw file as 8-bit sRGB, white balance as the camera shot
// it, in a block of the process heap. 0 when the decoder refuses the file.
LONG Decode(const std::string &path, bool halfSize, BYTE **blob) {
    if (!blob) return 0;
    *blob = nullptr;
    if (path.empty()) return 0;
    std::unique_ptr<LibRaw> raw(new LibRaw(LIBRAW_OPTIONS_NONE));
    libraw_output_params_t &params = raw->imgdata.params;
    params.half_size = halfSize ? 1 : 0;
    params.use_camera_wb = 1;
    params.output_bps = 8;
    params.output_color = 1;  // sRGB
    if (raw->open_file(path.c_str()) != LIBRAW_SUCCESS) return 0;
    const libraw_image_sizes_t &sizes = raw->imgdata.sizes;
    if (sizes.raw_width == 0 || sizes.raw_height == 0 ||
        (unsigned long long)sizes.raw_width * sizes.raw_height > kRawMaxPixels)
        return 0;
    if (raw->unpack() != LIBRAW_SUCCESS || raw->dcraw_process() != LIBRAW_SUCCESS) return 0;
    int error = 0;
    std::unique_ptr<libraw_processed_image_t, ProcessedImageDeleter> image(raw->dcraw_make_mem_image(&error));
    if (!image || error != LIBRAW_SUCCESS || image->type != LIBRAW_IMAGE_BITMAP || image->bits != 8) return 0;
    std::string header = PnmHeader(image->colors, image->width, image->height);
    unsigned long long pixels = (unsigned long long)image->width * image->height * image->colors;
    if (header.empty() || pixels != image->data_size || header.size() + pixels > 0x7FFFFFFFull) return 0;
    size_t length = header.size() + (size_t)pixels;
    BYTE *block = (BYTE *)HeapAlloc(GetProcessHeap(), 0, length);
    if (!block) return 0;
    memcpy(block, header.data(), header.size());
    memcpy(block + header.size(), image->data, (size_t)pixels);
    *blob = block;
    return (LONG)length;
}

// Whatever the decoder throws stays here: the caller sees a refusal.
template <typename Call>
LONG Guarded(BYTE **blob, Call call) {
    try {
        return call();
    } catch (...) {
        if (blob && *blob) {
            HeapFree(GetProcessHeap(), 0, *blob);
            *blob = nullptr;
        }
        return 0;
    }
}

}  // namespace

extern "C" LONG WINAPI DecodeRawPicture(int argc, const char *const *argv, BYTE **blob) {
    return Guarded(blob, [&] {
        RawDecodeOptions options = ParseRawArguments(argc, argv);
        return Decode(options.path, options.halfSize, blob);
    });
}

extern "C" LONG WINAPI DecodeWbzPicture(const char *path, int, BYTE **blob) {
    return Guarded(blob, [&] { return Decode(path ? path : "", false, blob); });
}

extern "C" LONG WINAPI DecodeWb1Picture(const char *path, int, BYTE **blob) {
    return Guarded(blob, [&] { return Decode(path ? path : "", false, blob); });
}

extern "C" void WINAPI FreeRawBlob(BYTE *blob) {
    if (blob) HeapFree(GetProcessHeap(), 0, blob);
}
