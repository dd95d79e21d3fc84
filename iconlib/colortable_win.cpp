#include "iconlib/colortable_win.h"

#include <cstring>

#include "common/handles.h"

namespace {

void PaletteToTable(HPALETTE palette, int count, RGBQUAD *table) {
    PALETTEENTRY entries[256];
    UINT got = GetPaletteEntries(palette, 0, count, entries);
    for (UINT i = 0; i < got && i < 256; ++i) {
        table[i].rgbBlue = entries[i].peBlue;
        table[i].rgbGreen = entries[i].peGreen;
        table[i].rgbRed = entries[i].peRed;
        table[i].rgbReserved = entries[i].peFlags;
    }
}

}  // namespace

void StandardColorTable(int bits, RGBQUAD *table) {
    if (bits == 1) {
        table[0] = RGBQUAD{0, 0, 0, 0};
        table[1] = RGBQUAD{255, 255, 255, 0};
    } else if (bits == 4) {
        // The default palette's 20 entries are the 16 standard colours
        // with four extra ones (money green, sky blue, cream, medium grey)
        // at 8..11. Its first 16 entries would drop white, blue, magenta
        // and cyan, and white could never be made transparent; so the
        // table is the 16 standard colours: entries 0..7 and 12..19.
        RGBQUAD all[20];
        memset(all, 0, sizeof all);
        PaletteToTable(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 20, all);
        memcpy(table, all, 8 * sizeof(RGBQUAD));
        memcpy(table + 8, all + 12, 8 * sizeof(RGBQUAD));
    } else if (bits == 8) {
        memset(table, 0, 256 * sizeof(RGBQUAD));
        WindowDC screen(nullptr);
        UniquePalette halftone(CreateHalftonePalette(screen.get()));
        PaletteToTable(halftone.get(), 256, table);
    }
}
