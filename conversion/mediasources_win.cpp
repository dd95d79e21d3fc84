#include "conversion/mediasources_win.h"

#include <cstdio>

#include "common/handles.h"
#include "contracts/gydib.h"
#include "contracts/gympeg.h"
#include "contracts/qcrw.h"
#include "conversion/imagelib_win.h"
#include "conversion/sources.h"

namespace {

// A block of Qcrw's, freed by the library's own call.
class RawBlob {
public:
    explicit RawBlob(FreeRawBlobProc release) : release_(release) {}
    ~RawBlob() {
        if (data && release_) release_(data);
    }
    RawBlob(const RawBlob &) = delete;
    RawBlob &operator=(const RawBlob &) = delete;
    BYTE *data = nullptr;

private:
    FreeRawBlobProc release_;
};

FARPROC Ordinal(HMODULE module, int ordinal) { return GetProcAddress(module, MAKEINTRESOURCEA(ordinal)); }

}  // namespace

int ExtractClipFrames(const std::string &clip, HWND progress) {
    UniqueModule library(LoadLibraryA("GYmpeg.dll"));
    if (!library) return 0;
    ExtractMpegFramesProc extract = (ExtractMpegFramesProc)Ordinal(library.get(), 1);
    if (!extract) return 0;
    int frames = extract(clip.c_str(), progress);
    return frames > 0 ? frames : 0;
}

ImagePtr ReadRawPicture(const std::string &path, ExceptionInfo *e) {
    int entry = RawDecoderEntry(path);
    UniqueModule library(entry ? LoadLibraryA("Qcrw.dll") : nullptr);
    FreeRawBlobProc release = library ? (FreeRawBlobProc)GetProcAddress(library.get(), "FreeRawBlob") : nullptr;
    FARPROC decode = library ? Ordinal(library.get(), entry) : nullptr;
    if (!decode || !release) {
        ThrowException(e, MissingDelegateError, "the camera raw decoder Qcrw.dll is missing", path.c_str());
        return ImagePtr();
    }
    RawBlob blob(release);
    LONG length;
    if (entry == 1) {
        const char *argv[] = {"Glyphery", "-h", path.c_str(), nullptr};
        length = ((DecodeRawPictureProc)decode)(3, argv, &blob.data);
    } else {
        length = ((DecodeRawPathProc)decode)(path.c_str(), 0, &blob.data);
    }
    if (length <= 0 || !blob.data) {
        ThrowException(e, CorruptImageError, "not a camera raw picture the decoder reads", path.c_str());
        return ImagePtr();
    }
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    snprintf(info->magick, sizeof info->magick, "%s", blob.data[0] == 'P' ? "PNM" : "JPG");
    ImagePtr picture(BlobToImage(info.get(), blob.data, (size_t)length, e));
    if (picture) SetFileName(picture->filename, path);
    return picture;
}

bool WriteAnimatedCursor(const std::vector<std::string> &frames, const std::string &path, int rate,
                         const std::string &title, const std::string &author) {
    if (frames.empty() || path.empty()) return false;
    // SaveANI reads the frame paths from the list box 1398 of the window it is given.
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!host) return false;
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 0, 0, host, (HMENU)(INT_PTR)1398, nullptr, nullptr);
    bool ok = list != nullptr;
    for (size_t i = 0; ok && i < frames.size(); ++i)
        ok = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)frames[i].c_str()) >= 0;
    if (ok) ok = SaveANI(host, path.c_str(), (int)frames.size(), rate, title.c_str(), author.c_str()) != FALSE;
    DestroyWindow(host);
    return ok && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
