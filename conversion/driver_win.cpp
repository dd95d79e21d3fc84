#include "conversion/driver_win.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <new>

#include "common/codepage_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gygraph.h"
#include "conversion/formatpanel_win.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "conversion/mediasources_win.h"
#include "conversion/outputguard_win.h"
#include "conversion/picture_alpha_win.h"
#include "conversion/progress_win.h"
#include "conversion/readsize.h"
#include "conversion/render_args.h"
#include "conversion/sources.h"
#include "iconlib/colortable_win.h"
#include "iconlib/hotspot.h"
#include "iconlib/iconlib.h"
#include "shell/settings.h"

namespace {

// The library's messages name files in UTF-8; the suite's texts are ANSI.
std::string ReasonOf(const ExceptionInfo *e) {
    std::string text;
    if (e->reason) text = e->reason;
    if (e->description) text += std::string(text.empty() ? "" : " (") + e->description + (text.empty() ? "" : ")");
    return Utf8ToAnsi(text);
}

// The picture of a source: the first image the library reads from it (the
// composite of a layered file, the first frame of an animation), at most
// kReadBoundPixels large (readsize.h). The header is read first: a picture
// too large to convert is refused before any pixel is decoded, and a larger
// one is decoded at a reduced scale where its decoder can (JPEG), then
// resized to the bound. With `fastLargest` (the largest image's side, fast
// path) a JPEG is decoded at the smallest of its scales that still holds
// twice that on both sides.
ImagePtr ReadSource(ImageInfo *info, const std::string &path, ExceptionInfo *e, int fastLargest) {
    if (ClassifySource(path) == kRawSource) {
        // The raw decoder gives the picture at half its size; a larger one is brought to the bound.
        ImagePtr picture = ReadRawPicture(path, e);
        if (picture && BeyondReadBound(picture->columns, picture->rows)) {
            ReadSize size = PlanRead(picture->columns, picture->rows);
            if (size.plan != kReadReduced) {
                ThrowException(e, ResourceLimitError, "the picture is too large", path.c_str());
                return ImagePtr();
            }
            ImagePtr smaller(ResizeImage(picture.get(), size.width, size.height, UndefinedFilter, 1.0, e));
            picture = std::move(smaller);
        }
        return picture;
    }
    SetFileName(info->filename, path);
    ReadSize size;
    size.plan = kReadWhole;
    ExceptionPtr pingException(AcquireExceptionInfo());
    ImagePtr header(PingImage(info, pingException.get()));
    {
        // A picture the header pass cannot take is read as it is: the reader
        // then says why it fails, within the library's own limits.
        if (header) size = PlanRead(header->columns, header->rows);
        if (size.plan == kRefuseTooLarge) {
            char text[160];
            snprintf(text, sizeof text, "%lu x %lu pixels; at most %lu pixels and %lu on a side",
                     (unsigned long)header->columns, (unsigned long)header->rows, (unsigned long)kMaxPicturePixels,
                     (unsigned long)kMaxPictureSide);
            ThrowException(e, ResourceLimitError, "the picture is too large", text);
            return ImagePtr();
        }
    }
    uint32_t hintWidth = size.hintWidth, hintHeight = size.hintHeight;
    bool scaled = size.plan == kReadReduced;
    if (fastLargest > 0 && header && size.plan != kRefuseTooLarge &&
        FastDecodeHint(header->columns, header->rows, (uint32_t)fastLargest, &hintWidth, &hintHeight))
        scaled = true;
    ImageInfoPtr reduced;
    if (scaled) {
        reduced.reset(CloneImageInfo(info));
        char hint[64];
        snprintf(hint, sizeof hint, "%ux%u", (unsigned)hintWidth, (unsigned)hintHeight);
        SetImageOption(reduced.get(), "jpeg:size", hint);
    }
    ImagePtr picture(ReadImage(reduced ? reduced.get() : info, e));
    if (picture && picture->next) {
        Image *rest = picture->next;
        picture->next = nullptr;
        rest->previous = nullptr;
        DestroyImageList(rest);
    }
    if (picture && size.plan == kReadReduced && BeyondReadBound(picture->columns, picture->rows)) {
        // The library's default filter for the size change, as "-resize" takes it.
        ImagePtr smaller(ResizeImage(picture.get(), size.width, size.height, UndefinedFilter, 1.0, e));
        picture = std::move(smaller);
    }
    return picture;
}

}  // namespace

Image *ReadPicture(const std::string &path, int fastLargest, std::string *reason) {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr picture = ReadSource(info.get(), path, e.get(), fastLargest);
    if (!picture && reason) *reason = ReasonOf(e.get());
    return picture.release();
}

namespace {

bool Mogrify(ImageInfo *info, ImagePtr *image, const std::vector<std::string> &args, ExceptionInfo *e) {
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    Image *raw = image->release();
    MagickBooleanType ok = MogrifyImage(info, (int)argv.size(), argv.data(), &raw, e);
    image->reset(raw);
    return ok != MagickFalse && raw != nullptr;
}

// The colour reduction of one format ("-monochrome", "-colors N"), over the
// colours that show: a picture's transparent pixels take no part in it, and
// its alpha comes through unchanged.
bool ReduceColours(ImageInfo *info, ImagePtr *image, const std::vector<std::string> &reduction, ExceptionInfo *e) {
    Image *rawAside = nullptr;
    bool ok = SetAlphaAside(image->get(), &rawAside, e);
    ImagePtr aside(rawAside);
    if (ok) ok = Mogrify(info, image, reduction, e);
    if (ok && aside) ok = PutAlphaBack(image->get(), aside.get());
    return ok;
}

bool WritePicture(ImageInfo *info, Image *image, const std::string &name) {
    // The name as it is: the library would read "%d" or "%[...]" in a file
    // name as a pattern and write another file than saveICON looks for.
    SetImageOption(info, "filename:literal", "true");
    SetFileName(info->filename, name);
    SetFileName(image->filename, name);
    return WriteImage(info, image) != MagickFalse;
}


// True when the file exists and was written after `before` (or did not exist then).
struct FileStamp {
    bool exists = false;
    FILETIME written = {0, 0};
};
FileStamp StampOf(const std::string &path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        stamp.exists = true;
        stamp.written = data.ftLastWriteTime;
    }
    return stamp;
}
bool WrittenSince(const std::string &path, const FileStamp &before) {
    FileStamp after = StampOf(path);
    if (!after.exists) return false;
    return !before.exists || CompareFileTime(&after.written, &before.written) != 0;
}

// The text saveICON takes beside its other arguments: a cursor's hot spot
// when one is given, else nothing.
std::string SaveIconText(const ConversionRequest &request) {
    return request.hasHotspot ? HotspotText(request.hotspotX, request.hotspotY) : std::string();
}

// The colour tables saveICON gives 1-, 4- and 8-bit images, read once per
// conversion on the calling thread (they come from GDI) for the fast path.
struct ColourTables {
    RGBQUAD mono[2], sixteen[16], halftone[256];
    void Load() {
        StandardColorTable(1, mono);
        StandardColorTable(4, sixteen);
        StandardColorTable(8, halftone);
    }
    const RGBQUAD *For(int bits, size_t *count) const {
        *count = bits == 1 ? 2 : bits == 4 ? 16 : 256;
        return bits == 1 ? mono : bits == 4 ? sixteen : halftone;
    }
};

// Gives every pixel of `picture` the nearest colour of `table` (least
// squared distance in red, green and blue; the first entry on a tie), which
// saveICON's own mapping then keeps as it is. No dithering: each pixel
// takes the entry with the least error. The alpha is left as it is.
bool MapToTable(Image *picture, const RGBQUAD *table, size_t count, ExceptionInfo *e) {
    if (SetImageStorageClass(picture, DirectClass) == MagickFalse) return false;
    const double toByte = 255.0 / QuantumRange;
    for (size_t y = 0; y < picture->rows; ++y) {
        PixelPacket *row = GetAuthenticPixels(picture, 0, (ssize_t)y, picture->columns, 1, e);
        if (!row) return false;
        for (size_t x = 0; x < picture->columns; ++x) {
            int r = (int)(row[x].red * toByte + 0.5), g = (int)(row[x].green * toByte + 0.5),
                b = (int)(row[x].blue * toByte + 0.5);
            size_t best = 0;
            int bestDistance = INT_MAX;
            for (size_t i = 0; i < count && bestDistance; ++i) {
                int dr = r - table[i].rgbRed, dg = g - table[i].rgbGreen, db = b - table[i].rgbBlue;
                int distance = dr * dr + dg * dg + db * db;
                if (distance < bestDistance) bestDistance = distance, best = i;
            }
            // 255 divides the quantum's range: the table's colours are exact.
            const Quantum step = (Quantum)(QuantumRange / 255);
            row[x].red = (Quantum)(table[best].rgbRed * step);
            row[x].green = (Quantum)(table[best].rgbGreen * step);
            row[x].blue = (Quantum)(table[best].rgbBlue * step);
        }
        if (!SyncAuthenticPixels(picture, e)) return false;
    }
    return true;
}

// The rendered bitmaps of one source: saveICON deletes those it takes, and
// whatever is left when the source ends (a failure, a thrown exception) goes
// with this owner.
struct RenderedFiles {
    std::vector<std::string> files;
    ~RenderedFiles() {
        for (const std::string &file : files) DeleteFileA(file.c_str());
    }
};

// One source's conversion, in two steps: Render (the image library's work,
// on whichever thread converts it) and Finish (saveICON and the last
// reports, on the caller's thread, in source order).
struct SourceWork {
    std::string source, base;
    SourceResult result;
    RenderedFiles rendered;
    bool refused = false;      // not converted: only SourceStarted and its result are reported
    bool skipped = false;      // an MPEG clip without frames: only its result is reported
    int frames = 0;            // an MPEG clip's frames, extracted by Render, converted by Finish
    bool threw = false;        // its conversion threw: nothing more is reported
    bool save = false;         // its bitmaps are rendered: saveICON makes the file
    std::vector<FileIdentity> files;  // what it writes, for the sources after it
};

SourceResult NotConverted(const std::string &source, SourceOutcome outcome, const std::string &detail) {
    SourceResult result;
    result.source = source;
    result.outcome = outcome;
    result.detail = detail;
    return result;
}

class SourceConverter {
public:
    SourceConverter(const ConversionRequest &request, const ColourTables &tables)
        : request_(request), tables_(tables) {}

    // The first step of a source. Whatever it throws stays inside it.
    void Render(SourceWork *work, ConversionProgress *progress);
    // The second: on the calling thread, after the sources before it.
    void Finish(SourceWork *work, ConversionProgress *progress);

private:
    void RenderGuarded(SourceWork *work, ConversionProgress *progress);
    bool RenderFormats(const std::string &path, const std::string &base, int frame,
                       std::vector<std::string> *written, SourceResult *result);
    bool RenderFormatsFast(const std::string &path, const std::string &base, int frame,
                           std::vector<std::string> *written, SourceResult *result);
    bool Render(const std::string &path, const std::string &base, int frame, std::vector<std::string> *written,
                SourceResult *result) {
        return request_.fast ? RenderFormatsFast(path, base, frame, written, result)
                             : RenderFormats(path, base, frame, written, result);
    }
    void SaveIconFile(SourceWork *work, int frame, int frames, ConversionProgress *progress);
    void FinishClipIcons(SourceWork *work, ConversionProgress *progress);
    void FinishClipAnimatedCursor(SourceWork *work, ConversionProgress *progress);
    bool FinishBitmap(ImageInfo *info, ImagePtr *picture, int size, const std::string &name,
                      std::vector<std::string> *written, SourceResult *result, ExceptionInfo *e);
    void MakeIconFile(SourceWork *work, ConversionProgress *progress);
    void MakeProfileImage(const std::string &path, const std::string &base, SourceResult *result);
    int FastLargest() const {
        int largest = 0;
        for (const FormatEntry &format : request_.formats) largest = std::max(largest, format.size);
        return request_.kind == kCreateProfile ? 48 : largest;
    }

    const ConversionRequest &request_;
    const ColourTables &tables_;
};

// A bitmap that could not be made: the library's reason, or the file's name.
void BitmapNotWritten(SourceResult *result, ExceptionInfo *e, const std::string &name) {
    result->outcome = kSourceNotWritten;
    result->detail = ReasonOf(e);
    if (result->detail.empty()) result->detail = "could not write " + FileOfRenderedName(name);
}

// The border that centres a picture kept in proportion, the alpha in the
// bitmap, and the bitmap written. False with the reason in *result.
bool SourceConverter::FinishBitmap(ImageInfo *info, ImagePtr *picture, int size, const std::string &name,
                                   std::vector<std::string> *written, SourceResult *result, ExceptionInfo *e) {
    bool ok = true;
    std::vector<std::string> border;
    if (request_.keepProportions && BorderArgs(size, (int)(*picture)->columns, (int)(*picture)->rows, &border)) {
        KeepAlphaUnderBorder(picture->get());
        ok = Mogrify(info, picture, border, e);
    }
    if (ok) {
        KeepAlphaInBitmap(info, picture->get());
        // Listed before it is written: a write that fails halfway leaves a file too.
        written->push_back(FileOfRenderedName(name));
        ok = WritePicture(info, picture->get(), name);
    }
    if (!ok) BitmapNotWritten(result, e, name);
    return ok;
}

// Renders one bitmap per format into the temporary folder. False (with the
// bitmaps already written removed) when the source cannot be read or a
// bitmap cannot be written: the remaining formats are skipped.
bool SourceConverter::RenderFormats(const std::string &path, const std::string &base, int frame,
                                    std::vector<std::string> *written, SourceResult *result) {
    std::string temp = TempFolder();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr sourceException(AcquireExceptionInfo());
    ImagePtr source;
    if (!request_.readEveryFormat) {
        source = ReadSource(info.get(), path, sourceException.get(), 0);
        if (!source) {
            result->outcome = kSourceUnreadable;
            result->detail = ReasonOf(sourceException.get());
            return false;
        }
    }
    // The colour reduction comes before the resize and works on the whole
    // picture: with a single read it is done once per kind of reduction and
    // the reduced picture copied for each size, then let go after the last
    // format that takes it.
    std::map<std::vector<std::string>, ImagePtr> reduced;
    std::map<std::vector<std::string>, size_t> lastUse;
    std::vector<std::vector<std::string>> reductions;
    for (const FormatEntry &format : request_.formats) {
        std::vector<std::string> args = RenderArgs(format.size, format.bits, request_.keepProportions);
        reductions.emplace_back(args.begin(), std::find(args.begin(), args.end(), "-resize"));
        lastUse[reductions.back()] = reductions.size() - 1;
    }
    for (size_t i = 0; i < request_.formats.size(); ++i) {
        const FormatEntry &format = request_.formats[i];
        std::string name = RenderedBitmapName(temp, base, frame, format.size, format.bits);
        if (name.empty()) {
            result->outcome = kSourceBadName;
            return false;
        }
        ExceptionPtr e(AcquireExceptionInfo());
        std::vector<std::string> args = RenderArgs(format.size, format.bits, request_.keepProportions);
        ImagePtr picture;
        bool ok = true;
        const std::vector<std::string> &reduction = reductions[i];
        args.erase(args.begin() + 1, args.begin() + (long)reduction.size());  // "Glyphery", "-resize", geometry
        if (source) {
            ImagePtr &colours = reduced[reduction];
            if (!colours) {
                colours.reset(CloneImage(source.get(), 0, 0, MagickTrue, e.get()));
                if (colours && reduction.size() > 1) ok = ReduceColours(info.get(), &colours, reduction, e.get());
                if (!ok) colours.reset();
            }
            if (colours && ok) picture.reset(CloneImage(colours.get(), 0, 0, MagickTrue, e.get()));
            if (lastUse[reduction] == i) colours.reset();
        } else {
            picture = ReadSource(info.get(), path, e.get(), 0);
            if (picture && reduction.size() > 1 && !ReduceColours(info.get(), &picture, reduction, e.get())) {
                picture.reset();
                ok = false;
            }
        }
        if (!picture) {
            result->outcome = ok ? kSourceUnreadable : kSourceNotWritten;
            result->detail = ReasonOf(e.get());
            return false;
        }
        ok = Mogrify(info.get(), &picture, args, e.get());
        if (!ok) {
            BitmapNotWritten(result, e.get(), name);
            return false;
        }
        if (!FinishBitmap(info.get(), &picture, format.size, name, written, result, e.get())) return false;
    }
    return true;
}

// The fast path: one scaled read, then per size one resize of it, and per
// format a reduction of that small picture to saveICON's own table.
bool SourceConverter::RenderFormatsFast(const std::string &path, const std::string &base, int frame,
                                        std::vector<std::string> *written, SourceResult *result) {
    std::string temp = TempFolder();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr sourceException(AcquireExceptionInfo());
    ImagePtr source = ReadSource(info.get(), path, sourceException.get(), FastLargest());
    if (!source) {
        result->outcome = kSourceUnreadable;
        result->detail = ReasonOf(sourceException.get());
        return false;
    }
    std::map<int, ImagePtr> resized;
    for (const FormatEntry &format : request_.formats) {
        std::string name = RenderedBitmapName(temp, base, frame, format.size, format.bits);
        if (name.empty()) {
            result->outcome = kSourceBadName;
            return false;
        }
        ExceptionPtr e(AcquireExceptionInfo());
        ImagePtr &sized = resized[format.size];
        bool ok = true;
        if (!sized) {
            // The resize of the exact path (the library's default filter, alpha weighed), without its reduction.
            std::vector<std::string> args = RenderArgs(format.size, 24, request_.keepProportions);
            sized.reset(CloneImage(source.get(), 0, 0, MagickTrue, e.get()));
            ok = sized && Mogrify(info.get(), &sized, args, e.get());
            if (!ok) sized.reset();
        }
        ImagePtr picture;
        if (sized) picture.reset(CloneImage(sized.get(), 0, 0, MagickTrue, e.get()));
        if (picture && (format.bits == 1 || format.bits == 4 || format.bits == 8)) {
            size_t count;
            const RGBQUAD *table = tables_.For(format.bits, &count);
            ok = MapToTable(picture.get(), table, count, e.get());
        }
        if (!picture || !ok) {
            BitmapNotWritten(result, e.get(), name);
            return false;
        }
        if (!FinishBitmap(info.get(), &picture, format.size, name, written, result, e.get())) return false;
    }
    return true;
}

// Steps up to saveICON: the status line and the rendered bitmaps.
void SourceConverter::MakeIconFile(SourceWork *work, ConversionProgress *progress) {
    progress->ShowStatusLine();
    const int frames = 1, frame = 0;  // a still picture is one frame
    progress->Status(FrameStatus(frame, frames));
    work->save = Render(work->source, work->base, -1, &work->rendered.files, &work->result);
}

// The 48 x 48 profile picture, sampled as the capture path does, written as
// a 24-bit bitmap <base>.bmp in the target folder.
void SourceConverter::MakeProfileImage(const std::string &path, const std::string &base, SourceResult *result) {
    std::string output = ProfileImagePath(request_.targetFolder, base);
    if (output.empty()) {
        result->outcome = kSourceBadName;
        return;
    }
    bool unreadable = false;
    if (WriteSampled48(path, output, request_.fast ? FastLargest() : 0, &unreadable, &result->detail)) {
        result->outputs.push_back(output);
        return;
    }
    result->outcome = unreadable ? kSourceUnreadable : kSourceNotWritten;
}

void SourceConverter::RenderGuarded(SourceWork *work, ConversionProgress *progress) {
    work->result.source = work->source;
    progress->SourceStarted(work->source);
    work->base = BaseName(work->source);
    if (ClassifySource(work->source) == kMpegSource && request_.kind != kCreateProfile) {
        // The frames are extracted here, converted by Finish. A clip without
        // one is skipped, without beep or status.
        work->frames = ExtractClipFrames(work->source, progress->ProgressBarWindow());
        if (work->frames == 0) {
            work->result.outcome = kSourceNoFrames;
            work->skipped = true;
        }
        return;
    }
    switch (request_.kind) {
    case kCreateIcon:
    case kCreateCursor: MakeIconFile(work, progress); break;
    case kCreateProfile: MakeProfileImage(work->source, work->base, &work->result); break;
    default: work->result.outcome = kSourceNothingToMake; break;  // animated cursors come from MPEG frames only
    }
}

// saveICON on the bitmaps rendered for one frame (-1: a still picture), and
// the output noted in the source's result.
void SourceConverter::SaveIconFile(SourceWork *work, int frame, int frames, ConversionProgress *progress) {
    progress->Status(FrameIconStatus(frame < 0 ? 0 : frame, frames));
    std::string output = OutputPath(request_.targetFolder, work->base, frame, request_.kind);
    if (output.empty()) {
        work->result.outcome = kSourceBadName;
        return;
    }
    FileStamp before = StampOf(output);
    saveICON(request_.owner, request_.transparent, request_.color, SaveIconText(request_).c_str(), output.c_str(),
             (int)request_.formats.size(), request_.formats.data());
    // saveICON reports nothing: whether the file was written is seen on disk.
    if (WrittenSince(output, before)) {
        work->result.outputs.push_back(output);
    } else {
        work->result.outcome = kSourceNotWritten;
        work->result.detail = "could not write " + output;
    }
    progress->FrameDone(frame < 0 ? 0 : frame);
}

// One icon or cursor per frame of a clip, numbered when there are several.
// A frame that cannot be converted gets no file; the others still do.
void SourceConverter::FinishClipIcons(SourceWork *work, ConversionProgress *progress) {
    std::string temp = TempFolder();
    progress->ShowStatusLine();
    SourceResult failure;
    for (int i = 0; i < work->frames; ++i) {
        progress->Status(FrameStatus(i, work->frames));
        int label = work->frames > 1 ? i : -1;  // a clip of one frame gives <base>.ico, as a picture does
        RenderedFiles rendered;
        SourceResult frameResult;
        std::string bitmap = MpegFrameBitmap(temp, work->base, i);
        bool ok = !bitmap.empty() && Render(bitmap, work->base, label, &rendered.files, &frameResult);
        DeleteFileA(AniFrameBitmap(temp, i).c_str());  // the animated cursors' name of the frame
        if (!ok) {
            if (failure.outcome == kSourceConverted) failure = frameResult;
            if (bitmap.empty()) failure.outcome = kSourceBadName;
            continue;
        }
        size_t before = work->result.outputs.size();
        SourceOutcome kept = work->result.outcome;
        SaveIconFile(work, label, work->frames, progress);
        if (work->result.outputs.size() == before && failure.outcome == kSourceConverted) failure = work->result;
        work->result.outcome = kept;
    }
    if (work->result.outputs.empty() && failure.outcome != kSourceConverted) {
        work->result.outcome = failure.outcome;
        work->result.detail = failure.detail;
    }
}

// Kind 3: each frame made a 32 x 32 icon "<temp>\GY<i>.ico", then the
// animated cursor made of them by the request's maker (or written at once).
void SourceConverter::FinishClipAnimatedCursor(SourceWork *work, ConversionProgress *progress) {
    const int kFrameSize = 32;
    std::string temp = TempFolder();
    progress->FrameDone(100);
    progress->FrameDone(0);
    progress->ShowStatusLine();
    AnimatedCursorFrames frames;
    frames.source = work->source;
    frames.frameCount = work->frames;
    frames.frameSize = kFrameSize;
    ImageInfoPtr info(AcquireImageInfo());
    for (int i = 0; i < work->frames; ++i) {
        std::string bitmap = AniFrameBitmap(temp, i), icon = AniFrameIcon(temp, i);
        if (icon.empty()) break;  // the folder leaves no room for the names
        // A frame that cannot be read has no icon, not one an earlier conversion left.
        DeleteFileA(icon.c_str());
        ExceptionPtr e(AcquireExceptionInfo());
        ImagePtr picture = bitmap.empty() ? ImagePtr() : ReadSource(info.get(), bitmap, e.get(), 0);
        if (picture) {
            ImagePtr small(ResizeImage(picture.get(), kFrameSize, kFrameSize, CubicFilter, 1.0, e.get()));
            if (small && WritePicture(info.get(), small.get(), "ICO:" + icon)) frames.icons.push_back(icon);
        }
        if (!bitmap.empty()) DeleteFileA(bitmap.c_str());
        progress->FrameDone(i);
    }
    if (frames.icons.empty()) {
        work->result.outcome = kSourceUnreadable;
        work->result.detail = "no frame of the clip could be read";
        return;
    }
    progress->AnimatedCursorFramesReady();
    AnimatedCursorResult made;
    if (request_.makeAnimatedCursor) {
        made = request_.makeAnimatedCursor(frames);
    } else {
        std::string output = AniOutputPath(request_.targetFolder, work->base);
        if (WriteAnimatedCursor(frames.icons, output, kDirectAniRate, "", "Glyphery")) made.written = output;
    }
    if (!made.written.empty()) {
        work->result.outputs.push_back(made.written);
    } else if (!made.cancelled) {
        work->result.outcome = kSourceNotWritten;
        work->result.detail = "the animated cursor could not be written";
    }
    if (!made.cancelled)
        for (int i = 0; i < work->frames; ++i) DeleteFileA(AniFrameIcon(temp, i).c_str());
}

// Runs `step`; what it throws (an exhausted memory included) leaves the
// source not written, and nothing more is reported for it.
template <typename Step>
void Guarded(SourceWork *work, Step step) {
    try {
        step();
    } catch (const std::bad_alloc &) {
        work->threw = true;
        work->result = NotConverted(work->source, kSourceNotWritten, "not enough memory");
    } catch (const std::exception &e) {
        work->threw = true;
        work->result = NotConverted(work->source, kSourceNotWritten, e.what());
    } catch (...) {
        work->threw = true;
        work->result = NotConverted(work->source, kSourceNotWritten, "unexpected failure");
    }
    if (work->threw) work->save = false;
}

void SourceConverter::Render(SourceWork *work, ConversionProgress *progress) {
    Guarded(work, [&] { RenderGuarded(work, progress); });
}

void SourceConverter::Finish(SourceWork *work, ConversionProgress *progress) {
    if (work->refused) {
        progress->SourceStarted(work->source);
        progress->SourceResultReady(work->result);
        return;
    }
    if (work->threw) return;
    if (work->skipped) {
        progress->SourceResultReady(work->result);
        return;
    }
    Guarded(work, [&] {
        if (work->frames > 0) {
            if (request_.kind == kCreateAnimatedCursor)
                FinishClipAnimatedCursor(work, progress);
            else
                FinishClipIcons(work, progress);
        } else if (work->save) {
            SaveIconFile(work, -1, 1, progress);
        }
        {
            RenderedFiles left;  // those saveICON did not take, gone before the source is reported finished
            left.files.swap(work->rendered.files);
        }
        if (request_.beep) progress->Beep();
        progress->SourceFinished(work->source, work->result);
        progress->SourceResultReady(work->result);
    });
}

// The reports of a source a worker converts, kept in order until the
// calling thread hands them on to the caller's observer.
class RecordedProgress : public ConversionProgress {
public:
    RecordedProgress(std::mutex *lock, HANDLE wake) : lock_(lock), wake_(wake) {}
    void SourceStarted(const std::string &path) override {
        Add([path](ConversionProgress *p) { p->SourceStarted(path); });
    }
    void ShowStatusLine() override {
        Add([](ConversionProgress *p) { p->ShowStatusLine(); });
    }
    void Status(const std::string &text) override {
        Add([text](ConversionProgress *p) { p->Status(text); });
    }
    // The other reports come from Finish, on the calling thread.
    void ReplayInto(ConversionProgress *to) {
        std::vector<std::function<void(ConversionProgress *)>> calls;
        {
            std::lock_guard<std::mutex> hold(*lock_);
            calls.swap(calls_);
        }
        for (auto &call : calls) call(to);
    }

private:
    void Add(std::function<void(ConversionProgress *)> call) {
        {
            std::lock_guard<std::mutex> hold(*lock_);
            calls_.push_back(std::move(call));
        }
        SetEvent(wake_);
    }
    std::mutex *lock_;
    HANDLE wake_;
    std::vector<std::function<void(ConversionProgress *)>> calls_;
};

}  // namespace

int WorkerCount(int requested, size_t sources) {
    int count = requested;
    if (count <= 0) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        count = (int)system.dwNumberOfProcessors;
    }
    count = std::min(count, kMaxWorkers);
    if ((size_t)count > sources) count = (int)sources;
    return std::max(count, 1);
}

namespace {

// The conversion of a request's sources. Each source is checked against the
// pictures and the outputs before it (OutputGuard) when its turn comes, so
// a source that could write a file an earlier one still converting writes
// waits for it: the checks give what they give one source after another.
class Conversion {
public:
    Conversion(const ConversionRequest &request, ConversionProgress *progress, std::vector<SourceResult> *results,
               const std::vector<std::string> &sources, const ColourTables &tables)
        : request_(request), progress_(progress), results_(results), sources_(sources), guard_(sources),
          converter_(request, tables) {}
    ~Conversion() { StopWorkers(); }

    // One source after another on the calling thread.
    void RunInline();
    // Sources rendered by `workers` threads; false when no thread could be started (nothing done yet).
    bool RunParallel(int workers);

private:
    struct Slot {
        std::unique_ptr<SourceWork> work;
        std::unique_ptr<RecordedProgress> recorded;
        bool identified = false, rendered = false;
        SourceWork replay;  // the calling thread's side: whether a replayed report threw, and the result then
    };
    void Replay(Slot *slot);
    bool Admit(SourceWork *work);
    void Complete(SourceWork *work);
    bool WaitsForEarlier(size_t index, size_t front);
    void WorkerLoop();
    void StopWorkers();
    void Wait();

    const ConversionRequest &request_;
    ConversionProgress *progress_;
    std::vector<SourceResult> *results_;
    const std::vector<std::string> &sources_;
    OutputGuard guard_;
    SourceConverter converter_;

    std::vector<Slot> slots_;
    std::mutex lock_;  // the queue, `stopping_` and every slot's `rendered`
    std::condition_variable queued_;
    std::deque<size_t> queue_;
    bool stopping_ = false;
    UniqueKernelHandle wake_;  // set by a worker after each report and each rendered source
    std::vector<std::thread> threads_;
};

// Refuses a source that would write over a picture of the request or an output written before.
bool Conversion::Admit(SourceWork *work) {
    std::string file;
    OutputClash clash = guard_.Check(FilesWrittenFor(request_, work->source), &file);
    if (clash == kNoClash) return true;
    work->refused = true;
    work->result =
        NotConverted(work->source, clash == kClashWithSource ? kSourceWouldReplaceSource : kSourceOutputTaken, file);
    return false;
}

void Conversion::Complete(SourceWork *work) {
    converter_.Finish(work, progress_);
    for (const std::string &output : work->result.outputs) guard_.Wrote(output);
    if (!results_) return;
    try {
        results_->push_back(work->result);
    } catch (...) {
        // The caller's list cannot grow: the conversion goes on without it.
    }
}

void Conversion::RunInline() {
    for (const std::string &source : sources_) {
        SourceWork work;
        work.source = source;
        if (Admit(&work)) converter_.Render(&work, progress_);
        Complete(&work);
    }
}

// True when a file source `index` writes is one that a source between
// `front` and it, not finished yet, writes too.
bool Conversion::WaitsForEarlier(size_t index, size_t front) {
    Slot &slot = slots_[index];
    if (!slot.identified) {
        for (const std::string &file : FilesWrittenFor(request_, sources_[index]))
            slot.work->files.push_back(IdentityOf(file));
        slot.identified = true;
    }
    for (size_t earlier = front; earlier < index; ++earlier)
        for (const FileIdentity &mine : slot.work->files)
            for (const FileIdentity &theirs : slots_[earlier].work->files)
                if (SameFile(mine, theirs)) return true;
    return false;
}

// Hands the reports recorded so far to the caller's observer, once for each.
void Conversion::Replay(Slot *slot) {
    if (!slot->recorded || slot->replay.threw) return;
    slot->replay.source = slot->work->source;
    Guarded(&slot->replay, [&] { slot->recorded->ReplayInto(progress_); });
}

void Conversion::WorkerLoop() {
    for (;;) {
        size_t index;
        {
            std::unique_lock<std::mutex> hold(lock_);
            queued_.wait(hold, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            index = queue_.front();
            queue_.pop_front();
        }
        Slot &slot = slots_[index];
        converter_.Render(slot.work.get(), slot.recorded.get());
        {
            std::lock_guard<std::mutex> hold(lock_);
            slot.rendered = true;
        }
        SetEvent(wake_.get());
    }
}

void Conversion::StopWorkers() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread &thread : threads_) thread.join();
    threads_.clear();
}

// Until a worker reports: the windows of this thread are painted and its
// sent messages answered. Posted and input messages stay queued until the
// conversion ends, as when it runs on this thread alone.
void Conversion::Wait() {
    HANDLE wake = wake_.get();
    MsgWaitForMultipleObjects(1, &wake, FALSE, 100, QS_PAINT | QS_SENDMESSAGE);
    MSG message;
    for (int i = 0; i < 64 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE); ++i)
        DispatchMessageA(&message);
}

bool Conversion::RunParallel(int workers) {
    wake_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!wake_) return false;
    try {
        slots_.resize(sources_.size());
    } catch (...) {
        return false;
    }
    try {
        for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { WorkerLoop(); });
    } catch (...) {
        if (threads_.empty()) return false;  // fewer threads than asked: those started do the work
    }
    // Sources are taken up to twice the workers ahead of the one reported:
    // the rendered bitmaps of the others wait in the temporary folder.
    const size_t ahead = 2 * threads_.size();
    size_t next = 0, front = 0;
    while (front < slots_.size()) {
        while (next < slots_.size() && next < front + ahead) {
            Slot &slot = slots_[next];
            if (!slot.work) {
                slot.work.reset(new SourceWork);
                slot.work->source = sources_[next];
            }
            if (WaitsForEarlier(next, front)) break;
            if (Admit(slot.work.get())) {
                slot.recorded.reset(new RecordedProgress(&lock_, wake_.get()));
                {
                    std::lock_guard<std::mutex> hold(lock_);
                    queue_.push_back(next);
                }
                queued_.notify_one();
            } else {
                slot.rendered = true;
            }
            ++next;
        }
        Slot &slot = slots_[front];
        bool rendered;
        {
            std::lock_guard<std::mutex> hold(lock_);
            rendered = slot.rendered;
        }
        Replay(&slot);
        if (!rendered) {
            Wait();
            continue;
        }
        if (slot.replay.threw) {
            // The observer threw on one of its reports: as if it had thrown while the source was converted.
            slot.work->threw = true;
            slot.work->save = false;
            slot.work->result = slot.replay.result;
        }
        Complete(slot.work.get());
        slot.recorded.reset();
        slot.work.reset();  // its remaining bitmaps go with it
        ++front;
    }
    StopWorkers();
    return true;
}

}  // namespace

int RunConversion(const ConversionRequest &request, ConversionProgress *progress, std::vector<SourceResult> *results) {
    if (request.formats.empty()) return 0;
    EnsureImageLibrary();
    ConversionProgress quiet;
    if (!progress) progress = &quiet;
    size_t count = request.sources.size() < kMaxSources ? request.sources.size() : kMaxSources;
    std::vector<std::string> sources(request.sources.begin(), request.sources.begin() + (long)count);
    ColourTables tables;
    if (request.fast) tables.Load();
    Conversion conversion(request, progress, results, sources, tables);
    // A clip's frames are written under names shared by every clip (the
    // animated cursor's): clips are converted one after another.
    bool clips = std::any_of(sources.begin(), sources.end(),
                             [](const std::string &s) { return ClassifySource(s) == kMpegSource; });
    int workers = clips ? 1 : WorkerCount(request.workers, sources.size());
    if (workers < 2 || !conversion.RunParallel(workers)) conversion.RunInline();
    return 1;
}

int ConvertFromPanel(HWND mainWindow, HINSTANCE resources, const Settings &settings,
                     const std::vector<std::string> &sources, HWND *progressWindow,
                     std::vector<SourceResult> *results, AnimatedCursorMaker makeAnimatedCursor) {
    *progressWindow = nullptr;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ConversionRequest request;
    request.kind = (int)settings.current_format;
    if (!BuildFormatListFromWindow(mainWindow, mainWindow, request.kind, &request.formats)) {
        SetCursor(previous);
        return 0;
    }
    request.sources = sources;
    request.targetFolder = settings.pathSave;
    request.transparent = settings.transparent != 0;
    request.color = settings.color;
    request.keepProportions = settings.keep_proportions != 0;
    request.beep = settings.bip != 0;
    request.owner = mainWindow;
    request.makeAnimatedCursor = makeAnimatedCursor;
    EnsureImageLibrary();  // before the window shows: its start-up pumps no messages
    *progressWindow = CreateProgressWindow(resources, mainWindow);
    ProgressWindowSink sink(*progressWindow);
    int rc = RunConversion(request, &sink, results);
    SetCursor(previous);
    return rc;
}

bool WriteSampled48(const std::string &source, const std::string &output, int fastLargest, bool *unreadable,
                    std::string *reason) {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr picture = ReadSource(info.get(), source, e.get(), fastLargest);
    *unreadable = !picture;
    if (!picture) {
        *reason = ReasonOf(e.get());
        return false;
    }
    bool ok = Mogrify(info.get(), &picture, {"Glyphery", "-sample", "48x48!"}, e.get());
    if (ok) ok = SetImageStorageClass(picture.get(), DirectClass) != MagickFalse;
    if (ok) ok = WritePicture(info.get(), picture.get(), "BMP3:" + output);
    if (!ok) {
        *reason = ReasonOf(e.get());
        if (reason->empty()) *reason = "could not write " + output;
    }
    return ok;
}
