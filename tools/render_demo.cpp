// GlypheryRenderDemo: renders pictures into the XP set of formats plus
// 96 x 96 at 32 bits with the image library and the conversion's argument
// lists, and hands the rendered bitmaps to saveICON. A demonstration of the
// icon file library until the conversion driver exists.
//   GlypheryRenderDemo OUTDIR SOURCE...
#include <cstdio>
#include <string>
#include <vector>

#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gygraph.h"
#include "conversion/render_args.h"
#include "iconlib/iconlib.h"

static const FormatEntry kFormats[] = {{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8},
                                       {32, 24}, {48, 4}, {48, 8}, {48, 24}, {96, 32}};

static bool Render(const std::string &source, const FormatEntry &f, const std::string &target) {
    ImageInfo info;
    GetImageInfo(&info);
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    CopyBounded(info.filename, sizeof info.filename, source);
    Image *picture = ReadImage(&info, &exception);
    if (!picture) {
        fprintf(stderr, "%s: %s\n", source.c_str(), exception.reason ? exception.reason : "cannot be read");
        DestroyExceptionInfo(&exception);
        return false;
    }
    std::vector<std::string> args = RenderArgs(f.size, f.bits, false);
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    MogrifyImage(&info, (int)argv.size(), argv.data(), &picture, &exception);
    CopyBounded(info.filename, sizeof info.filename, target);
    CopyBounded(picture->filename, sizeof picture->filename, target);
    bool ok = WriteImage(&info, picture) == MagickTrue;
    DestroyImage(picture);
    DestroyExceptionInfo(&exception);
    return ok;
}

int main(int argc, char **argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: GlypheryRenderDemo OUTDIR SOURCE...\n");
        return 2;
    }
    MagickCoreGenesis(argv[0], MagickFalse);
    std::string outDir = argv[1];
    std::string temp = TempFolder();
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        std::string base = BaseName(argv[i]);
        int count = 0;
        for (const FormatEntry &f : kFormats) {
            std::string target = CollapseBackslashes("BMP3:" + temp + "\\" + base + "_" + std::to_string(f.size) + "_" +
                                                     std::to_string(f.bits) + ".bmp");
            count += Render(argv[i], f, target);
        }
        if (count != (int)(sizeof kFormats / sizeof kFormats[0])) {
            ++failures;
            continue;
        }
        std::string output = CollapseBackslashes(outDir + "\\" + base + ".ico");
        saveICON(nullptr, 1, 0, nullptr, output.c_str(), count, kFormats);
        printf("%s\n", output.c_str());
    }
    MagickCoreTerminus();
    return failures ? 1 : 0;
}
