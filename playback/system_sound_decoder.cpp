#include "playback/sound_decoder.h"

#include <mutex>
#include <vector>

#include "win/com_ptr.h"
#include "win/pcm_sound_graph.h"

namespace zav {

namespace {

// DirectShow media time counts 100-nanosecond units.
constexpr double kUnitsPerMs = 1e4;
// How long one wait for the end of the graph lasts before cancel is looked at again.
constexpr long kWaitSliceMs = 50;

// The grabber's callback, on the graph's streaming thread: converts each sample to
// 16 bits and hands it to the receiver. Once closed it hands over nothing more,
// whatever thread still calls it.
class BlockForwarder final : public ISampleGrabberCB {
public:
    BlockForwarder(SoundReceiver& receiver, const std::atomic<bool>& cancel, const PcmLayout& layout)
        : receiver_(receiver), cancel_(cancel), layout_(layout) {}

    // The failure that ended the forwarding early, or S_OK.
    HRESULT failure() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return failure_;
    }
    // Ends the forwarding; returns failure().
    HRESULT close() {
        const std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        return failure_;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(ISampleGrabberCB)) {
            *out = static_cast<ISampleGrabberCB*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        if (!sample || FAILED(sample->GetPointer(&data)) || !data) return S_OK;
        const long bytes = sample->GetActualDataLength();
        const std::lock_guard<std::mutex> lock(mutex_);
        if (closed_ || cancel_ || !takeFormatChange(sample)) return S_OK;
        const std::size_t frameBytes = static_cast<std::size_t>(layout_.bytesPerSample) * layout_.channels;
        const std::size_t frames = bytes > 0 ? static_cast<std::size_t>(bytes) / frameBytes : 0;
        if (frames == 0) return S_OK;
        // Nothing may unwind into the graph's thread: a receiver that throws (out of
        // memory) ends the decoding with a failure.
        try {
            block_.resize(frames * layout_.channels);
            convertToInt16(data, block_.size(), layout_, block_.data());
            receiver_.soundBlock(block_.data(), frames);
        } catch (...) {
            failure_ = E_OUTOFMEMORY;
            closed_ = true;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, LONG) override { return E_NOTIMPL; }

private:
    ~BlockForwarder() = default;

    // A sample may carry a new media type. Another sample size is taken on; another
    // rate or channel count cannot be announced again and ends the decoding.
    bool takeFormatChange(IMediaSample* sample) {
        AM_MEDIA_TYPE* type = nullptr;
        if (sample->GetMediaType(&type) != S_OK || !type) return true;
        PcmLayout changed;
        const bool known = pcmLayoutOf(*type, changed);
        freeMediaTypeContents(*type);
        CoTaskMemFree(type);
        if (known && changed.sampleRate == layout_.sampleRate && changed.channels == layout_.channels) {
            layout_ = changed;
            return true;
        }
        failure_ = VFW_E_INVALIDMEDIATYPE;
        closed_ = true;
        return false;
    }

    std::atomic<ULONG> references_{1};
    SoundReceiver& receiver_;
    const std::atomic<bool>& cancel_;
    PcmLayout layout_;
    std::mutex mutex_;
    bool closed_ = false;
    HRESULT failure_ = S_OK;
    std::vector<std::int16_t> block_;
};

// How the graph's queue of events says the decoding ended: S_OK at EC_COMPLETE, the
// error an EC_ERRORABORT carries, E_ABORT at EC_USERABORT; S_FALSE while it has not.
HRESULT queuedEnd(IMediaEvent* events) {
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    HRESULT end = S_FALSE;
    while (end == S_FALSE && events->GetEvent(&code, &first, &second, 0) == S_OK) {
        if (code == EC_COMPLETE) {
            end = S_OK;
        } else if (code == EC_ERRORABORT || code == EC_ERRORABORTEX) {
            const auto error = static_cast<HRESULT>(first);
            end = FAILED(error) ? error : E_FAIL;
        } else if (code == EC_USERABORT) {
            end = E_ABORT;
        }
        events->FreeEventParams(code, first, second);
    }
    return end;
}

class SystemSoundDecoder final : public SoundDecoder {
public:
    HRESULT decode(const std::wstring& path, SoundReceiver& receiver, const std::atomic<bool>& cancel) override;

private:
    static HRESULT waitForEnd(IMediaEvent* events, const std::atomic<bool>& cancel, BlockForwarder& forwarder);
};

HRESULT SystemSoundDecoder::decode(const std::wstring& path, SoundReceiver& receiver,
                                   const std::atomic<bool>& cancel) {
    ComPtr<IGraphBuilder> graph;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.putVoid());
    if (FAILED(hr)) return hr;
    ComPtr<ISampleGrabber> grabber;
    if (FAILED(hr = addPcmSoundChain(graph.get(), path, grabber))) return hr;
    if (cancel) return E_ABORT;

    AM_MEDIA_TYPE type{};
    if (FAILED(hr = grabber->GetConnectedMediaType(&type))) return hr;
    PcmLayout layout;
    const bool known = pcmLayoutOf(type, layout);
    freeMediaTypeContents(type);
    if (!known) return VFW_E_UNSUPPORTED_AUDIO;

    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaFilter> filter;
    if (FAILED(hr = graph.as(IID_IMediaControl, control)) || FAILED(hr = graph.as(IID_IMediaEvent, events)) ||
        FAILED(hr = graph.as(IID_IMediaFilter, filter)))
        return hr;
    // Without a clock nothing waits for a sample's time: the graph decodes as fast as
    // it can. Nor does the graph make a clock of its own that it would later have to
    // release (which can hang Wine's quartz).
    if (FAILED(hr = filter->SetSyncSource(nullptr))) return hr;
    LONGLONG duration = 0;
    if (FAILED(graph.as(IID_IMediaSeeking, seeking)) || FAILED(seeking->GetDuration(&duration)) || duration < 0)
        duration = 0;
    receiver.soundFormat(layout.sampleRate, layout.channels, duration / kUnitsPerMs);

    ComPtr<BlockForwarder> forwarder;
    *forwarder.put() = new BlockForwarder(receiver, cancel, layout);
    // 0: SampleCB, the sample itself rather than a copy of its buffer.
    if (FAILED(hr = grabber->SetCallback(forwarder.get(), 0))) return hr;
    hr = control->Run();
    if (SUCCEEDED(hr)) hr = waitForEnd(events.get(), cancel, *forwarder.get());
    // Stop returns once the streaming threads have left the filters; the callback is
    // then cleared and closed, so that no block arrives after decode returns.
    control->Stop();
    grabber->SetCallback(nullptr, 0);
    forwarder->close();
    return hr;
}

// The completion wait ends at EC_COMPLETE; Wine's graph only queues an
// EC_ERRORABORT without ending it, so the queue is read after every slice too.
HRESULT SystemSoundDecoder::waitForEnd(IMediaEvent* events, const std::atomic<bool>& cancel,
                                       BlockForwarder& forwarder) {
    for (;;) {
        if (const HRESULT failed = forwarder.failure(); FAILED(failed)) return failed;
        long code = 0;
        const HRESULT waited = events->WaitForCompletion(kWaitSliceMs, &code);
        if (FAILED(waited) && waited != E_ABORT) return waited;  // E_ABORT: the slice ran out
        HRESULT end = queuedEnd(events);
        if (end == S_FALSE && waited == S_OK) end = code == EC_COMPLETE ? S_OK : E_FAIL;
        if (cancel) return E_ABORT;
        if (end != S_FALSE) return end;
    }
}

}  // namespace

std::unique_ptr<SoundDecoder> makeSystemSoundDecoder() {
    return std::make_unique<SystemSoundDecoder>();
}

}  // namespace zav
