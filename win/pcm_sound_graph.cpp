#include "win/pcm_sound_graph.h"

#include <mmreg.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace zav {

namespace {

std::vector<ComPtr<IPin>> pinsOf(IBaseFilter* filter, PIN_DIRECTION direction) {
    std::vector<ComPtr<IPin>> found;
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.put())) || !pins) return found;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        PIN_DIRECTION side = PINDIR_INPUT;
        if (SUCCEEDED(pin->QueryDirection(&side)) && side == direction) found.push_back(pin);
    }
    return found;
}

HRESULT makeFilter(const CLSID& clsid, ComPtr<IBaseFilter>& filter) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid());
}

// Connects the first output of the source that leads to the grabber's input;
// intelligent connect puts the splitter and the decoder between them.
HRESULT connectFirstSound(IGraphBuilder* graph, IBaseFilter* source, IBaseFilter* grabber) {
    const ComPtr<IPin> input = firstPin(grabber, PINDIR_INPUT);
    if (!input) return E_UNEXPECTED;
    for (const ComPtr<IPin>& output : pinsOf(source, PINDIR_OUTPUT)) {
        if (SUCCEEDED(graph->Connect(output.get(), input.get()))) return S_OK;
    }
    return VFW_E_NOT_FOUND;
}

HRESULT connectGrabberToRenderer(IGraphBuilder* graph, IBaseFilter* grabber, IBaseFilter* renderer) {
    const ComPtr<IPin> output = firstPin(grabber, PINDIR_OUTPUT);
    const ComPtr<IPin> input = firstPin(renderer, PINDIR_INPUT);
    if (!output || !input) return E_UNEXPECTED;
    return graph->ConnectDirect(output.get(), input.get(), nullptr);
}

std::int16_t clampToInt16(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 32767.0) return 32767;
    if (value <= -32768.0) return -32768;
    return static_cast<std::int16_t>(std::lround(value));
}

// The little-endian 16 bits at p as a signed sample.
std::int16_t int16At(const BYTE* p) {
    std::int16_t sample;
    std::memcpy(&sample, p, sizeof sample);
    return sample;
}

}  // namespace

ComPtr<IPin> firstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    std::vector<ComPtr<IPin>> pins = pinsOf(filter, direction);
    return pins.empty() ? ComPtr<IPin>() : pins.front();
}

HRESULT addPcmSoundChain(IGraphBuilder* graph, const std::wstring& path, ComPtr<ISampleGrabber>& grabber) {
    grabber.reset();
    ComPtr<IBaseFilter> source;
    HRESULT hr = graph->AddSourceFilter(path.c_str(), L"Source", source.put());
    if (FAILED(hr)) return hr;
    ComPtr<IBaseFilter> grabberFilter;
    ComPtr<IBaseFilter> renderer;
    if (SUCCEEDED(hr = makeFilter(kClsidSampleGrabber, grabberFilter)) &&
        SUCCEEDED(hr = makeFilter(kClsidNullRenderer, renderer)) &&
        SUCCEEDED(hr = grabberFilter.as(__uuidof(ISampleGrabber), grabber))) {
        // Major type and subtype only: the wave format stays the decoder's choice.
        AM_MEDIA_TYPE type{};
        type.majortype = MEDIATYPE_Audio;
        type.subtype = MEDIASUBTYPE_PCM;
        type.formattype = GUID_NULL;
        if (SUCCEEDED(hr = grabber->SetMediaType(&type)) &&
            SUCCEEDED(hr = graph->AddFilter(grabberFilter.get(), L"Sound Grabber")) &&
            SUCCEEDED(hr = graph->AddFilter(renderer.get(), L"Sound Sink")) &&
            SUCCEEDED(hr = connectFirstSound(graph, source.get(), grabberFilter.get())))
            hr = connectGrabberToRenderer(graph, grabberFilter.get(), renderer.get());
    }
    if (FAILED(hr)) {
        grabber.reset();
        if (renderer) graph->RemoveFilter(renderer.get());
        if (grabberFilter) graph->RemoveFilter(grabberFilter.get());
        graph->RemoveFilter(source.get());
    }
    return hr;
}

void freeMediaTypeContents(AM_MEDIA_TYPE& type) {
    CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    if (type.pUnk) type.pUnk->Release();
    type.pUnk = nullptr;
}

bool pcmLayoutOf(const AM_MEDIA_TYPE& type, PcmLayout& layout) {
    if (type.formattype != FORMAT_WaveFormatEx || !type.pbFormat || type.cbFormat < sizeof(WAVEFORMATEX))
        return false;
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    DWORD tag = wave->wFormatTag;
    if (tag == WAVE_FORMAT_EXTENSIBLE && type.cbFormat >= sizeof(WAVEFORMATEXTENSIBLE)) {
        // A wave subformat is its format tag inside the base GUID that
        // MEDIASUBTYPE_PCM also uses.
        const GUID& sub = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(wave)->SubFormat;
        if (std::memcmp(&sub.Data2, &MEDIASUBTYPE_PCM.Data2, sizeof(GUID) - sizeof(sub.Data1)) == 0) tag = sub.Data1;
    }
    const bool isFloat = tag == WAVE_FORMAT_IEEE_FLOAT;
    if (tag != WAVE_FORMAT_PCM && !isFloat) return false;
    if (wave->wBitsPerSample % 8 != 0 || wave->nChannels == 0 || wave->nSamplesPerSec == 0) return false;
    const int bytes = wave->wBitsPerSample / 8;
    if (isFloat ? (bytes != 4 && bytes != 8) : (bytes < 1 || bytes > 4)) return false;
    if (wave->nBlockAlign != bytes * wave->nChannels) return false;
    layout.sampleRate = static_cast<int>(wave->nSamplesPerSec);
    layout.channels = wave->nChannels;
    layout.bytesPerSample = bytes;
    layout.isFloat = isFloat;
    return true;
}

void convertToInt16(const BYTE* in, std::size_t count, const PcmLayout& layout, std::int16_t* out) {
    if (layout.isFloat) {
        for (std::size_t i = 0; i < count; ++i) {
            double value;
            if (layout.bytesPerSample == 4) {
                float single;
                std::memcpy(&single, in + i * 4, 4);
                value = single;
            } else {
                std::memcpy(&value, in + i * 8, 8);
            }
            out[i] = clampToInt16(value * 32768.0);
        }
        return;
    }
    switch (layout.bytesPerSample) {
    case 1:  // unsigned, centred on 128
        for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::int16_t>((in[i] - 128) * 256);
        break;
    case 2:
        std::memcpy(out, in, count * 2);
        break;
    default:  // 24 or 32 bits: the top two bytes of each sample
        for (std::size_t i = 0; i < count; ++i)
            out[i] = int16At(in + (i + 1) * layout.bytesPerSample - 2);
        break;
    }
}

}  // namespace zav
