// The transport. The refreshes run before every message the loop retrieves, so they
// change a control only when its value differs: setting a text or a thumb
// invalidates the control, and the paint message that follows would run the
// refreshes again and keep the loop busy for ever.

#include "playback/transport.h"

#include "core/caption_document.h"
#include "core/time_text.h"
#include "core/transport_values.h"
#include "playback/transport_panel.h"
#include "playback/transport_requests.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/handles.h"
#include "win/modal_ui.h"

#include <cmath>
#include "win/window_text.h"

#include <commctrl.h>

#include <string>

namespace zav {

namespace {

// The transport buttons' and sliders' actions as the panel sends them.
using transport_request::kStepTenths;
constexpr int kVolumeStep = 3;

HWND item(HWND panel, int id) { return panel ? GetDlgItem(panel, id) : nullptr; }

long sliderPosition(HWND panel, int id) {
    HWND slider = item(panel, id);
    return slider ? static_cast<long>(SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

// Sets a slider's position with redraw; the trackbar keeps it inside its range.
void setSliderPosition(HWND panel, int id, long position) {
    if (HWND slider = item(panel, id)) SendMessageW(slider, TBM_SETPOS, TRUE, position);
}

// As setSliderPosition, but leaves the slider untouched when the thumb would not move.
void followSliderPosition(HWND panel, int id, long position) {
    HWND slider = item(panel, id);
    if (!slider) return;
    const long low = static_cast<long>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
    const long high = static_cast<long>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
    long target = position;
    if (target > high) target = high;
    if (target < low) target = low;
    if (target != static_cast<long>(SendMessageW(slider, TBM_GETPOS, 0, 0)))
        SendMessageW(slider, TBM_SETPOS, TRUE, target);
}

// Sets a window's text unless it already reads so.
void showText(HWND window, const std::wstring& text) {
    if (!window) return;
    // One unit more than the text lets a longer text show up as different.
    if (windowText(window, static_cast<int>(text.size()) + 1) != text) SetWindowTextW(window, text.c_str());
}

// The 8-bit texts of the time and rate fields, through the ANSI code page.
std::wstring fromAnsiText(const std::string& text) { return toWide(ansiCodePage().fromAnsi(text)); }

void showTimeText(HWND panel, int id, double ms) { showText(item(panel, id), fromAnsiText(formatTimeText(ms))); }

ComPtr<IWMPSettings> settingsOf(const ComPtr<IWMPPlayer4>& player) {
    ComPtr<IWMPSettings> settings;
    if (player) player->get_settings(settings.put());
    return settings;
}

long volumeOf(const ComPtr<IWMPSettings>& settings) {
    LONG volume = 0;
    if (settings && FAILED(settings->get_volume(&volume))) volume = 0;
    return volume;
}

}  // namespace

HRESULT Transport::createPlayer(HWND host) {
    refs_.eventCookie = 0;
    const HRESULT result = createPlayerControl(host, refs_);
    // No call may go to an interface that was not obtained: drop what there is.
    if (FAILED(result)) refs_.release();
    return result;
}

void Transport::attach(HWND owner, HWND panel, HWND previewLine) noexcept {
    owner_ = owner;
    panel_ = panel;
    previewLine_ = previewLine;
}

void Transport::showSplash() {
    mediaState_ = 1;
    mediaPath_.clear();
    mediaDurationMs_ = 0;
    // The splash picture, by relative name.
    if (refs_.player) refs_.player->put_URL(makeBstr(L"ZAV Caption.jpg").get());
}

void Transport::release() noexcept {
    openedMedia_.reset();
    refs_.release();
}

void Transport::startOpening(std::wstring path) {
    mediaState_ = 1;
    mediaPath_ = std::move(path);
    mediaDurationMs_ = 0;
    isPlaying_ = true;
    SetDlgItemTextW(panel_, IDC_PLAY, L"Pause");
}

void Transport::refreshPlayerState() {
    if (mediaState_ == kMediaOpen) {
        showPreview();
        return;
    }
    if (!refs_.player) return;
    WMPOpenState openState = wmposUndefined;
    if (FAILED(refs_.player->get_openState(&openState)) || openState != wmposMediaOpen) return;
    // The media has opened: set the panel up for it, once per opening.
    mediaState_ = kMediaOpen;
    setUpOpenedMedia();
}

// The caption due at the current position goes into the preview line.
void Transport::showPreview() {
    if (!refs_.positionControls) return;
    double seconds = 0;
    if (refs_.positionControls->get_currentPosition(&seconds) != S_OK) return;
    std::wstring text;
    if (!captions_.captionTimes().empty()) {
        const int row = dueCaptionRow(captions_.captionTimes(), seconds * 1000);
        text = toWide(captionTextOf(captions_.shownText(row)));
    }
    showText(previewLine_, text);
}

void Transport::setUpOpenedMedia() {
    const HRESULT media = refs_.player->get_currentMedia(openedMedia_.put());
    if (FAILED(media) || !openedMedia_) {
        showMessage(owner_, L"couldn't get Media interface");
        return;
    }
    double duration = 0;
    if (FAILED(openedMedia_->get_duration(&duration))) duration = 0;
    mediaDurationMs_ = std::isfinite(duration) && duration > 0 ? duration * 1000 : 0;
    if (HWND seek = item(panel_, IDC_SEEK_SLIDER)) {
        SendMessageW(seek, TBM_SETRANGEMAX, TRUE, secondsToTenths(duration));
        SendMessageW(seek, TBM_SETRANGEMIN, TRUE, 0);
        SendMessageW(seek, TBM_SETPOS, TRUE, 0);
    }
    showTimeText(panel_, IDC_DURATION_TEXT, duration * 1000);
    if (HWND volume = item(panel_, IDC_VOLUME_SLIDER)) {
        SendMessageW(volume, TBM_SETRANGEMAX, TRUE, 100);
        SendMessageW(volume, TBM_SETRANGEMIN, TRUE, 0);
        SendMessageW(volume, TBM_SETPOS, TRUE, volumeOf(settingsOf(refs_.player)));
    }
    if (!mediaPath_.empty() && onMediaOpened_) onMediaOpened_();
}

void Transport::refreshPosition() {
    if (refs_.positionControls) {
        double seconds = 0;
        // With no position to show, the slider and the text stay as they are.
        if (SUCCEEDED(refs_.positionControls->get_currentPosition(&seconds))) {
            if (!isSeekDragActive()) followSliderPosition(panel_, IDC_SEEK_SLIDER, secondsToTenths(seconds));
            showTimeText(panel_, IDC_POSITION_TEXT, seconds * 1000);
        }
    }
    if (mediaState_ != kMediaOpen || !refs_.player) return;
    WMPPlayState playState = wmppsUndefined;
    if (SUCCEEDED(refs_.player->get_playState(&playState)) && playState == wmppsStopped) {
        isPlaying_ = false;
        showText(item(panel_, IDC_PLAY), L"Play");
    }
}

void Transport::setPlaying(bool playing) {
    isPlaying_ = playing;
    SetDlgItemTextW(panel_, IDC_PLAY, playing ? L"Pause" : L"Play");
}

void Transport::togglePlayPause() {
    if (mediaState_ != kMediaOpen || !refs_.controls) return;
    if (isPlaying_) {
        refs_.controls->pause();
    } else {
        refs_.controls->play();
    }
    setPlaying(!isPlaying_);
}

// The steps of F11 and F12 move from the slider's position, not the player's, and
// hand the player the unclamped result: near the start that is a negative position.
void Transport::stepBy(long tenths) {
    const long p = sliderPosition(panel_, IDC_SEEK_SLIDER) + tenths;
    setSliderPosition(panel_, IDC_SEEK_SLIDER, p);
    if (refs_.positionControls) refs_.positionControls->put_currentPosition(p / 10.0);
}

void Transport::stepBack() { stepBy(-kStepTenths); }
void Transport::stepForward() { stepBy(kStepTenths); }

void Transport::stopPlayback() {
    setPlaying(false);
    if (refs_.controls) refs_.controls->stop();
    returnFocus();
}

void Transport::toggleMute() {
    ComPtr<IWMPSettings> settings = settingsOf(refs_.player);
    if (!isMuted_) {
        volumeBeforeMute_ = static_cast<int>(sliderPosition(panel_, IDC_VOLUME_SLIDER));
        setSliderPosition(panel_, IDC_VOLUME_SLIDER, 0);
        if (settings) settings->put_volume(0);
        SetDlgItemTextW(panel_, IDC_MUTE, L"-Mute");
        isMuted_ = true;
    } else {
        setSliderPosition(panel_, IDC_VOLUME_SLIDER, volumeBeforeMute_);
        if (settings) settings->put_volume(volumeBeforeMute_);
        SetDlgItemTextW(panel_, IDC_MUTE, L"Mute");
        isMuted_ = false;
    }
}

// A volume set while muted stands; mute is forgotten.
void Transport::endMute() {
    SetDlgItemTextW(panel_, IDC_MUTE, L"Mute");
    isMuted_ = false;
}

void Transport::rateUp() {
    if (!canRaiseRate(playRate_)) return;
    playRate_ += kRateStep;
    if (ComPtr<IWMPSettings> settings = settingsOf(refs_.player)) settings->put_rate(playRate_);
    SetDlgItemTextW(panel_, IDC_RATE_TEXT, fromAnsiText(rateText(playRate_)).c_str());
    returnFocus();
}

void Transport::rateDown() {
    if (!canLowerRate(playRate_)) return;
    playRate_ -= kRateStep;
    if (ComPtr<IWMPSettings> settings = settingsOf(refs_.player)) settings->put_rate(playRate_);
    SetDlgItemTextW(panel_, IDC_RATE_TEXT, fromAnsiText(rateText(playRate_)).c_str());
    returnFocus();
}

void Transport::onScroll(WPARAM wParam, LPARAM lParam) {
    namespace request = transport_request;
    const int slider = request::sliderOf(wParam);
    const int action = request::actionOf(wParam);
    if (slider == IDC_SEEK_SLIDER) {
        if (action == request::kStepForward || action == request::kStepBack) {
            stepBy(action == request::kStepForward ? kStepTenths : -kStepTenths);
        } else if (action == request::kSeekTo) {
            if (refs_.positionControls) refs_.positionControls->put_currentPosition(static_cast<long>(lParam) / 10.0);
        }
        // Every seek request plays, so a paused movie starts again.
        if (refs_.controls) refs_.controls->play();
        if (!isPlaying_) setPlaying(true);
    } else if (slider == IDC_VOLUME_SLIDER) {
        ComPtr<IWMPSettings> settings = settingsOf(refs_.player);
        if (action == request::kSeekTo || action == request::kSetVolume) {
            if (settings) settings->put_volume(static_cast<long>(lParam));
        } else if (action == request::kVolumeUp || action == request::kVolumeDown) {
            long v = volumeOf(settings) + (action == request::kVolumeUp ? kVolumeStep : -kVolumeStep);
            if (v > 100) v = 100;
            if (v < 0) v = 0;
            setSliderPosition(panel_, IDC_VOLUME_SLIDER, v);
            if (settings) settings->put_volume(v);
        }
        endMute();
    }
    // Requests that name neither slider (INSERT in a caption row) only return the
    // focus to the selected caption.
    returnFocus();
}

}  // namespace zav
