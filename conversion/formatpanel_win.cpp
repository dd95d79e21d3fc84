#include "conversion/formatpanel_win.h"

#include <commctrl.h>

#include "common/seams.h"

namespace {

bool IsChecked(HWND panel, int id) { return IsDlgButtonChecked(panel, id) == BST_CHECKED; }

}  // namespace

unsigned CustomSizeFromWindow(HWND panel) {
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(panel, kIdCustomSize, &ok, FALSE);
    return ok ? value : 0;
}

int BuildFormatListFromWindow(HWND panel, HWND owner, int kind, std::vector<FormatEntry> *list) {
    bool checked[kFormatBoxCount];
    for (int i = 0; i < kFormatBoxCount; ++i) checked[i] = IsChecked(panel, kFormatBoxes[i].controlId);
    *list = BuildFormatList(checked, CustomSizeFromWindow(panel));
    if (list->empty()) ShowMessage(owner, EmptyChoiceMessage(kind), "Glyphery", MB_OK | MB_ICONEXCLAMATION);
    return (int)list->size();
}

bool AnyFormatChecked(HWND panel) {
    for (const FormatBox &box : kFormatBoxes)
        if (IsChecked(panel, box.controlId)) return true;
    return false;
}

void EnableAllFormatBoxes(HWND panel, bool enable) {
    for (const FormatBox &box : kFormatBoxes) EnableWindow(GetDlgItem(panel, box.controlId), enable);
}

void ClearFormatChoice(HWND panel) {
    for (const FormatBox &box : kFormatBoxes) {
        EnableWindow(GetDlgItem(panel, box.controlId), TRUE);
        CheckDlgButton(panel, box.controlId, BST_UNCHECKED);
    }
}

void ChooseFormatPreset(HWND panel, const int *ids, size_t count) {
    bool checked[kFormatBoxCount];
    CheckPreset(ids, count, checked);
    for (int i = 0; i < kFormatBoxCount; ++i) {
        EnableWindow(GetDlgItem(panel, kFormatBoxes[i].controlId), checked[i]);
        CheckDlgButton(panel, kFormatBoxes[i].controlId, checked[i] ? BST_CHECKED : BST_UNCHECKED);
    }
}

void InitCustomSize(HWND panel) {
    HWND spin = GetDlgItem(panel, kIdCustomSpin);
    SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(panel, kIdCustomSize), 0);
    SendMessageA(spin, UDM_SETRANGE32, kCustomSizeMin, kCustomSizeMax);
    SendMessageA(spin, UDM_SETPOS32, 0, kCustomSizeMin);
    SetDlgItemInt(panel, kIdCustomSize, kCustomSizeMin, FALSE);
}

void FillCreateAsList(HWND panel, int filterIndex) {
    CreateAsList entries = CreateAsEntries(filterIndex);
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_RESETCONTENT, 0, 0);
    for (const std::string &label : entries.labels)
        SendDlgItemMessageA(panel, kIdCreateAsList, CB_ADDSTRING, 0, (LPARAM)label.c_str());
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_SETCURSEL, entries.selected, 0);
}

int KindFromCreateAsList(HWND panel) {
    LRESULT index = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return kCreateIcon;
    char label[64] = "";
    LRESULT length = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= (LRESULT)sizeof(label)) return kCreateIcon;
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETLBTEXT, index, (LPARAM)label);
    int kind = KindFromLabel(label);
    return kind ? kind : kCreateIcon;
}

CreateAsEffects OnCreateAsSelected(HWND panel) {
    CreateAsEffects effects = EffectsOfKind(KindFromCreateAsList(panel));
    if (effects.profileSet)
        ChooseFormatPreset(panel, kProfileSetIds, 1);
    else
        ClearFormatChoice(panel);
    EnableWindow(GetDlgItem(panel, kIdTestButton), effects.testButtonEnabled);
    return effects;
}
