// GYgraph.dll: the image library's exports the suite calls, and its saveICON.
#include <gtest/gtest.h>

#include "contracts/gygraph.h"
#include "conversion/render_args.h"
#include "iconlib/icofile.h"
#include "tests/common/testutil_win.h"

namespace {

class GYgraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MagickCoreGenesis("GlypheryTest", MagickFalse); }
    static void TearDownTestSuite() { MagickCoreTerminus(); }
};

// A gradient picture of the given size ("gradient:white-black", "40x30"),
// with the image info it was read through.
Image *Gradient(ImageInfo *info, ExceptionInfo *exception, const char *name, const char *size) {
    GetImageInfo(info);
    strcpy(info->filename, name);
    CloneString(&info->size, size);
    return ReadGRADIENTImage(info, exception);
}

Image *Mogrify(ImageInfo *info, Image *image, const std::vector<std::string> &args) {
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    EXPECT_TRUE(MogrifyImage(info, (int)argv.size(), argv.data(), &image, &exception));
    DestroyExceptionInfo(&exception);
    return image;
}

TEST_F(GYgraphTest, GradientRenderedWithTheArgumentListsBecomesAnIcon) {
    ScratchDir temp("gygraph-temp");
    TempFolderScope tempScope(temp.path() + "\\");
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    ImageInfo info;
    Image *source = Gradient(&info, &exception, "gradient:red-blue", "80x60");
    ASSERT_NE(source, nullptr) << (exception.reason ? exception.reason : "");
    EXPECT_EQ(source->columns, 80u);
    EXPECT_EQ(source->rows, 60u);

    std::vector<FormatEntry> formats = {{16, 1}, {16, 4}, {32, 8}, {48, 24}, {32, 32}};
    for (const FormatEntry &f : formats) {
        Image *picture = CloneImage(source, 0, 0, MagickTrue, &exception);
        ASSERT_NE(picture, nullptr);
        picture = Mogrify(&info, picture, RenderArgs(f.size, f.bits, false));
        EXPECT_EQ(picture->columns, (size_t)f.size);
        EXPECT_EQ(picture->rows, (size_t)f.size);
        std::string name = "BMP3:" + temp.File("gradient_" + std::to_string(f.size) + "_" + std::to_string(f.bits) + ".bmp");
        strcpy(info.filename, name.c_str());
        strcpy(picture->filename, name.c_str());
        EXPECT_TRUE(WriteImage(&info, picture));
        DestroyImage(picture);
    }
    DestroyImage(source);
    DestroyExceptionInfo(&exception);

    // saveICON takes the rendered bitmaps by the output's base name.
    DialogWatcher watcher;
    std::string out = TestOutputDir("iconlib") + "\\gradient.ico";
    EXPECT_EQ(saveICON(nullptr, 0, 0, nullptr, out.c_str(), (int)formats.size(), formats.data()), 1);
    EXPECT_TRUE(watcher.texts().empty()) << watcher.texts()[0];
    std::vector<uint8_t> bytes = ReadFileBytes(out);
    IconFileDirectory dir;
    std::string error;
    ASSERT_TRUE(ParseIconDirectory(bytes.data(), bytes.size(), &dir, &error)) << error;
    ASSERT_EQ(dir.entries.size(), formats.size());
    for (size_t i = 0; i < formats.size(); ++i) {
        EXPECT_EQ(dir.entries[i].width, formats[i].size);
        EXPECT_EQ(dir.entries[i].bitCount, formats[i].bits);
    }
}

TEST_F(GYgraphTest, KeepProportionsBorderMakesASquare) {
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    ImageInfo info;
    Image *picture = Gradient(&info, &exception, "gradient:white-black", "100x50");
    ASSERT_NE(picture, nullptr);
    picture = Mogrify(&info, picture, RenderArgs(32, 24, true));
    EXPECT_EQ(picture->columns, 32u);
    EXPECT_EQ(picture->rows, 16u);
    std::vector<std::string> border;
    ASSERT_TRUE(BorderArgs(32, (int)picture->columns, (int)picture->rows, &border));
    picture = Mogrify(&info, picture, border);
    EXPECT_EQ(picture->columns, 32u);
    EXPECT_EQ(picture->rows, 32u);
    DestroyImage(picture);
    DestroyExceptionInfo(&exception);
}

TEST_F(GYgraphTest, PlasmaAndBlobsRoundTrip) {
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    ImageInfo info;
    GetImageInfo(&info);
    strcpy(info.filename, "fractal");
    CloneString(&info.size, "24x24");
    Image *plasma = ReadPlasmaImage(&info, &exception);
    ASSERT_NE(plasma, nullptr) << (exception.reason ? exception.reason : "");
    strcpy(info.magick, "BMP");
    strcpy(plasma->magick, "BMP");
    size_t length = 0;
    void *blob = ImageToBlob(&info, plasma, &length, &exception);
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(((const char *)blob)[0], 'B');
    Image *back = BlobToImage(&info, blob, length, &exception);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->columns, 24u);
    RelinquishMagickMemory(blob);
    DestroyImage(back);
    DestroyImage(plasma);
    DestroyExceptionInfo(&exception);
}

// The delegate libraries are linked in: every format the suite reads and
// writes goes through a blob and back.
TEST_F(GYgraphTest, EveryLinkedFormatRoundTrips) {
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    ImageInfo info;
    Image *source = Gradient(&info, &exception, "gradient:navy-orange", "40x30");
    ASSERT_NE(source, nullptr);
    for (const char *format : {"PNG", "JPEG", "TIFF", "GIF", "BMP", "BMP3", "PNM", "TGA", "PCX", "ICO"}) {
        SCOPED_TRACE(format);
        EXPECT_NE(GetMagickInfo(format, &exception), nullptr);
        strcpy(info.magick, format);
        strcpy(source->magick, format);
        snprintf(info.filename, sizeof info.filename, "%s:picture", format);
        snprintf(source->filename, sizeof source->filename, "%s:picture", format);
        size_t length = 0;
        void *blob = ImageToBlob(&info, source, &length, &exception);
        ASSERT_NE(blob, nullptr) << (exception.reason ? exception.reason : "");
        ImageInfo readInfo;
        GetImageInfo(&readInfo);
        strcpy(readInfo.magick, format);
        Image *back = BlobToImage(&readInfo, blob, length, &exception);
        ASSERT_NE(back, nullptr) << (exception.reason ? exception.reason : "");
        EXPECT_EQ(back->columns, 40u);
        EXPECT_EQ(back->rows, 30u);
        DestroyImageList(back);
        RelinquishMagickMemory(blob);
    }
    DestroyImage(source);
    DestroyExceptionInfo(&exception);
}

TEST_F(GYgraphTest, UnreadableSourceGivesNoPictureAndAnException) {
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    ImageInfo info;
    GetImageInfo(&info);
    strcpy(info.filename, "Z:\\nonexistent\\nothing.png");
    EXPECT_EQ(ReadImage(&info, &exception), nullptr);
    EXPECT_NE(exception.severity, UndefinedException);
    DestroyExceptionInfo(&exception);
}

}  // namespace
