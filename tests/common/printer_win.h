// A real printer of Wine for the tests: its PostScript driver with an A4
// colour printer description of ours, and a port that hands each print
// document to a shell command appending it to a file, which Ghostscript
// can then render.
#pragma once
#include <windows.h>

#include <string>

// Installs the driver "Wine PostScript Driver" with our printer description
// in the prefix (once is enough; again does no harm).
bool InstallTestPrinterDriver();

// A printer of that driver whose documents are appended to `file` (a path of
// the Z: drive, removed first); the default printer while it lives, deleted
// at the end of the scope.
// The print dialog (RunPrintDialog) answered for one scope as a user who
// chooses the printer and OK.
class PrinterChoice {
public:
    explicit PrinterChoice(const std::string &printer);
    ~PrinterChoice();
    PrinterChoice(const PrinterChoice &) = delete;
    PrinterChoice &operator=(const PrinterChoice &) = delete;
};

class TestPrinter {
public:
    TestPrinter(const std::string &name, const std::string &file);
    ~TestPrinter();
    TestPrinter(const TestPrinter &) = delete;
    TestPrinter &operator=(const TestPrinter &) = delete;
    const std::string &name() const { return name_; }

private:
    std::string name_, file_, port_;
};
