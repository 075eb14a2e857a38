// The timeline on the main window, over the scripted player and a scripted sound
// decoder: it draws the decoded sound, a click seeks, a double-click selects, a drag
// of a start edge retimes the row as one undoable step and is refused onto another
// row's time, and the spans follow the document through Import SAMI and Sort By Time.

#include "captions/timing_commands.h"
#include "playback/speech_commands.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"
#include "win/settings.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using zav::test::MainWindowFixture;
using zav::test::TemporaryFolder;

// Six seconds at 8 kHz: silence, a 440 Hz tone from 2 s to 4 s, silence.
class ToneDecoder final : public zav::SoundDecoder {
public:
    HRESULT decode(const std::wstring&, zav::SoundReceiver& receiver, const std::atomic<bool>& cancel) override {
        constexpr int kRate = 8000;
        receiver.soundFormat(kRate, 1, 6000);
        std::vector<std::int16_t> block(kRate / 10);
        for (int tenth = 0; tenth < 60; ++tenth) {
            if (cancel) return E_ABORT;
            for (std::size_t i = 0; i < block.size(); ++i) {
                const double t = (tenth * block.size() + i) / double(kRate);
                block[i] = t >= 2 && t < 4 ? static_cast<std::int16_t>(16000 * std::sin(2 * 3.14159265 * 440 * t)) : 0;
            }
            receiver.soundBlock(block.data(), block.size());
        }
        return S_OK;
    }
};

struct TimelineTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        // Each test starts with the timeline closed, whatever the one before left.
        zav::settings::writeNumber(L"TimelineWindowOpen", 0);
        ASSERT_TRUE(create());
        panel = &window->captionPanel();
        timeline = &window->timelineWindow();
        state = player.last();
        window->movieSound().setDecoderFactory([] { return std::make_unique<ToneDecoder>(); });
    }
    void command(WORD id) { SendMessageW(window->hwnd(), WM_COMMAND, id, 0); }
    void openFilm() {
        state->durationAfterOpen = 6.0;
        ui.dialogScripts.push_back([](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_MEDIA_PATH, L"C:\\movies\\tone.wmv");
            zav::test::clickButton(dialog, IDOK);
        });
        command(IDM_OPEN_MEDIA);
        window->refreshPlayerState();
    }
    // Rows 0..2 at 1 s, 3 s and 5 s, and a view from 0 of 10 ms a pixel (or the whole
    // film, when shorter).
    void timeRows() {
        const double times[] = {1000, 3000, 5000};
        for (int row = 0; row < 3; ++row) {
            if (row >= panel->rowCount()) panel->addRow();
            panel->setStartTime(row, times[row]);
        }
        window->captionEditor().clearHistory();
        panel->refreshRows();
        zav::DocumentChange everything;
        everything.replaced = true;
        timeline->documentChanged(everything);
        timeline->setView({0, 10, timeline->view().width});
    }
    int captionsY() const { return (timeline->layout().captions.top + timeline->layout().captions.bottom) / 2; }
    void mouse(UINT message, int x, int y) {
        SendMessageW(timeline->hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void drag(int fromX, int toX) {
        mouse(WM_LBUTTONDOWN, fromX, captionsY());
        mouse(WM_MOUSEMOVE, (fromX + toX) / 2, captionsY());
        mouse(WM_MOUSEMOVE, toX, captionsY());
        mouse(WM_LBUTTONUP, toX, captionsY());
    }
    int xOf(double ms) const { return static_cast<int>(std::lround(timeline->view().xOf(ms))); }
    double start(int row) const { return panel->document().times()[row].startMs; }
    bool waitForSound() {
        for (int i = 0; i < 500 && window->movieSound().state() == zav::MovieSound::State::Decoding; ++i) Sleep(10);
        return window->movieSound().state() == zav::MovieSound::State::Done;
    }

    zav::CaptionPanel* panel = nullptr;
    zav::TimelineWindow* timeline = nullptr;
    zav::player::ScriptedState* state = nullptr;
};

TEST_F(TimelineTest, OpensFromItsKeyAndDrawsTheFilmsSound) {
    openFilm();
    zav::test::takeQuitMessage();
    MSG key{window->hwnd(), WM_KEYDOWN, 'T', 0, 0, {}};
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(zav::processKeyDown(*window, key));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_TRUE(timeline->isOpen());
    EXPECT_EQ(GetWindow(timeline->hwnd(), GW_OWNER), window->hwnd());
    EXPECT_EQ(window->movieSound().path(), L"C:\\movies\\tone.wmv");
    ASSERT_TRUE(waitForSound());
    timeline->refresh();
    wchar_t title[64] = {};
    GetWindowTextW(timeline->hwnd(), title, 64);
    EXPECT_STREQ(title, L"Timeline");
    EXPECT_DOUBLE_EQ(timeline->filmMs(), 6000);

    // The waveform's columns: loud from 2 s to 4 s only.
    const auto columns = window->movieSound().envelope()->columns(0, 6000, 60);
    for (int c = 0; c < 60; ++c) {
        const bool tone = c >= 21 && c < 39;
        const bool quiet = c < 19 || c >= 41;
        if (tone) {
            EXPECT_GT(columns[c].max, 10000) << c;
        }
        if (quiet) {
            EXPECT_EQ(columns[c].max - columns[c].min, 0) << c;
        }
    }
    UpdateWindow(timeline->hwnd());

    // Closed by the user, it stays closed at the next start.
    EXPECT_TRUE(zav::TimelineWindow::wasOpen());
    SendMessageW(timeline->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(timeline->isOpen());
    EXPECT_FALSE(zav::TimelineWindow::wasOpen());
}

TEST_F(TimelineTest, ClickSeeksAndDoubleClickSelectsTheRow) {
    openFilm();
    command(IDM_TIMELINE);
    timeRows();
    const int waveY = timeline->layout().wave.top + 10;
    mouse(WM_LBUTTONDOWN, xOf(2500), waveY);
    mouse(WM_LBUTTONUP, xOf(2500), waveY);
    ASSERT_FALSE(state->positionRequests.empty());
    EXPECT_NEAR(state->positionRequests.back(), 2.5, timeline->view().msPerPixel / 1000);

    mouse(WM_LBUTTONDBLCLK, xOf(4200), captionsY());  // inside row 1's span, 3 s to 5 s
    EXPECT_EQ(panel->selectedRow(), 1);
}

TEST_F(TimelineTest, DragRetimesOneUndoableStepAndIsRefusedOntoAnotherRowsTime) {
    command(IDM_TIMELINE);
    timeRows();
    ASSERT_DOUBLE_EQ(timeline->view().msPerPixel, 10);
    drag(301, 352);  // row 1's start edge, 3 s, to 3.51 s
    EXPECT_DOUBLE_EQ(start(1), 3510);
    EXPECT_EQ(panel->document().times()[1].timeText, u"00:00:03:510");
    EXPECT_EQ(window->captionEditor().undoName(), u"Move Start Time");
    ASSERT_EQ(timeline->spans().size(), 3u);
    EXPECT_DOUBLE_EQ(timeline->spans()[0].endMs, 3510);  // the span before follows

    command(IDM_UNDO);
    EXPECT_DOUBLE_EQ(start(1), 3000);
    EXPECT_DOUBLE_EQ(timeline->spans()[1].startMs, 3000);

    drag(300, 500);  // onto row 2's time
    EXPECT_DOUBLE_EQ(start(1), 3000);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"You cannot enter a duplicate time value.");
    EXPECT_FALSE(window->captionEditor().canUndo());

    // The keys nudge the selected row's start: RIGHT by 10 ms, each a step.
    panel->selectRow(2);
    SendMessageW(timeline->hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(timeline->hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(timeline->hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_DOUBLE_EQ(start(2), 4990);
    command(IDM_UNDO);
    EXPECT_DOUBLE_EQ(start(2), 5000);
}

TEST_F(TimelineTest, SpansFollowImportSamiAndSortByTime) {
    command(IDM_TIMELINE);
    TemporaryFolder folder;
    const std::wstring path = folder.write(
        L"in.smi",
        "<SAMI><BODY>\r\n<SYNC Start=4000><P Class=ENCC>late\r\n<SYNC Start=1000><P Class=ENCC>early\r\n"
        "<SYNC Start=2500><P Class=ENCC>&nbsp;\r\n</BODY></SAMI>\r\n");
    ui.fileNames.push_back(path);
    command(IDM_IMPORT_SAMI);
    const auto expected = [&] {
        const zav::CaptionDocument& d = panel->document();
        return zav::timelineSpans(d.times(), d.language(d.currentLanguage()).texts(), timeline->filmMs());
    };
    const auto same = [](const std::vector<zav::TimelineSpan>& a, const std::vector<zav::TimelineSpan>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].row != b[i].row || a[i].startMs != b[i].startMs || a[i].endMs != b[i].endMs ||
                a[i].clear != b[i].clear)
                return false;
        return true;
    };
    ASSERT_EQ(timeline->spans().size(), 3u);
    EXPECT_TRUE(same(timeline->spans(), expected()));
    EXPECT_EQ(timeline->spans()[0].row, 1);  // "early", the second row of the file
    command(IDC_SORT_BY_TIME);
    EXPECT_EQ(timeline->spans()[0].row, 0);
    EXPECT_TRUE(same(timeline->spans(), expected()));
}

// Snap to Speech, with the timeline closed: turning it on reads the film's sound;
// an ENTER stamp then lands on the tone's start rather than a second before the
// press, and Snap All moves the starts near it as one step and says what it did.
TEST_F(TimelineTest, SnapToSpeechMovesStampsAndStartsOntoTheSound) {
    openFilm();
    EXPECT_EQ(window->movieSound().state(), zav::MovieSound::State::None);  // nobody wants the sound yet
    command(IDM_SNAP_TO_SPEECH);
    EXPECT_TRUE(zav::snapToSpeechEnabled());
    EXPECT_EQ(GetMenuState(window->menu(), IDM_SNAP_TO_SPEECH, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
    ASSERT_TRUE(waitForSound());
    const std::vector<zav::SpeechStretch> speech = window->movieSound().speech();
    ASSERT_EQ(speech.size(), 1u);
    EXPECT_NEAR(speech[0].onsetMs, 2000, 20);
    const double onset = std::round(speech[0].onsetMs);

    const struct {
        bool snap;
        double position;
        double expected;
    } stamps[] = {{true, 3.3, onset}, {false, 5.5, 4500}, {true, 6.0, 5000}};  // the last: nothing near
    for (int i = 0; i < 3; ++i) {
        if (zav::snapToSpeechEnabled() != stamps[i].snap) command(IDM_SNAP_TO_SPEECH);
        panel->selectRow(i);
        state->position = stamps[i].position;
        window->stampNextCaption();
        EXPECT_DOUBLE_EQ(start(i + 1), stamps[i].expected) << i;
    }
    if (zav::snapToSpeechEnabled()) command(IDM_SNAP_TO_SPEECH);
    EXPECT_FALSE(zav::snapToSpeechEnabled());

    // Row 1 back to 1.7 s, then every caption snapped: only it moves.
    window->captionEditor().change(L"Edit", [&] { panel->setStartTime(1, 1700); });
    command(IDM_SNAP_ALL);
    EXPECT_DOUBLE_EQ(start(1), onset);
    EXPECT_EQ(window->captionEditor().undoName(), u"Snap to Speech");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              L"Snap to Speech: 1 caption moved; 3 captions found no speech within half a second.");
}

}  // namespace
