// The favorites icon dialog (437): the user's Favorites folder as a tree of
// folders and Internet shortcuts (.url), each shortcut with its own icon kept
// in the shortcut file ("IconFile", "IconIndex" of [InternetShortcut]).
#pragma once
#include <windows.h>
#include <commctrl.h>

// One shortcut node's data. Folder nodes carry none.
struct FavoriteData {
    char url[2048];           // the "URL" key, of which at most 259 characters are read
    char shortcutPath[MAX_PATH];
    char iconFile[MAX_PATH];  // "url.dll" for a shortcut without "IconFile"; "" for one too long to hold
    int iconIndex;
    bool assigned;            // the user chose this icon in this opening: Apply writes it
};

// The number of Internet shortcuts (".url", any case, the whole extension) in a folder and all its
// subfolders, at any depth; names beginning with a dot are skipped.
int CountFavorites(const char *folder);

// The data of a tree node (null for a folder node or no node).
const FavoriteData *FavoriteOfNode(HWND tree, HTREEITEM node);

// Picking an icon: file and index in, the chosen ones out; false when the
// user cancels or no choice was made. The real picker is the shell's
// icon-picking dialog (shell32 ordinal 62); a test installs its own where
// that dialog is not available (some platforms export it as a stub).
typedef bool (*IconPicker)(HWND owner, char *file, size_t fileSize, int *index);
bool PickIconWithShell(HWND owner, char *file, size_t fileSize, int *index);
IconPicker SetIconPicker(IconPicker picker);  // nullptr: back to the shell's
