// The format set: the 30 size x depth boxes of the conversion panel, the
// preset sets, and the create-as list. Rules only; the window binding
// (formatpanel_win.h) reads and sets the controls. Portable.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "common/types.h"

const int kFormatBoxCount = 30;
const int kFirstCustomBox = 25;  // boxes 25..29 use the custom size
const int kMaxFormats = 30;

struct FormatBox {
    int controlId;
    const char *label;
    int size;  // 0: the custom size
    int bits;
};
// The boxes in panel order, which is also the image order of written files.
extern const FormatBox kFormatBoxes[kFormatBoxCount];

// Index of a box by control id, or -1.
int FormatBoxIndex(int controlId);

// Control ids of the panel around the boxes.
enum FormatPanelIds {
    kIdCustomSize = 1136,
    kIdCustomSizeLabel = 1393,
    kIdCustomSpin = 400,
    kIdCreateAsList = 1068,
    kIdCreateAsLabel = 1444,
    kIdTransparentCheck = 1204,
    kIdColorSwatch = 1396,
    kIdColorButton = 1117,
    kIdTestButton = 1405,
    kIdXpToolbarButton = 284,
    kIdXpMenuItem = 285,
};
// The up-down control's range; it wraps at both ends and starts at 97.
const int kCustomSizeMin = 97, kCustomSizeMax = 200;
// The largest image an icon or cursor file can state (a directory entry's
// width byte, 0 for 256). A typed custom size above it counts as none.
const unsigned kMaxImageSize = 256;

// The list from the checked boxes: table order, custom boxes only when the
// custom size is 1 to kMaxImageSize. checked[i] is box i's state.
std::vector<FormatEntry> BuildFormatList(const bool checked[kFormatBoxCount], unsigned customSize);

// The XP set (16, 32 and 48 pixels at 4, 8 and 24 bits) and the profile-image
// set (48 pixels at 24 bits), as control ids in table order.
extern const int kXpSetIds[9];
extern const int kProfileSetIds[1];
// Marks the boxes of a preset in checked[] (all others cleared).
void CheckPreset(const int *ids, size_t count, bool checked[kFormatBoxCount]);

// The message shown when no format is chosen.
const char *EmptyChoiceMessage(int kind);

// The create-as list for a file-type filter index (1-based, as the browser
// reports it): labels in order and the entry selected.
struct CreateAsList {
    std::vector<std::string> labels;
    int selected;
};
CreateAsList CreateAsEntries(int filterIndex);
// The kind a list label names (1..4), 0 for an unknown label.
int KindFromLabel(const std::string &label);

// What choosing a create-as entry does to the panel.
enum XpButtonState { kXpReleased, kXpIndeterminate };
struct CreateAsEffects {
    int kind;
    bool profileSet;  // false: the format choice is cleared (all enabled, none checked)
    bool testButtonEnabled;
    XpButtonState xpButton;
};
CreateAsEffects EffectsOfKind(int kind);

// The box for a size and bit depth: a fixed box when the size is one of the
// panel's (16, 32, 48, 64, 96), else the custom box of that depth when the
// size is 0 or equals the custom size. -1 when there is none.
int FormatBoxFor(int size, int bits, unsigned customSize);
