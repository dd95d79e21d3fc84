// Printing an icon file's sheet on a real printer of Wine: its PostScript
// driver, whose port hands each print document to a shell command that
// appends it to a file of test-output/print. check_print.py renders those
// files with Ghostscript and reads the text and pixels back.
#include <gtest/gtest.h>

#include <windows.h>

#include "display/displayops_win.h"
#include "common/seams.h"
#include "display/print_win.h"
#include "tests/common/printer_win.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

class PrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinterDriver()); }
    PrintTest() : out_(TestOutputDir("print")) {}
    DisplayFile Load(const std::vector<FixtureImage> &images, const std::string &name) {
        DisplayFile file;
        std::string path = out_ + "\\" + name, error;
        EXPECT_TRUE(WriteBytes(path, MakeIconFile(images)));
        EXPECT_TRUE(LoadDisplayFile(path, &file, &error)) << error;
        return file;
    }
    std::string out_;
};

bool Exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Through the platform's own print dialog: OK prints the sheet on the
// default printer, Cancel prints nothing.
TEST_F(PrintTest, OnePageWithThreeImagesThroughThePrintDialog) {
    DisplayFile file = Load({{16, 4, 0x0000FF}, {32, 24, 0x00FF00}, {48, 32, 0xFF0000}}, "three.ico");
    std::string ps = out_ + "\\print_three.ps";
    TestPrinter printer("Glyphery sheet printer", ps);
    RunDialog([&] { PrintIconFile(nullptr, GetModuleHandleA(nullptr), file.set, file.path); return (INT_PTR)0; },
              [](HWND d) { Click(d, IDOK); }, "Print");
    ASSERT_TRUE(Exists(ps));

    std::string cancelled = out_ + "\\print_cancelled.ps";
    TestPrinter other("Glyphery cancelled printer", cancelled);
    RunDialog([&] { PrintIconFile(nullptr, GetModuleHandleA(nullptr), file.set, file.path); return (INT_PTR)0; },
              [](HWND d) { Click(d, IDCANCEL); }, "Print");
    EXPECT_FALSE(Exists(cancelled));
}

// Thirteen images of 256 x 256: eleven fit on the first page, the last two
// go to a second document.
TEST_F(PrintTest, ImagesThatOverflowGoToASecondDocument) {
    std::vector<FixtureImage> images(13, FixtureImage{256, 4, 0x808000});
    DisplayFile file = Load(images, "many.ico");
    std::string ps = out_ + "\\print_overflow.ps";
    TestPrinter printer("Glyphery overflow printer", ps);
    {
        PrinterChoice choice(printer.name());
        PrintIconFile(nullptr, GetModuleHandleA(nullptr), file.set, file.path);
    }
    ASSERT_TRUE(Exists(ps));
}

}  // namespace
