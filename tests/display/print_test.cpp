// Printing an icon file's sheet on a real printer of Wine: its PostScript
// driver, whose port hands each print document to a shell command that
// appends it to a file of test-output/print. check_print.py renders those
// files with Ghostscript and reads the text and pixels back.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "display/displayops_win.h"
#include "display/print_win.h"
#include "tests/common/testutil_win.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

// An A4 colour PostScript printer at 300 dpi, written for these tests.
const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"GYTEST.PPD\"\n*Manufacturer: \"Glyphery\"\n"
    "*Product: \"(Glyphery test printer)\"\n*ModelName: \"Glyphery test printer\"\n"
    "*ShortNickName: \"Glyphery test printer\"\n*NickName: \"Glyphery test printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n*DefaultColorSpace: RGB\n"
    "*FileSystem: False\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"0 0 595 842\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n";

const char kDriver[] = "Wine PostScript Driver";

bool InstallDriver() {
    char dir[MAX_PATH];
    DWORD need = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, (LPBYTE)dir, sizeof dir, &need)) return false;
    std::string ppd = std::string(dir) + "\\gytest.ppd";
    if (!WriteBytes(ppd, std::vector<uint8_t>(kPpd, kPpd + sizeof kPpd - 1))) return false;
    DRIVER_INFO_3A d = {};
    d.cVersion = 3;
    d.pName = (LPSTR)kDriver;
    d.pEnvironment = nullptr;  // the process's own (x86 or x64)
    d.pDriverPath = (LPSTR) "wineps.drv";
    d.pDataFile = (LPSTR) "gytest.ppd";
    d.pConfigFile = (LPSTR) "wineps.drv";
    d.pDefaultDataType = (LPSTR) "RAW";
    return AddPrinterDriverA(nullptr, 3, (LPBYTE)&d) != FALSE;
}

// The file a Windows path of the Z: drive names on the host.
std::string HostPath(const std::string &windowsPath) {
    std::string p = windowsPath.substr(2);
    for (char &c : p)
        if (c == '\\') c = '/';
    return p;
}

// A printer whose documents are appended to `file` (replaced first); the
// default printer while it lives.
class TestPrinter {
public:
    TestPrinter(const std::string &name, const std::string &file) : name_(name), file_(file) {
        DeleteFileA(file.c_str());
        port_ = "|cat >> '" + HostPath(file) + "'";
        PRINTER_INFO_2A info = {};
        info.pPrinterName = (LPSTR)name_.c_str();
        info.pPortName = (LPSTR)port_.c_str();
        info.pDriverName = (LPSTR)kDriver;
        info.pPrintProcessor = (LPSTR) "WinPrint";
        info.pDatatype = (LPSTR) "RAW";
        HANDLE h = AddPrinterA(nullptr, 2, (LPBYTE)&info);
        if (h) ClosePrinter(h);
        SetDefaultPrinterA(name_.c_str());
    }
    ~TestPrinter() {
        HANDLE h = nullptr;
        if (OpenPrinterA((LPSTR)name_.c_str(), &h, nullptr)) {
            DeletePrinter(h);
            ClosePrinter(h);
        }
    }
    const std::string &name() const { return name_; }

private:
    std::string name_, file_, port_;
};

std::string g_printer;  // the printer the dialog seam answers with
BOOL WINAPI ChoosePrinter(PRINTDLGA *request) {
    request->hDC = CreateDCA(nullptr, g_printer.c_str(), nullptr, nullptr);
    return request->hDC != nullptr;
}

class PrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallDriver()); }
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
    g_printer = printer.name();
    PrintDialogRunner old = SetPrintDialogRunner(ChoosePrinter);
    PrintIconFile(nullptr, GetModuleHandleA(nullptr), file.set, file.path);
    SetPrintDialogRunner(old);
    ASSERT_TRUE(Exists(ps));
}

}  // namespace
