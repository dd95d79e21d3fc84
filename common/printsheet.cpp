#include "common/printsheet.h"

#include <cstdio>

namespace {

const int kLeft = 140;
const int kRuleHeight = 10;
const int kFirstRule = 178, kFileLine = 200, kCountLine = 250, kSecondRule = 300, kFirstImage = 350;
const int kImageGap = 15;
// The image lines' font height: a line is never lower than its text, so the
// text of a small image is not overwritten by the next line's.
const int kLineHeight = 40;
const int kContinuationTop = 50;

SheetItem Text(int x, int y, SheetFont font, const std::string &text) {
    return SheetItem{SheetItem::kText, x, y, 0, 0, font, text, 0};
}

SheetItem Rule(int y, int pageWidth) {
    return SheetItem{SheetItem::kRule, kLeft, y, pageWidth - 200, kRuleHeight, SheetFont::kNormal, "", 0};
}

}  // namespace

int64_t SheetColorCount(int bitDepth) {
    if (bitDepth == 32) return 1 << 24;
    if (bitDepth < 1 || bitDepth > 24) return 0;
    return (int64_t)1 << bitDepth;
}

std::vector<SheetPage> LayOutSheet(int pageWidth, int pageHeight, const std::vector<SheetImage> &images,
                                   const SheetTexts &texts, const SheetStyle &style) {
    std::vector<SheetPage> pages(1);
    SheetPage *page = &pages.back();
    const int column = pageWidth / 3;
    page->push_back(Text(0, 0, SheetFont::kTitle, texts.title));
    page->push_back(Rule(kFirstRule, pageWidth));
    page->push_back(Text(kLeft, kFileLine, SheetFont::kBold, texts.fileLabel));
    page->push_back(Text(column, kFileLine, SheetFont::kBold, texts.path));
    page->push_back(Text(kLeft, kCountLine, SheetFont::kBold, texts.countLabel));
    page->push_back(Text(column, kCountLine, SheetFont::kBold, std::to_string(images.size())));
    page->push_back(Rule(kSecondRule, pageWidth));
    int64_t y = kFirstImage;
    // A new document at y 50 for what would reach past the page's bottom:
    // on paper, an icon cut by the page's edge is lost. Only what does not
    // fit even at the top of a page is drawn where it falls.
    auto makeRoom = [&](int64_t height) {
        if (y + height <= pageHeight || y == kContinuationTop) return;
        pages.emplace_back();
        page = &pages.back();
        y = kContinuationTop;
    };
    for (size_t i = 0; i < images.size(); ++i) {
        const SheetImage &image = images[i];
        int64_t width = (int64_t)style.scale * image.width, height = (int64_t)style.scale * image.height;
        int64_t reach = style.below + height;
        makeRoom(reach);
        char line[160];
        snprintf(line, sizeof line, texts.imageFormat.c_str(), image.width, image.height,
                 (int)SheetColorCount(image.bitDepth));
        page->push_back(Text(kLeft, (int)y, SheetFont::kNormal, line));
        page->push_back(SheetItem{SheetItem::kIcon, style.valueColumn ? column : kLeft, (int)(y + style.below),
                                  (int)width, (int)height, SheetFont::kNormal, "", i});
        y += (reach > kLineHeight ? reach : kLineHeight) + kImageGap;
    }
    makeRoom(kRuleHeight);
    page->push_back(Rule((int)y, pageWidth));
    return pages;
}
