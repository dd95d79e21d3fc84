#include "editor/command_tables.h"

#include "editor/resource.h"

namespace {

struct Pair {
    unsigned command, text;
};

// Searched in this order, as the toolbars ask.
const Pair kTooltips[] = {
    {CMD_SAVE, IDS_TIP_SAVE},
    {CMD_SAVE_AS, IDS_TIP_SAVE_AS},
    {CMD_PRINT, IDS_TIP_PRINT},
    {CMD_GRID, IDS_TIP_GRID},
    {CMD_PALETTE, IDS_TIP_PALETTE},
    {CMD_BRUSH_WIDTH, IDS_TIP_BRUSH_WIDTH},
    {CMD_UNDO, IDS_TIP_UNDO},
    {CMD_SETUP_DISPLAY, IDS_TIP_SETUP},
    {CMD_HELP_INDEX, IDS_TIP_HELP},
    {CMD_CLOSE, IDS_TIP_CLOSE},
    {CMD_PEN, IDS_TIP_PEN},
    {CMD_BRUSH, IDS_TIP_BRUSH},
    {CMD_LINE, IDS_TIP_LINE},
    {CMD_EXTRACT_COLOR, IDS_TIP_EXTRACT},
    {CMD_FILL, IDS_TIP_FILL},
    {CMD_SPRAY, IDS_TIP_SPRAY},
    {CMD_RECTANGLE, IDS_TIP_RECTANGLE},
    {CMD_FILLED_RECTANGLE, IDS_TIP_FILLED_RECTANGLE},
    {CMD_BICOLOR_RECTANGLE, IDS_TIP_BICOLOR_RECTANGLE},
    {CMD_CIRCLE, IDS_TIP_CIRCLE},
    {CMD_FILLED_CIRCLE, IDS_TIP_FILLED_CIRCLE},
    {CMD_SELECT, IDS_TIP_SELECT},
    {CMD_TRANSPARENT_COLOR, IDS_TIP_TRANSPARENT_COLOR},
    {CMD_TRANSPARENT_PIXELS, IDS_TIP_TRANSPARENT_PIXELS},
    {CMD_CHOOSE_COLOR, IDS_TIP_CHOOSE_COLOR},
};

const Pair kToolStatus[] = {
    {CMD_PEN, IDS_STATUS_PENCIL},
    {CMD_BRUSH, IDS_STATUS_BRUSH},
    {CMD_LINE, IDS_STATUS_LINE},
    {CMD_RECTANGLE, IDS_STATUS_RECTANGLE},
    {CMD_FILL, IDS_STATUS_FLOOD},
    {CMD_SELECT, IDS_STATUS_SELECTION},
    {CMD_EXTRACT_COLOR, IDS_STATUS_COLOR_SELECTOR},
    {CMD_TRANSPARENT_COLOR, IDS_STATUS_TRANSPARENT_COLOR},
    {CMD_TRANSPARENT_PIXELS, IDS_STATUS_TRANSPARENT_PIXELS},
};

template <size_t N>
unsigned Find(const Pair (&table)[N], unsigned command) {
    for (const Pair &p : table)
        if (p.command == command) return p.text;
    return 0;
}

#define RGB_OF(r, g, b) ((uint32_t)(r) | ((uint32_t)(g) << 8) | ((uint32_t)(b) << 16))
const uint32_t kPalette[kPaletteCells] = {
    RGB_OF(255, 192, 192), RGB_OF(255, 128, 128), RGB_OF(255, 0, 0),     RGB_OF(192, 0, 0),
    RGB_OF(128, 0, 0),     RGB_OF(64, 0, 0),      RGB_OF(192, 255, 192), RGB_OF(128, 255, 128),
    RGB_OF(0, 255, 0),     RGB_OF(0, 192, 0),     RGB_OF(0, 128, 0),     RGB_OF(0, 64, 0),
    RGB_OF(192, 192, 255), RGB_OF(128, 128, 255), RGB_OF(0, 0, 255),     RGB_OF(0, 0, 192),
    RGB_OF(0, 0, 128),     RGB_OF(0, 0, 64),      RGB_OF(255, 255, 192), RGB_OF(255, 255, 128),
    RGB_OF(255, 255, 0),   RGB_OF(192, 192, 0),   RGB_OF(128, 128, 0),   RGB_OF(64, 64, 0),
    RGB_OF(255, 192, 255), RGB_OF(255, 128, 255), RGB_OF(255, 0, 255),   RGB_OF(192, 0, 192),
    RGB_OF(128, 0, 128),   RGB_OF(64, 0, 64),     RGB_OF(192, 255, 255), RGB_OF(128, 255, 255),
    RGB_OF(0, 255, 255),   RGB_OF(0, 192, 192),   RGB_OF(0, 128, 128),   RGB_OF(0, 64, 64),
    RGB_OF(255, 128, 0),   RGB_OF(255, 128, 64),  RGB_OF(128, 255, 0),   RGB_OF(0, 128, 255),
    RGB_OF(128, 0, 255),   RGB_OF(255, 0, 128),   RGB_OF(255, 255, 255), RGB_OF(224, 224, 224),
    RGB_OF(192, 192, 192), RGB_OF(128, 128, 128), RGB_OF(64, 64, 64),    RGB_OF(0, 0, 0),
};
#undef RGB_OF

const size_t kOddCell = 11;  // row 2, column 6 carries id 40071

}  // namespace

const unsigned kBrushSizeCommands[5] = {CMD_BRUSH_1, CMD_BRUSH_2, CMD_BRUSH_3, CMD_BRUSH_4, CMD_BRUSH_5};

unsigned TooltipTextId(unsigned command) { return Find(kTooltips, command); }

unsigned ToolStatusTextId(unsigned command) { return Find(kToolStatus, command); }

unsigned BrushSizeCommand(uint32_t size) { return size >= 1 && size <= 5 ? kBrushSizeCommands[size - 1] : 0; }

uint32_t BrushSizeOfCommand(unsigned command) {
    for (uint32_t i = 0; i < 5; ++i)
        if (kBrushSizeCommands[i] == command) return i + 1;
    return 0;
}

unsigned PaletteCellId(size_t index) {
    if (index >= kPaletteCells) return 0;
    if (index == kOddCell) return IDC_PALETTE_ODD;
    return IDC_PALETTE_FIRST + (unsigned)(index < kOddCell ? index : index - 1);
}

uint32_t PaletteCellColour(size_t index) { return index < kPaletteCells ? kPalette[index] : 0; }
