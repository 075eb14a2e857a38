#pragma once
// What a scripted player control answers and what it was told: shared by the
// control (scripted_player.h), its engine (scripted_engine.h) and the tests.

#include <windows.h>

#include <string>
#include <vector>

namespace zav::player {

// Interfaces a scripted control can be told to deny, to test a host's fallbacks.
enum MissingInterface : unsigned {
    kMissingNone = 0,
    kMissingControls3 = 1u << 0,         // IWMPControls3 on the controls object
    kMissingEventsPoint = 1u << 1,       // the IWMPEvents connection point
    kMissingOcxEventsPoint = 1u << 2,    // the _WMPOCXEvents connection point
    kMissingPointContainer = 1u << 3,    // IConnectionPointContainer
    kMissingClosedCaption = 1u << 4,     // get_closedCaption fails
    kMissingWindowless = 1u << 5,        // IOleInPlaceObjectWindowless
    kMissingPlayer4 = 1u << 6,           // IWMPPlayer4 (and IWMPCore..3)
};

// One scripted control's engine: fields the test sets, and the record of what the
// control was told. The state outlives its control, so a test can check the control
// was shut down (engineAlive) after its host has gone.
struct ScriptedState {
    // Set by the test (and by the calls below, as a player would).
    long openState = 0;
    long playState = 0;
    double duration = 0.0;
    double position = 0.0;
    // The result of put_URL with a non-empty URL; on failure nothing is open.
    HRESULT openResult = S_OK;
    // The open state a successful put_URL leaves (12 "opening" lets a test open later).
    long openStateAfterOpen = 13;
    // The duration a successful put_URL sets; a negative value leaves duration alone.
    double durationAfterOpen = -1.0;
    HRESULT positionResult = S_OK;      // get_currentPosition
    HRESULT currentMediaResult = S_OK;  // get_currentMedia
    unsigned missing = kMissingNone;    // MissingInterface bits

    // Recorded from the control.
    std::wstring url;                    // last URL given to put_URL
    std::vector<std::wstring> urls;      // every URL given, in order
    int playCalls = 0;
    int pauseCalls = 0;
    int stopCalls = 0;
    int closeCalls = 0;                  // close, put_URL(""), and the host closing the control
    std::vector<double> positionRequests;  // every put_currentPosition argument, unclamped
    long volume = 100;
    int volumeCalls = 0;
    double rate = 1.0;
    int rateCalls = 0;
    std::wstring samiFileName;
    std::wstring uiMode;
    bool stretchToFit = false;
    HWND window = nullptr;               // the control's child window while it has one
    long advised = 0;                    // Advise calls on either event connection point
    long unadvised = 0;
    bool engineAlive = false;            // true from creation until the control is destroyed
};

}  // namespace zav::player
