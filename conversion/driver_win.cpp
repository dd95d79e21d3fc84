#include "conversion/driver_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <new>

#include "common/codepage_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gygraph.h"
#include "conversion/formatpanel_win.h"
#include "conversion/imageowners.h"
#include "conversion/outputguard_win.h"
#include "conversion/picture_alpha_win.h"
#include "conversion/progress_win.h"
#include "conversion/readsize.h"
#include "conversion/render_args.h"
#include "conversion/sources.h"
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

// Copies a name into one of the library's fixed file-name fields. The
// library opens files by UTF-8 names; the suite's names are ANSI.
void SetFileName(char *field, const std::string &name) { CopyBounded(field, MaxTextExtent, AnsiToUtf8(name)); }

// The picture of a source: the first image the library reads from it (the
// composite of a layered file, the first frame of an animation), at most
// kReadBoundPixels large (readsize.h). The header is read first: a picture
// too large to convert is refused before any pixel is decoded, and a larger
// one is decoded at a reduced scale where its decoder can (JPEG), then
// resized to the bound.
ImagePtr ReadSource(ImageInfo *info, const std::string &path, ExceptionInfo *e) {
    SetFileName(info->filename, path);
    ReadSize size;
    size.plan = kReadWhole;
    {
        ExceptionPtr pingException(AcquireExceptionInfo());
        ImagePtr header(PingImage(info, pingException.get()));
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
    ImageInfoPtr reduced;
    if (size.plan == kReadReduced) {
        reduced.reset(CloneImageInfo(info));
        char hint[64];
        snprintf(hint, sizeof hint, "%ux%u", (unsigned)size.hintWidth, (unsigned)size.hintHeight);
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

class SourceConverter {
public:
    SourceConverter(const ConversionRequest &request, ConversionProgress *progress)
        : request_(request), progress_(progress) {}

    SourceResult Convert(const std::string &path);

private:
    bool RenderFormats(const std::string &path, const std::string &base, std::vector<std::string> *written,
                       SourceResult *result);
    void MakeIconFile(const std::string &path, const std::string &base, SourceResult *result);
    void MakeProfileImage(const std::string &path, const std::string &base, SourceResult *result);

    const ConversionRequest &request_;
    ConversionProgress *progress_;
};

// Renders one bitmap per format into the temporary folder. False (with the
// bitmaps already written removed) when the source cannot be read or a
// bitmap cannot be written: the remaining formats are skipped.
bool SourceConverter::RenderFormats(const std::string &path, const std::string &base,
                                    std::vector<std::string> *written, SourceResult *result) {
    std::string temp = TempFolder();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr sourceException(AcquireExceptionInfo());
    ImagePtr source;
    if (!request_.readEveryFormat) {
        source = ReadSource(info.get(), path, sourceException.get());
        if (!source) {
            result->outcome = kSourceUnreadable;
            result->detail = ReasonOf(sourceException.get());
            return false;
        }
    }
    // The colour reduction comes before the resize and works on the whole
    // picture: with a single read it is done once per kind of reduction and
    // the reduced picture copied for each size.
    std::map<std::vector<std::string>, ImagePtr> reduced;
    for (const FormatEntry &format : request_.formats) {
        std::string name = RenderedBitmapName(temp, base, -1, format.size, format.bits);
        if (name.empty()) {
            result->outcome = kSourceBadName;
            return false;
        }
        ExceptionPtr e(AcquireExceptionInfo());
        std::vector<std::string> args = RenderArgs(format.size, format.bits, request_.keepProportions);
        ImagePtr picture;
        bool ok = true;
        auto resize = std::find(args.begin(), args.end(), "-resize");
        std::vector<std::string> reduction(args.begin(), resize);
        args.erase(args.begin() + 1, resize);  // "Glyphery", "-resize", geometry
        if (source) {
            ImagePtr &colours = reduced[reduction];
            if (!colours) {
                colours.reset(CloneImage(source.get(), 0, 0, MagickTrue, e.get()));
                if (colours && reduction.size() > 1) ok = ReduceColours(info.get(), &colours, reduction, e.get());
                if (!ok) colours.reset();
            }
            if (colours && ok) picture.reset(CloneImage(colours.get(), 0, 0, MagickTrue, e.get()));
        } else {
            picture = ReadSource(info.get(), path, e.get());
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
        std::vector<std::string> border;
        if (ok && request_.keepProportions &&
            BorderArgs(format.size, (int)picture->columns, (int)picture->rows, &border)) {
            KeepAlphaUnderBorder(picture.get());
            ok = Mogrify(info.get(), &picture, border, e.get());
        }
        if (ok) {
            KeepAlphaInBitmap(info.get(), picture.get());
            // Listed before it is written: a write that fails halfway leaves a file too.
            written->push_back(FileOfRenderedName(name));
            ok = WritePicture(info.get(), picture.get(), name);
        }
        if (!ok) {
            result->outcome = kSourceNotWritten;
            result->detail = ReasonOf(e.get());
            if (result->detail.empty()) result->detail = "could not write " + FileOfRenderedName(name);
            return false;
        }
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

void SourceConverter::MakeIconFile(const std::string &path, const std::string &base, SourceResult *result) {
    progress_->ShowStatusLine();
    const int frames = 1, frame = 0;  // a still picture is one frame
    progress_->Status(FrameStatus(frame, frames));
    RenderedFiles written;
    if (!RenderFormats(path, base, &written.files, result)) return;
    progress_->Status(FrameIconStatus(frame, frames));
    std::string output = OutputPath(request_.targetFolder, base, -1, request_.kind);
    if (output.empty()) {
        result->outcome = kSourceBadName;
        return;
    }
    FileStamp before = StampOf(output);
    saveICON(request_.owner, request_.transparent, request_.color, SaveIconText(request_).c_str(), output.c_str(),
             (int)request_.formats.size(), request_.formats.data());
    // saveICON reports nothing: whether the file was written is seen on disk.
    if (WrittenSince(output, before)) {
        result->outputs.push_back(output);
    } else {
        result->outcome = kSourceNotWritten;
        result->detail = "could not write " + output;
    }
    progress_->FrameDone(frame);
}

// The 48 x 48 profile picture, sampled as the capture path does, written as
// a 24-bit bitmap <base>.bmp in the target folder.
void SourceConverter::MakeProfileImage(const std::string &path, const std::string &base, SourceResult *result) {
    std::string output = ProfileImagePath(request_.targetFolder, base);
    if (output.empty()) {
        result->outcome = kSourceBadName;
        return;
    }
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr picture = ReadSource(info.get(), path, e.get());
    if (!picture) {
        result->outcome = kSourceUnreadable;
        result->detail = ReasonOf(e.get());
        return;
    }
    bool ok = Mogrify(info.get(), &picture, {"Glyphery", "-sample", "48x48!"}, e.get());
    if (ok) ok = SetImageStorageClass(picture.get(), DirectClass) != MagickFalse;
    if (ok) ok = WritePicture(info.get(), picture.get(), "BMP3:" + output);
    if (ok) {
        result->outputs.push_back(output);
    } else {
        result->outcome = kSourceNotWritten;
        result->detail = ReasonOf(e.get());
        if (result->detail.empty()) result->detail = "could not write " + output;
    }
}

SourceResult SourceConverter::Convert(const std::string &path) {
    SourceResult result;
    result.source = path;
    progress_->SourceStarted(path);
    std::string base = BaseName(path);
    // MPEG frames and camera raw pictures come from their own libraries,
    // which this build does not carry yet: such sources are skipped, without
    // beep or status, as when the frame extractor finds no frame.
    if (ClassifySource(path) != kStillSource) {
        result.outcome = kSourceNotSupported;
        progress_->SourceResultReady(result);
        return result;
    }
    switch (request_.kind) {
    case kCreateIcon:
    case kCreateCursor: MakeIconFile(path, base, &result); break;
    case kCreateProfile: MakeProfileImage(path, base, &result); break;
    default: result.outcome = kSourceNothingToMake; break;  // animated cursors come from MPEG frames only
    }
    if (request_.beep) progress_->Beep();
    progress_->SourceFinished(path, result);
    progress_->SourceResultReady(result);
    return result;
}

SourceResult NotConverted(const std::string &source, SourceOutcome outcome, const std::string &detail) {
    SourceResult result;
    result.source = source;
    result.outcome = outcome;
    result.detail = detail;
    return result;
}

// One source within the whole conversion: refused when it would write over
// a picture of the request or an output already written, and converted
// otherwise, with whatever it throws kept inside.
SourceResult ConvertOneSource(SourceConverter *converter, OutputGuard *guard, const ConversionRequest &request,
                              const std::string &source, ConversionProgress *progress) {
    std::string file;
    OutputClash clash = guard->Check(FilesWrittenFor(request, source), &file);
    if (clash != kNoClash) {
        SourceResult result =
            NotConverted(source, clash == kClashWithSource ? kSourceWouldReplaceSource : kSourceOutputTaken, file);
        progress->SourceStarted(source);
        progress->SourceResultReady(result);
        return result;
    }
    SourceResult result;
    try {
        result = converter->Convert(source);
    } catch (const std::bad_alloc &) {
        result = NotConverted(source, kSourceNotWritten, "not enough memory");
    } catch (const std::exception &e) {
        result = NotConverted(source, kSourceNotWritten, e.what());
    } catch (...) {
        result = NotConverted(source, kSourceNotWritten, "unexpected failure");
    }
    for (const std::string &output : result.outputs) guard->Wrote(output);
    return result;
}

}  // namespace

int RunConversion(const ConversionRequest &request, ConversionProgress *progress, std::vector<SourceResult> *results) {
    if (request.formats.empty()) return 0;
    EnsureImageLibrary();
    ConversionProgress quiet;
    if (!progress) progress = &quiet;
    SourceConverter converter(request, progress);
    size_t count = request.sources.size() < kMaxSources ? request.sources.size() : kMaxSources;
    std::vector<std::string> sources(request.sources.begin(), request.sources.begin() + (long)count);
    OutputGuard guard(sources);
    for (const std::string &source : sources) {
        SourceResult result = ConvertOneSource(&converter, &guard, request, source, progress);
        if (results) {
            try {
                results->push_back(result);
            } catch (...) {
                // The caller's list cannot grow: the conversion goes on without it.
            }
        }
    }
    return 1;
}

int ConvertFromPanel(HWND mainWindow, HINSTANCE resources, const Settings &settings,
                     const std::vector<std::string> &sources, HWND *progressWindow,
                     std::vector<SourceResult> *results) {
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
    *progressWindow = CreateProgressWindow(resources, mainWindow);
    ProgressWindowSink sink(*progressWindow);
    int rc = RunConversion(request, &sink, results);
    SetCursor(previous);
    return rc;
}
