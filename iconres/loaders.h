// Listing the icons and cursors of a file into the IconList (1209) of a
// dialog: animated cursors step by step through the record store, and what
// the platform extracts from icon files, icon libraries, programs and
// libraries.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "iconres/anifile.h"
#include "iconres/iconrecord.h"

// Reads an .ani file: every frame goes into the record store (and is copied
// as a cursor file into the temporary folder), and one entry per animation
// step is appended to the list, carrying the frame's handle. 1 on success;
// 0 for a file that cannot be opened or is refused (nothing listed then).
int LoadAnimatedCursor(HWND dialog, const char *path);

// The most recent animated cursor read: its header, title, author (at most
// 80 bytes each), number of frames read and steps.
const AniHeader &LastAniHeader();
const char *LastAniTitle();
const char *LastAniAuthor();
int LastAniFrameCount();
const std::vector<AnimationStep> &LastAnimationSteps();

// Empties the list, then lists every icon ExtractIconA gives for the file,
// index 0, 1, 2 ... until the first null. A file the platform cannot extract
// from lists nothing.
void ListIconsInFile(HWND dialog, const char *path);
// As ListIconsInFile without emptying the list first, and listing only the
// images the platform reports as cursors.
void ListCursorsInFile(HWND dialog, const char *path);

// Lists the cursor group resources of a program or library by name: an
// entry carries the integer identifier, or a copy of a string name that
// stays allocated until the next call. The file is loaded as a data file
// (none of its code runs) and stays loaded for drawing until the next call.
// A file that cannot be loaded reports "Cannot read the file !" and yields
// false.
bool ListCursorResources(HWND dialog, const char *path);
// The module the last ListCursorResources loaded (null before).
HMODULE CursorResourceModule();
