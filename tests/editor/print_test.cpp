// Printing from the real editor frame on a real printer of Wine: its
// PostScript driver, whose port appends each print document to a file of
// test-output/editor_print. check_editor_print.py renders those files with
// Ghostscript and reads the texts and the pictures back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/seams.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/tools_win.h"
#include "editor/views_win.h"
#include "tests/common/printer_win.h"
#include "tests/common/testutil_win.h"
#include "tests/editor/editor_frame.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

class EditorPrintTest : public ::testing::Test {
protected:
    // The registry is the prefix's own here: the printers live under
    // HKEY_LOCAL_MACHINE, which an isolated registry would hide from the
    // spooler. The editor finds no settings of its own there and writes none
    // (the frame is destroyed, not closed).
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinterDriver()); }
    EditorPrintTest() : out_(TestOutputDir("editor_print")) {}
    std::string out_;
};

// Through the platform's print dialog: OK prints the sheet of the icon as it
// is now (a blue line drawn across the 48 x 48 image shows on the paper),
// Cancel prints nothing and says nothing.
TEST_F(EditorPrintTest, TheSheetThroughThePrintDialog) {
    std::string icon = out_ + "\\three.ico";
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile({{16, 4, 0x0000FF}, {32, 24, 0x00FF00}, {48, 32, 0xFF0000}})));
    EditorFrame editor(icon);
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(CurrentImageIndex(), 2);
    SetButtonColor(false, RGB(0, 0, 255));
    editor.Command(CMD_PEN);
    editor.Drag(false, {{0, 10}, {47, 10}});

    MessageRecorder messages;
    std::string ps = out_ + "\\sheet.ps";
    TestPrinter printer("GlypheryEdit sheet printer", ps);
    RunDialog([&] { editor.Command(CMD_PRINT); return (INT_PTR)0; }, [](HWND d) { Click(d, IDOK); }, "Print");
    EXPECT_TRUE(FileExists(ps));

    std::string cancelled = out_ + "\\cancelled.ps";
    TestPrinter other("GlypheryEdit cancelled printer", cancelled);
    RunDialog([&] { editor.Command(CMD_PRINT); return (INT_PTR)0; }, [](HWND d) { Click(d, IDCANCEL); }, "Print");
    EXPECT_FALSE(FileExists(cancelled));
    EXPECT_TRUE(messages.calls().empty());
}

// Five images of 256 x 256, each three times its size: three fit on the
// first page; the fourth, which would reach past it, starts a second
// document with the fifth.
TEST_F(EditorPrintTest, PicturesThatOverflowGoToASecondDocument) {
    std::string icon = out_ + "\\five.ico";
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile(std::vector<FixtureImage>(5, FixtureImage{256, 4, 0x808000}))));
    EditorFrame editor(icon);
    ASSERT_TRUE(editor.ok());
    std::string ps = out_ + "\\overflow.ps";
    TestPrinter printer("GlypheryEdit overflow printer", ps);
    MessageRecorder messages;
    {
        PrinterChoice choice(printer.name());
        DWORD start = GetTickCount();
        editor.Command(CMD_PRINT);
        printf("[ timing ] printed five 256 x 256 pictures in %lu ms\n", GetTickCount() - start);
    }
    EXPECT_TRUE(FileExists(ps));
    EXPECT_TRUE(messages.calls().empty());
}

// A printer that refuses the document: the user is told.
TEST_F(EditorPrintTest, APrinterThatRefusesIsReported) {
    std::string icon = out_ + "\\one.ico";
    ASSERT_TRUE(WriteBytes(icon, MakeIconFile({{32, 8, 0x336699}})));
    EditorFrame editor(icon);
    ASSERT_TRUE(editor.ok());
    struct Screen {
        // A display context: no printer, StartDoc fails on it.
        static BOOL WINAPI Answer(PRINTDLGA *request) {
            request->hDC = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
            return request->hDC != nullptr;
        }
    };
    PrintDialogRunner old = SetPrintDialogRunner(Screen::Answer);
    MessageRecorder messages;
    editor.Command(CMD_PRINT);
    SetPrintDialogRunner(old);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "The icon could not be printed.");
    EXPECT_EQ(messages.calls()[0].caption, "GlypheryEdit");
}

}  // namespace
