#include "conversion/formatset.h"


const FormatBox kFormatBoxes[kFormatBoxCount] = {
    {1039, "16x2", 16, 1},       {1041, "16x16", 16, 4},      {1335, "16x256", 16, 8},
    {1352, "16x24 bits", 16, 24}, {1353, "16x32 bits", 16, 32}, {1354, "32x2", 32, 1},
    {1355, "32x16", 32, 4},      {1356, "32x256", 32, 8},     {1357, "32x24 bits", 32, 24},
    {1358, "32x32 bits", 32, 32}, {1359, "48x2", 48, 1},       {1360, "48x16", 48, 4},
    {1361, "48x256", 48, 8},     {1362, "48x24 bits", 48, 24}, {1363, "48x32 bits", 48, 32},
    {1364, "64x2", 64, 1},       {1367, "64x16", 64, 4},      {1368, "64x256", 64, 8},
    {1369, "64x24 bits", 64, 24}, {1370, "64x32 bits", 64, 32}, {1371, "96x2", 96, 1},
    {1372, "96x16", 96, 4},      {1373, "96x256", 96, 8},     {1374, "96x24 bits", 96, 24},
    {1375, "96x32 bits", 96, 32}, {1376, "x2", 0, 1},          {1377, "x16", 0, 4},
    {1379, "x256", 0, 8},        {1380, "x24 bits", 0, 24},   {1392, "x32 bits", 0, 32},
};

const int kXpSetIds[9] = {1041, 1335, 1352, 1355, 1356, 1357, 1360, 1361, 1362};
const int kProfileSetIds[1] = {1362};

int FormatBoxIndex(int controlId) {
    for (int i = 0; i < kFormatBoxCount; ++i)
        if (kFormatBoxes[i].controlId == controlId) return i;
    return -1;
}

std::vector<FormatEntry> BuildFormatList(const bool checked[kFormatBoxCount], unsigned customSize) {
    std::vector<FormatEntry> list;
    for (int i = 0; i < kFormatBoxCount; ++i) {
        if (!checked[i]) continue;
        const FormatBox &box = kFormatBoxes[i];
        if (box.size == 0) {
            // A size no icon file can hold is as unusable as none, and is
            // refused before an image of that size is ever made.
            if (customSize == 0 || customSize > kMaxImageSize) continue;
            list.push_back(FormatEntry{(int32_t)customSize, box.bits});
        } else {
            list.push_back(FormatEntry{box.size, box.bits});
        }
    }
    return list;
}

void CheckPreset(const int *ids, size_t count, bool checked[kFormatBoxCount]) {
    for (int i = 0; i < kFormatBoxCount; ++i) checked[i] = false;
    for (size_t i = 0; i < count; ++i) {
        int index = FormatBoxIndex(ids[i]);
        if (index >= 0) checked[index] = true;
    }
}

const char *EmptyChoiceMessage(int kind) {
    return kind == kCreateCursor ? "You did not select the formats to be included in the cursor..."
                                 : "You did not select the formats to be included in the icon...";
}

namespace {
const char *const kKindLabels[] = {"Icon", "Cursor", "Animated Cursor", "XP profile image"};
}

CreateAsList CreateAsEntries(int filterIndex) {
    CreateAsList list;
    if (filterIndex == 1 || filterIndex == 6 || filterIndex == 8) {
        list.labels.assign(kKindLabels, kKindLabels + 4);
        list.selected = 2;  // "Animated Cursor"
    } else {
        list.labels = {kKindLabels[0], kKindLabels[1], kKindLabels[3]};
        list.selected = 0;  // "Icon"
    }
    return list;
}

int KindFromLabel(const std::string &label) {
    for (int i = 0; i < 4; ++i)
        if (label == kKindLabels[i]) return i + 1;
    return 0;
}

CreateAsEffects EffectsOfKind(int kind) {
    switch (kind) {
    case kCreateCursor: return {kCreateCursor, false, true, kXpReleased};
    case kCreateAnimatedCursor: return {kCreateAnimatedCursor, false, true, kXpReleased};
    case kCreateProfile: return {kCreateProfile, true, false, kXpIndeterminate};
    default: return {kCreateIcon, false, false, kXpReleased};
    }
}

int FormatBoxFor(int size, int bits, unsigned customSize) {
    for (int i = 0; i < kFormatBoxCount; ++i) {
        const FormatBox &box = kFormatBoxes[i];
        if (box.bits != bits) continue;
        if (box.size != 0 && box.size == size) return i;
        if (box.size == 0 && (size == 0 || (customSize != 0 && (unsigned)size == customSize))) return i;
    }
    return -1;
}
