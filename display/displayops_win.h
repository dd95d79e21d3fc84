// The display window's work on its image sets, apart from the window: the
// working bitmap, effect results written into icon images, Save, and the
// effect loop with its request and observer.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "display/effects.h"
#include "display/imageset.h"

// One file of the window: its images and, per image, the picture as last
// retouched (null while the image shows its icon image).
struct DisplayFile {
    std::string path;
    DisplayImageSet set;
    std::vector<UniqueBitmap> effects;  // one per image
};

// "<temp>GY.bmp": the working bitmap, through which pictures go to and come
// back from the image library.
std::string WorkingBitmapPath();

// Reads an icon or cursor file for the window; false with a reason.
bool LoadDisplayFile(const std::string &path, DisplayFile *file, std::string *error);

// A new icon handle of a record (null when the system refuses its bytes).
HICON IconOfRecord(const DisplayImageRecord &record);

// Writes the bitmap as a version 3 .bmp at `depth` bits per pixel.
bool WriteWorkingBitmap(HBITMAP bitmap, int depth, const std::string &workingFile);
// Reads the working bitmap back, deletes it and makes it the record's icon
// image. False, record unchanged, when the file cannot be read or converted.
bool TakeWorkingBitmap(const std::string &workingFile, DisplayImageRecord *record);
// Both: the bitmap becomes the record's icon image at the record's depth.
bool StoreBitmapInRecord(HBITMAP bitmap, const std::string &workingFile, DisplayImageRecord *record);

// Writes the file's images to its path, each retouched picture first folded
// into its icon image. The file is written beside its old self and then
// put in its place, so a failed write leaves the old file whole.
bool SaveDisplayFile(DisplayFile *file, const std::string &workingFile);

// A captured picture's Save: the file's images go to "<target>\temp.ico",
// which the image library reads and writes as "<target>\<name>.bmp" (beside
// the old bitmap first, then in its place); temp.ico is deleted.
bool SaveDisplayBitmap(DisplayFile *file, const std::string &targetFolder, const std::string &name,
                       const std::string &workingFile);

// What the effect loop needs from the window.
class DisplayObserver {
public:
    virtual ~DisplayObserver() {}
    // The displayed picture as a new bitmap of the display size (caller owns it).
    virtual HBITMAP Snapshot() = 0;
    // Redraws the displayed picture now.
    virtual void Repaint() = 0;
    // Runs the argument builder of the effects catalogue on the working file
    // at target width `width`; the caller owns the bitmap (null: no picture).
    virtual HBITMAP Build(const std::string &workingFile, EffectCode code, int width, const EffectParams &params) = 0;
};

struct ApplyRequest {
    EffectCode code = 0;
    EffectParams params;
    bool applyToAll = false;
    // Codes 3, 5 and 6: build once at the display size whatever the code's
    // place on the apply list.
    bool runNow = false;
    int displaySize = 0;
    size_t image = 0;  // the current image of `file`
    std::string workingFile;
};

// Applies an effect to the displayed picture: the picture goes to the
// working file at the image's depth, the builder runs (once, or once per
// image at each image's width with "apply to all"), the results become the
// images' retouched pictures, and when the current image has one, the
// picture from before the effect becomes its icon image. The working file
// is gone afterwards.
void ApplyEffect(const ApplyRequest &request, DisplayFile *file, DisplayObserver *observer);

// Every pixel of the bitmap equal to `from` (0x00BBGGRR)
// becomes `to`; returns how many changed.
size_t ReplaceColorInBitmap(HBITMAP bitmap, COLORREF from, COLORREF to);
