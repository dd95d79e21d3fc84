// The editor's command tables that need no window: the toolbars' tooltips,
// the tools' status texts, the brush sizes and the palette's colours.
// Portable.
#pragma once
#include <cstddef>
#include <cstdint>

// The string id of the tooltip of a toolbar command; 0 (no text) for a
// command the table does not hold.
unsigned TooltipTextId(unsigned command);

// The string id status part 0 shows when a tool command is chosen; 0 when the
// command leaves the text as it is.
unsigned ToolStatusTextId(unsigned command);

// The brush size commands "1 x 1" to "5 x 5": the command of a size (0 when
// the size is outside 1 to 5) and the size of a command (0 when it is none).
unsigned BrushSizeCommand(uint32_t size);
uint32_t BrushSizeOfCommand(unsigned command);
extern const unsigned kBrushSizeCommands[5];

// The palette window's 48 cells, row by row (6 per row): the control id and
// the colour of each, as 0x00BBGGRR.
const size_t kPaletteCells = 48;
const size_t kPaletteColumns = 6;
unsigned PaletteCellId(size_t index);
uint32_t PaletteCellColour(size_t index);
