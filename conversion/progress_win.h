// The modeless progress window of a conversion (template 215).
#pragma once
#include <windows.h>

#include "conversion/driver_win.h"

// Creates, shows and centres the window, owned by `owner`; null when it
// cannot be created (no display, or the template is missing).
HWND CreateProgressWindow(HINSTANCE resources, HWND owner);

// Reports to a progress window. No messages are pumped during a
// conversion, so every change is painted at once.
class ProgressWindowSink : public ConversionProgress {
public:
    explicit ProgressWindowSink(HWND window) : window_(window) {}
    void SourceStarted(const std::string &path) override;
    void ShowStatusLine() override;
    void Status(const std::string &text) override;
    void FrameDone(int frame) override;
    void SourceFinished(const std::string &path, const SourceResult &result) override;
    HWND ProgressBarWindow() override { return window_; }
    // The window steps aside (hidden, its owner repainted) while the animated
    // cursor is made; the next source shows it again.
    void AnimatedCursorFramesReady() override;

private:
    void Repaint();
    HWND window_;
};
