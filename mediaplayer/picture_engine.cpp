#include "mediaplayer/picture_engine.h"

#include <wincodec.h>

#include "win/com_ptr.h"

#include <algorithm>
#include <cmath>

namespace zav::player {

namespace {

// Pictures larger than this are refused rather than decoded into gigabytes.
constexpr UINT kMaxSide = 16384;

}  // namespace

HRESULT PictureEngine::open(const std::wstring& url) {
    close();
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.putVoid());
    if (FAILED(hr)) return hr;
    ComPtr<IWICBitmapDecoder> decoder;
    hr = factory->CreateDecoderFromFilename(url.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            decoder.put());
    if (FAILED(hr)) return hr;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(hr = decoder->GetFrame(0, frame.put()))) return hr;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(hr = factory->CreateFormatConverter(converter.put()))) return hr;
    hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) return hr;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(hr = converter->GetSize(&width, &height))) return hr;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    hr = converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data());
    if (FAILED(hr)) return hr;
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    return S_OK;
}

void PictureEngine::close() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = 0;
    height_ = 0;
}

HRESULT PictureEngine::position(double* seconds) {
    *seconds = 0.0;
    return S_OK;
}

// Stretched, the picture fills the window; otherwise it keeps its proportions, is
// never enlarged, and is centred on the black background.
bool PictureEngine::paint(HDC dc, const RECT& client) {
    if (!isOpen()) return false;
    const long width = client.right - client.left;
    const long height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return false;
    long x = client.left;
    long y = client.top;
    long w = width;
    long h = height;
    if (!stretch_) {
        const double scale = std::min({1.0, static_cast<double>(width) / width_, static_cast<double>(height) / height_});
        w = std::lround(width_ * scale);
        h = std::lround(height_ * scale);
        x += (width - w) / 2;
        y += (height - h) / 2;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width_);
    info.bmiHeader.biHeight = -static_cast<LONG>(height_);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, x, y, w, h, 0, 0, static_cast<int>(width_), static_cast<int>(height_), pixels_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return true;
}

}  // namespace zav::player
