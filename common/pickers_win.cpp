#include "common/pickers_win.h"

#include <commdlg.h>

bool PickColour(HWND owner, COLORREF *colour) {
    COLORREF custom[16];
    for (COLORREF &c : custom) c = RGB(255, 255, 255);
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
