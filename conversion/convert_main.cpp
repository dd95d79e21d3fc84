// GlypheryConvert: the conversion driver on a command line. It converts as
// the program's Convert command does, with the same progress window, and
// says on the console what it wrote and what it could not convert.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/codepage_win.h"
#include "common/files_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "conversion/convert_options.h"
#include "conversion/driver_win.h"
#include "conversion/progress_win.h"
#include "toolbox/aniconvert_win.h"
#include "toolbox/toolbox_win.h"

namespace {

enum ExitCode { kExitOk = 0, kExitSomeFailed = 1, kExitUsage = 2, kExitTarget = 3 };

const char kOutsideCodePage[] =
    "the name holds characters the system's ANSI code page cannot write (the program would open another "
    "file); rename it, or set a system locale whose code page has them";

// No message box may wait unseen for a click: they go to the console.
int ConsoleMessage(HWND, const char *text, const char *caption, UINT) {
    fprintf(stderr, "GlypheryConvert: %s%s%s\n", caption && *caption ? caption : "", caption && *caption ? ": " : "",
            text ? text : "");
    return IDOK;
}

// The output folder, created with its missing parents when missing, and
// proven writable by writing and removing a scratch file in it.
bool PrepareTarget(const std::string &folder, std::string *why) {
    if (!CreateFolderWithParents(folder)) {
        *why = "cannot create the output folder " + folder;
        return false;
    }
    if (!FolderAcceptsFiles(folder)) {
        *why = "cannot write in the output folder " + folder;
        return false;
    }
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
        case kSourceNoFrames:
            Fail(result, "no frame of the MPEG clip could be decoded");
            break;
        case kSourceBadName:
            Fail(result, "the output or temporary path would be longer than 259 characters");
            break;
        case kSourceWouldReplaceSource:
            Fail(result, "not converted: it would write over " + result.detail + ", a picture being converted");
            break;
        case kSourceOutputTaken:
            Fail(result, "not converted: " + result.detail + " was already written from another picture");
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

// The arguments the ANSI code page cannot write exactly, as the narrow argv
// shows them: there a character without an ANSI form became '?' or a
// look-alike, which would name another file. Found from the wide command
// line; an option's value after "=" counts on its own too.
std::set<std::string> ArgumentsOutsideCodePage(int argc, char **argv) {
    std::set<std::string> lossy;
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return lossy;
    for (int i = 1; i < count && count == argc; ++i) {
        std::string ansi;
        if (WideToAnsiExactly(wide[i], &ansi)) continue;
        std::string arg = argv[i];
        lossy.insert(arg);
        size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) lossy.insert(arg.substr(equals + 1));
    }
    LocalFree(wide);
    return lossy;
}

// For measuring (GLYPHERY_REPORT_USAGE=1): the processor time and the peak
// memory of the whole run, on stderr.
void ReportUsage() {
    FILETIME created, exited, kernel, user;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) ||
        !GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        return;
    auto seconds = [](const FILETIME &t) { return (((ULONGLONG)t.dwHighDateTime << 32) | t.dwLowDateTime) / 1e7; };
    fprintf(stderr, "GlypheryConvert: usage: %.2f s processor time, peak working set %lu MiB\n",
            seconds(user) + seconds(kernel), (unsigned long)(memory.PeakWorkingSetSize >> 20));
}

}  // namespace

int main(int argc, char **argv) {
    // Plain line feeds: the console output is read on Linux as often as on Windows.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetMessageBoxHandler(ConsoleMessage);
    // Names the code page cannot hold, read from the wide command line before
    // anything shifts the arguments.
    std::set<std::string> lossy = ArgumentsOutsideCodePage(argc, argv);
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
    request.fast = options.fast;
    // For measuring: the number of worker threads (1: one source after another).
    const char *workers = getenv("GLYPHERY_WORKERS");
    if (workers && *workers) request.workers = atoi(workers);
    if (!options.outDir.empty() && lossy.count(options.outDir)) {
        fprintf(stderr, "GlypheryConvert: %s: %s\n", options.outDir.c_str(), kOutsideCodePage);
        return kExitTarget;
    }
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
        if (lossy.count(source)) {
            fprintf(stderr, "GlypheryConvert: %s: %s\n", source.c_str(), kOutsideCodePage);
            ++missing;
            continue;
        }
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
    const char *usage = getenv("GLYPHERY_REPORT_USAGE");
    if (usage && *usage && *usage != '0') ReportUsage();
    return missing + progress.failures ? kExitSomeFailed : kExitOk;
}
