// GlypheryConvert: the conversion driver on a command line. It converts as
// the program's Convert command does, with the same progress window, and
// says on the console what it wrote and what it could not convert.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/paths.h"
#include "common/seams.h"
#include "conversion/convert_options.h"
#include "conversion/driver_win.h"
#include "conversion/progress_win.h"
#include "toolbox/aniconvert_win.h"
#include "toolbox/toolbox_win.h"

namespace {

enum ExitCode { kExitOk = 0, kExitSomeFailed = 1, kExitUsage = 2, kExitTarget = 3 };

// No message box may wait unseen for a click: they go to the console.
int ConsoleMessage(HWND, const char *text, const char *caption, UINT) {
    fprintf(stderr, "GlypheryConvert: %s%s%s\n", caption && *caption ? caption : "", caption && *caption ? ": " : "",
            text ? text : "");
    return IDOK;
}

std::string FullPath(const std::string &path) {
    char buf[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buf, nullptr);
    return n && n < MAX_PATH ? std::string(buf, n) : std::string();
}

bool IsFolder(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The output folder, created when missing, and proven writable by writing
// and removing a scratch file in it.
bool PrepareTarget(const std::string &folder, std::string *why) {
    if (!IsFolder(folder) && !CreateDirectoryA(folder.c_str(), nullptr)) {
        *why = "cannot create the output folder " + folder;
        return false;
    }
    char probe[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "gyc", 0, probe)) {
        *why = "cannot write in the output folder " + folder;
        return false;
    }
    DeleteFileA(probe);
    return true;
}

class ConsoleProgress : public ProgressWindowSink {
public:
    explicit ConsoleProgress(HWND window) : ProgressWindowSink(window) {}
    void Beep() override {}  // the console has no use for the program's beeps
    void SourceResultReady(const SourceResult &result) override {
        switch (result.outcome) {
        case kSourceConverted:
            for (const std::string &out : result.outputs) printf("%s -> %s\n", result.source.c_str(), out.c_str());
            break;
        case kSourceUnreadable:
            Fail(result, "cannot read the picture" + Detail(result));
            break;
        case kSourceNotWritten:
            Fail(result, "not converted" + Detail(result));
            break;
        case kSourceNothingToMake:
            Fail(result, "animated cursors are made from MPEG clips only");
            break;
        case kSourceNotSupported:
            Fail(result, "MPEG clips and camera raw pictures are not converted yet");
            break;
        case kSourceBadName:
            Fail(result, "the output or temporary path would be longer than 259 characters");
            break;
        }
        fflush(stdout);
    }
    int failures = 0;

private:
    static std::string Detail(const SourceResult &r) { return r.detail.empty() ? "" : ": " + r.detail; }
    void Fail(const SourceResult &r, const std::string &why) {
        ++failures;
        fprintf(stderr, "GlypheryConvert: %s: %s\n", r.source.c_str(), why.c_str());
    }
};

}  // namespace

int main(int argc, char **argv) {
    // Plain line feeds: the console output is read on Linux as often as on Windows.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetMessageBoxHandler(ConsoleMessage);
    // "list", "extract" and "check" are commands of their own; "convert" as
    // the first word is the same as no command word.
    if (argc > 1 && IsToolboxCommand(argv[1])) return RunToolbox(argc, argv);
    if (WantsAnimatedCursor(argc, argv)) return RunAniConversion(argc, argv);
    if (argc > 1 && strcmp(argv[1], "convert") == 0) {
        --argc;
        ++argv;
    }
    ConvertOptions options;
    std::string error;
    if (!ParseConvertOptions(argc, argv, &options, &error)) {
        fprintf(stderr, "GlypheryConvert: %s\n(GlypheryConvert --help shows the options)\n", error.c_str());
        return kExitUsage;
    }
    if (options.help) {
        fputs(kConvertUsage, stdout);
        fflush(stdout);
        PrintToolboxCommands();
        return kExitOk;
    }
    if (options.sources.empty()) {
        fprintf(stderr, "GlypheryConvert: no picture given\n%s", kConvertUsage);
        return kExitUsage;
    }
    ConversionRequest request;
    request.kind = options.kind;
    request.formats = FormatsOf(options);
    if (request.formats.empty()) {
        ShowMessage(nullptr, EmptyChoiceMessage(options.kind), "Glyphery", MB_OK | MB_ICONEXCLAMATION);
        return kExitUsage;
    }
    request.transparent = options.transparent;
    request.color = options.color;
    request.keepProportions = options.keepProportions;
    request.hasHotspot = options.hasHotspot;
    request.hotspotX = (int)options.hotspotX;
    request.hotspotY = (int)options.hotspotY;
    // For measuring: read each source again for every format, as the
    // program did before it read each source once.
    const char *every = getenv("GLYPHERY_READ_EVERY_FORMAT");
    request.readEveryFormat = every && *every && *every != '0';
    request.targetFolder = FullPath(options.outDir.empty() ? "." : options.outDir);
    if (request.targetFolder.size() > 1 && request.targetFolder.back() == '\\' &&
        request.targetFolder[request.targetFolder.size() - 2] != ':')
        request.targetFolder.pop_back();
    std::string why;
    if (request.targetFolder.empty() || !PrepareTarget(request.targetFolder, &why)) {
        fprintf(stderr, "GlypheryConvert: %s\n", why.empty() ? "bad output folder" : why.c_str());
        return kExitTarget;
    }

    int missing = 0;
    for (const std::string &source : options.sources) {
        std::string full = FullPath(source);
        DWORD a = full.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(full.c_str());
        if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) {
            fprintf(stderr, "GlypheryConvert: %s: no such picture file\n", source.c_str());
            ++missing;
            continue;
        }
        request.sources.push_back(full);
    }

    HWND window = CreateProgressWindow(GetModuleHandleA(nullptr), nullptr);
    ConsoleProgress progress(window);
    RunConversion(request, &progress, nullptr);
    if (window) DestroyWindow(window);
    return missing + progress.failures ? kExitSomeFailed : kExitOk;
}
