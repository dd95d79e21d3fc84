#include "tests/common/printer_win.h"

#include <winspool.h>

#include <vector>

#include "common/seams.h"
#include "tests/common/testutil_win.h"

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

// The file a Windows path of the Z: drive names on the host.
std::string HostPath(const std::string &windowsPath) {
    std::string p = windowsPath.substr(2);
    for (char &c : p)
        if (c == '\\') c = '/';
    return p;
}

}  // namespace

bool InstallTestPrinterDriver() {
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

namespace {

void DeletePrinterNamed(const std::string &name) {
    HANDLE h = nullptr;
    if (OpenPrinterA((LPSTR)name.c_str(), &h, nullptr)) {
        DeletePrinter(h);
        ClosePrinter(h);
    }
}

}  // namespace

namespace {

std::string g_chosenPrinter;
BOOL(WINAPI *g_oldPrintDialog)(PRINTDLGA *) = nullptr;

BOOL WINAPI ChooseThePrinter(PRINTDLGA *request) {
    request->hDC = CreateDCA(nullptr, g_chosenPrinter.c_str(), nullptr, nullptr);
    return request->hDC != nullptr;
}

}  // namespace

PrinterChoice::PrinterChoice(const std::string &printer) {
    g_chosenPrinter = printer;
    g_oldPrintDialog = SetPrintDialogRunner(ChooseThePrinter);
}

PrinterChoice::~PrinterChoice() { SetPrintDialogRunner(g_oldPrintDialog); }

TestPrinter::TestPrinter(const std::string &name, const std::string &file) : name_(name), file_(file) {
    DeleteFileA(file.c_str());
    DeletePrinterNamed(name_);  // one a stopped run left behind
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

TestPrinter::~TestPrinter() { DeletePrinterNamed(name_); }
