// The conversion driver: every source picture into one icon or cursor file
// (or a profile bitmap) in the target folder, through the image library and
// the icon file library, with progress reported as it goes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/types.h"
#include "conversion/imagelib_win.h"

struct Settings;

// Kind 3: the frame icons made from an MPEG clip, for the animated cursor.
struct AnimatedCursorFrames {
    std::string source;              // the clip
    int frameCount = 0;              // frames extracted: icon files "<temp>\GY0000.ico" on
    int frameSize = 32;              // width and height of every frame icon
    std::vector<std::string> icons;  // the frame icons made, in frame order (a frame that
                                     // could not be read has none)
};
struct AnimatedCursorResult {
    std::string written;     // the .ani file written, "" when none
    bool cancelled = false;  // the user chose not to make one: the frame icons stay
};
typedef std::function<AnimatedCursorResult(const AnimatedCursorFrames &)> AnimatedCursorMaker;

// Everything one conversion needs; the panel's window form fills it from the
// settings and the format boxes.
struct ConversionRequest {
    std::vector<std::string> sources;  // full paths, in order (at most kMaxSources)
    std::string targetFolder;          // exists; no trailing backslash needed
    int kind = kCreateIcon;            // CreateKind
    bool transparent = false;
    ColorRef color = 0;                // 0: white (and 0xFEFEFE) is transparent
    bool keepProportions = false;
    bool beep = false;
    std::vector<FormatEntry> formats;  // in panel order, at most 30
    HWND owner = nullptr;              // passed on to saveICON
    // Read the source again for every format instead of once per source and
    // a copy per format. Both give the same bytes; the single read is faster.
    bool readEveryFormat = false;
    // A cursor's hot spot, in pixels of the largest format; without one it
    // is the top-left corner of every image.
    bool hasHotspot = false;
    int hotspotX = 0, hotspotY = 0;
    // The fast path: each picture decoded at the smallest size that still
    // holds twice the largest image (a JPEG's scaled decoding), resized
    // first, then reduced at the image's size to the colour table the icon
    // file library gives 1-, 4- and 8-bit images. Not the same bytes as the
    // exact path, which reduces the whole picture before the resize.
    bool fast = false;
    // Sources converted at once, each on a worker thread: 0 for one per
    // processor (at most kMaxWorkers). 1 converts on the calling thread.
    // Every count writes the same bytes and reports in source order.
    int workers = 0;
    // Kind 3: makes the animated cursor of an MPEG clip from its frame icons.
    // Without one, "<target>\<base>.ani" is written at once (SaveANI).
    AnimatedCursorMaker makeAnimatedCursor;
};
const int kMaxWorkers = 4;
const size_t kMaxSources = 4096;

enum SourceOutcome {
    kSourceConverted,       // outputs written
    kSourceUnreadable,      // the picture could not be read: nothing written
    kSourceNotWritten,      // rendered, but the output file could not be written
    kSourceNothingToMake,   // kind 3 from a still picture: no file, by design
    kSourceNoFrames,        // an MPEG clip of which no frame could be extracted: skipped
    kSourceBadName,         // a formed path would not fit 260 characters
    kSourceWouldReplaceSource,  // a file it writes is a picture of this conversion: not converted
    kSourceOutputTaken,     // its output was written from an earlier source of this conversion
};

struct SourceResult {
    std::string source;
    SourceOutcome outcome = kSourceConverted;
    std::string detail;                // the image library's reason, when it gave one; for the
                                       // two clashes, the file that would have been replaced
    std::vector<std::string> outputs;  // files written in the target folder
};

// What the driver reports while it works. The progress window implements it;
// tests and the command-line converter add to it. Every call comes on the
// thread that called RunConversion, in source order, whatever the workers.
class ConversionProgress {
public:
    virtual ~ConversionProgress() {}
    virtual void SourceStarted(const std::string &path) {}
    virtual void ShowStatusLine() {}
    virtual void Status(const std::string &text) {}
    virtual void FrameDone(int frame) {}
    // Steps 7 and 8 of a source that was not skipped: after the beep.
    virtual void SourceFinished(const std::string &path, const SourceResult &result) {}
    // Every source's result, skipped ones included.
    virtual void SourceResultReady(const SourceResult &result) {}
    virtual void Beep() { MessageBeep(MB_OK); }
    // The window the MPEG frame extractor moves the progress bar of (none: no bar).
    virtual HWND ProgressBarWindow() { return nullptr; }
    // Before the animated cursor of a clip is made (a dialog may open).
    virtual void AnimatedCursorFramesReady() {}
};

// Converts every source of the request (steps after the format list and the
// progress window exist). Returns 0 when the format list is empty, else 1.
// A source whose conversion would write over one of the request's pictures,
// or over an output written before in the same call, is not converted (the
// first source's file is kept). A failure of one source, an exhausted memory
// included, leaves it not converted and the next is converted. With more
// than one worker the calling thread paints and answers sent messages
// while it waits (posted and input messages wait for the end, as with one),
// and calls saveICON itself, in source order.
int RunConversion(const ConversionRequest &request, ConversionProgress *progress, std::vector<SourceResult> *results);

// The main window's form: shows the wait cursor, builds the format list from
// the panel in `mainWindow` (the empty-choice message and 0 when there is
// none), creates the progress window and converts with the settings' target
// folder, kind, transparency, proportions and beep. The caller destroys
// *progressWindow afterwards.
int ConvertFromPanel(HWND mainWindow, HINSTANCE resources, const Settings &settings,
                     const std::vector<std::string> &sources, HWND *progressWindow,
                     std::vector<SourceResult> *results = nullptr,
                     AnimatedCursorMaker makeAnimatedCursor = AnimatedCursorMaker());

// The picture of a source as a conversion reads it (the first image, within
// the read bound of readsize.h; with `fastLargest`, the largest image's side
// on the fast path, a JPEG decoded at the smallest scale that holds twice
// that). Null with the library's reason when it cannot be read. The caller
// destroys it with DestroyImageList.
struct _Image;
struct _Image *ReadPicture(const std::string &path, int fastLargest, std::string *reason);

// Samples a picture to exactly 48 x 48 pixels (the arguments "-sample"
// "48x48!") and writes it as a 24-bit bitmap: the profile picture of kind 4
// and the capture's copy for the display window. `fastLargest` as for
// ReadPicture (0: the exact read). False with the reason, and *unreadable set
// when the source could not be read.
bool WriteSampled48(const std::string &source, const std::string &output, int fastLargest, bool *unreadable,
                    std::string *reason);

// The worker threads RunConversion uses for `requested` (ConversionRequest::workers) and `sources`.
int WorkerCount(int requested, size_t sources);
