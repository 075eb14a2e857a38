#pragma once
// Owners for the handles the program takes from the system: each has exactly one
// owner, cannot be copied, and is released when the owner goes.

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string_view>
#include <type_traits>

namespace zav {

struct GdiObjectDeleter {
    void operator()(void* object) const noexcept {
        if (object) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};
// A brush, bitmap, region or any other GDI object.
template <class Handle>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniqueFont = UniqueGdi<HFONT>;

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
// A kernel handle (a file); INVALID_HANDLE_VALUE is never owned.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    HANDLE get() const noexcept { return handle_.get(); }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    // Closes the handle now; false when closing failed (a write still buffered).
    bool close() noexcept { return !handle_ || CloseHandle(handle_.release()); }

private:
    std::unique_ptr<void, HandleCloser> handle_;
};

struct BstrFreer {
    void operator()(OLECHAR* text) const noexcept { SysFreeString(text); }
};
// A COM string; get() hands it to calls that take a BSTR.
using UniqueBstr = std::unique_ptr<OLECHAR, BstrFreer>;

inline UniqueBstr makeBstr(std::wstring_view text) {
    return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

}  // namespace zav
