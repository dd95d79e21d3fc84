// Text insertion: dialog 228 asks for the text, its font and colour and an
// optional surrounding box; the text then enters the picture at the click.
#pragma once
#include <windows.h>

// Opens dialog 228 (owner the WorkArea) for the text point `at` (WorkArea
// pixels). On OK the text enters the canvas with its top-left corner at the
// image pixel of the point, at the font's size in image pixels. False when
// the user cancels.
bool InsertText(HWND work, POINT at);
