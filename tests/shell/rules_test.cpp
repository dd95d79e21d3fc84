// The main window's portable rules: the browser's filter list and its index
// mapping, the selection text, the target folder chain, result names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/formatset.h"
#include "shell/filters.h"
#include "shell/selection.h"

namespace {

TEST(FilterList, EveryFilterInOrderWithItsPatterns) {
    const std::vector<FileFilter> &f = FileFilters();
    const char *types[] = {"ASF", "AVI", "AVS", "AVV", "BMP", "BAY", "CAM", "CIN", "CMF", "CR2", "CRW", "CS1",
                           "DCM", "FAX", "FPX", "FTS", "GIF", "J6I", "JNG", "JPG", "M1S", "M2V", "M75", "MPG",
                           "MPQ", "MPV", "MPX", "NEF", "ORF", "OTB", "PCD", "PCT", "PCX", "PNG", "PSD", "QT",
                           "SJ1", "TGA", "TIF", "TIM", "WB1", "WBC", "WBP", "WBZ", "WMV", "WPG",
                           "DNG", "ARW", "RAF", "RW2", "PEF", "SRW"};
    const size_t count = sizeof types / sizeof types[0];
    ASSERT_EQ(f.size(), count + 1);
    EXPECT_EQ(f[0].description, "All formats");
    EXPECT_EQ(f[0].patterns,
              "*.ASF;*.AVI;*.AVV;*.BAY;*.BGA;*.BMP;*.CAM;*.CIN;*.CMF;*.CR2;*.CRW;*.CS1;*.DCX;*.DIB;*.DCM;*.FAX;*.FPX;"
              "*.FTS;*.GIF;*.ICB;*.J6I;*.JNG;*.JPE;*.JPG;*.M1S;*.M1V;*.M2V;*.M75;*.MOV;*.MNG;*.MPV;*.MPG;*.MPEG;"
              "*.MPQ;*.MPX;*.NEF;*.ORF;*.PCD;*.PCT;*.PCX;*.PIC;*.PNG;*.PSD;*.QT;*.SJ1;*.TGA;*.TIF;*.TIFF;*.VDA;"
              "*.WB1;*.WBC;*.WBP;*.WBZ;*.WMV;*.WPG;*.DNG;*.ARW;*.RAF;*.RW2;*.PEF;*.SRW");
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(f[i + 1].description.rfind(std::string(types[i]) + " - ", 0), 0u) << f[i + 1].description;
    EXPECT_EQ(f[1].description, "ASF - Windows Media Stream");
    EXPECT_EQ(f[1].patterns, "*.ASF");
    EXPECT_EQ(f[5].description, "BMP - Windows Bitmap (bmp, bga, dib)");
    EXPECT_EQ(f[5].patterns, "*.BMP;*.BGA;*.DIB");
    EXPECT_EQ(f[7].description, "CAM - Casio Camera");
    EXPECT_EQ(f[20].description, "JPG - Joint Photographic Experts Group");
    EXPECT_EQ(f[20].patterns, "*.JPE;*.JPG;*.JPEG");
    EXPECT_EQ(f[24].patterns, "*.MPG;*.MPEG");
    EXPECT_EQ(f[30].description, "OTB - On-The-Air Bitmap");
    EXPECT_EQ(f[32].patterns, "*.PCT;*.PIC");
    EXPECT_EQ(f[33].patterns, "*.DCX;*.PCX");
    EXPECT_EQ(f[36].patterns, "*.QT");
    EXPECT_EQ(f[38].patterns, "*.TGA;*.ICB;*.VDA");
    EXPECT_EQ(f[39].patterns, "*.TIF;*.TIFF");
    EXPECT_EQ(f[46].patterns, "*.WPG");
    EXPECT_EQ(f[count].description, "SRW - Samsung raw photo");
    EXPECT_EQ(f[count].patterns, "*.SRW");
}

TEST(FilterList, PlatformFormSeparatesWithZerosAndEndsWithTwo) {
    std::string text = FilterListText();
    EXPECT_EQ(text.rfind("All formats|*.ASF;", 0), 0u);
    std::string list = FilterListFromText(text);
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.substr(list.size() - 2), std::string(2, '\0'));
    EXPECT_EQ(list.find('|'), std::string::npos);
    // Walk it as the platform does: pairs of strings up to the empty one.
    std::vector<std::string> parts;
    for (size_t pos = 0; pos < list.size() && list[pos];) {
        std::string s(list.c_str() + pos);
        parts.push_back(s);
        pos += s.size() + 1;
    }
    ASSERT_EQ(parts.size(), FileFilters().size() * 2);
    for (size_t i = 0; i < FileFilters().size(); ++i) {
        EXPECT_EQ(parts[2 * i], FileFilters()[i].description);
        EXPECT_EQ(parts[2 * i + 1], FileFilters()[i].patterns);
    }
    // A text without its last separator gets one zero more, not a lost pattern.
    EXPECT_EQ(FilterListFromText("A|*.a"), std::string("A\0*.a\0\0", 7));
}

TEST(FilterList, StoredIndexMapsToTheBrowsersIndexAndTheCreateAsList) {
    const unsigned count = (unsigned)FileFilters().size();
    EXPECT_EQ(FilterIndexForFormatIn(0), 1u);
    EXPECT_EQ(FilterIndexForFormatIn(5), 6u);
    EXPECT_EQ(FilterIndexForFormatIn(count - 1), count);
    EXPECT_EQ(FilterIndexForFormatIn(count), 1u);  // beyond the list: "All formats"
    EXPECT_EQ(FilterIndexForFormatIn(0xFFFFFFFFu), 1u);
    EXPECT_EQ(FormatInForSelection(6, 2), 6u);
    EXPECT_EQ(FormatInForSelection(-1, 2), 2u);
    // "Animated Cursor" is offered exactly for All formats, BMP and CAM.
    for (unsigned formatIn = 0; formatIn < count; ++formatIn) {
        const std::string &d = FileFilters()[formatIn].description;
        bool animated = d == "All formats" || d.rfind("BMP - ", 0) == 0 || d.rfind("CAM - ", 0) == 0;
        CreateAsList list = CreateAsEntries((int)FilterIndexForFormatIn(formatIn));
        EXPECT_EQ(list.labels.size(), animated ? 4u : 3u) << d;
    }
}

TEST(Selection, OneNameOrSeveralQuotedNamesInOrder) {
    EXPECT_EQ(SourcesFromSelection("C:\\pics", "a b.png", 10), std::vector<std::string>{"C:\\pics\\a b.png"});
    EXPECT_EQ(SourcesFromSelection("C:\\", "root.bmp", 10), std::vector<std::string>{"C:\\root.bmp"});
    std::vector<std::string> three = {"C:\\p\\zeta.bmp", "C:\\p\\alpha one.bmp", "C:\\p\\mid.bmp"};
    EXPECT_EQ(SourcesFromSelection("C:\\p", "\"zeta.bmp\" \"alpha one.bmp\" \"mid.bmp\"", 10), three);
    EXPECT_EQ(SourcesFromSelection("C:\\p", "\"zeta.bmp\" \"alpha one.bmp\" \"mid.bmp\"", 2).size(), 2u);
    // Empty quotes name nothing; an unterminated name is dropped.
    EXPECT_EQ(SourcesFromSelection("C:\\p", "\"\" \"a.bmp\" \"b.b", 10), std::vector<std::string>{"C:\\p\\a.bmp"});
    // A name typed as a full path is not put in the folder a second time.
    EXPECT_EQ(SourcesFromSelection("C:\\p", "D:\\x\\a.bmp", 10), std::vector<std::string>{"D:\\x\\a.bmp"});
    EXPECT_EQ(SourcesFromSelection("C:\\p", "\"\\\\srv\\s\\a.bmp\" \"b.bmp\"", 10),
              (std::vector<std::string>{"\\\\srv\\s\\a.bmp", "C:\\p\\b.bmp"}));
    // A browser in a network folder names network paths.
    EXPECT_EQ(SourcesFromSelection("\\\\srv\\s\\", "\"a.bmp\" \"b.bmp\"", 10),
              (std::vector<std::string>{"\\\\srv\\s\\a.bmp", "\\\\srv\\s\\b.bmp"}));
    EXPECT_TRUE(SourcesFromSelection("C:\\p", "", 10).empty());
    EXPECT_TRUE(SourcesFromSelection("C:\\p", "\"", 10).empty());
}

TEST(Selection, VideoTypesAreTheVideoToolsOnly) {
    for (const char *p : {"a.asf", "b.AVI", "c.avv", "d.cmf", "e.m1v", "f.M2V", "g.mov", "h.mpq", "i.mpv", "j.mpx",
                          "k.qt", "l.wmv"})
        EXPECT_TRUE(IsVideoSource(std::string("C:\\v\\") + p)) << p;
    for (const char *p : {"a.mpg", "b.mpeg", "c.bmp", "d.q", "e.wmvx", "f", "avi"})
        EXPECT_FALSE(IsVideoSource(std::string("C:\\v\\") + p)) << p;
}

TEST(Selection, VideoToolsCommandLineAndTheFramesItLeaves) {
    EXPECT_EQ(VideoToolParameters("C:\\my clips\\a b.avi", "C:\\temp\\"), "C:\\my clips\\a b.avi|C:\\temp\\");
    // The temporary folder ends in a backslash: it is not doubled.
    EXPECT_EQ(GrabbedFramePattern("C:\\temp\\", "C:\\my clips\\a b.take2.avi"), "C:\\temp\\a b.take2*.bmp");
    EXPECT_EQ(GrabbedFramePattern("C:\\temp", "clip.wmv"), "C:\\temp\\clip*.bmp");
}

TEST(Results, NamesOfTheResultThePreviewAndTheViewersParameter) {
    EXPECT_EQ(ResultPath("C:\\out", "C:\\in\\pic.x.png", kCreateIcon), "C:\\out\\pic.x.ico");
    EXPECT_EQ(ResultPath("C:\\out\\", "C:\\in\\pic.png", kCreateCursor), "C:\\out\\pic.cur");
    EXPECT_EQ(ResultPath("C:\\out", "C:\\in\\pic.png", kCreateProfile), "C:\\out\\pic.bmp");
    EXPECT_EQ(ResultPath(std::string(250, 'd'), "C:\\in\\picture.png", kCreateIcon), "");  // would not fit
    EXPECT_EQ(QuotedParameter("C:\\out\\a.ico"), "C:\\out\\a.ico");
    EXPECT_EQ(QuotedParameter("C:\\my icons\\a.ico"), "\"C:\\my icons\\a.ico\"");
    EXPECT_EQ(QuotedParameter("\"C:\\my icons\\a.ico\""), "\"C:\\my icons\\a.ico\"");
}

}  // namespace
