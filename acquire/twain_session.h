// One TWAIN acquisition through the platform's source manager
// (<Windows folder>\TWAIN_32.DLL): load it, open the default source, enable
// it, filter the application's messages for the source's events, take each
// picture by native transfer and hand it to the parent window, then close
// everything. Protocol states: 1 no manager, 3 manager open, 4 source open,
// 5 source enabled, 6/7 during a transfer.
//
// Every message is a box owned by the parent window, shown through the
// message-box seam, and filtered by level: only level-1 messages appear.
//
// Hand-over: each transferred picture is sent to the parent as WM_USER with
// the picture's global handle (a packed DIB, which the receiver now owns) as
// wParam and 0 as lParam; wParam 0 means the transfer brought no picture.
#pragma once
#include <windows.h>

#include "contracts/twain.h"

const UINT kTwainHandOver = WM_USER;

void InitIdentity(HWND parent);
int OpenSourceManager();
int CloseSourceManager();
int OpenSource();
int CloseSource();
int EnableSource(int showUI);
int DisableSource();
// Starts an acquisition from the default source: 1 when the source is
// enabled and a transfer is awaited. The caller then runs its message loop
// through ProcessMessage until the source closes, and calls Shutdown.
int Acquire(HWND parent);
// 1 when the message was the source's and must not be dispatched.
int ProcessMessage(MSG *msg, HWND parent);
// Asks the user, then closes what is open: 1 when closed (or nothing was
// open), 0 when the user declined.
int Shutdown(HWND parent);
int IsSourceManagerOpen();
int IsSourceOpen();
int IsSourceEnabled();

// The application identity the session presents (after InitIdentity).
const TW_IDENTITY &ApplicationIdentity();

// Lets the user choose the default source (MSG_USERSELECT): 1 when a source
// was chosen. Opens and closes the source manager itself when it is not open.
int SelectSource(HWND parent);
// Whether the source manager lists at least one source. Opens and closes the
// manager when it is not open; shows no message.
int AnySourceInstalled(HWND parent);

// The acquisition from start to end on the caller's thread: Acquire, the
// message loop filtered by ProcessMessage until the source manager closes or
// the loop ends (a WM_QUIT is posted again), then Shutdown. Returns Acquire's
// result.
int RunAcquisition(HWND parent);
