#include "conversion/formatpanel_win.h"

#include <commctrl.h>

#include "common/seams.h"
#include "conversion/resource.h"

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

// The entry's text in the program's language: its string when the program
// has one, else the English label.
static std::string ShownCreateAsLabel(int kind, const std::string &label) {
    char text[64] = "";
    if (kind > 0 && LoadStringA(GetModuleHandleA(nullptr), IDS_CREATE_AS_BASE + kind, text, sizeof text) > 0)
        return text;
    return label;
}

void FillCreateAsList(HWND panel, int filterIndex) {
    CreateAsList entries = CreateAsEntries(filterIndex);
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_RESETCONTENT, 0, 0);
    for (const std::string &label : entries.labels) {
        // Each entry carries its kind, whatever language shows it.
        int kind = KindFromLabel(label);
        LRESULT index = SendDlgItemMessageA(panel, kIdCreateAsList, CB_ADDSTRING, 0,
                                            (LPARAM)ShownCreateAsLabel(kind, label).c_str());
        if (index >= 0) SendDlgItemMessageA(panel, kIdCreateAsList, CB_SETITEMDATA, index, kind);
    }
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_SETCURSEL, entries.selected, 0);
}

int KindFromCreateAsList(HWND panel) {
    LRESULT index = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return kCreateIcon;
    LRESULT kind = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETITEMDATA, index, 0);
    if (kind >= kCreateIcon && kind <= kCreateProfile) return (int)kind;
    // An entry added by someone else: read its English label.
    char label[64] = "";
    LRESULT length = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= (LRESULT)sizeof(label)) return kCreateIcon;
    SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETLBTEXT, index, (LPARAM)label);
    int fromLabel = KindFromLabel(label);
    return fromLabel ? fromLabel : kCreateIcon;
}

bool SelectCreateAsKind(HWND panel, int kind) {
    LRESULT count = SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendDlgItemMessageA(panel, kIdCreateAsList, CB_GETITEMDATA, i, 0) == kind) {
            SendDlgItemMessageA(panel, kIdCreateAsList, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
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
