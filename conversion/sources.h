// What a source file is, and the names a conversion forms from it. Portable.
#pragma once
#include <string>

enum SourceKind {
    kStillSource,  // a picture the image library reads
    kMpegSource,   // frames come from the MPEG frame extractor
    kRawSource,    // a camera raw file, decoded by the raw library
};
// By extension; an extension matches when it starts with one of the listed
// ones, ignoring case (".MPG", ".mpeg").
SourceKind ClassifySource(const std::string &path);

// The entry of the raw decoder (Qcrw) a camera raw file goes to: 2 for
// ".wbz", 3 for ".wb1", 1 for every other raw extension; 0 for a file that is
// not camera raw.
int RawDecoderEntry(const std::string &path);

// Every name below has its doubled backslashes collapsed. An empty string
// means the name would not fit a 260-character path.

// "BMP3:<temp>\<base>_<size>_<bits>.bmp": the rendered bitmap of one format
// (the "BMP3:" prefix makes the image library write a version 3 bitmap; the
// file itself is named without it). frame >= 0 adds "_<frame:04>" to the base.
std::string RenderedBitmapName(const std::string &temp, const std::string &base, int frame, int size, int bits);
// The file a name with a "BMP3:" prefix writes (the name itself without one).
std::string FileOfRenderedName(const std::string &name);
// "<target>\<base>.ico" (or ".cur" for kind 2); frame >= 0 adds "_<frame:04>".
std::string OutputPath(const std::string &target, const std::string &base, int frame, int kind);
// "<target>\<base>.bmp": the profile image of a source.
std::string ProfileImagePath(const std::string &target, const std::string &base);

// The frame bitmaps the MPEG frame extractor writes for frame `frame`:
// "<temp>\GY<base>_<frame:04>.bmp", which icons and cursors are made from, and
// "<temp>\GY_<frame:04>.bmp", which animated cursors are made from.
std::string MpegFrameBitmap(const std::string &temp, const std::string &base, int frame);
std::string AniFrameBitmap(const std::string &temp, int frame);
// "<temp>\GY<frame:04>.ico": a frame icon of an animated cursor.
std::string AniFrameIcon(const std::string &temp, int frame);
// "<temp>GY.ani": the animated cursor the cursor test previews.
std::string CursorTestAni(const std::string &temp);
// "<target>\<name>.ani".
std::string AniOutputPath(const std::string &target, const std::string &name);

// The status line texts of the progress window.
std::string FrameStatus(int frame, int frames);
std::string FrameIconStatus(int frame, int frames);
