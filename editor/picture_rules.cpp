#include "editor/picture_rules.h"

#include <cstdio>

int EditorDepth(uint32_t colors, bool *trueColorSeen) {
    switch (colors) {
    case 2: return 1;
    case 16: return 4;
    case 256: return 8;
    default: break;
    }
    int depth = *trueColorSeen ? 32 : 24;
    *trueColorSeen = true;
    return depth;
}

uint32_t PaletteColors(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 ? 1u << bits : 0u; }

std::string SelectorLine(int width, int height, int depth, const char *colorsFormat, const char *trueColorFormat) {
    char line[128] = "";
    if (depth == 1 || depth == 4 || depth == 8)
        snprintf(line, sizeof line, colorsFormat, width, height, 1 << depth);
    else if (depth == 24 || depth == 32)
        snprintf(line, sizeof line, trueColorFormat, width, height, depth);
    return line;
}

ViewPlacement PlaceView(const ViewMetrics &m, int size) {
    ViewPlacement p = {1, 0, 0, 0, 0};
    if (size <= 0) return p;
    int zx = (m.clientWidth - 2 * m.borderX - 4) / size;
    if (zx > 0) {
        int zy = (m.clientHeight - m.statusHeight - 2 * m.formatBarHeight) / size;
        p.zoom = zy <= 0 ? 1 : (zx < zy ? zx : zy);
    }
    p.width = 2 * m.borderX + p.zoom * size;
    p.height = p.zoom * size + 2 * m.borderY;
    p.left = (m.clientWidth - 28) / 2 - p.width / 2 + 28;
    // Centred in the space between the format bar and the status bar; a
    // view taller than that space starts under the format bar.
    int spaceTop = kFormatBarTop + m.formatBarHeight, spaceBottom = m.clientHeight - m.statusHeight;
    p.top = spaceTop + (spaceBottom - spaceTop - p.height) / 2;
    if (p.top < spaceTop) p.top = spaceTop;
    return p;
}
