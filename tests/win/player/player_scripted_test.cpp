// The player control over its scripted engine, created by class id through atl.dll
// exactly as the program creates the real one.

#include <gtest/gtest.h>

#include <olectl.h>

#include "mediaplayer/com_object.h"
#include "mediaplayer/playback_engine.h"
#include "mediaplayer/scripted_player.h"
#include "tests/win/player/ax_host.h"
#include "tests/win/player/event_sinks.h"

#include <cmath>
#include <memory>

namespace zav::test {
namespace {

using player::ScriptedPlayerRegistration;
using player::ScriptedState;

class ScriptedPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        registration = std::make_unique<ScriptedPlayerRegistration>();
        ASSERT_EQ(S_OK, registration->result());
        ASSERT_TRUE(AtlLibrary::instance().loaded());
    }
    void TearDown() override {
        registration.reset();
        OleUninitialize();
    }

    std::unique_ptr<ScriptedPlayerRegistration> registration;
};

TEST_F(ScriptedPlayerTest, AtlAxCreateControlGetsTheScriptedControlAndItObeysTheScript) {
    HostedPlayer hosted(Creation::CreateControlCall);
    ASSERT_EQ(S_OK, hosted.result);
    ASSERT_TRUE(hosted.ok());
    ASSERT_TRUE(hosted.controls3);
    ASSERT_EQ(1, registration->createdCount());
    ScriptedState& state = *registration->last();

    EXPECT_EQ(0, openStateOf(hosted.player.get()));
    EXPECT_EQ(S_OK, putUrl(hosted.player.get(), L"C:\\movies\\lecture.wmv"));
    EXPECT_EQ(L"C:\\movies\\lecture.wmv", state.url);
    EXPECT_EQ(13, openStateOf(hosted.player.get()));
    EXPECT_EQ(3, playStateOf(hosted.player.get()));

    state.openState = 12;
    state.duration = 42.5;
    state.position = 12.25;
    EXPECT_EQ(12, openStateOf(hosted.player.get()));
    EXPECT_DOUBLE_EQ(42.5, durationOf(hosted.player.get()));
    EXPECT_DOUBLE_EQ(12.25, positionOf(hosted.controls.get()));
    double viaControls3 = 0.0;
    EXPECT_EQ(S_OK, hosted.controls3->get_currentPosition(&viaControls3));
    EXPECT_DOUBLE_EQ(12.25, viaControls3);

    state.openState = 13;
    EXPECT_EQ(S_OK, hosted.controls->pause());
    EXPECT_EQ(2, playStateOf(hosted.player.get()));
    EXPECT_EQ(S_OK, hosted.controls->play());
    EXPECT_EQ(3, playStateOf(hosted.player.get()));
    EXPECT_EQ(S_OK, hosted.controls->stop());
    EXPECT_EQ(1, playStateOf(hosted.player.get()));
    EXPECT_EQ(1, state.pauseCalls);
    EXPECT_EQ(1, state.playCalls);
    EXPECT_EQ(1, state.stopCalls);

    // Seeks are recorded as asked and land inside the media.
    EXPECT_EQ(S_OK, hosted.controls->put_currentPosition(-0.3));
    EXPECT_DOUBLE_EQ(0.0, positionOf(hosted.controls.get()));
    EXPECT_EQ(S_OK, hosted.controls3->put_currentPosition(100.0));
    EXPECT_DOUBLE_EQ(42.5, positionOf(hosted.controls.get()));
    EXPECT_EQ(S_OK, hosted.controls->put_currentPosition(7.5));
    EXPECT_DOUBLE_EQ(7.5, positionOf(hosted.controls.get()));
    ASSERT_EQ(3u, state.positionRequests.size());
    EXPECT_DOUBLE_EQ(-0.3, state.positionRequests[0]);
    EXPECT_DOUBLE_EQ(100.0, state.positionRequests[1]);

    // A failing position query reaches the host as it was scripted.
    state.positionResult = E_UNEXPECTED;
    double seconds = 1.0;
    EXPECT_EQ(E_UNEXPECTED, hosted.controls->get_currentPosition(&seconds));
}

TEST_F(ScriptedPlayerTest, HostWindowTextCreatesTheControlWindowInsideTheHost) {
    HostedPlayer hosted(Creation::HostWindowText);
    ASSERT_EQ(S_OK, hosted.result);
    ASSERT_TRUE(hosted.ok());
    ScriptedState& state = *registration->last();

    const HWND video = hosted.videoWindow();
    ASSERT_NE(nullptr, video);
    EXPECT_EQ(video, state.window);
    EXPECT_TRUE(IsWindowVisible(video));
    RECT rect{};
    GetClientRect(video, &rect);
    EXPECT_EQ(300, rect.right);
    EXPECT_EQ(230, rect.bottom);

    // The published open state follows the player's.
    EXPECT_EQ(0, hosted.publishedOpenState());
    EXPECT_EQ(S_OK, putUrl(hosted.player.get(), L"ZAV Caption.jpg"));
    EXPECT_EQ(13, hosted.publishedOpenState());
    state.openState = 12;
    openStateOf(hosted.player.get());
    EXPECT_EQ(12, hosted.publishedOpenState());

    // The host's new size reaches the control's window.
    MoveWindow(hosted.host, 5, 0, 200, 120, TRUE);
    pumpMessages(0);
    GetClientRect(video, &rect);
    EXPECT_EQ(200, rect.right);
    EXPECT_EQ(120, rect.bottom);

    // The context menu is left to the host.
    ComPtr<IOleInPlaceObjectWindowless> windowless;
    ASSERT_EQ(S_OK, hosted.player.as(IID_IOleInPlaceObjectWindowless, windowless));
    LRESULT result = 99;
    EXPECT_EQ(S_FALSE, windowless->OnWindowMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(video), 0, &result));
    EXPECT_EQ(0, result);
}

TEST_F(ScriptedPlayerTest, SettingsAndCaptionFileRoundTrip) {
    HostedPlayer hosted;
    ASSERT_TRUE(hosted.ok());
    ScriptedState& state = *registration->last();

    LONG volume = -1;
    EXPECT_EQ(S_OK, hosted.settings->get_volume(&volume));
    EXPECT_EQ(100, volume);
    EXPECT_EQ(S_OK, hosted.settings->put_volume(37));
    EXPECT_EQ(S_OK, hosted.settings->get_volume(&volume));
    EXPECT_EQ(37, volume);
    EXPECT_EQ(37, state.volume);
    hosted.settings->put_volume(150);
    hosted.settings->get_volume(&volume);
    EXPECT_EQ(100, volume);
    hosted.settings->put_volume(-5);
    hosted.settings->get_volume(&volume);
    EXPECT_EQ(0, volume);
    EXPECT_EQ(3, state.volumeCalls);

    double rate = 0.0;
    EXPECT_EQ(S_OK, hosted.settings->put_rate(1.3));
    EXPECT_EQ(S_OK, hosted.settings->get_rate(&rate));
    EXPECT_DOUBLE_EQ(1.3, rate);
    EXPECT_DOUBLE_EQ(1.3, state.rate);
    EXPECT_EQ(E_INVALIDARG, hosted.settings->put_rate(0.0));
    hosted.settings->get_rate(&rate);
    EXPECT_DOUBLE_EQ(1.3, rate);

    BSTR none = SysAllocString(L"none");
    EXPECT_EQ(S_OK, hosted.player->put_uiMode(none));
    SysFreeString(none);
    EXPECT_EQ(L"none", state.uiMode);
    EXPECT_EQ(S_OK, hosted.player->put_stretchToFit(VARIANT_TRUE));
    EXPECT_TRUE(state.stretchToFit);
    VARIANT_BOOL stretch = VARIANT_FALSE;
    hosted.player->get_stretchToFit(&stretch);
    EXPECT_EQ(VARIANT_TRUE, stretch);

    ComPtr<IWMPClosedCaption> caption;
    ASSERT_EQ(S_OK, hosted.player->get_closedCaption(caption.put()));
    BSTR sami = SysAllocString(L"nolock0013.smi");
    EXPECT_EQ(S_OK, caption->put_SAMIFileName(sami));
    SysFreeString(sami);
    EXPECT_EQ(L"nolock0013.smi", state.samiFileName);
    BSTR back = nullptr;
    EXPECT_EQ(S_OK, caption->get_SAMIFileName(&back));
    EXPECT_STREQ(L"nolock0013.smi", back);
    SysFreeString(back);
}

TEST_F(ScriptedPlayerTest, FailedOpeningLeavesNothingOpenAndTheNextOneWorks) {
    HostedPlayer hosted;
    ASSERT_TRUE(hosted.ok());
    ScriptedState& state = *registration->last();
    ASSERT_EQ(S_OK, putUrl(hosted.player.get(), L"first.wmv"));

    state.openResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), putUrl(hosted.player.get(), L"missing.wmv"));
    EXPECT_EQ(0, openStateOf(hosted.player.get()));
    BSTR url = nullptr;
    EXPECT_EQ(S_OK, hosted.player->get_URL(&url));
    EXPECT_EQ(0u, SysStringLen(url));
    SysFreeString(url);

    state.openResult = S_OK;
    state.openStateAfterOpen = 12;
    state.durationAfterOpen = 8.0;
    EXPECT_EQ(S_OK, putUrl(hosted.player.get(), L"second.wmv"));
    EXPECT_EQ(12, openStateOf(hosted.player.get()));
    state.openState = 13;
    EXPECT_EQ(13, openStateOf(hosted.player.get()));
    EXPECT_DOUBLE_EQ(8.0, durationOf(hosted.player.get()));

    // An empty URL and close() both leave nothing open.
    EXPECT_EQ(S_OK, putUrl(hosted.player.get(), L""));
    EXPECT_EQ(0, openStateOf(hosted.player.get()));
    putUrl(hosted.player.get(), L"third.wmv");
    const int closesBefore = state.closeCalls;
    EXPECT_EQ(S_OK, hosted.player->close());
    EXPECT_EQ(0, openStateOf(hosted.player.get()));
    EXPECT_EQ(closesBefore + 1, state.closeCalls);
    ASSERT_EQ(5u, state.urls.size());
}

TEST_F(ScriptedPlayerTest, MediaItemKeepsItsDurationAfterTheNextOpening) {
    HostedPlayer hosted;
    ASSERT_TRUE(hosted.ok());
    ScriptedState& state = *registration->last();
    state.durationAfterOpen = 30.0;
    putUrl(hosted.player.get(), L"a.wmv");
    ComPtr<IWMPMedia> first;
    ASSERT_EQ(S_OK, hosted.player->get_currentMedia(first.put()));
    state.duration = 31.0;
    double seconds = 0.0;
    first->get_duration(&seconds);
    EXPECT_DOUBLE_EQ(31.0, seconds);

    state.durationAfterOpen = 5.0;
    putUrl(hosted.player.get(), L"b.wmv");
    first->get_duration(&seconds);
    EXPECT_DOUBLE_EQ(31.0, seconds);
    EXPECT_DOUBLE_EQ(5.0, durationOf(hosted.player.get()));

    state.currentMediaResult = E_FAIL;
    ComPtr<IWMPMedia> none;
    EXPECT_EQ(E_FAIL, hosted.player->get_currentMedia(none.put()));
    EXPECT_FALSE(none);
}

TEST_F(ScriptedPlayerTest, BothEventInterfacesAdviseNotifyAndUnadvise) {
    HostedPlayer hosted;
    ASSERT_TRUE(hosted.ok());
    ScriptedState& state = *registration->last();
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, hosted.player.as(IID_IConnectionPointContainer, container));

    ComPtr<IConnectionPoint> eventsPoint;
    ComPtr<IConnectionPoint> ocxPoint;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(wmp::kIidEvents, eventsPoint.put()));
    ASSERT_EQ(S_OK, container->FindConnectionPoint(wmp::kIidOcxEvents, ocxPoint.put()));
    ComPtr<IConnectionPoint> other;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IPropertyNotifySink, other.put()));

    EventsSink events;
    OcxEventsSink ocx;
    DWORD eventsCookie = 0;
    DWORD ocxCookie = 0;
    ASSERT_EQ(S_OK, eventsPoint->Advise(&events, &eventsCookie));
    ASSERT_EQ(S_OK, ocxPoint->Advise(&ocx, &ocxCookie));
    EXPECT_NE(0u, eventsCookie);
    EXPECT_EQ(2, state.advised);
    // A sink of the wrong kind is refused.
    DWORD wrongCookie = 0;
    EXPECT_EQ(CONNECT_E_CANNOTCONNECT, eventsPoint->Advise(&ocx, &wrongCookie));

    putUrl(hosted.player.get(), L"movie.wmv");
    ASSERT_FALSE(events.openStates.empty());
    EXPECT_EQ(13, events.openStates.back());
    EXPECT_EQ(3, events.playStates.back());
    ASSERT_FALSE(ocx.openStates.empty());
    EXPECT_EQ(13, ocx.openStates.back());

    EXPECT_EQ(S_OK, eventsPoint->Unadvise(eventsCookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, eventsPoint->Unadvise(eventsCookie));
    EXPECT_EQ(S_OK, ocxPoint->Unadvise(ocxCookie));
    EXPECT_EQ(2, state.unadvised);
    const size_t seen = events.openStates.size();
    hosted.player->close();
    EXPECT_EQ(seen, events.openStates.size());
    // The control let go of both sinks.
    EXPECT_EQ(1, events.references);
    EXPECT_EQ(1, ocx.references);
}

TEST_F(ScriptedPlayerTest, InterfacesCanBeScriptedAway) {
    registration->defaults().missing =
        player::kMissingControls3 | player::kMissingEventsPoint | player::kMissingClosedCaption;
    HostedPlayer hosted;
    ASSERT_TRUE(hosted.ok());
    EXPECT_FALSE(hosted.controls3);
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, hosted.player.as(IID_IConnectionPointContainer, container));
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(wmp::kIidEvents, point.put()));
    EXPECT_EQ(S_OK, container->FindConnectionPoint(wmp::kIidOcxEvents, point.put()));
    ComPtr<IWMPClosedCaption> caption;
    EXPECT_TRUE(FAILED(hosted.player->get_closedCaption(caption.put())));
}

TEST_F(ScriptedPlayerTest, ShutdownAsTheProgramDoesLeavesNoObjectBehind) {
    {
        HostedPlayer hosted;
        ASSERT_TRUE(hosted.ok());
        ScriptedState& state = *registration->last();
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(S_OK, hosted.player.as(IID_IConnectionPointContainer, container));
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(S_OK, container->FindConnectionPoint(wmp::kIidEvents, point.put()));
        EventsSink sink;
        DWORD cookie = 0;
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
        putUrl(hosted.player.get(), L"movie.wmv");
        ComPtr<IWMPMedia> media;
        hosted.player->get_currentMedia(media.put());
        EXPECT_TRUE(state.engineAlive);

        point->Unadvise(cookie);
        point.reset();
        container.reset();
        media.reset();
        hosted.destroy();
        EXPECT_FALSE(state.engineAlive);
        EXPECT_EQ(nullptr, state.window);
        EXPECT_EQ(1, sink.references);
    }
    // Only the registration's class object is left.
    registration.reset();
    EXPECT_EQ(0, player::gModuleReferences.load());
}

TEST(PlayerArithmetic, SeeksStayInsideTheMediaAndVolumeMapsToDecibels) {
    EXPECT_DOUBLE_EQ(0.0, player::clampPosition(-0.3, 10.0));
    EXPECT_DOUBLE_EQ(10.0, player::clampPosition(10.5, 10.0));
    EXPECT_DOUBLE_EQ(4.25, player::clampPosition(4.25, 10.0));
    EXPECT_DOUBLE_EQ(0.0, player::clampPosition(std::nan(""), 10.0));
    EXPECT_DOUBLE_EQ(0.0, player::clampPosition(3.0, 0.0));

    EXPECT_EQ(-10000, player::volumeToAttenuation(0));
    EXPECT_EQ(-10000, player::volumeToAttenuation(-7));
    EXPECT_EQ(-4000, player::volumeToAttenuation(1));
    EXPECT_EQ(-602, player::volumeToAttenuation(50));
    EXPECT_EQ(0, player::volumeToAttenuation(100));
    EXPECT_EQ(0, player::volumeToAttenuation(250));
}

}  // namespace
}  // namespace zav::test
