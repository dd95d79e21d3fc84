// The video tool's DirectShow graphs: the player graph that shows the media
// in the dialog, and the one-shot graph that grabs the frame at a position.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <string>

#include "common/comref.h"

// Graph notifications reach the dialog as this message.
const UINT WM_GRAPHNOTIFY = WM_APP + 1;

// The player graph's interfaces, held while the dialog is open.
struct PlayerGraph {
    ComRef<IGraphBuilder> builder;
    ComRef<IMediaControl> control;
    ComRef<IMediaSeeking> seeking;
    ComRef<IBasicVideo> basicVideo;
    ComRef<IVideoWindow> videoWindow;
    ComRef<IMediaEventEx> events;
    // Releases every interface, the builder last.
    void Release();
};

// Creates the filter graph and takes its interfaces; false (nothing held)
// when any of them is missing.
bool CreatePlayerGraph(PlayerGraph *graph);

enum RenderOutcome { kRenderFailed, kRenderedVideo, kRenderedAudioOnly };
// Builds the graph for the media file (through the ASF reader for the
// Windows Media types), drains the video window's messages to `dialog` and
// asks for notifications there as WM_GRAPHNOTIFY. With video, the video
// window becomes a child of `videoArea`, placed in it and shown.
RenderOutcome RenderMedia(PlayerGraph *graph, const std::string &path, HWND dialog, HWND videoArea);

// Places the video window in its area (see PlaceVideo), at the picture's
// own size where the area is larger.
void PlaceVideoWindow(IVideoWindow *window, IBasicVideo *video, HWND videoArea);

// The duration in 100-ns units read in media time; false when the graph
// cannot tell it.
bool ReadDuration(IMediaSeeking *seeking, int64_t *duration);

// Whether the graph can step one frame forward.
bool CanStepFrame(IGraphBuilder *builder);
// Steps one frame forward (the graph must be paused or running).
bool StepFrame(IGraphBuilder *builder);

// Grabs the frame of the media at `position` (100-ns units) through a graph
// of its own with the Sample Grabber: a 24-bit DIB section, null when the
// frame cannot be had. *duration receives that graph's duration.
HBITMAP GrabFrame(const std::string &path, int64_t position, int64_t *duration);

