// The transport panel in-process, over the scripted player control: the set-up when
// media opens, the two refreshes, play and pause, steps and seeks, volume and mute,
// the rate buttons and the caption preview. The panel is driven through its own
// buttons (BM_CLICK) and scroll notifications, so its translation into requests to
// the main window is exercised too.

#include "app/main_window.h"
#include "app/message_loop.h"
#include "win/module.h"
#include "mediaplayer/scripted_player.h"
#include "playback/transport_panel.h"
#include "resources/resource_ids.h"
#include "tests/win/fake_modal_ui.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using zav::test::FakeModalUi;

struct TransportFixture : testing::Test {
    void SetUp() override {
        ASSERT_EQ(player.result(), S_OK);
        zav::setSeekDragActive(false);
    }
    void TearDown() override {
        if (window && window->hwnd()) DestroyWindow(window->hwnd());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) DispatchMessageW(&msg);
        }
        zav::setSeekDragActive(false);
    }
    // Creates the main window; the splash picture opens as the scripted player's
    // defaults say.
    void create() {
        window = std::make_unique<zav::MainWindow>();
        HMENU menu = LoadMenuW(zav::Module::instance(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
        ASSERT_TRUE(window->create(zav::Module::instance(), menu));
        ASSERT_TRUE(window->transportPanel());
        state = player.last();
        ASSERT_TRUE(state);
    }
    // Creates the window with media of the given length and runs the set-up.
    void createOpen(double duration, long volume = 100) {
        player.defaults().duration = duration;
        create();
        setVolume(volume);
        refresh();
        ASSERT_EQ(window->mediaState(), 2);
    }
    void refresh() {
        window->refreshPlayerState();
        window->refreshPosition();
    }
    // The player's volume as a host sets it; get_volume reads it back.
    void setVolume(long volume) {
        IWMPSettings* settings = nullptr;
        ASSERT_EQ(window->player()->get_settings(&settings), S_OK);
        settings->put_volume(volume);
        settings->Release();
    }
    HWND control(int id) const { return GetDlgItem(window->transportPanel(), id); }
    void click(int id) { SendMessageW(control(id), BM_CLICK, 0, 0); }
    // A key as the message loop sees it, with the focus in the selected caption row.
    void press(WPARAM key) {
        MSG msg{window->captionPanel().rowEdit(0), WM_KEYDOWN, key, 0, 0, {}};
        ASSERT_TRUE(zav::processKeyDown(*window, msg));
    }
    // A trackbar notification to the panel, as the slider sends it: a dragged thumb is
    // moved first, and the notification carries its position in 16 bits.
    void notify(int slider, int code, int position) {
        if (code == TB_THUMBTRACK || code == TB_THUMBPOSITION)
            SendMessageW(control(slider), TBM_SETPOS, TRUE, position);
        SendMessageW(window->transportPanel(), WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(control(slider)));
    }
    long sliderPos(int id) const { return static_cast<long>(SendMessageW(control(id), TBM_GETPOS, 0, 0)); }
    long sliderMax(int id) const { return static_cast<long>(SendMessageW(control(id), TBM_GETRANGEMAX, 0, 0)); }
    long sliderMin(int id) const { return static_cast<long>(SendMessageW(control(id), TBM_GETRANGEMIN, 0, 0)); }
    std::wstring text(HWND hwnd) const {
        wchar_t buffer[256] = {};
        GetWindowTextW(hwnd, buffer, 256);
        return buffer;
    }
    std::wstring text(int id) const { return text(control(id)); }
    HWND selectedEdit() const { return window->captionPanel().rowEdit(window->captionPanel().selectedRow()); }

    FakeModalUi ui;
    zav::player::ScriptedPlayerRegistration player;
    std::unique_ptr<zav::MainWindow> window;
    zav::player::ScriptedState* state = nullptr;
};

TEST_F(TransportFixture, SetUpRunsOnceWhenTheMediaOpens) {
    player.defaults().duration = 83.5;
    player.defaults().openStateAfterOpen = 12;  // still opening
    create();
    setVolume(40);
    refresh();
    EXPECT_EQ(window->mediaState(), 1);
    EXPECT_EQ(text(IDC_DURATION_TEXT), L"00:00:00:000");

    state->openState = 13;
    window->refreshPlayerState();
    EXPECT_EQ(window->mediaState(), 2);
    EXPECT_EQ(sliderMax(IDC_SEEK_SLIDER), 835);
    EXPECT_EQ(sliderMin(IDC_SEEK_SLIDER), 0);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 0);
    EXPECT_EQ(text(IDC_DURATION_TEXT), L"00:01:23:500");
    EXPECT_EQ(sliderMax(IDC_VOLUME_SLIDER), 100);
    EXPECT_EQ(sliderMin(IDC_VOLUME_SLIDER), 0);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 40);
    EXPECT_TRUE(ui.boxes.empty());

    // The set-up is not repeated while the media stays open.
    setVolume(70);
    state->duration = 10;
    refresh();
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 40);
    EXPECT_EQ(sliderMax(IDC_SEEK_SLIDER), 835);

    // The position follows the player, truncated to tenths.
    state->position = 12.25;
    window->refreshPosition();
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 122);
    EXPECT_EQ(text(IDC_POSITION_TEXT), L"00:00:12:250");
}

TEST_F(TransportFixture, SliderRangeTruncatesTheDuration) {
    createOpen(12.56);
    EXPECT_EQ(sliderMax(IDC_SEEK_SLIDER), 125);
}

TEST_F(TransportFixture, FailingMediaQueryIsShownOnceAndThePreviewGoesOn) {
    player.defaults().currentMediaResult = E_FAIL;
    create();
    refresh();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"couldn't get Media interface");
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(window->mediaState(), 2);
    SetWindowTextW(window->captionPanel().rowEdit(0), L"shown");
    refresh();
    refresh();
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(text(window->previewLine()), L"shown");
}

TEST_F(TransportFixture, StepsNearTheStartStopTheSliderAtZeroButHandOnTheDifference) {
    createOpen(60);
    state->position = 1.0;
    window->refreshPosition();
    ASSERT_EQ(sliderPos(IDC_SEEK_SLIDER), 10);
    const int plays = state->playCalls;

    press(VK_F11);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 0);
    ASSERT_FALSE(state->positionRequests.empty());
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), -2.0);
    EXPECT_EQ(state->playCalls, plays);

    // "<<" does the same from the slider's position, then plays.
    click(IDC_STEP_BACK);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 0);
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), -3.0);
    EXPECT_EQ(state->playCalls, plays + 1);
    EXPECT_EQ(text(IDC_PLAY), L"Pause");
    EXPECT_EQ(GetFocus(), selectedEdit());

    // At the end the slider stops at its maximum; the player is handed the sum.
    SendMessageW(control(IDC_SEEK_SLIDER), TBM_SETPOS, TRUE, 590);
    press(VK_F12);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 600);
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), 62.0);
}

TEST_F(TransportFixture, StepKeysKeepAPauseWhileSeekRequestsPlay) {
    createOpen(60);
    press(VK_TAB);
    EXPECT_TRUE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Pause");
    press(VK_TAB);
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(state->pauseCalls, 1);
    const int plays = state->playCalls;

    SendMessageW(control(IDC_SEEK_SLIDER), TBM_SETPOS, TRUE, 100);
    SetFocus(control(IDC_STOP));
    press(VK_F12);
    press(VK_F11);
    press(VK_F12);
    EXPECT_EQ(state->playCalls, plays);
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(state->playState, 2);
    EXPECT_EQ(GetFocus(), control(IDC_STOP));  // no focus change either
    ASSERT_GE(state->positionRequests.size(), 3u);
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), 13.0);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 130);

    click(IDC_STEP_FORWARD);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 160);
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), 16.0);
    EXPECT_EQ(state->playCalls, plays + 1);
    EXPECT_TRUE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Pause");

    click(IDC_PLAY);
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(GetFocus(), selectedEdit());

    // Dragging the thumb: the refresh leaves the slider alone but follows the text.
    notify(IDC_SEEK_SLIDER, TB_THUMBTRACK, 250);
    EXPECT_TRUE(zav::isSeekDragActive());
    SendMessageW(control(IDC_SEEK_SLIDER), TBM_SETPOS, TRUE, 250);
    state->position = 7.5;
    refresh();
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 250);
    EXPECT_EQ(text(IDC_POSITION_TEXT), L"00:00:07:500");
    const size_t seeks = state->positionRequests.size();
    EXPECT_EQ(state->playCalls, plays + 1);

    // Releasing it seeks there and plays.
    notify(IDC_SEEK_SLIDER, TB_THUMBPOSITION, 300);
    EXPECT_FALSE(zav::isSeekDragActive());
    ASSERT_EQ(state->positionRequests.size(), seeks + 1);
    EXPECT_DOUBLE_EQ(state->positionRequests.back(), 30.0);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 300);
    EXPECT_EQ(state->playCalls, plays + 2);
    EXPECT_TRUE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Pause");
}

TEST_F(TransportFixture, ReleasedThumbSeeksPastTheSixteenBitLimitOfATwoHourMovie) {
    createOpen(7200);
    ASSERT_EQ(sliderMax(IDC_SEEK_SLIDER), 72000);
    // 71990 tenths do not fit the notification's 16 bits (they arrive as 6454).
    for (long tenths : {65535L, 65536L, 71990L, 72000L}) {
        notify(IDC_SEEK_SLIDER, TB_THUMBTRACK, static_cast<int>(tenths));
        notify(IDC_SEEK_SLIDER, TB_THUMBPOSITION, static_cast<int>(tenths));
        EXPECT_DOUBLE_EQ(state->positionRequests.back(), tenths / 10.0);
        EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), tenths);
    }
}

TEST_F(TransportFixture, ChannelClicksMoveTheThumbWithoutSeeking) {
    createOpen(60);
    state->position = 5;
    window->refreshPosition();
    const size_t seeks = state->positionRequests.size();
    const int plays = state->playCalls;
    for (int code : {TB_PAGEDOWN, TB_PAGEUP, TB_LINEDOWN, TB_ENDTRACK}) notify(IDC_SEEK_SLIDER, code, 0);
    SendMessageW(control(IDC_SEEK_SLIDER), TBM_SETPOS, TRUE, 400);  // where the click put the thumb
    EXPECT_EQ(state->positionRequests.size(), seeks);
    EXPECT_EQ(state->playCalls, plays);
    EXPECT_FALSE(zav::isSeekDragActive());
    window->refreshPosition();
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 50);
}

TEST_F(TransportFixture, VolumeButtonsStopAtTheLimitsAndEndMute) {
    createOpen(60);
    setVolume(99);
    click(IDC_VOLUME_UP);
    EXPECT_EQ(state->volume, 100);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 100);
    EXPECT_EQ(GetFocus(), selectedEdit());
    setVolume(2);
    click(IDC_VOLUME_DOWN);
    EXPECT_EQ(state->volume, 0);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 0);

    setVolume(50);
    SendMessageW(control(IDC_VOLUME_SLIDER), TBM_SETPOS, TRUE, 50);
    click(IDC_MUTE);
    EXPECT_TRUE(window->isMuted());
    EXPECT_EQ(text(IDC_MUTE), L"-Mute");
    EXPECT_EQ(state->volume, 0);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 0);
    // Volume "+" while muted applies 0 + 3 and forgets the mute.
    click(IDC_VOLUME_UP);
    EXPECT_EQ(state->volume, 3);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 3);
    EXPECT_FALSE(window->isMuted());
    EXPECT_EQ(text(IDC_MUTE), L"Mute");
    // "-" while muted does the same.
    click(IDC_MUTE);
    click(IDC_VOLUME_DOWN);
    EXPECT_EQ(state->volume, 0);
    EXPECT_EQ(text(IDC_MUTE), L"Mute");
    EXPECT_FALSE(window->isMuted());
}

TEST_F(TransportFixture, MuteKeepsTheDraggedVolume) {
    createOpen(60, 40);
    ASSERT_EQ(sliderPos(IDC_VOLUME_SLIDER), 40);
    click(IDC_MUTE);
    EXPECT_EQ(state->volume, 0);
    // Mute does not move the focus.
    EXPECT_EQ(GetFocus(), control(IDC_MUTE));

    // Every movement of the thumb sets the volume and forgets the mute.
    notify(IDC_VOLUME_SLIDER, TB_THUMBTRACK, 55);
    EXPECT_EQ(state->volume, 55);
    notify(IDC_VOLUME_SLIDER, TB_THUMBTRACK, 70);
    EXPECT_EQ(state->volume, 70);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 70);
    EXPECT_FALSE(window->isMuted());
    EXPECT_EQ(text(IDC_MUTE), L"Mute");
    // Clicks in the channel and the release of the thumb do not change the volume.
    const int calls = state->volumeCalls;
    for (int code : {TB_PAGEUP, TB_PAGEDOWN, TB_THUMBPOSITION, TB_ENDTRACK}) notify(IDC_VOLUME_SLIDER, code, 70);
    EXPECT_EQ(state->volumeCalls, calls);

    click(IDC_MUTE);
    EXPECT_EQ(state->volume, 0);
    EXPECT_EQ(text(IDC_MUTE), L"-Mute");
    click(IDC_MUTE);
    EXPECT_EQ(state->volume, 70);
    EXPECT_EQ(sliderPos(IDC_VOLUME_SLIDER), 70);
    EXPECT_EQ(text(IDC_MUTE), L"Mute");
    EXPECT_FALSE(window->isMuted());
}

TEST_F(TransportFixture, RateButtonsShowElevenRatesAndStopAtTheBounds) {
    createOpen(60);
    EXPECT_EQ(text(IDC_RATE_TEXT), L"1.0");
    std::vector<std::wstring> texts;
    for (int i = 0; i < 5; ++i) {
        click(IDC_RATE_UP);
        texts.push_back(text(IDC_RATE_TEXT));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1.1", L"1.2", L"1.3", L"1.4", L"1.5"}));
    EXPECT_EQ(state->rateCalls, 5);
    EXPECT_NEAR(state->rate, 1.5, 1e-9);
    EXPECT_EQ(GetFocus(), selectedEdit());

    // At 1.5 "+" does nothing at all, not even the focus change.
    click(IDC_RATE_UP);
    EXPECT_EQ(state->rateCalls, 5);
    EXPECT_EQ(text(IDC_RATE_TEXT), L"1.5");
    EXPECT_EQ(GetFocus(), control(IDC_RATE_UP));

    texts.clear();
    for (int i = 0; i < 10; ++i) {
        click(IDC_RATE_DOWN);
        texts.push_back(text(IDC_RATE_TEXT));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1.4", L"1.3", L"1.2", L"1.1", L"1.", L"0.9", L"0.8", L"0.7",
                                                L"0.6", L"0.5"}));
    EXPECT_NEAR(window->playRate(), 0.5, 1e-9);
    EXPECT_EQ(state->rateCalls, 15);
    click(IDC_RATE_DOWN);
    EXPECT_EQ(state->rateCalls, 15);
    EXPECT_EQ(text(IDC_RATE_TEXT), L"0.5");
    EXPECT_EQ(GetFocus(), control(IDC_RATE_DOWN));
}

TEST_F(TransportFixture, BeforeTheMediaOpensOnlyStopReachesThePlayer) {
    player.defaults().openStateAfterOpen = 12;
    create();
    state->playState = 1;
    refresh();
    ASSERT_EQ(window->mediaState(), 1);
    press(VK_TAB);
    click(IDC_PLAY);
    EXPECT_EQ(state->playCalls, 0);
    EXPECT_EQ(state->pauseCalls, 0);
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(GetFocus(), selectedEdit());

    SetFocus(control(IDC_MUTE));
    click(IDC_STOP);
    EXPECT_EQ(state->stopCalls, 1);
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(GetFocus(), selectedEdit());
}

TEST_F(TransportFixture, StopAndAStoppedPlayerShowPlay) {
    createOpen(60);
    click(IDC_PLAY);
    ASSERT_TRUE(window->isPlaying());
    ASSERT_EQ(text(IDC_PLAY), L"Pause");
    refresh();
    EXPECT_TRUE(window->isPlaying());  // still playing

    state->playState = 1;  // the movie reached its end
    window->refreshPosition();
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Play");

    click(IDC_PLAY);
    ASSERT_EQ(text(IDC_PLAY), L"Pause");
    click(IDC_STOP);
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(text(IDC_PLAY), L"Play");
    EXPECT_EQ(state->stopCalls, 1);
    // Play after Stop starts again.
    click(IDC_PLAY);
    EXPECT_TRUE(window->isPlaying());
}

TEST_F(TransportFixture, PreviewShowsTheLatestOfTheDueCaptions) {
    createOpen(60);
    zav::CaptionPanel& panel = window->captionPanel();
    ASSERT_GE(panel.rowCount(), 6);
    SetWindowTextW(panel.rowEdit(0), L"opening");
    SetWindowTextW(panel.rowEdit(3), L"first at five");
    SetWindowTextW(panel.rowEdit(5), L"second at five");
    panel.setStartTime(3, 5000);
    panel.setStartTime(5, 5000);

    state->position = 6;
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), L"second at five");
    state->position = 4.999;
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), L"opening");
    state->position = 5;
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), L"second at five");

    // A failing position query leaves the preview as it is.
    state->positionResult = E_FAIL;
    state->position = 0;
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), L"second at five");
    state->positionResult = S_OK;

    // At most 199 characters of the edit box are shown.
    const std::wstring longText(220, L'x');
    SetWindowTextW(panel.rowEdit(0), longText.c_str());
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), std::wstring(199, L'x'));

    panel.deleteAllRows();
    window->refreshPlayerState();
    EXPECT_EQ(text(window->previewLine()), L"");
}

// Counts the writes (text and thumb position) that reach a control.
struct WriteCounter {
    HWND hwnd;
    WNDPROC original;
    int writes = 0;
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<WriteCounter*>(GetPropW(hwnd, L"zav.test.writes"));
        if (message == WM_SETTEXT || message == TBM_SETPOS) ++self->writes;
        return CallWindowProcW(self->original, hwnd, message, wParam, lParam);
    }
    explicit WriteCounter(HWND control) : hwnd(control) {
        SetPropW(hwnd, L"zav.test.writes", this);
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WriteCounter::proc)));
    }
    ~WriteCounter() {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, L"zav.test.writes");
    }
};

TEST_F(TransportFixture, RefreshesWriteOnlyWhatChanged) {
    // The refreshes run before every message. Rewriting a control queues a paint on
    // Windows, whose message would run the refreshes again and keep the loop busy;
    // so a refresh that finds nothing new writes nothing.
    createOpen(60);
    SetWindowTextW(window->captionPanel().rowEdit(0), L"caption");
    state->position = 3;
    state->playState = 1;
    refresh();
    ASSERT_EQ(text(window->previewLine()), L"caption");
    ASSERT_EQ(text(IDC_PLAY), L"Play");
    ASSERT_EQ(sliderPos(IDC_SEEK_SLIDER), 30);
    std::vector<std::unique_ptr<WriteCounter>> counters;
    for (HWND watched : {window->previewLine(), control(IDC_POSITION_TEXT), control(IDC_SEEK_SLIDER),
                         control(IDC_PLAY)})
        counters.push_back(std::make_unique<WriteCounter>(watched));
    refresh();
    refresh();
    for (const auto& counter : counters) EXPECT_EQ(counter->writes, 0) << GetDlgCtrlID(counter->hwnd);

    // A new position is written once.
    state->position = 4;
    refresh();
    refresh();
    EXPECT_EQ(counters[1]->writes, 1);
    EXPECT_EQ(counters[2]->writes, 1);
    EXPECT_EQ(sliderPos(IDC_SEEK_SLIDER), 40);
    EXPECT_EQ(text(IDC_POSITION_TEXT), L"00:00:04:000");
}

TEST_F(TransportFixture, WithoutAPlayerNothingIsCalled) {
    player.defaults().missing = zav::player::kMissingPlayer4;
    window = std::make_unique<zav::MainWindow>();
    HMENU menu = LoadMenuW(zav::Module::instance(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    window->create(zav::Module::instance(), menu);
    ASSERT_FALSE(window->player());
    // The loop still runs its refreshes and keys until the quit message arrives.
    refresh();
    window->togglePlayPause();
    window->stepBack();
    window->stepForward();
    for (int id : {IDC_PLAY, IDC_STOP, IDC_MUTE, IDC_RATE_UP, IDC_RATE_DOWN})
        SendMessageW(window->hwnd(), WM_COMMAND, id, 0);
    for (WPARAM request : {MAKEWPARAM(0, IDC_SEEK_SLIDER), MAKEWPARAM(4, IDC_SEEK_SLIDER),
                           MAKEWPARAM(5, IDC_VOLUME_SLIDER), MAKEWPARAM(IDC_VOLUME_UP, IDC_VOLUME_SLIDER)})
        SendMessageW(window->hwnd(), WM_HSCROLL, request, 10);
    EXPECT_EQ(window->mediaState(), 1);
}

}  // namespace
