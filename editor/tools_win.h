// The drawing tools: the two buttons' colours, the current tool and brush
// size, and the WorkArea's mouse messages turned into painting on the canvas.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "editor/tool_rules.h"

// The tool commands (437, 40011, ...) choose the tool, the picks wait for
// their click and Select transparent pixels turns marking on (all return
// false: the frame shows them too); Insert text and Choose a color are
// handled here (true).
bool ToolsCommand(HWND frame, int id);
int CurrentTool();
void ChooseTool(int tool);  // a ToolNumber
int BrushSize();            // 1 to 5, the setting brush_size
// Every command ends a pick that is still waiting for its click.
void ClearToolModes();

// The colour of a mouse button, and making it another (0, black, stands for
// "no colour" and changes nothing). The format bar's swatches show them.
COLORREF ButtonColor(bool right);
void SetButtonColor(bool right, COLORREF color);
HBRUSH SwatchBrush(bool right);

// The last selection frame, image pixels (the whole image before any).
PixelRect Selection();

// The WorkArea's mouse and key messages: button down, move, button up (the
// caller pushes the snapshot afterwards), Escape. work is the WorkArea.
void ToolButtonDown(HWND work, bool right, int x, int y);
void ToolMouseMove(HWND work, int x, int y);
void ToolButtonUp(HWND work, bool right, int x, int y);
void ToolEscape(HWND work);
// After the release's picture is pushed: the marks a marking stroke left go
// with it.
void ToolStrokePushed();
// Select transparent pixels (108) is on: strokes mark pixels instead of
// painting them.
bool MarkingTransparentPixels();
// The marks the WorkArea shows: the stroke's while one is marking, else the
// current picture's; null for none.
const std::vector<uint8_t> *ShownMarks();
// The current tool's cursor over the WorkArea.
void SetToolCursor();
// The tool objects go (the frame's WM_DESTROY).
void ReleaseTools();
