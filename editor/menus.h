// The menu items the editor carries at run time: owner-drawn items whose data
// is a text and an image of bitmap 1, measured and drawn by the frame.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

struct OwnerMenuItem {
    std::string text;
    int image;  // index in the menu image list, -1 for none
};

// The items and the 16 x 16 image list they draw from. The menu items point
// into `items`, so it lives as long as the menu.
class MenuArt {
public:
    MenuArt() = default;
    ~MenuArt();
    MenuArt(const MenuArt &) = delete;
    MenuArt &operator=(const MenuArt &) = delete;

    // Inserts the run-time items into the menu bar and makes the image list.
    void Build(HINSTANCE instance, HMENU bar);
    HIMAGELIST images() const { return images_; }

private:
    std::vector<OwnerMenuItem> items_;
    HIMAGELIST images_ = nullptr;
};

// WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item; false for anything
// else (controls' items).
bool MeasureMenuItem(HWND frame, MEASUREITEMSTRUCT *measure);
bool DrawMenuItem(const MenuArt &art, const DRAWITEMSTRUCT *draw);
// WM_MENUCHAR: the owner-drawn items' mnemonics ("&S"), which the system
// does not see. Executes the one item that has the key, selects the next one
// when several have it; MNC_IGNORE (0) when none does.
LRESULT MenuCharResult(HMENU menu, char key);
