#include "toolbox/aniconvert_win.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/files_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "conversion/convert_options.h"
#include "conversion/driver_win.h"
#include "conversion/imageowners.h"
#include "conversion/mediasources_win.h"
#include "conversion/sources.h"
#include "toolbox/animation.h"
#include "toolbox/resource.h"
#include "toolbox/toolbox_options.h"
#include "toolbox/toolbox_text_win.h"

namespace {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitTarget = 3 };

// More frames than this are not a cursor anyone can watch.
const size_t kMaxAniFrames = 1000;
const size_t kMaxFrameFileBytes = 16u << 20;

// A folder of its own in the temporary folder for the frames' pictures and
// cursors, removed with its files at the end of the conversion.
class ScratchFolder {
public:
    ScratchFolder() {
        static unsigned serial = 0;
        path_ = CollapseBackslashes(TempFolder() + "\\gyani" + std::to_string(GetCurrentProcessId()) + "_" +
                                    std::to_string(serial++));
        if (!CreateDirectoryA(path_.c_str(), nullptr)) path_.clear();
    }
    ~ScratchFolder() {
        if (path_.empty()) return;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((path_ + "\\" + fd.cFileName).c_str());
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(path_.c_str());
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// The converter's results, kept; no beeps on a console.
class CollectResults : public ConversionProgress {
public:
    void Beep() override {}
};

struct FramePicture {
    std::string path;  // the frame as a picture file of the scratch folder
    uint32_t rate;     // jiffies
};

// Every frame of every source, in order, each written whole (an animation's
// frames coalesced first, so that a frame that changes part of the picture
// is shown as the whole picture). False, with the source, when one cannot
// be read or holds too many frames.
// A frame picture's name in the scratch folder, unique to this process: the
// driver renders each frame under its base name in the shared temporary folder.
std::string FramePictureName(const std::string &folder, size_t index, const char *extension) {
    char name[64];
    snprintf(name, sizeof name, "\\gyf%lu_%04u.%s", (unsigned long)GetCurrentProcessId(), (unsigned)index, extension);
    return folder + name;
}

// An MPEG clip's frames, extracted by the frame extractor into the temporary
// folder, moved into the scratch folder; each shows for the rate asked for.
bool ReadClipFrames(const std::string &clip, const AniOptions &ani, const std::string &folder,
                    std::vector<FramePicture> *frames, UINT *why) {
    int count = ExtractClipFrames(clip, nullptr);
    if (count == 0) return *why = IDS_TB_ANI_UNREADABLE, false;
    std::string temp = TempFolder(), base = BaseName(clip);
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        std::string bitmap = MpegFrameBitmap(temp, base, i);
        DeleteFileA(AniFrameBitmap(temp, i).c_str());  // the same frame under the animated cursors' name
        if (!ok) {
            DeleteFileA(bitmap.c_str());
            continue;
        }
        if (frames->size() >= kMaxAniFrames) {
            *why = IDS_TB_ANI_TOO_MANY;
            ok = false;
            DeleteFileA(bitmap.c_str());
            continue;
        }
        FramePicture frame;
        frame.path = FramePictureName(folder, frames->size(), "bmp");
        frame.rate = ani.rate ? ani.rate : kAniDefaultSpeed;
        if (!MoveFileExA(bitmap.c_str(), frame.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            *why = IDS_TB_ANI_NOT_WRITTEN;
            ok = false;
            DeleteFileA(bitmap.c_str());
            continue;
        }
        frames->push_back(frame);
    }
    return ok;
}

bool ReadFrames(const std::vector<std::string> &sources, const AniOptions &ani, const std::string &folder,
                std::vector<FramePicture> *frames, std::string *failedSource, UINT *why) {
    EnsureImageLibrary();
    for (const std::string &source : sources) {
        *failedSource = source;
        if (ClassifySource(source) == kMpegSource) {
            if (!ReadClipFrames(source, ani, folder, frames, why)) return false;
            continue;
        }
        ImageInfoPtr info(AcquireImageInfo());
        ExceptionPtr e(AcquireExceptionInfo());
        CopyBounded(info->filename, MaxTextExtent, source);
        ImagePtr images(ReadImage(info.get(), e.get()));
        if (!images) return *why = IDS_TB_ANI_UNREADABLE, false;
        if (images->next) {
            const char *coalesce[] = {"Glyphery", "-coalesce"};
            Image *raw = images.release();
            MogrifyImages(info.get(), MagickFalse, 2, coalesce, &raw, e.get());
            images.reset(raw);
            if (!images) return *why = IDS_TB_ANI_UNREADABLE, false;
        }
        for (Image *f = images.get(); f; f = GetNextImageInList(f)) {
            if (frames->size() >= kMaxAniFrames) return *why = IDS_TB_ANI_TOO_MANY, false;
            ImagePtr one(CloneImage(f, 0, 0, MagickTrue, e.get()));
            if (!one) return *why = IDS_TB_ANI_UNREADABLE, false;
            FramePicture frame;
            frame.path = FramePictureName(folder, frames->size(), "png");
            std::string target = "PNG32:" + frame.path;
            CopyBounded(info->filename, MaxTextExtent, target);
            CopyBounded(one->filename, MaxTextExtent, target);
            if (!WriteImage(info.get(), one.get())) return *why = IDS_TB_ANI_NOT_WRITTEN, false;
            // A frame without a delay (a still picture of a sequence) shows
            // for the rate asked for, else the suite's default speed.
            frame.rate = f->delay ? JiffiesFromDelay(f->delay, (uint64_t)(f->ticks_per_second > 0 ? f->ticks_per_second : 0))
                                  : (ani.rate ? ani.rate : kAniDefaultSpeed);
            frames->push_back(frame);
        }
    }
    return true;
}

}  // namespace

bool WantsAnimatedCursor(int argc, char **argv) {
    std::vector<std::string> words(argv + 1, argv + argc), rest;
    AniOptions ani;
    std::string bad;
    SplitAniOptions(words, &ani, &rest, &bad);
    return ani.wanted;
}

int RunAniConversion(int argc, char **argv) {
    std::vector<std::string> words(argv + 1, argv + argc), rest;
    if (!words.empty() && words[0] == "convert") words.erase(words.begin());
    AniOptions ani;
    std::string bad;
    ToolboxOptionError optionError = SplitAniOptions(words, &ani, &rest, &bad);
    if (optionError != kOptOk) {
        ComplainOption(optionError, bad);
        ToolboxComplain("", ToolboxFormat(IDS_TB_SEE_HELP, "--as ani"));
        return kExitUsage;
    }
    std::vector<const char *> args{"GlypheryConvert"};
    for (const std::string &w : rest) args.push_back(w.c_str());
    ConvertOptions options;
    std::string error;
    if (!ParseConvertOptions((int)args.size(), args.data(), &options, &error)) {
        ToolboxComplain("", error);
        return kExitUsage;
    }
    if (options.help) {
        ToolboxPrint(ToolboxText(IDS_TB_USAGE_ANI));
        return kExitOk;
    }
    if (options.sources.empty()) {
        ToolboxComplain("", ToolboxText(IDS_TB_NO_FILE));
        return kExitUsage;
    }
    ConversionRequest request;
    request.kind = kCreateCursor;  // each frame a cursor, then the frames together
    request.formats = FormatsOf(options);
    if (request.formats.empty()) {
        ShowMessage(nullptr, EmptyChoiceMessage(kCreateCursor), "Glyphery", MB_OK | MB_ICONEXCLAMATION);
        return kExitUsage;
    }
    request.transparent = options.transparent;
    request.color = options.color;
    request.keepProportions = options.keepProportions;

    std::string target = FullPath(options.outDir.empty() ? "." : options.outDir);
    if (target.empty() || !EnsureFolder(target)) {
        ToolboxComplain("", ToolboxFormat(IDS_TB_BAD_OUT, options.outDir.c_str()));
        return kExitTarget;
    }
    const std::string &first = options.sources[0];
    std::string output = CollapseBackslashes(target + "\\" + BaseName(first) + ".ani");
    ScratchFolder scratch;
    if (output.size() >= MAX_PATH || scratch.path().empty()) {
        ToolboxComplain(first, ToolboxText(IDS_TB_ANI_NOT_WRITTEN));
        return kExitFailed;
    }

    std::vector<FramePicture> frames;
    std::string failedSource;
    UINT why = 0;
    if (!ReadFrames(options.sources, ani, scratch.path(), &frames, &failedSource, &why)) {
        ToolboxComplain(failedSource, ToolboxText(why));
        return kExitFailed;
    }
    request.targetFolder = scratch.path();
    for (const FramePicture &f : frames) request.sources.push_back(f.path);
    CollectResults progress;
    std::vector<SourceResult> results;
    RunConversion(request, &progress, &results);

    std::vector<std::vector<uint8_t>> cursors;
    std::vector<uint32_t> rates;
    for (size_t i = 0; i < frames.size(); ++i) {
        std::vector<uint8_t> bytes;
        if (i >= results.size() || results[i].outcome != kSourceConverted || results[i].outputs.empty() ||
            !ReadWholeFile(results[i].outputs[0], kMaxFrameFileBytes, &bytes) ||
            (ani.hotspot && !SetCursorHotspot(&bytes, ani.hotspotX, ani.hotspotY))) {
            ToolboxComplain(first, ToolboxFormat(IDS_TB_ANI_FRAME_FAILED, (int)i));
            return kExitFailed;
        }
        cursors.push_back(std::move(bytes));
        rates.push_back(frames[i].rate);
    }
    AniWriteSpec spec = BuildAnimation(cursors, rates, ani.title, ani.author);
    if (!WriteWholeFile(output, BuildAniFile(spec))) {
        ToolboxComplain(first, ToolboxFormat(IDS_TB_CANNOT_WRITE, output.c_str()));
        return kExitFailed;
    }
    ToolboxPrint(ToolboxFormat(IDS_TB_ANI_WROTE, first.c_str(), output.c_str(), (int)spec.frames.size(),
                               (int)frames.size()) + "\n");
    return kExitOk;
}
