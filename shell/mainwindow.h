// The main window: the platform's Explorer-style file-open dialog with the
// options panel (template 237) as its custom template and a hook procedure.
// The dialog's modal loop is the program's main loop.
#pragma once
#include <windows.h>

#include "common/windowutil.h"  // LoadText

#include <string>
#include <vector>

struct Settings;

// Everything the main window keeps for the program's lifetime.
struct MainWindowState {
    Settings *settings = nullptr;
    HINSTANCE instance = nullptr;
    HWND panel = nullptr;    // the hook's dialog: the options panel
    HWND browser = nullptr;  // its parent: the file-open dialog itself
    HWND toolbar = nullptr;
    HWND tooltips = nullptr;
    HWND progress = nullptr;
    WNDPROC previousProc = nullptr;  // the browser's procedure before subclassing
    HMENU menu = nullptr;

    // Transparent colour and the swatch's brush.
    COLORREF chosenColor = 0;
    HBRUSH swatchBrush = nullptr;

    bool converting = false;  // a conversion (Convert or the cursor test) is running

    // Cursor test.
    bool cursorTest = false;
    HCURSOR previousCursor = nullptr;
    HCURSOR previewCursor = nullptr;

    // Pictures handed over by the scanner module or the camera.
    bool scannedPending = false;
    bool cameraPending = false;
    char scannedPath[MAX_PATH] = "";
    char cameraPath[MAX_PATH] = "";
    // A screen capture waiting to be converted, and the name its icon takes.
    bool capturePending = false;
    char capturePath[MAX_PATH] = "";
    char captureName[MAX_PATH] = "";

    std::vector<std::string> sources;  // the conversion's source list
};

// The one main window of the process.
MainWindowState &MainWindow();

// Runs the main window until the program ends. Returns false when the dialog
// could not be shown (it returns only then: Close ends the process).
bool RunMainWindow(HINSTANCE instance, Settings *settings);

// The hook procedure (given to the file-open dialog) and the browser's
// subclass procedure.
UINT_PTR CALLBACK MainHookProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BrowserSubclassProc(HWND browser, UINT msg, WPARAM wParam, LPARAM lParam);

// Commands of the main window (mainwindow_commands.cpp). Returns true when
// the command was one of the main window's.
bool OnMainCommand(HWND panel, int id, int code);
// The check before a conversion or an acquisition: at least one format box is
// ticked, else the empty-choice message for the create-as kind and false.
bool FormatsChosen(HWND panel, HWND owner);

// Panel set-up when the browser is ready (panel_layout.cpp).
void LayOutPanel(HWND panel, HWND browser);
void RelabelBrowser(HWND browser, HINSTANCE instance);
HWND CreateMainToolbar(HWND panel, HINSTANCE instance);
HWND CreatePanelTooltips(HWND panel, HINSTANCE instance, bool active);
// Sets the XP toolbar button and menu item 285 together.
void SetXpFormatState(HWND panel, bool pressed, bool indeterminate);
bool XpButtonPressed();


// Commands of the other subsystems (desktop, acquisition).
void OnSystemIcons(HWND owner);
void OnSystemCursors(HWND owner);
void OnFolderIcons(HWND owner);
void OnIconMetrics(HWND owner);
void OnDriveIcons(HWND owner);
void OnFavoritesIcons(HWND owner);
void OnSelectSource(HWND owner);
void OnScanModule(HWND owner);
void OnScanGlyphery(HWND owner);
void OnCamera(HWND owner);
void OnScreenCapture(HWND owner);
// A capture taken as a profile picture (its 48 x 48 copy `picture`), shown
// as the settings ask: the display window or the viewer of the user's choice.
void ShowCapturedPicture(HWND owner, const std::string &picture);
// Convert with "Create from scanner" set: a TWAIN transfer, which hands its
// picture over by message and issues Convert again.
void AcquireFromScanner(HWND owner);
// The video tool (GlypheryMedia.exe of the installation folder) shows a
// video source and grabs one of its frames into the temporary folder; true
// with that frame's bitmap, the picture to convert in the video's place.
// False when the tool could not start (the user is told) or no frame was
// grabbed: nothing is converted.
bool PickVideoFrame(HWND owner, const std::string &video, std::string *picture);
