// The TWAIN session: module-level state, as one acquisition runs at a time
// on the thread of the window that started it.
#include "acquire/twain_session.h"

#include <cstring>
#include <string>

#include "acquire/resource.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// Transfer-expected flag values.
const TW_UINT16 kIdle = 0;
const TW_UINT16 kTransferExpected = 2;
// Global handles below this value are not pictures (a source's error codes).
const ULONG_PTR kFirstValidHandle = 32;

struct Session {
    int managerOpen = 0;
    HMODULE library = nullptr;
    DSMENTRYPROC entry = nullptr;
    int sourceOpen = 0;
    int sourceEnabled = 0;
    TW_UINT16 transfer = kIdle;
    int level = 0;
    TW_IDENTITY app = {};
    TW_IDENTITY source = {};
    HWND parent = nullptr;
    TW_USERINTERFACE ui = {};
};

Session g;

// The strings live in the module this code is linked into (the program or
// GYscan.dll).
HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string Text(UINT id) { return LoadText(ThisModule(), id); }

// A message of the session, shown when the level allows it. id 0 is the
// empty text of a failed triplet.
void Say(int level, UINT id) {
    if (g.level < level) return;
    std::string text = id ? Text(id) : std::string();
    ShowMessage(g.parent, text.c_str(), Text(IDS_TW_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

TW_UINT16 Call(TW_IDENTITY *dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    if (!g.entry) return TWRC_FAILURE;
    return g.entry(&g.app, dest, group, dat, msg, data);
}

void CopyText(TW_STR32 field, const std::string &text) { CopyBounded(field, sizeof(TW_STR32), text); }

void CloseSourceAndManager() {
    if (CloseSource()) CloseSourceManager();
}

// After the last transfer (or when none remains) the source goes back to
// state 4 and, when it closes, the manager to state 1.
void EndTransfers() {
    if (DisableSource()) CloseSourceAndManager();
}

// Ends one transfer; returns the transfers still pending.
TW_UINT16 EndTransfer() {
    TW_PENDINGXFERS pending = {};
    if (Call(&g.source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) != TWRC_SUCCESS) {
        Say(1, 0);
        return 0;
    }
    return pending.Count;
}

void HandOver(HWND parent, HANDLE picture) { SendMessageA(parent, kTwainHandOver, (WPARAM)picture, 0); }

void TransferNative(HWND parent) {
    TW_UINT16 pending = 1;
    while (pending != 0) {
        TW_HANDLE picture = nullptr;
        TW_UINT16 rc = Call(&g.source, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &picture);
        if (rc == TWRC_XFERDONE) {
            Say(3, IDS_TW_XFERDONE);
            pending = EndTransfer();
            bool valid = (ULONG_PTR)picture >= kFirstValidHandle;
            if (!valid) picture = nullptr;
            if (pending == 0 && valid && GlobalLock(picture)) {
                EndTransfers();
                GlobalUnlock(picture);
            } else if (pending == 0) {
                EndTransfers();
            }
            HandOver(parent, picture);
        } else if (rc == TWRC_CANCEL || rc == TWRC_FAILURE) {
            Say(1, rc == TWRC_CANCEL ? IDS_TW_CANCEL : 0);
            pending = EndTransfer();
            if (pending == 0) EndTransfers();
            HandOver(parent, nullptr);
        } else {
            break;
        }
    }
    g.transfer = kIdle;
}

// Native transfer, in a one-value container of 16-bit items.
TW_UINT16 NegotiateTransferMechanism() {
    TW_CAPABILITY cap = {};
    cap.Cap = ICAP_XFERMECH;
    cap.ConType = TWON_ONEVALUE;
    UniqueHandle<HGLOBAL, GlobalTraits> container(GlobalAlloc(GHND, sizeof(TW_ONEVALUE)));
    if (!container) return TWRC_FAILURE;
    TW_ONEVALUE *value = static_cast<TW_ONEVALUE *>(GlobalLock(container.get()));
    if (!value) return TWRC_FAILURE;
    value->ItemType = TWTY_UINT16;
    value->Item = TWSX_NATIVE;
    GlobalUnlock(container.get());
    cap.hContainer = container.get();
    return Call(&g.source, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap);
}

std::string ManagerPath() {
    std::string folder = WindowsFolder();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "TWAIN_32.DLL";
}

}  // namespace

void InitIdentity(HWND parent) {
    g.parent = parent;
    g.app = TW_IDENTITY();
    g.app.Id = 0;
    g.app.Version.MajorNum = 1;
    g.app.Version.MinorNum = 703;
    g.app.Version.Language = TWLG_USA;
    g.app.Version.Country = TWCY_USA;
    CopyText(g.app.Version.Info, "Glyphery - Interface Twain");
    g.app.ProtocolMajor = 1;
    g.app.ProtocolMinor = 7;
    g.app.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(g.app.Manufacturer, Text(IDS_TW_MANUFACTURER));
    CopyText(g.app.ProductFamily, "Glyphery");
    CopyText(g.app.ProductName, "Glyphery");
    g.level = 1;
}

const TW_IDENTITY &ApplicationIdentity() { return g.app; }

int OpenSourceManager() {
    if (g.managerOpen) return 1;
    std::string path = ManagerPath();
    OFSTRUCT of = {};
    bool loaded = false;
    if (OpenFile(path.c_str(), &of, OF_EXIST) != HFILE_ERROR) {
        HMODULE library = LoadLibraryA(path.c_str());
        if ((ULONG_PTR)library >= kFirstValidHandle) {
            g.library = library;
            g.entry = reinterpret_cast<DSMENTRYPROC>(GetProcAddress(library, MAKEINTRESOURCEA(1)));
            loaded = g.entry != nullptr;
        }
    }
    if (loaded) {
        HWND parent = g.parent;
        if (Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) == TWRC_SUCCESS) g.managerOpen = 1;
    }
    if (!g.managerOpen) {
        if (g.library) FreeLibrary(g.library);
        g.library = nullptr;
        g.entry = nullptr;
        Say(1, IDS_TW_LOAD_FAILED);
    }
    return g.managerOpen;
}

int CloseSourceManager() {
    if (!g.managerOpen) {
        Say(1, IDS_TW_DSM_NOT_OPEN_CLOSE);
        return 0;
    }
    if (g.sourceOpen) {
        Say(1, IDS_TW_SOURCE_IS_OPEN);
        return 0;
    }
    HWND parent = g.parent;
    if (Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent) != TWRC_SUCCESS) {
        Say(1, 0);
        return 0;
    }
    g.managerOpen = 0;
    FreeLibrary(g.library);
    g.library = nullptr;
    g.entry = nullptr;
    g.source.Id = 0;
    Say(3, IDS_TW_DSM_CLOSED);
    return 1;
}

int OpenSource() {
    if (!g.managerOpen) {
        Say(1, IDS_TW_DSM_NOT_OPEN_OPEN);
        return 0;
    }
    if (g.sourceOpen) {
        Say(3, IDS_TW_SOURCE_ALREADY_OPEN);
        return g.sourceOpen;
    }
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &g.source);
    if (rc == TWRC_SUCCESS)
        g.sourceOpen = 1;
    else if (rc == TWRC_FAILURE)
        Say(1, 0);
    else
        Say(1, IDS_TW_UNKNOWN_CODE);
    return g.sourceOpen;
}

int CloseSource() {
    if (!g.sourceOpen) {
        Say(1, IDS_TW_SOURCE_NOT_OPEN_CLOSE);
        return 0;
    }
    if (g.sourceEnabled) {
        Say(1, IDS_TW_SOURCE_IS_ENABLED);
        return 0;
    }
    if (Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g.source) != TWRC_SUCCESS) {
        Say(1, 0);
        return 0;
    }
    g.sourceOpen = 0;
    g.source.Id = 0;
    Say(3, IDS_TW_SOURCE_CLOSED);
    return 1;
}

int EnableSource(int showUI) {
    if (!g.sourceOpen) {
        Say(1, IDS_TW_NO_SOURCE_ENABLE);
        return 0;
    }
    if (g.sourceEnabled) {
        Say(1, IDS_TW_ALREADY_ENABLED);
        return 0;
    }
    g.ui.ShowUI = (TW_BOOL)showUI;
    g.ui.ModalUI = 0;
    g.ui.hParent = g.parent;
    if (Call(&g.source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &g.ui) != TWRC_SUCCESS) {
        Say(1, 0);
        return 0;
    }
    g.sourceEnabled = 1;
    if (showUI == 1) Say(3, IDS_TW_SOURCE_ENABLED);
    return 1;
}

int DisableSource() {
    if (!g.sourceEnabled) {
        Say(1, IDS_TW_NOT_ENABLED);
        return 0;
    }
    g.ui.ShowUI = 255;
    g.ui.ModalUI = 0;
    g.ui.hParent = g.parent;
    if (Call(&g.source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &g.ui) != TWRC_SUCCESS) {
        Say(1, 0);
        return 0;
    }
    g.sourceEnabled = 0;
    Say(3, IDS_TW_SOURCE_DISABLED);
    return 1;
}

int Acquire(HWND parent) {
    g.parent = parent;
    if (!g.sourceOpen) {
        // An empty name: the source manager opens its default source.
        g.source.Id = 0;
        g.source.ProductName[0] = '\0';
    }
    g.transfer = kIdle;
    if (!OpenSourceManager()) return 0;
    if (!OpenSource()) {
        CloseSourceManager();
        return 0;
    }
    if (NegotiateTransferMechanism() != TWRC_SUCCESS) {
        CloseSourceAndManager();
        return 0;
    }
    if (g.sourceEnabled) return 1;
    int enabled = EnableSource(1);
    g.transfer = kTransferExpected;
    if (!enabled) {
        CloseSourceAndManager();
        g.transfer = kIdle;
    }
    return enabled;
}

int ProcessMessage(MSG *msg, HWND parent) {
    if (!g.managerOpen || !g.sourceOpen) return 0;
    TW_EVENT event = {};
    event.pEvent = msg;
    event.TWMessage = MSG_NULL;
    TW_UINT16 rc = Call(&g.source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    switch (event.TWMessage) {
    case MSG_XFERREADY:
        if (g.transfer)
            TransferNative(parent);
        else
            Say(1, IDS_TW_NOT_IN_STATE_5);
        break;
    case MSG_CLOSEDSREQ:
    case MSG_CLOSEDSOK: EndTransfers(); break;
    }
    return rc == TWRC_DSEVENT;
}

int Shutdown(HWND parent) {
    g.parent = parent;
    std::string caption = Text(IDS_TW_ASK_CAPTION);
    if (g.sourceEnabled) {
        if (ShowMessage(parent, Text(IDS_TW_ASK_CLOSE_ENABLED).c_str(), caption.c_str(), MB_OKCANCEL) == IDCANCEL)
            return 0;
        if (!DisableSource()) return 1;
        CloseSourceAndManager();
        return 1;
    }
    if (g.sourceOpen) {
        if (ShowMessage(parent, Text(IDS_TW_ASK_CLOSE_OPEN).c_str(), caption.c_str(), MB_OKCANCEL) == IDCANCEL)
            return 0;
        CloseSourceAndManager();
        return 1;
    }
    if (g.managerOpen) CloseSourceManager();
    return 1;
}

int IsSourceManagerOpen() { return g.managerOpen; }
int IsSourceOpen() { return g.sourceOpen; }
int IsSourceEnabled() { return g.sourceEnabled; }

namespace {

// Runs f with the source manager open, opening and closing it when it was closed.
template <typename F> int WithManager(HWND parent, F f) {
    if (g.app.ProductName[0] == '\0') InitIdentity(parent);
    g.parent = parent;
    bool opened = false;
    if (!g.managerOpen) {
        if (!OpenSourceManager()) return 0;
        opened = true;
    }
    int result = f();
    if (opened && !g.sourceOpen) CloseSourceManager();
    return result;
}

}  // namespace

int SelectSource(HWND parent) {
    return WithManager(parent, [] {
        TW_IDENTITY chosen = {};
        return Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) == TWRC_SUCCESS ? 1 : 0;
    });
}

int AnySourceInstalled(HWND parent) {
    // Probing is silent: a missing manager means no device, not an error.
    int level = g.level;
    g.level = 0;
    int found = WithManager(parent, [] {
        TW_IDENTITY first = {};
        return Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &first) == TWRC_SUCCESS ? 1 : 0;
    });
    g.level = level;
    return found;
}

namespace {

// The caller's loop while a source is open: each message goes to the source
// first. True when the loop ended on WM_QUIT (posted again for the caller's
// own loop).
bool PumpWhileSourceOpen(HWND parent) {
    MSG msg;
    while (IsSourceOpen()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage((int)msg.wParam);
            return true;
        }
        if (got < 0) return true;
        if (ProcessMessage(&msg, parent)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return false;
}

}  // namespace

int RunAcquisition(HWND parent) {
    InitIdentity(parent);
    int started = Acquire(parent);
    // A user who keeps the source open goes on with it until it closes; the
    // program's end does not wait for it.
    for (;;) {
        bool quit = PumpWhileSourceOpen(parent);
        if (Shutdown(parent) || quit) break;
    }
    return started;
}
