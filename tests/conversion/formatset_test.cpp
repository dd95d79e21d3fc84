// The format set's rules: the list built from the boxes, the presets, the
// create-as list, and the format texts of the command line.
#include <gtest/gtest.h>

#include <set>

#include "conversion/convert_options.h"
#include "conversion/formatset.h"

namespace {

struct Checked {
    bool boxes[kFormatBoxCount] = {};
    Checked &Tick(int id) {
        boxes[FormatBoxIndex(id)] = true;
        return *this;
    }
};

std::vector<std::pair<int, int>> Pairs(const std::vector<FormatEntry> &list) {
    std::vector<std::pair<int, int>> out;
    for (const FormatEntry &f : list) out.push_back({f.size, f.bits});
    return out;
}

TEST(FormatSet, TableHoldsThirtyDistinctBoxesInPanelOrder) {
    std::set<int> ids;
    for (const FormatBox &box : kFormatBoxes) ids.insert(box.controlId);
    EXPECT_EQ(ids.size(), 30u);
    EXPECT_EQ(kFormatBoxes[0].controlId, 1039);
    EXPECT_EQ(kFormatBoxes[24].controlId, 1375);
    EXPECT_EQ(kFormatBoxes[29].controlId, 1392);
    EXPECT_EQ(FormatBoxIndex(1379), 27);
    EXPECT_EQ(FormatBoxIndex(1378), -1);  // the gap in the ids
}

TEST(FormatSet, CustomBoxesCountOnlyWithANonZeroSize) {
    Checked c;
    c.Tick(1376).Tick(1392);
    EXPECT_TRUE(BuildFormatList(c.boxes, 0).empty());
    EXPECT_EQ(Pairs(BuildFormatList(c.boxes, 120)), (std::vector<std::pair<int, int>>{{120, 1}, {120, 32}}));
    // Typed values outside the up-down's range are taken as they are, up to
    // the largest image an icon file holds; above it they count as none.
    EXPECT_EQ(BuildFormatList(c.boxes, 12)[0].size, 12);
    EXPECT_EQ(BuildFormatList(c.boxes, 256)[0].size, 256);
    for (unsigned unusable : {257u, 5000u, 0x80000000u, 0xFFFFFFFFu})
        EXPECT_TRUE(BuildFormatList(c.boxes, unusable).empty()) << unusable;
}

TEST(FormatSet, CustomSizeEqualToAFixedOneGivesDuplicates) {
    Checked c;
    c.Tick(1379).Tick(1361);  // "x256" and "48x256"
    EXPECT_EQ(Pairs(BuildFormatList(c.boxes, 48)), (std::vector<std::pair<int, int>>{{48, 8}, {48, 8}}));
}

TEST(FormatSet, EveryBoxGivesThirtyEntriesInTableOrder) {
    Checked c;
    for (bool &b : c.boxes) b = true;
    std::vector<FormatEntry> list = BuildFormatList(c.boxes, 97);
    ASSERT_EQ(list.size(), 30u);
    const int sizes[] = {16, 32, 48, 64, 96, 97};
    const int bits[] = {1, 4, 8, 24, 32};
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(list[i].size, sizes[i / 5]) << i;
        EXPECT_EQ(list[i].bits, bits[i % 5]) << i;
    }
}

TEST(FormatSet, PresetsCheckExactlyTheirBoxes) {
    Checked c;
    for (bool &b : c.boxes) b = true;  // a preset replaces whatever was ticked
    CheckPreset(kXpSetIds, 9, c.boxes);
    EXPECT_EQ(Pairs(BuildFormatList(c.boxes, 97)), (std::vector<std::pair<int, int>>{
                                                        {16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24},
                                                        {48, 4}, {48, 8}, {48, 24}}));
    CheckPreset(kProfileSetIds, 1, c.boxes);
    EXPECT_EQ(Pairs(BuildFormatList(c.boxes, 97)), (std::vector<std::pair<int, int>>{{48, 24}}));
}

TEST(FormatSet, EmptyChoiceMessageNamesTheKind) {
    EXPECT_STREQ(EmptyChoiceMessage(kCreateCursor), "You did not select the formats to be included in the cursor...");
    for (int kind : {kCreateIcon, kCreateAnimatedCursor, kCreateProfile})
        EXPECT_STREQ(EmptyChoiceMessage(kind), "You did not select the formats to be included in the icon...");
}

TEST(CreateAsList, AnimatedCursorOnlyForFiltersOneSixAndEight) {
    for (int filter : {1, 6, 8}) {
        CreateAsList list = CreateAsEntries(filter);
        EXPECT_EQ(list.labels, (std::vector<std::string>{"Icon", "Cursor", "Animated Cursor", "XP profile image"}));
        EXPECT_EQ(list.labels[list.selected], "Animated Cursor");
    }
    for (int filter : {0, 2, 5, 7, 9, 40}) {
        CreateAsList list = CreateAsEntries(filter);
        EXPECT_EQ(list.labels, (std::vector<std::string>{"Icon", "Cursor", "XP profile image"}));
        EXPECT_EQ(list.labels[list.selected], "Icon");
    }
}

TEST(CreateAsList, EachLabelSelectsItsKindAndEffects) {
    EXPECT_EQ(KindFromLabel("Icon"), 1);
    EXPECT_EQ(KindFromLabel("Cursor"), 2);
    EXPECT_EQ(KindFromLabel("Animated Cursor"), 3);
    EXPECT_EQ(KindFromLabel("XP profile image"), 4);
    EXPECT_EQ(KindFromLabel("icon"), 0);
    CreateAsEffects icon = EffectsOfKind(1), cursor = EffectsOfKind(2), ani = EffectsOfKind(3), profile = EffectsOfKind(4);
    EXPECT_FALSE(icon.testButtonEnabled);
    EXPECT_TRUE(cursor.testButtonEnabled);
    EXPECT_TRUE(ani.testButtonEnabled);
    EXPECT_FALSE(profile.testButtonEnabled);
    EXPECT_FALSE(icon.profileSet || cursor.profileSet || ani.profileSet);
    EXPECT_TRUE(profile.profileSet);
    EXPECT_EQ(profile.xpButton, kXpIndeterminate);
    EXPECT_EQ(cursor.xpButton, kXpReleased);
}

TEST(FormatText, SizesMapToFixedOrCustomBoxes) {
    EXPECT_EQ(FormatBoxFor(16, 4, 0), FormatBoxIndex(1041));
    EXPECT_EQ(FormatBoxFor(96, 32, 0), FormatBoxIndex(1375));
    EXPECT_EQ(FormatBoxFor(0, 8, 0), FormatBoxIndex(1379));    // "x8": the custom box
    EXPECT_EQ(FormatBoxFor(128, 8, 128), FormatBoxIndex(1379));
    EXPECT_EQ(FormatBoxFor(128, 8, 0), -1);
    EXPECT_EQ(FormatBoxFor(16, 16, 0), -1);  // 16 bits is no depth of the panel
}

}  // namespace
