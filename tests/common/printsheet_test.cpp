// The printed sheet's layout: the header, one line and one icon per image,
// the final rule, and the documents that the images overflow into.
#include <gtest/gtest.h>

#include "common/printsheet.h"

namespace {

SheetTexts Texts() {
    SheetTexts t;
    t.title = "Glyphery";
    t.fileLabel = "Ico file: ";
    t.countLabel = "# Formats: ";
    t.imageFormat = "Format: %dx%d, %d couleurs";
    t.path = "C:\\icons\\a.ico";
    return t;
}

TEST(PrintSheetTest, OnePageWithItsHeaderLinesAndIcons) {
    std::vector<SheetPage> pages = LayOutSheet(2400, 3500, {{16, 16, 4}, {32, 32, 32}, {48, 48, 1}}, Texts());
    ASSERT_EQ(pages.size(), 1u);
    struct Want {
        SheetItem::Kind kind;
        int x, y, width;
        const char *text;
    } want[] = {
        {SheetItem::kText, 0, 0, 0, "Glyphery"},
        {SheetItem::kRule, 140, 178, 2200, ""},
        {SheetItem::kText, 140, 200, 0, "Ico file: "},
        {SheetItem::kText, 800, 200, 0, "C:\\icons\\a.ico"},
        {SheetItem::kText, 140, 250, 0, "# Formats: "},
        {SheetItem::kText, 800, 250, 0, "3"},
        {SheetItem::kRule, 140, 300, 2200, ""},
        {SheetItem::kText, 140, 350, 0, "Format: 16x16, 16 couleurs"},
        {SheetItem::kIcon, 800, 350, 16, ""},
        // Lines of images lower than their text are 40 + 15 apart.
        {SheetItem::kText, 140, 405, 0, "Format: 32x32, 16777216 couleurs"},
        {SheetItem::kIcon, 800, 405, 32, ""},
        {SheetItem::kText, 140, 460, 0, "Format: 48x48, 2 couleurs"},
        {SheetItem::kIcon, 800, 460, 48, ""},
        {SheetItem::kRule, 140, 523, 2200, ""},
    };
    const SheetPage &page = pages[0];
    ASSERT_EQ(page.size(), sizeof want / sizeof want[0]);
    for (size_t i = 0; i < page.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(page[i].kind, want[i].kind);
        EXPECT_EQ(page[i].x, want[i].x);
        EXPECT_EQ(page[i].y, want[i].y);
        if (want[i].kind != SheetItem::kText) EXPECT_EQ(page[i].width, want[i].width);
        if (want[i].kind == SheetItem::kText) EXPECT_EQ(page[i].text, want[i].text);
    }
    EXPECT_EQ(page[1].height, 10);
    EXPECT_EQ(page[12].image, 2u);
    EXPECT_EQ(page[0].font, SheetFont::kTitle);
    EXPECT_EQ(page[3].font, SheetFont::kBold);
    EXPECT_EQ(page[7].font, SheetFont::kNormal);
}

TEST(PrintSheetTest, EmptySetsAndOverflow) {
    std::vector<SheetPage> empty = LayOutSheet(2400, 3500, {}, Texts());
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0][5].text, "0");
    EXPECT_EQ(empty[0].back().kind, SheetItem::kRule);
    EXPECT_EQ(empty[0].back().y, 350);
    // A fourth image at 350 + 3 x 115 = 695 would reach past the page: it
    // starts a new document at 50, without the header.
    std::vector<SheetPage> pages = LayOutSheet(2400, 695, std::vector<SheetImage>(5, {100, 100, 8}), Texts());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 7u + 6u);
    ASSERT_EQ(pages[1].size(), 2u * 2 + 1);
    EXPECT_EQ(pages[1][0].text, "Format: 100x100, 256 couleurs");
    EXPECT_EQ(pages[1][0].y, 50);
    EXPECT_EQ(pages[1][3].image, 4u);
    EXPECT_EQ(pages[1].back().y, 280);
    // An image taller than the page takes a document of its own each time,
    // and so does the final rule after it.
    EXPECT_EQ(LayOutSheet(2400, 100, std::vector<SheetImage>(3, {256, 256, 24}), Texts()).size(), 5u);
    // An image that ends exactly at the page's bottom stays; the final rule
    // below it moves on.
    std::vector<SheetPage> exact = LayOutSheet(2400, 450, {{100, 100, 4}}, Texts());
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_EQ(exact[0].back().kind, SheetItem::kIcon);
    EXPECT_EQ(exact[0].back().y, 350);
    ASSERT_EQ(exact[1].size(), 1u);
    EXPECT_EQ(exact[1][0].kind, SheetItem::kRule);
    EXPECT_EQ(exact[1][0].y, 50);
}

// The editor's sheet: each picture three times its size, 50 below its line
// at the left margin; a picture that would reach past the page goes to a new
// document with its line, not cut by the page's edge.
TEST(PrintSheetTest, PicturesUnderTheirLinesThreeTimesTheirSize) {
    SheetStyle style;
    style.valueColumn = false;
    style.below = 50;
    style.scale = 3;
    std::vector<SheetImage> images = {{48, 48, 4}, {48, 48, 8}, {48, 48, 24}, {96, 96, 32}, {16, 16, 1}};
    std::vector<SheetPage> pages = LayOutSheet(2400, 1000, images, Texts(), style);
    ASSERT_EQ(pages.size(), 2u);
    // 350, + 50 + 144 + 15 = 559, 768; the 96 x 96 at 977 would end at
    // 977 + 50 + 288: on the next document at 50, the 16 x 16 at 50 + 353.
    const struct {
        size_t page, at;
        int y;
        const char *text;
    } lines[] = {{0, 7, 350, "Format: 48x48, 16 couleurs"}, {0, 9, 559, "Format: 48x48, 256 couleurs"},
                 {0, 11, 768, "Format: 48x48, 16777216 couleurs"}, {1, 0, 50, "Format: 96x96, 16777216 couleurs"},
                 {1, 2, 403, "Format: 16x16, 2 couleurs"}};
    for (const auto &l : lines) {
        SCOPED_TRACE(l.text);
        ASSERT_LT(l.at + 1, pages[l.page].size());
        const SheetItem &line = pages[l.page][l.at], &picture = pages[l.page][l.at + 1];
        EXPECT_EQ(line.text, l.text);
        EXPECT_EQ(line.x, 140);
        EXPECT_EQ(line.y, l.y);
        EXPECT_EQ(picture.kind, SheetItem::kIcon);
        EXPECT_EQ(picture.x, 140);
        EXPECT_EQ(picture.y, l.y + 50);
        EXPECT_EQ(picture.width, 3 * images[picture.image].width);
        EXPECT_EQ(picture.height, 3 * images[picture.image].height);
    }
    EXPECT_EQ(pages[1].back().kind, SheetItem::kRule);
    EXPECT_EQ(pages[1].back().y, 403 + 50 + 48 + 15);
}

TEST(PrintSheetTest, ColourCounts) {
    const int64_t want[][2] = {{1, 2}, {4, 16}, {8, 256}, {16, 65536}, {24, 16777216}, {32, 16777216}, {0, 0}, {33, 0}};
    for (const auto &w : want) EXPECT_EQ(SheetColorCount((int)w[0]), w[1]) << w[0];
}

}  // namespace
