// zavdriver: small helper for scripts that run the real program.
//   zavdriver wait [seconds]   waits for the main window (and the splash picture)
//   zavdriver close [seconds]  closes the program through its quit confirmation
#include "tests/win/program_driver.h"

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    using namespace zav::driver;
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const DWORD timeoutMs = static_cast<DWORD>((argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 60) * 1000);
    HWND window = waitForMainWindow(timeoutMs);
    if (!window) {
        std::fprintf(stderr, "zavdriver: no window \"ZAV Caption\"\n");
        return 2;
    }
    if (command == L"wait") {
        // The splash picture is shown once the hosted player reports it open; a
        // system player without the diagnostic property is simply given a moment.
        if (findPlayerWindow(window)) waitForOpenState(window, 13, 15000);
        Sleep(1500);
        return 0;
    }
    if (command == L"close") {
        const std::wstring text = answerCloseRequest(window, IDOK, timeoutMs);
        if (text.empty()) {
            std::fprintf(stderr, "zavdriver: no quit confirmation appeared\n");
            return 3;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: zavdriver wait|close [seconds]\n");
    return 1;
}
