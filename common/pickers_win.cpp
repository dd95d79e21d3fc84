#include "common/pickers_win.h"

#include <commdlg.h>

bool PickColour(HWND owner, COLORREF *colour, COLORREF *custom) {
    COLORREF white[16];
    for (COLORREF &c : white) c = RGB(255, 255, 255);
    if (!custom) custom = white;
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = *colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&choose)) return false;
    *colour = choose.rgbResult;
    return true;
}
