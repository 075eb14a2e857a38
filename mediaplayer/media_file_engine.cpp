#include "mediaplayer/media_file_engine.h"

#include <shlwapi.h>

#include "mediaplayer/directshow_engine.h"
#include "mediaplayer/picture_engine.h"

#include <cwchar>
#include <vector>

namespace zav::player {

namespace {

HRESULT lastErrorResult() {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// A file that exists, is not a folder, and can be opened for reading; otherwise the
// reason as a failure code.
HRESULT checkReadable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrorResult();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastErrorResult();
    LARGE_INTEGER size{};
    const BOOL sized = GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!sized) return lastErrorResult();
    if (size.QuadPart == 0) return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    return S_OK;
}

}  // namespace

std::wstring MediaFileEngine::resolvePath(const std::wstring& url) {
    std::wstring name = url;
    if (_wcsnicmp(name.c_str(), L"file:", 5) == 0) {
        std::vector<wchar_t> buffer(name.size() + MAX_PATH);
        DWORD length = static_cast<DWORD>(buffer.size());
        if (FAILED(PathCreateFromUrlW(name.c_str(), buffer.data(), &length, 0))) return std::wstring();
        name.assign(buffer.data());
    }
    if (name.empty()) return std::wstring();
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> full(needed + 1);
    const DWORD written = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (written == 0 || written >= full.size()) return std::wstring();
    return std::wstring(full.data(), written);
}

bool MediaFileEngine::isPictureName(const std::wstring& path) {
    static const wchar_t* const kExtensions[] = {L".jpg", L".jpeg", L".jpe", L".png", L".bmp",
                                                 L".gif", L".tif",  L".tiff", L".dib"};
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
    for (const wchar_t* extension : kExtensions) {
        if (_wcsicmp(path.c_str() + dot, extension) == 0) return true;
    }
    return false;
}

// A picture is decoded with WIC, anything else goes to DirectShow; a file that
// DirectShow refuses is still tried as a picture, whatever its name.
HRESULT MediaFileEngine::open(const std::wstring& url) {
    close();
    if (url.empty()) return S_OK;
    const std::wstring path = resolvePath(url);
    if (path.empty()) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
    HRESULT hr = checkReadable(path);
    if (FAILED(hr)) return hr;
    if (isPictureName(path)) return openWith(std::make_unique<PictureEngine>(), path);
    hr = openWith(std::make_unique<DirectShowEngine>(), path);
    if (SUCCEEDED(hr)) return hr;
    if (SUCCEEDED(openWith(std::make_unique<PictureEngine>(), path))) return S_OK;
    return hr;
}

HRESULT MediaFileEngine::openWith(std::unique_ptr<PlaybackEngine> engine, const std::wstring& path) {
    engine->setVolume(volume_);
    engine->setRate(rate_);
    engine->setStretchToFit(stretch_);
    engine->attachWindow(window_);
    engine->layout(client_);
    const HRESULT hr = engine->open(path);
    if (FAILED(hr)) return hr;
    inner_ = std::move(engine);
    return hr;
}

void MediaFileEngine::close() {
    if (!inner_) return;
    inner_->attachWindow(nullptr);
    inner_->close();
    inner_.reset();
}

HRESULT MediaFileEngine::position(double* seconds) {
    *seconds = 0.0;
    return inner_ ? inner_->position(seconds) : S_OK;
}

void MediaFileEngine::setVolume(long volume) {
    volume_ = volume;
    if (inner_) inner_->setVolume(volume);
}

void MediaFileEngine::setRate(double rate) {
    rate_ = rate;
    if (inner_) inner_->setRate(rate);
}

void MediaFileEngine::attachWindow(HWND window) {
    window_ = window;
    if (inner_) inner_->attachWindow(window);
}

void MediaFileEngine::layout(const RECT& client) {
    client_ = client;
    if (inner_) inner_->layout(client);
}

void MediaFileEngine::setStretchToFit(bool stretch) {
    stretch_ = stretch;
    if (inner_) inner_->setStretchToFit(stretch);
}

}  // namespace zav::player
