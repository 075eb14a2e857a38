// The transport commands of the main window: the loop's two refresh steps, play and
// pause, stop, steps, seeking, mute, volume and rate.
//
// The refreshes run before every message the loop retrieves, so they change a
// control only when its value differs: setting a text or a thumb invalidates the
// control, and the paint message that follows would run the refreshes again and
// keep the loop busy for ever.

#include "app/main_window.h"
#include "win/modal_ui.h"
#include "win/ansi_code_page.h"
#include "core/time_text.h"
#include "playback/transport_panel.h"
#include "core/transport_values.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <string>

namespace zav {

namespace {

constexpr int kMediaOpen = 2;

// The transport buttons' and sliders' actions as the panel sends them.
constexpr int kStepForwardAction = 0;
constexpr int kStepBackAction = 1;
constexpr int kStepTenths = 30;
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

std::wstring windowText(HWND window, int limit) {
    std::wstring text(static_cast<size_t>(limit) + 1, L'\0');
    const int length = window ? GetWindowTextW(window, &text[0], limit + 1) : 0;
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
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

void MainWindow::refreshPlayerState() {
    if (mediaState_ == kMediaOpen) {
        // The caption due at the current position goes into the preview line.
        if (!refs_.positionControls) return;
        double seconds = 0;
        if (refs_.positionControls->get_currentPosition(&seconds) != S_OK) return;
        const int rows = captionPanel_.rowCount();
        std::wstring text;
        if (rows > 0) {
            const int row = dueCaptionRow(captionPanel_.document.times, seconds * 1000);
            text = toWide(captionTextOf(captionPanel_.shownText(row)));
        }
        showText(previewLine_, text);
        return;
    }
    if (!refs_.player) return;
    WMPOpenState openState = wmposUndefined;
    if (FAILED(refs_.player->get_openState(&openState)) || openState != wmposMediaOpen) return;

    // The media has opened: set the panel up for it, once per opening.
    mediaState_ = kMediaOpen;
    const HRESULT media = refs_.player->get_currentMedia(openedMedia_.put());
    if (FAILED(media) || !openedMedia_) {
        modalUi().messageBox(hwnd(), L"couldn't get Media interface", L"", MB_OK);
        return;
    }
    double duration = 0;
    if (FAILED(openedMedia_->get_duration(&duration))) duration = 0;
    if (HWND seek = item(transportPanel_, IDC_SEEK_SLIDER)) {
        SendMessageW(seek, TBM_SETRANGEMAX, TRUE, secondsToTenths(duration));
        SendMessageW(seek, TBM_SETRANGEMIN, TRUE, 0);
        SendMessageW(seek, TBM_SETPOS, TRUE, 0);
    }
    showTimeText(transportPanel_, IDC_DURATION_TEXT, duration * 1000);
    if (HWND volume = item(transportPanel_, IDC_VOLUME_SLIDER)) {
        SendMessageW(volume, TBM_SETRANGEMAX, TRUE, 100);
        SendMessageW(volume, TBM_SETRANGEMIN, TRUE, 0);
        SendMessageW(volume, TBM_SETPOS, TRUE, volumeOf(settingsOf(refs_.player)));
    }
}

void MainWindow::refreshPosition() {
    if (refs_.positionControls) {
        double seconds = 0;
        // With no position to show, the slider and the text stay as they are.
        if (SUCCEEDED(refs_.positionControls->get_currentPosition(&seconds))) {
            if (!isSeekDragActive()) followSliderPosition(transportPanel_, IDC_SEEK_SLIDER, secondsToTenths(seconds));
            showTimeText(transportPanel_, IDC_POSITION_TEXT, seconds * 1000);
        }
    }
    if (mediaState_ != kMediaOpen || !refs_.player) return;
    WMPPlayState playState = wmppsUndefined;
    if (SUCCEEDED(refs_.player->get_playState(&playState)) && playState == wmppsStopped) {
        isPlaying_ = false;
        showText(item(transportPanel_, IDC_PLAY), L"Play");
    }
}

void MainWindow::togglePlayPause() {
    if (mediaState_ != kMediaOpen || !refs_.controls) return;
    if (isPlaying_) {
        refs_.controls->pause();
        isPlaying_ = false;
        SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Play");
    } else {
        refs_.controls->play();
        isPlaying_ = true;
        SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Pause");
    }
}

// The steps of F11 and F12 move from the slider's position, not the player's, and
// hand the player the unclamped result: near the start that is a negative position.
void MainWindow::stepBack() {
    const long p = sliderPosition(transportPanel_, IDC_SEEK_SLIDER) - kStepTenths;
    setSliderPosition(transportPanel_, IDC_SEEK_SLIDER, p);
    if (refs_.positionControls) refs_.positionControls->put_currentPosition(p / 10.0);
}

void MainWindow::stepForward() {
    const long p = sliderPosition(transportPanel_, IDC_SEEK_SLIDER) + kStepTenths;
    setSliderPosition(transportPanel_, IDC_SEEK_SLIDER, p);
    if (refs_.positionControls) refs_.positionControls->put_currentPosition(p / 10.0);
}

void MainWindow::stopPlayback() {
    isPlaying_ = false;
    SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Play");
    if (refs_.controls) refs_.controls->stop();
    captionPanel_.focusSelectedRow();
}

void MainWindow::toggleMute() {
    ComPtr<IWMPSettings> settings = settingsOf(refs_.player);
    if (!isMuted_) {
        volumeBeforeMute_ = static_cast<int>(sliderPosition(transportPanel_, IDC_VOLUME_SLIDER));
        setSliderPosition(transportPanel_, IDC_VOLUME_SLIDER, 0);
        if (settings) settings->put_volume(0);
        SetDlgItemTextW(transportPanel_, IDC_MUTE, L"-Mute");
        isMuted_ = true;
    } else {
        setSliderPosition(transportPanel_, IDC_VOLUME_SLIDER, volumeBeforeMute_);
        if (settings) settings->put_volume(volumeBeforeMute_);
        SetDlgItemTextW(transportPanel_, IDC_MUTE, L"Mute");
        isMuted_ = false;
    }
}

// A volume set while muted stands; mute is forgotten.
void MainWindow::endMute() {
    SetDlgItemTextW(transportPanel_, IDC_MUTE, L"Mute");
    isMuted_ = false;
}

void MainWindow::rateUp() {
    if (!canRaiseRate(playRate_)) return;
    playRate_ += kRateStep;
    if (ComPtr<IWMPSettings> settings = settingsOf(refs_.player)) settings->put_rate(playRate_);
    SetDlgItemTextW(transportPanel_, IDC_RATE_TEXT, fromAnsiText(rateText(playRate_)).c_str());
    captionPanel_.focusSelectedRow();
}

void MainWindow::rateDown() {
    if (!canLowerRate(playRate_)) return;
    playRate_ -= kRateStep;
    if (ComPtr<IWMPSettings> settings = settingsOf(refs_.player)) settings->put_rate(playRate_);
    SetDlgItemTextW(transportPanel_, IDC_RATE_TEXT, fromAnsiText(rateText(playRate_)).c_str());
    captionPanel_.focusSelectedRow();
}

LRESULT MainWindow::onPlayButton(WPARAM, LPARAM) {
    togglePlayPause();
    captionPanel_.focusSelectedRow();
    return 0;
}

LRESULT MainWindow::onStop(WPARAM, LPARAM) {
    stopPlayback();
    return 0;
}

LRESULT MainWindow::onMute(WPARAM, LPARAM) {
    toggleMute();
    return 0;
}

LRESULT MainWindow::onRateUp(WPARAM, LPARAM) {
    rateUp();
    return 0;
}

LRESULT MainWindow::onRateDown(WPARAM, LPARAM) {
    rateDown();
    return 0;
}

LRESULT MainWindow::onTransportScroll(WPARAM wParam, LPARAM lParam) {
    const int slider = HIWORD(wParam);
    const int action = LOWORD(wParam);
    if (slider == IDC_SEEK_SLIDER) {
        if (action == kStepForwardAction || action == kStepBackAction) {
            const long p = sliderPosition(transportPanel_, IDC_SEEK_SLIDER) +
                           (action == kStepForwardAction ? kStepTenths : -kStepTenths);
            setSliderPosition(transportPanel_, IDC_SEEK_SLIDER, p);
            if (refs_.positionControls) refs_.positionControls->put_currentPosition(p / 10.0);
        } else if (action == TB_THUMBPOSITION) {
            if (refs_.positionControls) refs_.positionControls->put_currentPosition(static_cast<long>(lParam) / 10.0);
        }
        // Every seek request plays, so a paused movie starts again.
        if (refs_.controls) refs_.controls->play();
        if (!isPlaying_) {
            isPlaying_ = true;
            SetDlgItemTextW(transportPanel_, IDC_PLAY, L"Pause");
        }
    } else if (slider == IDC_VOLUME_SLIDER) {
        ComPtr<IWMPSettings> settings = settingsOf(refs_.player);
        if (action == TB_THUMBPOSITION || action == TB_THUMBTRACK) {
            if (settings) settings->put_volume(static_cast<long>(lParam));
        } else if (action == IDC_VOLUME_UP || action == IDC_VOLUME_DOWN) {
            long v = volumeOf(settings) + (action == IDC_VOLUME_UP ? kVolumeStep : -kVolumeStep);
            if (v > 100) v = 100;
            if (v < 0) v = 0;
            setSliderPosition(transportPanel_, IDC_VOLUME_SLIDER, v);
            if (settings) settings->put_volume(v);
        }
        endMute();
    }
    // Requests that name neither slider (INSERT in a caption row) only return the
    // focus to the selected caption.
    captionPanel_.focusSelectedRow();
    return 0;
}

}  // namespace zav
