#pragma once
// The window framework's module: the program's instance, kept for resource loading
// and window creation.

#include <windows.h>

namespace zav {

class Module {
public:
    static void init(HINSTANCE instance) noexcept { instance_ = instance; }
    static void term() noexcept { instance_ = nullptr; }
    static HINSTANCE instance() noexcept { return instance_ ? instance_ : GetModuleHandleW(nullptr); }

private:
    static inline HINSTANCE instance_ = nullptr;
};

}  // namespace zav
