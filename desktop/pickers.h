// The pieces the customization dialogs share: the file filters, picking a
// file and listing its icons, the IconList's presentation (measure, draw,
// background), the ObjectList with its image list and the assignment gesture,
// and reading an icon location as the registry stores it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>

// "Display|pattern|...||" texts; '|' becomes NUL before the open-file dialog.
extern const char kIconFileFilter[];
extern const char kCursorFileFilter[];

// The location an object will be given on Apply: a path and an icon index
// (-1: the location had no index).
struct PendingLocation {
    char path[MAX_PATH];
    int index;
};

// The remembered file of one dialog (path and title), kept for the life of
// the program.
struct PickedFile {
    char path[MAX_PATH];
    char title[MAX_PATH];
};

// How a dialog lists the chosen file when it is not an .ani file.
typedef void (*FileLister)(HWND dialog, const char *path);

// Runs the open-file dialog ("Select the file") with the filter and default
// extension; on OK empties the IconList, lists the file (.ani through
// LoadAnimatedCursor, anything else through lister) and returns true with
// picked->path set. Cancel returns false and changes nothing.
bool PickIconFile(HWND dialog, const char *filter, const char *defaultExtension, FileLister lister,
                  PickedFile *picked);

// The open-file dialog itself; a test puts its own in place to choose a file.
typedef BOOL(WINAPI *OpenFileChooser)(OPENFILENAMEA *ofn);
OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser);

// IconList presentation, forwarded to by every dialog that holds one.
void MeasureIconListItem(HWND dialog, MEASUREITEMSTRUCT *mis);
// cursorModule: for the cursor dialog, the program whose cursor resources
// entries may name (null elsewhere).
void DrawIconListItem(const DRAWITEMSTRUCT *dis, HMODULE cursorModule);
// The light-grey (0xC0C0C0) brush answered to the list's colour request;
// made once per dialog opening, destroyed when the dialog ends.
HBRUSH IconListBrush();
void CreateIconListBrush();
void DestroyIconListBrush();
// The answer to WM_CTLCOLORLISTBOX: the brush (with the background colour set
// on dc) for the IconList, 0 for any other list.
INT_PTR AnswerIconListColour(HDC dc, HWND control);

// ObjectList (list view 1398): 32x32 masked image list (100, grow 100),
// columns "File name" (300, centred) and an empty one of width 0, full-row
// select and one-click activate. Returns the image list.
HIMAGELIST SetUpObjectList(HWND list);
// Appends the image and inserts a row with the label at the next index.
// Returns the row (-1 when the list refuses it).
int AddObjectRow(HWND list, HIMAGELIST images, HICON icon, const char *label);
// Replaces the two low style bits (the view) with view.
void SetObjectListView(HWND list, DWORD view);
// The assignment gesture: the IconList's selected entry onto the focused row.
// Returns the row assigned, or -1 when either selection is missing. entryIcon
// turns an entry value into a new icon, which is destroyed once the image list
// holds its copy (null: the value is the handle itself, which is kept).
typedef HICON (*EntryIcon)(LPARAM value);
int AssignSelectedIcon(HWND dialog, HWND list, HIMAGELIST images, EntryIcon entryIcon, int *entryIndex);

// Parses a registry icon location into pending (path, index) and rewrites
// location to the bare path; returns the icon to show, or the placeholder
// noIcon when the location is empty, unparsable, has no index or fails to load.
// pending and location are left alone when the location is empty or
// unparsable. An icon other than noIcon belongs to the caller.
HICON LoadIconFromLocation(char *location, size_t locationSize, PendingLocation *pending, HICON noIcon);


// The plumbing every dialog with an IconList shares.
// Opening: empties the IconList (IconListCount 0), makes the list brush and
// sets the list's column width to the entry width.
void BeginIconListDialog(HWND dialog);
// Ending: empties the IconList (its extracted icons go) and frees the brush.
void EndIconListDialog(HWND dialog);
// Answers the IconList's measure, draw and colour requests; true (with the
// dialog procedure's result) when message was one of them (requests of other
// controls are left to the dialog).
bool HandleIconListMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, HMODULE cursorModule,
                           INT_PTR *result);
// A dialog's own state, an object of type T behind DWLP_USER: made by
// AttachDialogState at WM_INITDIALOG, freed by FreeDialogState at WM_DESTROY.
template <typename T>
T *DialogState(HWND dialog) {
    return (T *)GetWindowLongPtrA(dialog, DWLP_USER);
}
template <typename T>
T *AttachDialogState(HWND dialog) {
    T *state = new T();
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)state);
    return state;
}
template <typename T>
void FreeDialogState(HWND dialog) {
    delete DialogState<T>(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

// Runs one of the desktop dialogs modally from the program's own resources,
// the help file passed as its parameter.
INT_PTR RunDesktopDialog(HWND owner, int templateId, DLGPROC proc, const char *helpFile);
