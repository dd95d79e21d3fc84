#include "media/player_win.h"

#include <qedit.h>

#include <cstring>

#include "common/codepage_win.h"
#include "common/handles.h"
#include "media/media_rules.h"

// mingw-w64's qedit.h declares the Sample Grabber's interface but not the
// classes; libstrmiids has their identifiers.
extern "C" const CLSID CLSID_SampleGrabber;

namespace {

// The longest wait for the grab graph to deliver its frame: a decoder that
// never completes must not hang the tool.
const long kGrabWaitMs = 15000;
// Frames larger than this on a side are not copied (no decoder gives them).
const LONG kMaxFrameSide = 16384;

// An AM_MEDIA_TYPE filled by a filter, its format block and object freed.
struct MediaType {
    AM_MEDIA_TYPE mt = {};
    ~MediaType() {
        if (mt.cbFormat && mt.pbFormat) CoTaskMemFree(mt.pbFormat);
        if (mt.pUnk) mt.pUnk->Release();
    }
};

template <typename T> bool Query(IUnknown *from, REFIID iid, ComRef<T> *to) {
    return from && SUCCEEDED(from->QueryInterface(iid, to->outVoid())) && to->get();
}

bool CreateGraph(ComRef<IGraphBuilder> *builder) {
    return SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                      builder->outVoid())) &&
           builder->get();
}

// Renders every output pin of the ASF reader. A pin that cannot be rendered
// is passed over (a stream without a decoder, sound without a device); the
// file fails only when no pin at all is rendered.
bool RenderOutputPins(IGraphBuilder *builder, IBaseFilter *reader) {
    ComRef<IEnumPins> pins;
    if (FAILED(reader->EnumPins(pins.out())) || !pins) return false;
    int rendered = 0;
    ComRef<IPin> pin;
    while (pins->Next(1, pin.out(), nullptr) == S_OK && pin) {
        PIN_DIRECTION direction;
        if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) continue;
        if (SUCCEEDED(builder->Render(pin.get()))) {
            ++rendered;
            continue;
        }
        ComRef<IPin> peer;
        if (SUCCEEDED(pin->ConnectedTo(peer.out())) && peer) ++rendered;
    }
    return rendered > 0;
}

bool RenderThroughAsfReader(IGraphBuilder *builder, const std::wstring &wide) {
    ComRef<IBaseFilter> reader;
    if (FAILED(CoCreateInstance(CLSID_WMAsfReader, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reader.outVoid())) ||
        !reader)
        return false;
    if (FAILED(builder->AddFilter(reader.get(), L"ASF Reader"))) return false;
    ComRef<IFileSourceFilter> source;
    if (!Query(reader.get(), IID_IFileSourceFilter, &source)) return false;
    if (FAILED(source->Load(wide.c_str(), nullptr))) return false;
    return RenderOutputPins(builder, reader.get());
}

// Whether a filter's first input pin is connected.
bool InputConnected(IBaseFilter *filter) {
    ComRef<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.out())) || !pins) return false;
    ComRef<IPin> pin;
    while (pins->Next(1, pin.out(), nullptr) == S_OK && pin) {
        PIN_DIRECTION direction;
        if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_INPUT) continue;
        ComRef<IPin> peer;
        return SUCCEEDED(pin->ConnectedTo(peer.out())) && peer;
    }
    return false;
}

// The video renderer that draws with GDI, put in the graph before it is
// built so that the graph's own choice of filters takes it: the default one
// draws through Direct3D, which shows nothing on displays without it (Wine
// on a virtual X server). Left empty when it cannot be had: the default serves.
void AddGdiRenderer(IGraphBuilder *builder, ComRef<IBaseFilter> *renderer) {
    if (FAILED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                renderer->outVoid())) ||
        !*renderer || FAILED(builder->AddFilter(renderer->get(), L"Video Renderer")))
        renderer->reset();
}

// The size in bytes of the pixels of a bottom-up or top-down 24-bit DIB.
size_t DibImageBytes(const BITMAPINFOHEADER &h) {
    size_t stride = (((size_t)h.biWidth * 24 + 31) / 32) * 4;
    LONG height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    return stride * (size_t)height;
}

}  // namespace

void PlayerGraph::Release() {
    events.reset();
    videoWindow.reset();
    basicVideo.reset();
    seeking.reset();
    control.reset();
    builder.reset();
}

bool CreatePlayerGraph(PlayerGraph *g) {
    g->Release();
    bool ok = CreateGraph(&g->builder) && Query(g->builder.get(), IID_IMediaControl, &g->control) &&
              Query(g->builder.get(), IID_IMediaSeeking, &g->seeking) &&
              Query(g->builder.get(), IID_IBasicVideo, &g->basicVideo) &&
              Query(g->builder.get(), IID_IVideoWindow, &g->videoWindow) &&
              Query(g->builder.get(), IID_IMediaEventEx, &g->events);
    if (!ok) g->Release();
    return ok;
}

void PlaceVideoWindow(IVideoWindow *window, IBasicVideo *video, HWND videoArea) {
    RECT area;
    GetClientRect(videoArea, &area);
    // The picture's own size; the window's size counts the frame it was
    // made with, which it no longer has as a child.
    long width = 0, height = 0;
    if (FAILED(video->GetVideoSize(&width, &height)) || width <= 0 || height <= 0) {
        if (FAILED(window->get_Width(&width)) || FAILED(window->get_Height(&height))) return;
    }
    Placement p = PlaceVideo(area.right - area.left, area.bottom - area.top, (int)width, (int)height);
    window->SetWindowPosition(p.x, p.y, p.width, p.height);
}

RenderOutcome RenderMedia(PlayerGraph *g, const std::string &path, HWND dialog, HWND videoArea) {
    std::wstring wide = AnsiToWide(path);
    if (wide.empty()) return kRenderFailed;
    ComRef<IBaseFilter> renderer;
    AddGdiRenderer(g->builder.get(), &renderer);
    bool rendered = UsesAsfReader(path) ? RenderThroughAsfReader(g->builder.get(), wide)
                                        : SUCCEEDED(g->builder->RenderFile(wide.c_str(), nullptr));
    // Without a video stream the renderer stays unconnected: out, so that the
    // graph has no video window for sound alone.
    if (renderer && !InputConnected(renderer.get())) g->builder->RemoveFilter(renderer.get());
    if (!rendered) return kRenderFailed;
    // Only a graph with a video renderer takes a message drain.
    bool video = SUCCEEDED(g->videoWindow->put_MessageDrain((OAHWND)dialog));
    g->events->SetNotifyWindow((OAHWND)dialog, WM_GRAPHNOTIFY, 0);
    if (!video) return kRenderedAudioOnly;
    IVideoWindow *w = g->videoWindow.get();
    w->put_Visible(OAFALSE);
    w->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    w->put_Owner((OAHWND)videoArea);
    PlaceVideoWindow(w, g->basicVideo.get(), videoArea);
    w->put_Visible(OATRUE);
    w->SetWindowForeground(OATRUE);
    return kRenderedVideo;
}

bool ReadDuration(IMediaSeeking *seeking, int64_t *duration) {
    if (!seeking || seeking->IsFormatSupported(&TIME_FORMAT_MEDIA_TIME) != S_OK) return false;
    GUID format = TIME_FORMAT_NONE;
    bool switched = false;
    if (SUCCEEDED(seeking->GetTimeFormat(&format)) && !IsEqualGUID(format, TIME_FORMAT_MEDIA_TIME)) {
        if (FAILED(seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME))) return false;
        switched = true;
    }
    LONGLONG value = 0;
    bool ok = SUCCEEDED(seeking->GetDuration(&value));
    if (switched) seeking->SetTimeFormat(&format);
    if (ok) *duration = value;
    return ok;
}

bool CanStepFrame(IGraphBuilder *builder) {
    ComRef<IVideoFrameStep> step;
    return Query(builder, IID_IVideoFrameStep, &step) && step->CanStep(0, nullptr) == S_OK;
}

bool StepFrame(IGraphBuilder *builder) {
    ComRef<IVideoFrameStep> step;
    return Query(builder, IID_IVideoFrameStep, &step) && SUCCEEDED(step->Step(1, nullptr));
}

HBITMAP GrabFrame(const std::string &path, int64_t position, int64_t *duration) {
    *duration = 0;
    std::wstring wide = AnsiToWide(path);
    ComRef<IGraphBuilder> builder;
    ComRef<IBaseFilter> grabberFilter;
    ComRef<ISampleGrabber> grabber;
    if (wide.empty() || !CreateGraph(&builder)) return nullptr;
    if (FAILED(CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                grabberFilter.outVoid())) ||
        !grabberFilter || FAILED(builder->AddFilter(grabberFilter.get(), L"Grabber")) ||
        !Query(grabberFilter.get(), IID_ISampleGrabber, &grabber))
        return nullptr;
    AM_MEDIA_TYPE wanted = {};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    wanted.formattype = FORMAT_VideoInfo;
    if (FAILED(grabber->SetMediaType(&wanted))) return nullptr;
    if (FAILED(builder->RenderFile(wide.c_str(), nullptr))) return nullptr;
    ComRef<IMediaControl> control;
    ComRef<IMediaEvent> events;
    ComRef<IMediaSeeking> seeking;
    if (!Query(builder.get(), IID_IMediaControl, &control) || !Query(builder.get(), IID_IMediaEvent, &events) ||
        !Query(builder.get(), IID_IMediaSeeking, &seeking))
        return nullptr;
    grabber->SetBufferSamples(TRUE);
    grabber->SetOneShot(TRUE);

    LONGLONG length = 0;
    seeking->GetDuration(&length);
    *duration = length;
    LONGLONG at = GrabPosition(position, length);
    seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, &at, AM_SEEKING_AbsolutePositioning);

    ComRef<IVideoWindow> window;
    if (Query(builder.get(), IID_IVideoWindow, &window)) window->put_AutoShow(OAFALSE);
    if (FAILED(control->Run())) return nullptr;
    long code = 0;
    HRESULT waited = events->WaitForCompletion(kGrabWaitMs, &code);
    control->Stop();
    if (waited != S_OK) return nullptr;

    MediaType type;
    if (FAILED(grabber->GetConnectedMediaType(&type.mt)) || !IsEqualGUID(type.mt.formattype, FORMAT_VideoInfo) ||
        !type.mt.pbFormat || type.mt.cbFormat < sizeof(VIDEOINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header = reinterpret_cast<VIDEOINFOHEADER *>(type.mt.pbFormat)->bmiHeader;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biWidth > kMaxFrameSide || header.biHeight == 0 || header.biHeight > kMaxFrameSide ||
        header.biHeight < -kMaxFrameSide)
        return nullptr;
    header.biSize = sizeof header;
    size_t imageBytes = DibImageBytes(header);
    long buffered = 0;
    if (FAILED(grabber->GetCurrentBuffer(&buffered, nullptr)) || buffered <= 0) return nullptr;
    void *bits = nullptr;
    UniqueBitmap frame(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS, &bits,
                                        nullptr, 0));
    if (!frame || !bits) return nullptr;
    GdiFlush();
    // The sample may be shorter or longer than the picture it describes: only
    // what both hold is copied.
    std::string buffer((size_t)buffered, '\0');
    long size = buffered;
    if (FAILED(grabber->GetCurrentBuffer(&size, reinterpret_cast<long *>(&buffer[0])))) return nullptr;
    size_t copied = (size_t)size < imageBytes ? (size_t)size : imageBytes;
    memcpy(bits, buffer.data(), copied);
    return frame.release();
}
