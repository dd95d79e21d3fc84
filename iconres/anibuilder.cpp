#include "anibuilder.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/help_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gydib.h"
#include "conversion/sources.h"
#include "iconres/resource.h"

namespace {

const int kTextMax = 79;  // characters of the name, title, author and speed boxes

// State of the one open builder.
struct BuilderState {
    AniBuilderRequest *request = nullptr;
    HINSTANCE instance = nullptr;
    HIMAGELIST images = nullptr;
    std::vector<HICON> frames;  // one per frame, null when its file could not be loaded
    HICON stopIcon = nullptr, playIcon = nullptr;
    int previewPosition = 0;
};
BuilderState g_state;
UINT g_previewPeriod = 0;

// "" when the name would not fit a path: a cut name would be another file.
std::string FramePath(int index) { return AniFrameIcon(TempFolder(), index); }

// An empty image keeps the image list's indices equal to the frame numbers
// when a frame file cannot be loaded.
void AddBlankImage(HIMAGELIST images, int size) {
    WindowDC screen(nullptr);
    UniqueBitmap blank(CreateCompatibleBitmap(screen.get(), size, size));
    ImageList_Add(images, blank.get(), nullptr);
}

void ShowPreviewFrame(HWND dialog, int index) {
    if (index < 0 || index >= (int)g_state.frames.size()) return;
    SendDlgItemMessageA(dialog, IDC_ANI_PREVIEW, STM_SETICON, (WPARAM)g_state.frames[index], 0);
}

void AddFrames(HWND dialog) {
    const AniBuilderRequest *req = g_state.request;
    HWND view = GetDlgItem(dialog, IDC_ANI_FRAMES);
    for (int i = 0; i < req->frameCount; ++i) {
        std::string path = FramePath(i);
        HICON icon = (HICON)LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_VGACOLOR);
        g_state.frames.push_back(icon);
        if (icon)
            ImageList_AddIcon(g_state.images, icon);
        else
            AddBlankImage(g_state.images, req->frameSize);
        char text[16];
        snprintf(text, sizeof text, "%02d", i + 1);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.iImage = i;
        SendMessageA(view, LVM_INSERTITEMA, 0, (LPARAM)&item);
        SendDlgItemMessageA(dialog, IDC_ANI_PATHS, LB_ADDSTRING, 0, (LPARAM)path.c_str());
    }
}

HICON LoadButtonIcon(int id) {
    return (HICON)LoadImageA(g_state.instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
}

BOOL OnInitDialog(HWND dialog, AniBuilderRequest *req) {
    g_state = BuilderState();
    g_state.request = req;
    g_state.instance = (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE);
    g_previewPeriod = 0;

    std::string pattern = LoadText(g_state.instance, IDS_ANI_STATUS);
    std::vector<char> status(pattern.size() + 16);
    snprintf(status.data(), status.size(), pattern.c_str(), req->frameCount);
    SetDlgItemTextA(dialog, IDC_ANI_STATUS, status.data());
    HWND spin = GetDlgItem(dialog, IDC_ANI_SPIN);
    SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(dialog, IDC_ANI_SPEED), 0);
    SendMessageA(spin, UDM_SETRANGE32, 1, 50);
    SetDlgItemTextA(dialog, IDC_ANI_SPEED, "0");
    for (int id : {IDC_ANI_NAME, IDC_ANI_TITLE, IDC_ANI_AUTHOR, IDC_ANI_SPEED})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kTextMax, 0);

    SetDlgItemTextA(dialog, IDC_ANI_AUTHOR, "Glyphery");
    SetDlgItemTextA(dialog, IDC_ANI_NAME, BaseName(req->sourcePath ? req->sourcePath : "").c_str());

    g_state.images = ImageList_Create(req->frameSize, req->frameSize, ILC_COLOR32 | ILC_MASK, 500, 250);
    HWND view = GetDlgItem(dialog, IDC_ANI_FRAMES);
    SendMessageA(view, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)g_state.images);
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    AddFrames(dialog);

    ShowPreviewFrame(dialog, 0);
    g_state.previewPosition = 1;
    g_state.stopIcon = LoadButtonIcon(IDI_ANI_STOP);
    g_state.playIcon = LoadButtonIcon(IDI_ANI_PLAY);
    SendDlgItemMessageA(dialog, IDC_ANI_STOP, BM_SETIMAGE, IMAGE_ICON, (LPARAM)g_state.stopIcon);
    SendDlgItemMessageA(dialog, IDC_ANI_PLAY, BM_SETIMAGE, IMAGE_ICON, (LPARAM)g_state.playIcon);
    CentreOnScreen(dialog);
    return TRUE;
}

void OnPlay(HWND dialog) {
    BOOL ok = FALSE;
    UINT speed = GetDlgItemInt(dialog, IDC_ANI_SPEED, &ok, FALSE);
    if (!ok || speed == 0 || speed > 50) speed = 5;
    g_previewPeriod = speed * 16;
    SetTimer(dialog, kAniPreviewTimer, g_previewPeriod, nullptr);
}

void OnPreviewTick(HWND dialog) {
    if (g_state.frames.empty()) return;
    if (g_state.previewPosition >= (int)g_state.frames.size()) g_state.previewPosition = 0;
    ShowPreviewFrame(dialog, g_state.previewPosition);
    g_state.previewPosition = (g_state.previewPosition + 1) % (int)g_state.frames.size();
}

void Say(HWND dialog, const std::string &text, UINT icon) {
    ShowMessage(dialog, text.c_str(), LoadText(g_state.instance, IDS_ICONRES_CAPTION).c_str(), MB_OK | icon);
}

void Report(HWND dialog, UINT formatId, const char *name, const char *folder, UINT icon) {
    std::string format = LoadText(g_state.instance, formatId);
    std::vector<char> text(format.size() + strlen(name) + strlen(folder) + 1);
    snprintf(text.data(), text.size(), format.c_str(), name, folder);
    Say(dialog, text.data(), icon);
}

void OnOk(HWND dialog) {
    int count = (int)SendDlgItemMessageA(dialog, IDC_ANI_PATHS, LB_GETCOUNT, 0, 0);
    char title[kTextMax + 1] = {0}, author[kTextMax + 1] = {0}, name[kTextMax + 1] = {0};
    GetDlgItemTextA(dialog, IDC_ANI_TITLE, title, sizeof title);
    GetDlgItemTextA(dialog, IDC_ANI_AUTHOR, author, sizeof author);
    GetDlgItemTextA(dialog, IDC_ANI_NAME, name, sizeof name);
    if (!name[0]) {
        Say(dialog, LoadText(g_state.instance, IDS_ANI_NO_NAME), MB_ICONINFORMATION);
        SetFocus(GetDlgItem(dialog, IDC_ANI_NAME));
        return;
    }
    const char *folder = g_state.request->targetFolder ? g_state.request->targetFolder : "";
    char path[MAX_PATH];
    int n = snprintf(path, sizeof path, "%s\\%s.ani", folder, name);
    // The speed goes to the file as typed (0 to 50), not as the preview corrected it.
    UINT speed = GetDlgItemInt(dialog, IDC_ANI_SPEED, nullptr, FALSE);
    bool written = n > 0 && n < (int)sizeof path &&
                   SaveANI(dialog, CollapseBackslashesInPlace(path), count, (int)speed, title, author);
    if (!written) {
        // Telling the user it worked when no file exists would lose the work silently.
        Report(dialog, IDS_ANI_NOT_CREATED, name, folder, MB_ICONSTOP);
        SetFocus(GetDlgItem(dialog, IDC_ANI_NAME));
        return;
    }
    lstrcpynA(g_state.request->written, path, sizeof g_state.request->written);
    Report(dialog, IDS_ANI_CREATED, name, folder, MB_ICONINFORMATION);
    KillTimer(dialog, kAniPreviewTimer);
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL:
        KillTimer(dialog, kAniPreviewTimer);
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_ANI_HELP:
        ShowHelpTopic(dialog, g_state.request->helpFile, kAniHelpContext);
        return TRUE;
    case IDC_ANI_STOP: KillTimer(dialog, kAniPreviewTimer); return TRUE;
    case IDC_ANI_PLAY: OnPlay(dialog); return TRUE;
    }
    return FALSE;
}

void OnDestroy(HWND dialog) {
    KillTimer(dialog, kAniPreviewTimer);
    SendDlgItemMessageA(dialog, IDC_ANI_PREVIEW, STM_SETICON, 0, 0);
    if (g_state.images) ImageList_Destroy(g_state.images);
    for (HICON icon : g_state.frames)
        if (icon) DestroyIcon(icon);
    if (g_state.stopIcon) DestroyIcon(g_state.stopIcon);
    if (g_state.playIcon) DestroyIcon(g_state.playIcon);
    g_state = BuilderState();
}

}  // namespace

INT_PTR CALLBACK AniBuilderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, (AniBuilderRequest *)lParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_TIMER:
        if (wParam != kAniPreviewTimer) return FALSE;
        OnPreviewTick(dialog);
        return TRUE;
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    }
    return FALSE;
}

INT_PTR RunAniBuilder(HINSTANCE instance, HWND owner, AniBuilderRequest *request) {
    if (!request || request->frameCount < 0 || request->frameSize <= 0) return 0;
    // Every frame file must be nameable; the last has the longest name.
    if (request->frameCount > 0 && FramePath(request->frameCount - 1).empty()) return 0;
    request->written[0] = '\0';
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ANI), owner, AniBuilderProc, (LPARAM)request);
}

UINT AniPreviewPeriod() { return g_previewPeriod; }
int AniPreviewPosition() { return g_state.previewPosition; }

