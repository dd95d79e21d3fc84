// The printed sheet of an icon file, laid out in printer pixels (MM_TEXT):
// what goes where on which page, apart from the printer. Both programs print
// it, each with its own texts and its own place for the pictures. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SheetImage {
    int width = 0, height = 0;  // pixels
    int bitDepth = 0;           // planes x bit count
};

// The sheet's texts, from the program's string table.
struct SheetTexts {
    std::string title;        // the program's name
    std::string fileLabel;    // "Ico file: "
    std::string countLabel;   // "# Formats: "
    std::string imageFormat;  // "Format: %dx%d, %d couleurs": width, height, colours
    std::string path;         // the icon file's path
};

enum class SheetFont { kTitle, kBold, kNormal };  // Arial 70 bold, 40 bold, 40 normal

struct SheetItem {
    enum Kind { kText, kRule, kIcon } kind;
    int x, y;
    int width, height;  // a rule's or an icon's size; 0 for text
    SheetFont font;     // text only
    std::string text;   // text only
    size_t image;       // icon only: the index of the image drawn
};

// One print document of one page.
typedef std::vector<SheetItem> SheetPage;

// Where each image's picture goes beside its line, and how large.
struct SheetStyle {
    bool valueColumn = true;  // at the value column; else at the left margin
    int below = 0;            // how far below the top of the image's line
    int scale = 1;            // its size: scale x the image's
};

// Left margin, value column at a third of the page, rules of page width - 200
// by 10 at y 178 and 300, the file line at 200, the count at 250, the first
// image line at 350, each image line then 15 below the lower of its text
// (40) and its picture (`below` + scale x height); an image (or the final
// rule) that would reach past the page's height goes to a new document at
// y 50 without the header. The final rule follows the last image.
std::vector<SheetPage> LayOutSheet(int pageWidth, int pageHeight, const std::vector<SheetImage> &images,
                                   const SheetTexts &texts, const SheetStyle &style = SheetStyle());

// The colours an image of `bitDepth` bits can show: 2, 16, 256, ... up to
// 16777216 for 24 bits; 32-bit images show as many (their fourth byte is
// alpha); 0 for a depth that is not a colour depth.
int64_t SheetColorCount(int bitDepth);
