#pragma once
// What the player control needs from whatever actually plays the media: a filter
// graph for movies, a decoded picture for stills, or a script driven by a test.
// The control's COM objects are written once over this interface.

#include <windows.h>

#include <cmath>
#include <string>

namespace zav::player {

// Open and play states with the player's own numbering.
inline constexpr long kOpenStateUndefined = 0;
inline constexpr long kOpenStateMediaOpening = 12;
inline constexpr long kOpenStateMediaOpen = 13;
inline constexpr long kPlayStateUndefined = 0;
inline constexpr long kPlayStateStopped = 1;
inline constexpr long kPlayStatePaused = 2;
inline constexpr long kPlayStatePlaying = 3;

// A seek target kept inside the media: below 0 becomes 0, beyond the end becomes the
// end; a NaN goes to 0 rather than reaching the graph.
inline double clampPosition(double seconds, double duration) noexcept {
    if (!(seconds > 0.0)) return 0.0;
    if (duration >= 0.0 && seconds > duration) return duration;
    return seconds;
}

// The audio renderer's attenuation in hundredths of a decibel (-10000 silent .. 0
// full) for a volume of 0 to 100: 20 dB per decade of the volume.
inline long volumeToAttenuation(long volume) noexcept {
    if (volume <= 0) return -10000;
    if (volume >= 100) return 0;
    const double attenuation = 2000.0 * std::log10(static_cast<double>(volume) / 100.0);
    return attenuation < -10000.0 ? -10000 : static_cast<long>(std::lround(attenuation));
}

class PlaybackEngine {
public:
    virtual ~PlaybackEngine() = default;

    // Opens the media named by url exactly as the host passed it; whatever was open is
    // closed first. A failure leaves nothing open.
    virtual HRESULT open(const std::wstring& url) = 0;
    virtual void close() = 0;

    virtual long openState() = 0;
    virtual long playState() = 0;
    virtual double duration() = 0;
    virtual HRESULT position(double* seconds) = 0;
    // seconds is the host's request as given; each engine keeps it inside the media.
    virtual HRESULT setPosition(double seconds) = 0;

    virtual HRESULT play() = 0;
    virtual HRESULT pause() = 0;
    virtual HRESULT stop() = 0;

    // volume is 0 to 100; rate 1.0 is normal speed. The control reports back what was
    // asked; engines apply what they can.
    virtual void setVolume(long volume) = 0;
    virtual void setRate(double rate) = 0;
    virtual void setSamiFileName(const std::wstring&) {}
    virtual void setUiMode(const std::wstring&) {}

    // Video output: the control's child window (or null when it has none), its client
    // area and whether the picture is stretched to fill it.
    virtual void attachWindow(HWND window) = 0;
    virtual void layout(const RECT& client) = 0;
    virtual void setStretchToFit(bool stretch) = 0;
    // Draws the picture itself when the engine has no video window of its own; returns
    // false when it drew nothing and the control's black background stays.
    virtual bool paint(HDC dc, const RECT& client) = 0;
    // Called from the control's timer and before state queries: picks up end of media.
    virtual void poll() {}

    // Hooks for tests: an interface the control is to deny, a failing media query, and
    // the count of event connections. Real engines offer everything.
    virtual bool offers(REFIID) const { return true; }
    virtual HRESULT currentMediaResult() { return S_OK; }
    virtual void noteConnections(long advised, long unadvised) { (void)advised, (void)unadvised; }
};

}  // namespace zav::player
