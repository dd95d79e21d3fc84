// The video tool's rules that need no window: its command line, which files
// may give a frame, the position arithmetic of the slider and the texts, the
// video's place in its area and the grabbed frame's file name. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// DirectShow's reference time: 100-nanosecond units.
const int64_t kUnitsPerSecond = 10000000;
const int64_t kUnitsPerMillisecond = 10000;

// What the command line says: "<media path>|<folder for grabbed frames>".
enum CommandLineVerdict {
    kCommandLineOk = 0,
    kStartedOutside,  // no "|": the tool was not started by the suite
    kStartedWithout,  // "|" with nothing before it
    kPathTooLong,     // a part would not fit its buffer: not opened
};
// Splits at the first "|" into the media path and the folder (each of its
// buffer's size - 1 characters at most; nothing is cut).
CommandLineVerdict SplitCommandLine(const char *commandLine, char *media, size_t mediaSize, char *folder,
                                    size_t folderSize);

// Whether a frame may be grabbed from a file of this name: its extension,
// in any case, is one of the video types DirectShow renders as pictures.
bool GrabAllowedFor(const std::string &path);
// Whether the file is opened through the Windows Media ASF reader rather than
// the graph's own choice of source.
bool UsesAsfReader(const std::string &path);

// The slider's place (0-100) for a position in a clip of a duration; 0 when
// the duration is unknown. Positions past the end count as the end.
int SliderFromPosition(int64_t position, int64_t duration);
// The position the slider's place (0-100) stands for.
int64_t PositionFromSlider(int place, int64_t duration);

// A time split for display: whole minutes, seconds within the minute and
// milliseconds within the second. Negative times show as 0.
struct ClockTime {
    int64_t minutes;
    int seconds;
    int milliseconds;
};
ClockTime SplitTime(int64_t units);

// The position as the edit field shows it and the grabbed file is numbered:
// the low 32 bits of the 100-ns value, signed.
long PositionNumber(int64_t position);

// The position a grab takes its frame at: the player's, except in a clip
// shorter than one second, which always gives its first frame.
int64_t GrabPosition(int64_t position, int64_t duration);

// "<folder>\<base name of the media> <position number>.bmp", backslashes
// collapsed; "" when it would not fit a path of maxPath - 1 characters.
std::string GrabbedFramePath(const std::string &folder, const std::string &media, int64_t position,
                             size_t maxPath);

// Where the video goes in its area (client coordinates of the area): on each
// axis where the area is larger than the video, the video at its own size
// centred; otherwise the area's size on that axis.
struct Placement {
    int x, y, width, height;
};
Placement PlaceVideo(int areaWidth, int areaHeight, int videoWidth, int videoHeight);

// The picture shown in the capture area: the frame scaled to fit the area
// whole, proportions kept, never enlarged, centred.
Placement FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);
