#include "mediaplayer/directshow_engine.h"

#include "win/pcm_sound_graph.h"

#include <algorithm>
#include <cmath>

namespace zav::player {

namespace {

// DirectShow media time counts 100-nanosecond units.
constexpr double kUnitsPerSecond = 1e7;

// Whether any pin of the filter is connected.
bool isConnected(IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.put())) || !pins) return false;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        ComPtr<IPin> peer;
        if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer) return true;
    }
    return false;
}

// One system clock for every graph of the process, never released. Wine's quartz
// can hang for good when a graph releases the clock it made for itself (the clock's
// thread misses its wake-up), so each graph is given this one instead; quartz is
// pinned so that COM never unloads the clock's code under it.
IReferenceClock* sharedClock() {
    static IReferenceClock* const clock = [] {
        HMODULE quartz = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"quartz.dll", &quartz);
        IReferenceClock* made = nullptr;
        if (!quartz || FAILED(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                                               reinterpret_cast<void**>(&made))))
            return static_cast<IReferenceClock*>(nullptr);
        return made;
    }();
    return clock;
}

}  // namespace

DirectShowEngine::~DirectShowEngine() {
    close();
}

HRESULT DirectShowEngine::open(const std::wstring& url) {
    close();
    HRESULT hr = buildGraph(url);
    if (SUCCEEDED(hr)) {
        hr = run();
        if (FAILED(hr)) {
            // An audio renderer that cannot start (no usable sound device) must not
            // keep the picture from playing.
            silenceAudioRenderer();
            hr = run();
        }
    }
    if (FAILED(hr)) {
        close();
        return hr;
    }
    return S_OK;
}

HRESULT DirectShowEngine::buildGraph(const std::wstring& path) {
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.putVoid());
    if (FAILED(hr)) return hr;
    // The GDI video renderer, offered to RenderFile before the mixing renderers: under
    // Wine those draw through Direct3D into a window of their own that never shows
    // inside a child window, while this one paints into the control's window.
    ComPtr<IBaseFilter> renderer;
    if (SUCCEEDED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   renderer.putVoid())))
        graph_->AddFilter(renderer.get(), L"Video Renderer");
    // A partial render (VFW_S_PARTIAL_RENDER, VFW_S_AUDIO_NOT_RENDERED) is a success:
    // whatever could be rendered plays.
    hr = graph_->RenderFile(path.c_str(), nullptr);
    // With no sound device (Wine under Xvfb, or a machine without one) nothing can
    // render a file that has only sound; it plays into a Null Renderer instead, at
    // the graph's clock, so that its position still moves as it would be heard.
    if (FAILED(hr)) {
        renderer.reset();
        if (FAILED(renderSoundSilently(path))) return hr;
    }
    // Media without a picture leaves the renderer unconnected; it must not stay, or
    // it would open an empty video window.
    if (renderer && !isConnected(renderer.get())) graph_->RemoveFilter(renderer.get());
    if (FAILED(hr = graph_.as(IID_IMediaControl, control_))) return hr;
    if (FAILED(hr = graph_.as(IID_IMediaSeeking, seeking_))) return hr;
    if (FAILED(hr = graph_.as(IID_IMediaEventEx, events_))) return hr;
    graph_.as(IID_IBasicAudio, audio_);
    graph_.as(IID_IVideoWindow, video_);
    graph_.as(IID_IBasicVideo, basicVideo_);

    long width = 0;
    long height = 0;
    hasVideo_ = basicVideo_ && SUCCEEDED(basicVideo_->GetVideoSize(&width, &height)) && width > 0 && height > 0;
    if (hasVideo_) {
        // Until the control's window is there the video window stays hidden, rather
        // than popping up as a window of its own when the graph runs.
        video_->put_AutoShow(OAFALSE);
        attachWindow(window_);
    } else {
        video_.reset();
        basicVideo_.reset();
    }

    LONGLONG duration = 0;
    if (SUCCEEDED(seeking_->GetDuration(&duration)) && duration > 0) duration_ = duration / kUnitsPerSecond;
    if (audio_) audio_->put_Volume(volumeToAttenuation(volume_));
    seeking_->SetRate(rate_);
    ComPtr<IMediaFilter> filter;
    if (IReferenceClock* clock = sharedClock(); clock && SUCCEEDED(graph_.as(IID_IMediaFilter, filter)))
        filter->SetSyncSource(clock);
    return S_OK;
}

HRESULT DirectShowEngine::renderSoundSilently(const std::wstring& path) {
    graph_.reset();
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.putVoid());
    if (FAILED(hr)) return hr;
    ComPtr<ISampleGrabber> grabber;
    return addPcmSoundChain(graph_.get(), path, grabber);
}

HRESULT DirectShowEngine::run() {
    const HRESULT hr = control_->Run();
    if (FAILED(hr)) return hr;
    playState_ = kPlayStatePlaying;
    return S_OK;
}

// The sound goes on into a Null Renderer, so that a file with nothing else still
// runs at the graph's clock.
void DirectShowEngine::silenceAudioRenderer() {
    control_->Stop();
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph_->EnumFilters(filters.put())) || !filters) return;
    ComPtr<IBaseFilter> audioRenderer;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.put(), nullptr) == S_OK) {
        ComPtr<IBasicAudio> basicAudio;
        if (SUCCEEDED(filter.as(IID_IBasicAudio, basicAudio))) audioRenderer = filter;
    }
    audio_.reset();
    if (!audioRenderer) return;
    ComPtr<IPin> input = firstPin(audioRenderer.get(), PINDIR_INPUT);
    ComPtr<IPin> upstream;
    AM_MEDIA_TYPE type{};
    const bool connected = input && SUCCEEDED(input->ConnectedTo(upstream.put())) && upstream &&
                           SUCCEEDED(input->ConnectionMediaType(&type));
    graph_->RemoveFilter(audioRenderer.get());
    if (!connected) return;
    ComPtr<IBaseFilter> sink;
    if (SUCCEEDED(CoCreateInstance(kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, sink.putVoid())) &&
        SUCCEEDED(graph_->AddFilter(sink.get(), L"Sound Sink"))) {
        input = firstPin(sink.get(), PINDIR_INPUT);
        if (!input || FAILED(graph_->ConnectDirect(upstream.get(), input.get(), &type)))
            graph_->RemoveFilter(sink.get());
    }
    freeMediaTypeContents(type);
}

void DirectShowEngine::close() {
    if (control_) control_->Stop();
    if (video_) {
        video_->put_Visible(OAFALSE);
        video_->put_MessageDrain(0);
        video_->put_Owner(0);
    }
    basicVideo_.reset();
    video_.reset();
    audio_.reset();
    events_.reset();
    seeking_.reset();
    control_.reset();
    graph_.reset();
    hasVideo_ = false;
    duration_ = 0.0;
    playState_ = kPlayStateUndefined;
}

long DirectShowEngine::openState() {
    return graph_ ? kOpenStateMediaOpen : kOpenStateUndefined;
}

long DirectShowEngine::playState() {
    return graph_ ? playState_ : kPlayStateUndefined;
}

HRESULT DirectShowEngine::position(double* seconds) {
    *seconds = 0.0;
    if (!seeking_) return S_OK;
    LONGLONG now = 0;
    const HRESULT hr = seeking_->GetCurrentPosition(&now);
    if (FAILED(hr)) return hr;
    *seconds = clampPosition(now / kUnitsPerSecond, duration_);
    return S_OK;
}

HRESULT DirectShowEngine::setPosition(double seconds) {
    if (!seeking_) return S_OK;
    seekTo(std::llround(clampPosition(seconds, duration_) * kUnitsPerSecond));
    return S_OK;
}

void DirectShowEngine::seekTo(LONGLONG position) {
    seeking_->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

HRESULT DirectShowEngine::play() {
    return control_ ? run() : S_OK;
}

HRESULT DirectShowEngine::pause() {
    if (!control_) return S_OK;
    const HRESULT hr = control_->Pause();
    if (SUCCEEDED(hr)) playState_ = kPlayStatePaused;
    return hr;
}

HRESULT DirectShowEngine::stop() {
    if (!control_) return S_OK;
    control_->Stop();
    seekTo(0);
    playState_ = kPlayStateStopped;
    return S_OK;
}

void DirectShowEngine::setVolume(long volume) {
    volume_ = volume;
    if (audio_) audio_->put_Volume(volumeToAttenuation(volume));
}

void DirectShowEngine::setRate(double rate) {
    rate_ = rate;
    if (seeking_) seeking_->SetRate(rate);
}

void DirectShowEngine::attachWindow(HWND window) {
    window_ = window;
    if (!video_) return;
    if (!window) {
        video_->put_Visible(OAFALSE);
        video_->put_MessageDrain(0);
        video_->put_Owner(0);
        return;
    }
    video_->put_Owner(reinterpret_cast<OAHWND>(window));
    video_->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    video_->put_MessageDrain(reinterpret_cast<OAHWND>(window));
    GetClientRect(window, &client_);
    placeVideo();
    video_->put_Visible(OATRUE);
}

void DirectShowEngine::layout(const RECT& client) {
    client_ = client;
    placeVideo();
}

void DirectShowEngine::setStretchToFit(bool stretch) {
    stretch_ = stretch;
    placeVideo();
}

// Stretched, the video fills the window; otherwise it keeps its proportions, is
// never enlarged, and is centred.
void DirectShowEngine::placeVideo() {
    if (!video_ || !window_) return;
    const long width = client_.right - client_.left;
    const long height = client_.bottom - client_.top;
    if (width <= 0 || height <= 0) return;
    long x = 0;
    long y = 0;
    long w = width;
    long h = height;
    long videoWidth = 0;
    long videoHeight = 0;
    if (!stretch_ && basicVideo_ && SUCCEEDED(basicVideo_->GetVideoSize(&videoWidth, &videoHeight)) &&
        videoWidth > 0 && videoHeight > 0) {
        const double scale = std::min({1.0, static_cast<double>(width) / videoWidth,
                                       static_cast<double>(height) / videoHeight});
        w = std::lround(videoWidth * scale);
        h = std::lround(videoHeight * scale);
        x = (width - w) / 2;
        y = (height - h) / 2;
    }
    video_->SetWindowPosition(x, y, w, h);
}

void DirectShowEngine::poll() {
    if (!events_) return;
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    while (events_->GetEvent(&code, &first, &second, 0) == S_OK) {
        events_->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT) {
            // At the end the graph is stopped and rewound, as stop() does: a graph
            // left running or paused after its end does not seek (Wine's quartz).
            stop();
        }
    }
}

}  // namespace zav::player
