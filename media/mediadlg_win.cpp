#include "media/mediadlg_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "common/handles.h"
#include "common/help_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gydib.h"
#include "media/media_rules.h"
#include "media/player_win.h"
#include "media/resource.h"

namespace {

const UINT_PTR kTimerId = 55;
const UINT kTimerMs = 100;
const unsigned kHelpContext = 219;
const int kSliderTicks = 10;

enum PlayerState { kStopped = 0, kPaused = 1, kRunning = 2 };

// Everything the dialog keeps while it is open, behind DWLP_USER.
struct MediaSession {
    HINSTANCE instance = nullptr;
    const char *commandLine = nullptr;
    char mediaPath[MAX_PATH] = "";
    char outputFolder[MAX_PATH] = "";
    bool comStarted = false;
    PlayerGraph graph;
    int state = kStopped;
    bool loop = false;
    bool audioOnly = false;
    bool durationKnown = false;
    int64_t duration = 0;
    bool timerRunning = false;
    bool tracking = false;          // a slider drag is under way
    OAFilterState stateBeforeDrag = State_Stopped;
    HWND tooltips = nullptr;
    UniqueIcon bigIcon, smallIcon;
    UniqueIcon buttonIcons[6];
    UniqueBitmap captured;          // the picture the capture area shows
    bool grabbed = false;
    bool opened = false;            // the media was rendered and the window shown
};

MediaSession *Session(HWND dialog) { return (MediaSession *)GetWindowLongPtrA(dialog, DWLP_USER); }

std::string Text(const MediaSession &s, UINT id) { return LoadText(s.instance, id); }

void SetStatus(HWND dialog, const MediaSession &s, UINT text) {
    SetDlgItemTextA(dialog, IDC_STATUS, Text(s, text).c_str());
}

// A string of the table with its numbers filled in.
template <typename... Args> std::string Formatted(const MediaSession &s, UINT id, Args... args) {
    std::string pattern = Text(s, id);
    char buf[256];
    snprintf(buf, sizeof buf, pattern.c_str(), args...);
    return buf;
}

void Warn(HWND owner, const MediaSession &s, UINT text, UINT icon) {
    ShowMessage(owner, Text(s, text).c_str(), Text(s, IDS_TITLE).c_str(), MB_OK | icon);
}

// ---------------------------------------------------------------- position

int64_t CurrentPosition(const MediaSession &s) {
    LONGLONG now = 0;
    if (!s.graph.seeking || FAILED(s.graph.seeking->GetCurrentPosition(&now))) return 0;
    return now;
}

// The slider, the position line and the edit field for the graph's position.
void ShowPosition(HWND dialog, const MediaSession &s) {
    int64_t now = CurrentPosition(s);
    if (!s.tracking)
        SendDlgItemMessageA(dialog, IDC_SLIDER, TBM_SETPOS, TRUE, SliderFromPosition(now, s.durationKnown ? s.duration : 0));
    ClockTime t = SplitTime(now);
    std::string line = Formatted(s, IDS_POSITION, (int)t.minutes, t.seconds);
    char shown[64] = "";
    GetDlgItemTextA(dialog, IDC_POSITION, shown, sizeof shown);
    if (line != shown) SetDlgItemTextA(dialog, IDC_POSITION, line.c_str());
    char number[16];
    snprintf(number, sizeof number, "%ld", PositionNumber(now));
    SetDlgItemTextA(dialog, IDC_POSITION_NUMBER, number);
}

void ShowDuration(HWND dialog, MediaSession &s) {
    int64_t duration = 0;
    s.durationKnown = ReadDuration(s.graph.seeking.get(), &duration);
    s.duration = s.durationKnown ? duration : 0;
    if (!s.durationKnown) {
        SetDlgItemTextA(dialog, IDC_DURATION, Text(s, IDS_NO_DURATION).c_str());
        return;
    }
    ClockTime t = SplitTime(duration);
    SetDlgItemTextA(dialog, IDC_DURATION, Formatted(s, IDS_DURATION, (int)t.minutes, t.seconds, t.milliseconds).c_str());
}

// Slider at 0, the position line at zero, the duration read again; the
// slider takes part only when the duration is known.
void ResetPositionDisplay(HWND dialog, MediaSession &s) {
    SendDlgItemMessageA(dialog, IDC_SLIDER, TBM_SETPOS, TRUE, 0);
    ClockTime zero = SplitTime(0);
    SetDlgItemTextA(dialog, IDC_POSITION, Formatted(s, IDS_POSITION, (int)zero.minutes, zero.seconds).c_str());
    ShowDuration(dialog, s);
    EnableWindow(GetDlgItem(dialog, IDC_SLIDER), s.durationKnown);
}

bool SeekTo(const MediaSession &s, int64_t position) {
    LONGLONG at = position;
    return s.graph.seeking &&
           SUCCEEDED(s.graph.seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning));
}

// ---------------------------------------------------------------- player

void StopTimer(HWND dialog, MediaSession &s) {
    if (s.timerRunning) KillTimer(dialog, kTimerId);
    s.timerRunning = false;
}

void OnPlay(HWND dialog, MediaSession &s) {
    if (!s.graph.control || FAILED(s.graph.control->Run())) return;
    s.state = kRunning;
    if (!s.timerRunning) s.timerRunning = SetTimer(dialog, kTimerId, kTimerMs, nullptr) != 0;
    SetStatus(dialog, s, IDS_RUNNING);
}

void OnPause(HWND dialog, MediaSession &s) {
    if (s.state == kPaused) return OnPlay(dialog, s);
    StopTimer(dialog, s);
    if (!s.graph.control || FAILED(s.graph.control->Pause())) return;
    s.state = kPaused;
    SetStatus(dialog, s, IDS_PAUSED);
}

// Back to the first frame, stopped. Failures leave what could be done.
void OnStop(HWND dialog, MediaSession &s) {
    StopTimer(dialog, s);
    if (!s.graph.control) return;
    s.graph.control->Stop();
    s.state = kStopped;
    OAFilterState settled;
    s.graph.control->GetState(500, &settled);
    SeekTo(s, 0);
    // Shows the first frame and stops again.
    s.graph.control->StopWhenReady();
    SetStatus(dialog, s, IDS_STOPPED);
    ShowPosition(dialog, s);
}

void OnFrameStep(HWND dialog, MediaSession &s) {
    if (!s.graph.builder) return;
    if (s.state != kPaused) OnPause(dialog, s);
    StepFrame(s.graph.builder.get());
    ShowPosition(dialog, s);
}

void OnSlider(HWND dialog, MediaSession &s, int code) {
    if (!s.durationKnown || !s.graph.control) return;
    int place = (int)SendDlgItemMessageA(dialog, IDC_SLIDER, TBM_GETPOS, 0, 0);
    if (code != TB_ENDTRACK && !s.tracking) {
        s.tracking = true;
        s.stateBeforeDrag = State_Stopped;
        s.graph.control->GetState(10, &s.stateBeforeDrag);
        s.graph.control->Pause();
    }
    SeekTo(s, PositionFromSlider(place, s.duration));
    if (code == TB_ENDTRACK && s.tracking) {
        s.tracking = false;
        // A stopped graph shows the frame at the new place and stops again.
        if (s.stateBeforeDrag == State_Stopped) s.graph.control->StopWhenReady();
        else if (s.stateBeforeDrag == State_Running) s.graph.control->Run();
    }
    ShowPosition(dialog, s);
}

void OnTimer(HWND dialog, MediaSession &s) {
    if (s.state == kRunning) ShowPosition(dialog, s);
}

void OnGraphEvents(HWND dialog, MediaSession &s) {
    if (!s.graph.events) return;
    long code = 0;
    LONG_PTR first = 0, second = 0;
    bool complete = false;
    while (SUCCEEDED(s.graph.events->GetEvent(&code, &first, &second, 0))) {
        s.graph.events->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE) complete = true;
    }
    if (!complete) return;
    if (!s.loop) return OnStop(dialog, s);
    // Round again from the start, the timer still running. The graph is
    // stopped for the seek and run again: a graph that has reached its end
    // keeps reporting the end as its position until it is stopped (Wine's).
    s.graph.control->Stop();
    SeekTo(s, 0);
    s.graph.control->Run();
}

// ---------------------------------------------------------------- grab

// Shows the grabbed frame in the capture area, scaled to fit it.
void ShowCapture(HWND dialog, MediaSession &s, HBITMAP frame) {
    HWND area = GetDlgItem(dialog, IDC_CAPTURE_AREA);
    RECT r;
    GetClientRect(area, &r);
    BITMAP info;
    if (!GetObjectA(frame, sizeof info, &info)) return;
    Placement p = FitPicture(r.right, r.bottom, info.bmWidth, info.bmHeight);
    if (p.width <= 0) return;
    WindowDC screen(area);
    UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), p.width, p.height));
    UniqueMemDC from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
    if (!picture || !from || !to) return;
    {
        SelectObjectScope a(from.get(), frame), b(to.get(), picture.get());
        SetStretchBltMode(to.get(), HALFTONE);
        StretchBlt(to.get(), 0, 0, p.width, p.height, from.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    LONG_PTR style = GetWindowLongPtrA(area, GWL_STYLE);
    SetWindowLongPtrA(area, GWL_STYLE, (style & ~(LONG_PTR)SS_TYPEMASK) | SS_BITMAP | SS_CENTERIMAGE);
    // The static hands back the picture it showed before: ours to delete.
    HBITMAP before = (HBITMAP)SendMessageA(area, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture.get());
    if (before && before != s.captured.get()) DeleteObject(before);
    s.captured = std::move(picture);
    InvalidateRect(area, nullptr, TRUE);
    UpdateWindow(area);
}

void OnSave(HWND dialog, MediaSession &s) {
    if (s.state != kPaused) OnPause(dialog, s);
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_POSITION_NUMBER)) == 0) {
        Warn(dialog, s, IDS_NO_NAME, MB_ICONERROR);
        return;
    }
    int64_t position = CurrentPosition(s);
    std::string target = GrabbedFramePath(s.outputFolder, s.mediaPath, position, MAX_PATH);
    if (target.empty()) return;
    WaitCursor wait;
    int64_t duration = 0;
    UniqueBitmap frame(GrabFrame(s.mediaPath, position, &duration));
    if (!frame) return;
    ShowCapture(dialog, s, frame.get());
    UniqueGlobal dib(BitmapToDIB(frame.get(), nullptr));
    if (!dib || !SaveDIB(dib.get(), target.c_str())) {
        DeleteFileA(target.c_str());
        return;
    }
    s.grabbed = true;
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void OnHelp(HWND dialog) {
    std::string help = InstallFolder() + "\\GlypheryMediae.chm";
    ShowHelpTopic(dialog, help.c_str(), kHelpContext);
}

// ---------------------------------------------------------------- start and end

void SetButtonIcons(HWND dialog, MediaSession &s) {
    static const struct {
        int control;
        int icon;
    } kButtons[6] = {{IDC_PLAY, IDI_PLAY},           {IDC_PAUSE, IDI_PAUSE}, {IDC_STOP, IDI_STOP},
                     {IDC_FRAMESTEP, IDI_FRAMESTEP}, {IDC_HELPBUTTON, IDI_HELP}, {IDC_CLOSEBUTTON, IDI_CLOSE}};
    for (int i = 0; i < 6; ++i) {
        s.buttonIcons[i].reset(
            (HICON)LoadImageA(s.instance, MAKEINTRESOURCEA(kButtons[i].icon), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        SendDlgItemMessageA(dialog, kButtons[i].control, BM_SETIMAGE, IMAGE_ICON, (LPARAM)s.buttonIcons[i].get());
    }
}

void PrepareControls(HWND dialog, MediaSession &s) {
    static const ControlTip kTips[] = {{IDC_PLAY, IDS_TIP_BASE + IDC_PLAY},
                                       {IDC_PAUSE, IDS_TIP_BASE + IDC_PAUSE},
                                       {IDC_STOP, IDS_TIP_BASE + IDC_STOP},
                                       {IDC_FRAMESTEP, IDS_TIP_BASE + IDC_FRAMESTEP},
                                       {IDC_HELPBUTTON, IDS_TIP_BASE + IDC_HELPBUTTON},
                                       {IDC_CLOSEBUTTON, IDS_TIP_BASE + IDC_CLOSEBUTTON}};
    s.tooltips = CreateControlTips(dialog, s.instance, kTips, sizeof kTips / sizeof kTips[0], true);
    s.bigIcon.reset((HICON)LoadImageA(s.instance, MAKEINTRESOURCEA(IDI_MEDIA), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                      GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    s.smallIcon.reset((HICON)LoadImageA(s.instance, MAKEINTRESOURCEA(IDI_MEDIA), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)s.bigIcon.get());
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, (LPARAM)s.smallIcon.get());
    HWND list = GetDlgItem(dialog, IDC_FORMAT);
    SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)Text(s, IDS_FORMAT_ICO).c_str());
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

// The file's size and date as the file system tells them.
void ShowFileFacts(HWND dialog, const MediaSession &s) {
    WIN32_FILE_ATTRIBUTE_DATA facts;
    if (!GetFileAttributesExA(s.mediaPath, GetFileExInfoStandard, &facts)) return;
    SetDlgItemTextA(dialog, IDC_FILE_SIZE, Formatted(s, IDS_FILE_SIZE, (int)facts.nFileSizeLow).c_str());
    FILETIME local;
    SYSTEMTIME t;
    if (FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &t))
        SetDlgItemTextA(dialog, IDC_FILE_DATE, Formatted(s, IDS_FILE_DATE, (int)t.wMonth, (int)t.wDay, (int)t.wYear).c_str());
}

void ShowImageSize(HWND dialog, const MediaSession &s) {
    long width = 0, height = 0;
    if (s.audioOnly || FAILED(s.graph.basicVideo->get_VideoWidth(&width)) ||
        FAILED(s.graph.basicVideo->get_VideoHeight(&height))) {
        SetDlgItemTextA(dialog, IDC_IMAGE_SIZE, "");
        return;
    }
    SetDlgItemTextA(dialog, IDC_IMAGE_SIZE, Formatted(s, IDS_IMAGE_SIZE, (int)width, (int)height).c_str());
}

void ReleaseGraph(MediaSession &s) {
    if (s.graph.videoWindow) {
        s.graph.videoWindow->put_Visible(OAFALSE);
        s.graph.videoWindow->put_Owner(0);
    }
    if (s.graph.events) s.graph.events->SetNotifyWindow(0, 0, 0);
    s.graph.Release();
}

void EndSession(HWND dialog, MediaSession &s) {
    StopTimer(dialog, s);
    ReleaseGraph(s);
    if (s.comStarted) CoUninitialize();
    s.comStarted = false;
    EndDialog(dialog, !s.opened ? kToolNotOpened : s.grabbed ? kToolGrabbed : kToolClosed);
}

BOOL OnInitDialog(HWND dialog, MediaSession *session) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)session);
    MediaSession &s = *session;
    PrepareControls(dialog, s);

    CommandLineVerdict verdict =
        SplitCommandLine(s.commandLine, s.mediaPath, sizeof s.mediaPath, s.outputFolder, sizeof s.outputFolder);
    if (verdict == kStartedOutside || verdict == kStartedWithout) {
        Warn(GetForegroundWindow(), s, verdict == kStartedOutside ? IDS_OUTSIDE : IDS_WITHOUT, MB_ICONWARNING);
        EndSession(dialog, s);
        return TRUE;
    }

    s.comStarted = SUCCEEDED(CoInitialize(nullptr));
    if (!s.comStarted || !CreatePlayerGraph(&s.graph)) {
        Warn(GetForegroundWindow(), s, IDS_NO_DIRECTSHOW, MB_ICONWARNING);
        EndSession(dialog, s);
        return TRUE;
    }

    HWND area = GetDlgItem(dialog, IDC_VIDEO_AREA);
    SetWindowLongPtrA(area, GWL_STYLE, GetWindowLongPtrA(area, GWL_STYLE) | WS_CLIPCHILDREN);
    SetButtonIcons(dialog, s);
    SetDlgItemTextA(dialog, IDC_MEDIA_PATH, s.mediaPath);
    SendDlgItemMessageA(dialog, IDC_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendDlgItemMessageA(dialog, IDC_SLIDER, TBM_SETTICFREQ, kSliderTicks, 0);

    SetStatus(dialog, s, IDS_LOADING);
    // A path too long for the tool's buffers is not opened: as a file that cannot be rendered.
    RenderOutcome rendered = verdict == kCommandLineOk ? RenderMedia(&s.graph, s.mediaPath, dialog, area) : kRenderFailed;
    if (rendered == kRenderFailed) {
        MessageBeep(MB_ICONEXCLAMATION);
        EndSession(dialog, s);
        return TRUE;
    }
    s.opened = true;
    s.audioOnly = rendered == kRenderedAudioOnly;
    if (!s.audioOnly) SetStatus(dialog, s, IDS_READY);

    EnableWindow(GetDlgItem(dialog, IDC_PLAY), TRUE);
    ShowFileFacts(dialog, s);
    ShowImageSize(dialog, s);
    ResetPositionDisplay(dialog, s);
    bool grabbable = GrabAllowedFor(s.mediaPath);
    EnableWindow(GetDlgItem(dialog, IDC_SAVE), grabbable);
    EnableWindow(GetDlgItem(dialog, IDC_POSITION_NUMBER), grabbable);
    EnableWindow(GetDlgItem(dialog, IDC_FORMAT), grabbable);
    EnableWindow(GetDlgItem(dialog, IDC_FRAMESTEP), CanStepFrame(s.graph.builder.get()));
    if (s.state == kRunning) OnPlay(dialog, s);
    else OnStop(dialog, s);
    return TRUE;
}

// The dialog's background, except where the video window draws.
BOOL OnEraseBackground(HWND dialog, const MediaSession &s, HDC dc) {
    RECT client;
    GetClientRect(dialog, &client);
    HWND video = s.audioOnly ? nullptr : GetWindow(GetDlgItem(dialog, IDC_VIDEO_AREA), GW_CHILD);
    if (video && IsWindowVisible(video)) {
        RECT r;
        GetWindowRect(video, &r);
        MapWindowPoints(nullptr, dialog, (POINT *)&r, 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

bool OnCommand(HWND dialog, MediaSession &s, int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_PLAY: OnPlay(dialog, s); break;
    case IDC_PAUSE: OnPause(dialog, s); break;
    case IDC_STOP: OnStop(dialog, s); break;
    case IDC_FRAMESTEP: OnFrameStep(dialog, s); break;
    case IDC_LOOP: s.loop = IsDlgButtonChecked(dialog, IDC_LOOP) == BST_CHECKED; break;
    case IDC_SAVE: OnSave(dialog, s); break;
    case IDC_HELPBUTTON: OnHelp(dialog); break;
    case IDC_CLOSEBUTTON:
        OnStop(dialog, s);
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case IDCANCEL: SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    default: return false;
    }
    return true;
}

INT_PTR CALLBACK MediaDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return OnInitDialog(dialog, (MediaSession *)lParam);
    MediaSession *s = Session(dialog);
    if (!s) return FALSE;
    switch (msg) {
    case WM_COMMAND: return OnCommand(dialog, *s, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL:
        if ((HWND)lParam != GetDlgItem(dialog, IDC_SLIDER)) return FALSE;
        OnSlider(dialog, *s, LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        if (wParam != kTimerId) return FALSE;
        OnTimer(dialog, *s);
        return TRUE;
    case WM_GRAPHNOTIFY: OnGraphEvents(dialog, *s); return TRUE;
    case WM_ERASEBKGND:
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, OnEraseBackground(dialog, *s, (HDC)wParam));
        return TRUE;
    case WM_CLOSE:
        OnStop(dialog, *s);
        EndSession(dialog, *s);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunMediaTool(HINSTANCE instance, const char *commandLine) {
    MediaSession session;
    session.instance = instance;
    session.commandLine = commandLine ? commandLine : "";
    // The capture area's picture belongs to the session, which outlives the window.
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MEDIA), nullptr, MediaDialogProc, (LPARAM)&session);
    return result == kToolGrabbed || result == kToolClosed ? (int)result : kToolNotOpened;
}
