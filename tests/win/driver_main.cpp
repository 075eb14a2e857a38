// zavdriver: small helper for scripts that run the real program.
//   zavdriver wait [seconds]   waits for the main window (and the splash picture)
//   zavdriver close [seconds]  closes the program through its quit confirmation
//   zavdriver open-media PATH  opens a movie through Open Media and waits until the
//                              player reports it open
//   zavdriver show-checks      types a few captions, stores them with Sort By Time
//                              and opens Check Captions
//   zavdriver close-checks     closes Check Captions (so it does not open at the
//                              next start)
//   zavdriver show-timeline    opens the timeline and waits until it has read the
//                              film's sound
//   zavdriver zoom-out-timeline  shows the whole film in the timeline
//   zavdriver close-timeline   closes the timeline (so it does not open at the next
//                              start)
//   zavdriver stamp N MS       types N captions and stamps them with ENTER while the
//                              film plays, one every MS milliseconds
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
    if (command == L"show-checks") {
        // Row 0 carries the time 0: a long text there breaks the line limits; the
        // rows after it have no time yet.
        const wchar_t* const texts[] = {
            L"A caption far too long to read on one line, as typed before it was broken up<br>and a second line",
            L"The second caption", L"A third one<br>on two lines<br>or three", L"The fourth"};
        for (int row = 0; row < 4; ++row) typeIntoRow(window, row, texts[row]);
        SendMessageW(window, WM_COMMAND, 244, 0);    // Sort By Time stores the typing
        PostMessageW(window, WM_COMMAND, 32960, 0);  // Check Captions
        if (!waitForWindowOfClass(L"ZAVCaptionCheck", timeoutMs)) {
            std::fprintf(stderr, "zavdriver: Check Captions did not open\n");
            return 6;
        }
        return 0;
    }
    if (command == L"show-timeline") {
        if (!showTimeline(window, timeoutMs)) {
            std::fprintf(stderr, "zavdriver: the timeline did not open or did not read the sound\n");
            return 7;
        }
        return 0;
    }
    if (command == L"zoom-out-timeline") {
        // As far out as it goes: the whole film in the width.
        HWND timeline = FindWindowW(L"ZAVCaptionTimeline", nullptr);
        for (int i = 0; timeline && i < 40; ++i) PostMessageW(timeline, WM_KEYDOWN, VK_SUBTRACT, 0);
        Sleep(500);
        return timeline ? 0 : 7;
    }
    if (command == L"close-timeline") {
        if (HWND timeline = FindWindowW(L"ZAVCaptionTimeline", nullptr)) SendMessageW(timeline, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"stamp" && argc > 3) {
        const int count = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        const DWORD every = static_cast<DWORD>(std::wcstol(argv[3], nullptr, 10));
        const wchar_t* const texts[] = {L"Where does the sound begin?", L"Here, on the waveform.",
                                        L"Drag a start to the speech", L"and it snaps into place.",
                                        L"Every change can be undone.", L"The end."};
        for (int row = 0; row < count && row < 6; ++row) typeIntoRow(window, row, texts[row]);
        // A click in row 0 selects it; ENTER in a row then stamps the row after it and
        // moves there.
        clickRow(window, 0);
        for (int row = 0; row + 1 < count && row < 5; ++row) {
            Sleep(every);
            pressInRow(window, row, VK_RETURN);
        }
        return 0;
    }
    if (command == L"close-checks") {
        HWND checks = FindWindowW(L"ZAVCaptionCheck", nullptr);
        if (checks) SendMessageW(checks, WM_COMMAND, IDCANCEL, 0);
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
    std::fprintf(stderr, "usage: zavdriver wait|close|show-checks|close-checks [seconds] | open-media PATH [seconds]\n");
    return 1;
}
