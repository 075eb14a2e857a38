#pragma once
// The transport: the player references and the playback state (the media opening
// state, playing, rate, mute), the two refresh steps the message loop runs before
// every message, and the transport commands: play and pause, stop, steps, seeking,
// mute, volume and rate. The main window holds one and forwards to it.

#include "captions/caption_source.h"
#include "playback/player_host.h"
#include "win/com_ptr.h"
#include "win/wmp_interfaces.h"

#include <windows.h>

#include <functional>
#include <string>

namespace zav {

class Transport {
public:
    // The media is open and the panel set up for it.
    static constexpr int kMediaOpen = 2;

    // captions: what the preview line shows; returnFocus gives the keyboard focus back
    // to the selected caption, as the transport's commands do when they end.
    Transport(const CaptionSource& captions, std::function<void()> returnFocus) noexcept
        : captions_(captions), returnFocus_(std::move(returnFocus)) {}
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // Creates the player control in the host window (failures are shown there).
    HRESULT createPlayer(HWND host);
    // The windows the transport drives, once they exist: the main window (owner of
    // its message boxes), the transport panel and the caption preview line.
    void attach(HWND owner, HWND panel, HWND previewLine) noexcept;
    // Loads the splash picture into the player; the result is not examined.
    void showSplash();
    // Drops every player reference (the main window is being destroyed).
    void release() noexcept;

    // The message loop's refresh steps.
    void refreshPlayerState();
    void refreshPosition();
    // TAB and button 234; F11 and F12.
    void togglePlayPause();
    void stepBack();
    void stepForward();
    // The commands of the panel's buttons.
    void stopPlayback();
    void toggleMute();
    void rateUp();
    void rateDown();
    // A scroll request of the panel (WM_HSCROLL to the main window).
    void onScroll(WPARAM wParam, LPARAM lParam);
    // A new opening of the film at path was handed to the player: the set-up waits
    // for it, and it plays.
    void startOpening(std::wstring path);
    // Called once a film has opened and the panel is set up for it (not for the
    // splash picture).
    void setOnMediaOpened(std::function<void()> opened) { onMediaOpened_ = std::move(opened); }

    IWMPPlayer4* player() const noexcept { return refs_.player.get(); }
    IWMPControls* controls() const noexcept { return refs_.controls.get(); }
    IWMPControls* positionControls() const noexcept { return refs_.positionControls.get(); }
    DWORD eventCookie() const noexcept { return refs_.eventCookie; }
    HWND panel() const noexcept { return panel_; }
    bool isPlaying() const noexcept { return isPlaying_; }
    int mediaState() const noexcept { return mediaState_; }
    double playRate() const noexcept { return playRate_; }
    // The film last handed to the player (empty for none or the splash picture), and
    // its length once it has opened (0 before).
    const std::wstring& mediaPath() const noexcept { return mediaPath_; }
    double mediaDurationMs() const noexcept { return mediaState_ == kMediaOpen ? mediaDurationMs_ : 0; }
    bool isMuted() const noexcept { return isMuted_; }
    // The movie chosen with Open Producer Movie, which the Producer export writes beside.
    const std::wstring& producerMoviePath() const noexcept { return producerMoviePath_; }
    void setProducerMoviePath(std::wstring path) { producerMoviePath_ = std::move(path); }

private:
    void endMute();
    void setPlaying(bool playing);
    void stepBy(long tenths);
    void setUpOpenedMedia();
    void showPreview();

    void returnFocus() const {
        if (returnFocus_) returnFocus_();
    }

    const CaptionSource& captions_;
    std::function<void()> returnFocus_;
    HWND owner_ = nullptr;
    HWND panel_ = nullptr;
    HWND previewLine_ = nullptr;
    PlayerReferences refs_;
    ComPtr<IWMPMedia> openedMedia_;
    bool isPlaying_ = false;
    int mediaState_ = 1;
    double playRate_ = 1.0;
    bool isMuted_ = false;
    int volumeBeforeMute_ = 0;
    std::wstring producerMoviePath_;
    std::wstring mediaPath_;
    double mediaDurationMs_ = 0;
    std::function<void()> onMediaOpened_;
};

}  // namespace zav
