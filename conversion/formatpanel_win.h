// The format panel's controls (the 30 boxes, the custom size, the create-as
// list) read and set by the rules of formatset.h. The main window and the
// capture path call these with the window that holds the controls.
#pragma once
#include <windows.h>

#include <vector>

#include "conversion/formatset.h"

// The format list from the boxes and the custom size field. With no entry it
// shows the empty-choice message for `kind`, owned by `owner`, and returns 0.
int BuildFormatListFromWindow(HWND panel, HWND owner, int kind, std::vector<FormatEntry> *list);
// The unsigned number in the custom size field (0 when it is not a number).
unsigned CustomSizeFromWindow(HWND panel);
bool AnyFormatChecked(HWND panel);
void EnableAllFormatBoxes(HWND panel, bool enable);
// All boxes enabled and unchecked.
void ClearFormatChoice(HWND panel);
// All boxes disabled, then exactly the preset's boxes enabled and checked.
void ChooseFormatPreset(HWND panel, const int *ids, size_t count);
// Sets up the custom size's up-down control: range 97..200, 97 to start.
void InitCustomSize(HWND panel);

// Refills the create-as list for a file-type filter index and selects its entry.
void FillCreateAsList(HWND panel, int filterIndex);
// The kind of the list's current entry (1 when none is selected). Entries
// carry their kind; the text shown is in the program's language.
int KindFromCreateAsList(HWND panel);
// Selects the entry of a kind; false when the list has none.
bool SelectCreateAsKind(HWND panel, int kind);
// Applies the selected entry's effects to the boxes and the test button;
// returns them so the caller can set its XP toolbar button and menu item.
CreateAsEffects OnCreateAsSelected(HWND panel);
