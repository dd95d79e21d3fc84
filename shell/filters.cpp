#include "shell/filters.h"

namespace {

// Type, description and patterns; an empty pattern list means "*.<type>".
struct FilterType {
    const char *type;
    const char *description;
    const char *patterns;
};

const FilterType kTypes[] = {
    {"ASF", "Windows Media Stream", ""},
    {"AVI", "Windows Audio Video Interleave", ""},
    {"AVS", "AVS X image", ""},
    {"AVV", "Adobe Premiere compressed video", ""},
    {"BMP", "Windows Bitmap (bmp, bga, dib)", "*.BMP;*.BGA;*.DIB"},
    {"BAY", "Kodak Bayer photo", ""},
    {"CAM", "Casio Camera", ""},
    {"CIN", "Kodak Cineon", ""},
    {"CMF", "Casio Movie File", ""},
    {"CR2", "Canon 1D Mk II", ""},
    {"CRW", "Canon PowerShot Axx Gx 600 cameras", ""},
    {"CS1", "Sinar image", ""},
    {"DCM", "Dicom image", ""},
    {"FAX", "FAX Group 3", ""},
    {"FPX", "Kodak FlashPix", ""},
    {"FTS", "FITS Flexible Image Transport System", ""},
    {"GIF", "Graphic Interchange Format", ""},
    {"J6I", "Ricoh camera DC-1/DC-2", ""},
    {"JNG", "JPEG Network Graphic", ""},
    {"JPG", "Joint Photographic Experts Group", "*.JPE;*.JPG;*.JPEG"},
    {"M1S", "MPEG Video", ""},
    {"M2V", "MPEG-2 video", ""},
    {"M75", "MPEG-1 Video", ""},
    {"MPG", "Motion Picture Experts Group", "*.MPG;*.MPEG"},
    {"MPQ", "Warcraft III video", ""},
    {"MPV", "MPEG Video", ""},
    {"MPX", "Video", ""},
    {"NEF", "Nikon D1 Camera", ""},
    {"ORF", "Olympus Raw", ""},
    {"OTB", "On-The-Air Bitmap", ""},
    {"PCD", "Photo CD", ""},
    {"PCT", "Macintosh PICT", "*.PCT;*.PIC"},
    {"PCX", "PC Paintbrush", "*.DCX;*.PCX"},
    {"PNG", "Portable Network Graphics", ""},
    {"PSD", "Photoshop bitmap", ""},
    {"QT", "QuickTime movie", ""},
    {"SJ1", "Sinar raw image", ""},
    {"TGA", "Truevision Targa image", "*.TGA;*.ICB;*.VDA"},
    {"TIF", "Tagged Image File Format", "*.TIF;*.TIFF"},
    {"TIM", "PSX TIM image", ""},
    {"WB1", "Webshots picture", ""},
    {"WBC", "Webshots collection", ""},
    {"WBP", "Webshots picture", ""},
    {"WBZ", "Webshots package", ""},
    {"WMV", "Windows Media Video", ""},
    {"WPG", "WordPerfect Graphics", ""},
    // Raw formats of current cameras, after the others: the stored filter
    // index of a setting keeps naming the same filter.
    {"DNG", "Digital Negative raw photo", ""},
    {"ARW", "Sony raw photo", ""},
    {"RAF", "Fujifilm raw photo", ""},
    {"RW2", "Panasonic raw photo", ""},
    {"PEF", "Pentax raw photo", ""},
    {"SRW", "Samsung raw photo", ""},
};

const char kAllPatterns[] =
    "*.ASF;*.AVI;*.AVV;*.BAY;*.BGA;*.BMP;*.CAM;*.CIN;*.CMF;*.CR2;*.CRW;*.CS1;*.DCX;*.DIB;*.DCM;*.FAX;*.FPX;*.FTS;"
    "*.GIF;*.ICB;*.J6I;*.JNG;*.JPE;*.JPG;*.M1S;*.M1V;*.M2V;*.M75;*.MOV;*.MNG;*.MPV;*.MPG;*.MPEG;*.MPQ;*.MPX;*.NEF;"
    "*.ORF;*.PCD;*.PCT;*.PCX;*.PIC;*.PNG;*.PSD;*.QT;*.SJ1;*.TGA;*.TIF;*.TIFF;*.VDA;*.WB1;*.WBC;*.WBP;*.WBZ;*.WMV;"
    "*.WPG;*.DNG;*.ARW;*.RAF;*.RW2;*.PEF;*.SRW";

std::vector<FileFilter> MakeFilters() {
    std::vector<FileFilter> list;
    list.push_back({"All formats", kAllPatterns});
    for (const FilterType &t : kTypes) {
        std::string patterns = *t.patterns ? t.patterns : std::string("*.") + t.type;
        list.push_back({std::string(t.type) + " - " + t.description, patterns});
    }
    return list;
}

}  // namespace

const std::vector<FileFilter> &FileFilters() {
    static const std::vector<FileFilter> filters = MakeFilters();
    return filters;
}

std::string FilterListText() {
    std::string text;
    for (const FileFilter &f : FileFilters()) text += f.description + "|" + f.patterns + "|";
    return text;
}

std::string FilterListFromText(const std::string &text) {
    std::string list = text;
    for (char &c : list)
        if (c == '|') c = '\0';
    // The list ends with an empty string: a zero after the last pattern's.
    if (list.empty() || list.back() != '\0') list.push_back('\0');
    list.push_back('\0');
    return list;
}

unsigned FilterIndexForFormatIn(unsigned formatIn) {
    return formatIn < FileFilters().size() ? formatIn + 1 : 1;
}

unsigned FormatInForSelection(int selection, unsigned current) {
    return selection >= 0 ? (unsigned)selection : current;
}
