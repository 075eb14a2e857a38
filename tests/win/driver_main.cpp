// zavdriver: small helper for scripts that run the real program.
//   zavdriver wait [seconds]   waits for the main window (and the splash picture)
//   zavdriver close [seconds]  closes the program through its quit confirmation
//   zavdriver open-media PATH  opens a movie through Open Media and waits until the
//                              player reports it open
#include "tests/win/program_driver.h"

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    using namespace zav::driver;
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const bool withPath = command == L"open-media";
    const int secondsArgument = withPath ? 3 : 2;
    const DWORD timeoutMs =
        static_cast<DWORD>((argc > secondsArgument ? std::wcstol(argv[secondsArgument], nullptr, 10) : 60) * 1000);
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
    if (withPath && argc > 2) {
        if (!openMedia(window, argv[2], timeoutMs)) {
            std::fprintf(stderr, "zavdriver: the Open Media dialog did not appear or stayed open\n");
            return 4;
        }
        if (findPlayerWindow(window) && !waitForOpenState(window, 13, 15000)) {
            std::fprintf(stderr, "zavdriver: the player did not report the movie open\n");
            return 5;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: zavdriver wait|close [seconds] | open-media PATH [seconds]\n");
    return 1;
}
