// Icon locations as the registry stores them ("C:\path\lib.dll,3",
// "%SystemRoot%\system32\shell32.dll,-15", a bare "C:\x.ico"), and the
// catalogues of system objects the icon and cursor dialogs show. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The longest path a location may carry (a 260-character buffer with its NUL).
const size_t kMaxLocationPath = 259;

enum LocationParse {
    kLocationEmpty,       // nothing to parse: the row keeps what it had
    kLocationUnparsable,  // a lone percent sign, or a path longer than kMaxLocationPath
    kLocationParsed,      // path and index set (index -1: the text had no comma)
};

struct ParsedLocation {
    std::string path;
    int index = -1;
};

// Looks up a variable named between percent signs other than SystemRoot;
// false leaves the text as it stands.
typedef std::function<bool(const std::string &name, std::string *value)> VariableLookup;

// The index is the number after the last comma (leading blanks and a sign,
// then digits up to the first other character, no digits giving 0, clamped to
// the int range), or -1 without a comma. The path is the text up to its last
// comma; a text holding a percent sign must hold a second one, and
// %SystemRoot% (as written, case kept) becomes windowsFolder.
LocationParse ParseIconLocation(const char *text, const std::string &windowsFolder, const VariableLookup &lookup,
                                ParsedLocation *out);

// The number as a location stores it: optional blanks and sign, digits up to
// the first other character; no digits give 0.
int ParseLocationIndex(const char *text);

// True when the path's extension begins with ".ico" or ".bmp" (any case):
// such a location is an image file loaded whole, not an entry of a library.
bool IsIconImagePath(const std::string &path);

// "path,index", the form a location is written back in.
std::string FormatIconLocation(const std::string &path, int index);

// Registry roots the system icon catalogue uses.
enum CatalogueRoot { kRootClasses, kRootMachine };

struct SystemIconEntry {
    const char *label;
    CatalogueRoot root;
    const char *key;
    const char *readValue;   // "" for the key's default value
    const char *writeValue;  // the value Apply writes
};

const int kSystemIconCount = 42;
// The system objects in the order the dialog lists them.
const SystemIconEntry &SystemIconCatalogue(int i);
// What the properties of a row show for its root.
const char *CatalogueRootName(CatalogueRoot root);

struct SystemCursorEntry {
    const char *label;
    uint32_t id;  // the system cursor identifier (OCR_...)
};
const int kSystemCursorCount = 13;
const SystemCursorEntry &SystemCursorCatalogue(int i);

// "Display|pattern|...||" made ready for the open-file dialog: every '|'
// turned into a NUL (the result ends in two NULs).
std::string FilterForDialog(const char *text);
