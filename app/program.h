#pragma once
#include <windows.h>

namespace zav {

// The whole run: start-up, the message loop and the end. Returns the exit code, 0.
int runProgram(HINSTANCE instance);

}  // namespace zav
