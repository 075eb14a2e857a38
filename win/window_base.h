#pragma once
// A small window framework: one window procedure trampoline per class template,
// binding the C++ object at WM_NCCREATE, then a table of {message, handler} and a
// table of {command id, handler} per class. A handler runs with the message marked
// handled; it may clear the mark so that default processing follows.

#include "win/error_report.h"

#include <windows.h>

#include <cstddef>

namespace zav {

template <class Entry>
struct Table {
    const Entry* first = nullptr;
    std::size_t count = 0;
    const Entry* begin() const noexcept { return first; }
    const Entry* end() const noexcept { return first + count; }
};

template <class Entry, std::size_t N>
constexpr Table<Entry> tableOf(const Entry (&entries)[N]) noexcept {
    return Table<Entry>{entries, N};
}

// Registers a window class once per process and hands back its name.
struct WindowClassSpec {
    const wchar_t* name;
    UINT style;
    HBRUSH background;
};

template <class T>
class Window {
public:
    using Handler = LRESULT (T::*)(WPARAM, LPARAM);
    struct MessageEntry {
        UINT message;
        Handler handler;
    };
    struct CommandEntry {
        WORD id;
        Handler handler;
    };

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND hwnd() const noexcept { return hwnd_; }

protected:
    // Creates the window of class T::windowClass(), registering the class first.
    HWND createWindow(HINSTANCE instance, DWORD exStyle, const wchar_t* title, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menuOrId) {
        const WindowClassSpec cls = T::windowClass();
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExW(instance, cls.name, &wc)) {
            wc = WNDCLASSEXW{};
            wc.cbSize = sizeof wc;
            wc.style = cls.style;
            wc.lpfnWndProc = &Window::trampoline;
            wc.hInstance = instance;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = cls.background;
            wc.lpszClassName = cls.name;
            if (!RegisterClassExW(&wc)) return nullptr;
        }
        return CreateWindowExW(exStyle, cls.name, title, style, x, y, width, height, parent, menuOrId, instance,
                               static_cast<T*>(this));
    }

    void setHandled(bool handled) noexcept { handled_ = handled; }

    // Sends WM_COMMAND through the command table: matched on the id alone.
    LRESULT routeCommand(WPARAM wParam, LPARAM lParam) {
        T& self = *static_cast<T*>(this);
        const WORD id = LOWORD(wParam);
        for (const CommandEntry& entry : T::commandTable()) {
            if (entry.id == id) return (self.*entry.handler)(wParam, lParam);
        }
        return self.onCommandFallback(wParam, lParam);
    }

    // Default fallback for commands no entry matches.
    LRESULT onCommandFallback(WPARAM, LPARAM) { return 0; }
    // Called after WM_NCDESTROY, once the window handle is gone.
    void onFinalMessage() {}

private:
    LRESULT dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        T& self = *static_cast<T*>(this);
        for (const MessageEntry& entry : T::messageTable()) {
            if (entry.message == message) {
                // The mark belongs to this message: a handler that sends a message to
                // its own window (DestroyWindow from WM_CLOSE sends WM_DESTROY) must
                // not see or change the mark of the message it is handling.
                const bool outerMark = handled_;
                handled_ = true;
                const LRESULT result = (self.*entry.handler)(wParam, lParam);
                const bool handled = handled_;
                handled_ = outerMark;
                if (handled) return result;
                break;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        T* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<T*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        // Messages that arrive before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        try {
            result = self->dispatch(hwnd, message, wParam, lParam);
        } catch (...) {
            // A C++ exception must never unwind through DispatchMessage: it is
            // reported and logged, and the message counts as handled.
            reportException(L"a window procedure", std::current_exception());
            result = 0;
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            static_cast<Window*>(self)->finalMessage();
        }
        return result;
    }

    void finalMessage() { static_cast<T*>(this)->onFinalMessage(); }

    HWND hwnd_ = nullptr;
    bool handled_ = false;
};

}  // namespace zav
