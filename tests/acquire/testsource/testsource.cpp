// A TWAIN data source for the tests, installed in the test prefix where the
// platform's source manager looks for sources. It answers the calls a source
// must: its identity, the transfer mechanism, a user interface (a small
// window with Scan and Cancel) or none, native transfer of a synthetic
// picture, pending transfers, the close request and cancel.
//
// The test that loads it drives it through the process environment:
//   GY_TEST_DS_LOG      file that receives one line per triplet received
//   GY_TEST_DS_PAGES    pictures per acquisition (default 1)
//   GY_TEST_DS_OUTCOME  "done" (default), "cancel" or "fail" for each transfer
//   GY_TEST_DS_UNASKED  "1": the source announces a transfer at once, even
//                       when the application expects none
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "contracts/twain.h"
#include "tests/acquire/testsource/testsource.h"

namespace {

struct SourceState {
    TW_IDENTITY me = {};
    bool open = false;
    bool enabled = false;
    HWND parent = nullptr;
    HWND ui = nullptr;
    int pagesLeft = 0;
    int page = 0;
    TW_UINT16 condition = TWCC_SUCCESS;
};

SourceState g;
HINSTANCE g_module;

std::string Env(const char *name) {
    char buf[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf) : std::string();
}

void Log(const char *format, ...) {
    std::string path = Env("GY_TEST_DS_LOG");
    if (path.empty()) return;
    FILE *f = fopen(path.c_str(), "a");
    if (!f) return;
    va_list args;
    va_start(args, format);
    vfprintf(f, format, args);
    va_end(args);
    fputc('\n', f);
    fclose(f);
}

UINT EventMessage() { return RegisterWindowMessageA(kTestSourceEventName); }

// The source's events reach the application as messages of its window,
// which the application hands back through MSG_PROCESSEVENT.
void Announce(TW_UINT16 twMessage) { PostMessageA(g.parent, EventMessage(), twMessage, 0); }

void FillIdentity(TW_IDENTITY *id) {
    TW_UINT32 keep = id->Id;
    memset(id, 0, sizeof *id);
    id->Id = keep;
    id->Version.MajorNum = 1;
    id->Version.MinorNum = 0;
    id->Version.Language = TWLG_USA;
    id->Version.Country = TWCY_USA;
    lstrcpynA(id->Version.Info, "test source", sizeof(TW_STR32));
    id->ProtocolMajor = 1;
    id->ProtocolMinor = 7;
    id->SupportedGroups = DG_CONTROL | DG_IMAGE;
    lstrcpynA(id->Manufacturer, "Glyphery tests", sizeof(TW_STR32));
    lstrcpynA(id->ProductFamily, "Test", sizeof(TW_STR32));
    lstrcpynA(id->ProductName, kTestSourceProductName, sizeof(TW_STR32));
}

LRESULT CALLBACK UiProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kTestSourceScanId) {
            Log("UI scan");
            Announce(MSG_XFERREADY);
        } else if (LOWORD(wParam) == kTestSourceCancelId) {
            Log("UI cancel");
            Announce(MSG_CLOSEDSREQ);
        }
        return 0;
    }
    if (msg == WM_CLOSE) {
        Announce(MSG_CLOSEDSREQ);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND CreateUi(HWND parent) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = UiProc;
    wc.hInstance = g_module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kTestSourceClass;
    RegisterClassA(&wc);
    HWND ui = CreateWindowExA(WS_EX_DLGMODALFRAME, kTestSourceClass, kTestSourceTitle,
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 200, 260, 130, parent, nullptr,
                              g_module, nullptr);
    if (!ui) return nullptr;
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    char text[64];
    snprintf(text, sizeof text, "%d picture(s) ready", g.pagesLeft);
    HWND label = CreateWindowA("STATIC", text, WS_CHILD | WS_VISIBLE, 12, 12, 230, 18, ui, nullptr, g_module, nullptr);
    HWND scan = CreateWindowA("BUTTON", "Scan", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 50, 80,
                              26, ui, (HMENU)(INT_PTR)kTestSourceScanId, g_module, nullptr);
    HWND cancel = CreateWindowA("BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 134, 50, 80, 26, ui,
                                (HMENU)(INT_PTR)kTestSourceCancelId, g_module, nullptr);
    for (HWND w : {label, scan, cancel}) SendMessageA(w, WM_SETFONT, (WPARAM)font, TRUE);
    return ui;
}

// Page p's picture: 64 x 64 pixels, 24 bits, in four quadrants of known colours.
HGLOBAL MakePicture(int p) {
    const int width = kTestPictureWidth, height = kTestPictureHeight;
    const int stride = (width * 3 + 3) & ~3;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + (SIZE_T)stride * height);
    if (!block) return nullptr;
    BITMAPINFOHEADER *h = static_cast<BITMAPINFOHEADER *>(GlobalLock(block));
    h->biSize = sizeof *h;
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = 24;
    h->biSizeImage = (DWORD)(stride * height);
    BYTE *bits = reinterpret_cast<BYTE *>(h + 1);
    for (int y = 0; y < height; ++y) {  // y from the top
        BYTE *row = bits + (size_t)(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            COLORREF c = TestPicturePixel(p, x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    GlobalUnlock(block);
    return block;
}

TW_UINT16 Fail(TW_UINT16 condition) {
    g.condition = condition;
    return TWRC_FAILURE;
}

TW_UINT16 OnCapability(TW_UINT16 msg, TW_CAPABILITY *cap) {
    if (!cap) return Fail(TWCC_BADVALUE);
    if (msg != MSG_SET || cap->Cap != ICAP_XFERMECH || cap->ConType != TWON_ONEVALUE) return Fail(TWCC_BADCAP);
    TW_ONEVALUE *value = static_cast<TW_ONEVALUE *>(GlobalLock(cap->hContainer));
    if (!value) return Fail(TWCC_BADVALUE);
    Log("CAPABILITY XFERMECH %u %u", (unsigned)value->ItemType, (unsigned)value->Item);
    bool native = value->ItemType == TWTY_UINT16 && value->Item == TWSX_NATIVE;
    GlobalUnlock(cap->hContainer);
    return native ? (TW_UINT16)TWRC_SUCCESS : Fail(TWCC_BADVALUE);
}

TW_UINT16 OnUserInterface(TW_UINT16 msg, TW_USERINTERFACE *ui) {
    if (msg == MSG_ENABLEDS) {
        if (!g.open || g.enabled) return Fail(TWCC_SEQERROR);
        Log("ENABLEDS %u", (unsigned)ui->ShowUI);
        g.enabled = true;
        g.parent = (HWND)ui->hParent;
        std::string pages = Env("GY_TEST_DS_PAGES");
        g.pagesLeft = pages.empty() ? 1 : atoi(pages.c_str());
        g.page = 0;
        if (ui->ShowUI)
            g.ui = CreateUi(g.parent);
        else
            Announce(MSG_XFERREADY);
        return TWRC_SUCCESS;
    }
    if (msg == MSG_DISABLEDS) {
        if (!g.enabled) return Fail(TWCC_SEQERROR);
        Log("DISABLEDS %u", (unsigned)ui->ShowUI);
        if (g.ui) DestroyWindow(g.ui);
        g.ui = nullptr;
        g.enabled = false;
        return TWRC_SUCCESS;
    }
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 OnEvent(TW_EVENT *event) {
    MSG *msg = static_cast<MSG *>(event->pEvent);
    event->TWMessage = MSG_NULL;
    if (msg && msg->message == EventMessage()) {
        event->TWMessage = (TW_UINT16)msg->wParam;
        Log("EVENT %s", event->TWMessage == MSG_XFERREADY ? "XFERREADY" : "CLOSEDSREQ");
        return TWRC_DSEVENT;
    }
    if (msg && g.ui && IsDialogMessageA(g.ui, msg)) return TWRC_DSEVENT;
    return TWRC_NOTDSEVENT;
}

TW_UINT16 OnNativeTransfer(TW_HANDLE *picture) {
    if (!g.enabled || g.pagesLeft <= 0) return Fail(TWCC_SEQERROR);
    std::string outcome = Env("GY_TEST_DS_OUTCOME");
    Log("IMAGENATIVEXFER %d %s", g.page + 1, outcome.empty() ? "done" : outcome.c_str());
    if (outcome == "cancel") return TWRC_CANCEL;
    if (outcome == "fail") return Fail(TWCC_BUMMER);
    *picture = MakePicture(g.page);
    return *picture ? (TW_UINT16)TWRC_XFERDONE : Fail(TWCC_LOWMEMORY);
}

TW_UINT16 OnPendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS *pending) {
    if (msg == MSG_ENDXFER) {
        if (g.pagesLeft > 0) --g.pagesLeft;
        ++g.page;
        Log("ENDXFER %d", g.pagesLeft);
        // Still pending: the next picture follows at once, as after a feeder.
    }
    pending->Count = (TW_UINT16)g.pagesLeft;
    return TWRC_SUCCESS;
}

TW_UINT16 Dispatch(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    if (group == DG_CONTROL && dat == DAT_IDENTITY) {
        TW_IDENTITY *id = static_cast<TW_IDENTITY *>(data);
        if (msg == MSG_GET) {
            FillIdentity(id);
            return TWRC_SUCCESS;
        }
        if (msg == MSG_OPENDS) {
            if (g.open) return Fail(TWCC_SEQERROR);
            Log("OPENDS");
            FillIdentity(id);
            g.me = *id;
            g.open = true;
            return TWRC_SUCCESS;
        }
        if (msg == MSG_CLOSEDS) {
            if (!g.open || g.enabled) return Fail(TWCC_SEQERROR);
            Log("CLOSEDS");
            g.open = false;
            return TWRC_SUCCESS;
        }
        return Fail(TWCC_BADPROTOCOL);
    }
    if (group == DG_CONTROL && dat == DAT_STATUS) {
        static_cast<TW_STATUS *>(data)->ConditionCode = g.condition;
        g.condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (!g.open) return Fail(TWCC_SEQERROR);
    if (group == DG_CONTROL && dat == DAT_CAPABILITY) return OnCapability(msg, static_cast<TW_CAPABILITY *>(data));
    if (group == DG_CONTROL && dat == DAT_USERINTERFACE)
        return OnUserInterface(msg, static_cast<TW_USERINTERFACE *>(data));
    if (group == DG_CONTROL && dat == DAT_EVENT && msg == MSG_PROCESSEVENT)
        return OnEvent(static_cast<TW_EVENT *>(data));
    if (group == DG_CONTROL && dat == DAT_PENDINGXFERS)
        return OnPendingTransfers(msg, static_cast<TW_PENDINGXFERS *>(data));
    if (group == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET)
        return OnNativeTransfer(static_cast<TW_HANDLE *>(data));
    return Fail(TWCC_BADPROTOCOL);
}

}  // namespace

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY *origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg,
                                     TW_MEMREF data) {
    if (!data && !(group == DG_CONTROL && dat == DAT_NULL)) return Fail(TWCC_BADVALUE);
    return Dispatch(group, dat, msg, data);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}
