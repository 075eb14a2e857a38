#pragma once
// The program's one top-level window: menu 202, the player host, the two panels, the
// caption preview line, the caption panel and its column headers. It creates and
// lays out its children, paints, and routes every message and command: the commands
// themselves are carried out by the caption editor, the transport and the file
// commands, to which its handlers forward.

#include "app/message_loop.h"
#include "app/recovery_keeper.h"
#include "captions/caption_editor.h"
#include "captions/caption_panel.h"
#include "captions/check_window.h"
#include "playback/movie_sound.h"
#include "playback/timeline_window.h"
#include "playback/transport.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/window_base.h"

#include <string>

namespace zav {

class MainWindow final : public Window<MainWindow>, public LoopTarget {
public:
    MainWindow() = default;
    ~MainWindow() override = default;

    // Start-up: stores the instance and menu, then creates the window (898 x 540 at
    // the top left corner of the screen); the creation sequence runs inside.
    HWND create(HINSTANCE instance, HMENU menu);

    static WindowClassSpec windowClass() noexcept;
    static Table<MessageEntry> messageTable() noexcept;
    static Table<CommandEntry> commandTable() noexcept;
    LRESULT onCommandFallback(WPARAM wParam, LPARAM lParam);
    void onFinalMessage();

    // What the message loop calls.
    void refreshPlayerState() override { transport_.refreshPlayerState(); }
    void refreshPosition() override { transport_.refreshPosition(); }
    void togglePlayPause() override { transport_.togglePlayPause(); }
    void stepBack() override { transport_.stepBack(); }
    void stepForward() override { transport_.stepForward(); }
    void stampNextCaption() override;
    void selectPreviousRow() override { captionPanel_.selectPreviousRow(); }
    void selectNextRow() override { captionPanel_.selectNextRow(); }
    bool isCaptionEdit(HWND window) const override { return captionPanel_.isCaptionEdit(window); }
    int captionRowCount() const override { return captionPanel_.rowCount(); }
    HWND mainWindow() const override { return hwnd(); }
    bool historyKey(HWND focus, bool redo) override;

    CaptionPanel& captionPanel() noexcept { return captionPanel_; }
    CaptionEditor& captionEditor() noexcept { return editor_; }
    CheckWindow& checkWindow() noexcept { return checkWindow_; }
    TimelineWindow& timelineWindow() noexcept { return timeline_; }
    MovieSound& movieSound() noexcept { return sound_; }
    Transport& transport() noexcept { return transport_; }
    RecoveryKeeper& recovery() noexcept { return recovery_; }
    // The id of the timer that drives the recovery copies, and the message that
    // offers the copies of an earlier run once the window shows.
    static constexpr UINT_PTR kRecoveryTimer = 0x52C0;
    static constexpr UINT kOfferRecoveryMessage = WM_APP + 0x52C;
    HWND playerHost() const noexcept { return playerHost_; }
    HWND transportPanel() const noexcept { return transport_.panel(); }
    HWND commandPanel() const noexcept { return commandPanel_; }
    HWND previewLine() const noexcept { return previewLine_; }
    HWND captionHeader() const noexcept { return captionHeader_; }
    HWND startTimeHeader() const noexcept { return startTimeHeader_; }
    HMENU menu() const noexcept { return menu_; }
    IWMPPlayer4* player() const noexcept { return transport_.player(); }
    IWMPControls* controls() const noexcept { return transport_.controls(); }
    IWMPControls* positionControls() const noexcept { return transport_.positionControls(); }
    DWORD eventCookie() const noexcept { return transport_.eventCookie(); }
    double playRate() const noexcept { return transport_.playRate(); }
    bool isMuted() const noexcept { return transport_.isMuted(); }
    int mediaState() const noexcept { return transport_.mediaState(); }
    bool isPlaying() const noexcept { return transport_.isPlaying(); }
    const std::wstring& producerMoviePath() const noexcept { return transport_.producerMoviePath(); }

private:
    // Window messages.
    LRESULT onCreate(WPARAM, LPARAM);
    LRESULT onKeyDown(WPARAM, LPARAM);
    LRESULT onDestroy(WPARAM, LPARAM);
    LRESULT onSize(WPARAM, LPARAM);
    LRESULT onEraseBackground(WPARAM, LPARAM);
    LRESULT onContextMenu(WPARAM, LPARAM);
    LRESULT onPaint(WPARAM, LPARAM);
    LRESULT onTransportScroll(WPARAM, LPARAM);
    LRESULT onCtlColorStatic(WPARAM, LPARAM);
    LRESULT onGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT onDpiChanged(WPARAM, LPARAM);
    LRESULT onClose(WPARAM, LPARAM);
    LRESULT onCommand(WPARAM, LPARAM);
    LRESULT onTimer(WPARAM, LPARAM);
    LRESULT onOfferRecovery(WPARAM, LPARAM);

    // Commands (main_window_commands.cpp), each a forward.
    LRESULT onExit(WPARAM, LPARAM);
    LRESULT onAbout(WPARAM, LPARAM);
    LRESULT onQuickKeyReference(WPARAM, LPARAM);
    LRESULT onHelpContents(WPARAM, LPARAM);
    LRESULT onNewCaptionFile(WPARAM, LPARAM);
    LRESULT onAddLanguage(WPARAM, LPARAM);
    LRESULT onDeleteLanguage(WPARAM, LPARAM);
    LRESULT onPlayButton(WPARAM, LPARAM);
    LRESULT onStop(WPARAM, LPARAM);
    LRESULT onMute(WPARAM, LPARAM);
    LRESULT onRateUp(WPARAM, LPARAM);
    LRESULT onRateDown(WPARAM, LPARAM);
    LRESULT onEditStartTime(WPARAM, LPARAM);
    LRESULT onGotoStartTime(WPARAM, LPARAM);
    LRESULT onDeleteCaption(WPARAM, LPARAM);
    LRESULT onSetTime(WPARAM, LPARAM);
    LRESULT onSortByTime(WPARAM, LPARAM);
    LRESULT onClearAllTimes(WPARAM, LPARAM);
    LRESULT onAddCaption(WPARAM, LPARAM);
    LRESULT onExportSami(WPARAM, LPARAM);
    LRESULT onImportSami(WPARAM, LPARAM);
    LRESULT onImportTextScript(WPARAM, LPARAM);
    LRESULT onNewTranscriptFile(WPARAM, LPARAM);
    LRESULT onSaveTranscriptAs(WPARAM, LPARAM);
    LRESULT onOpenTranscript(WPARAM, LPARAM);
    LRESULT onCreateAsx(WPARAM, LPARAM);
    LRESULT onExportToProducer(WPARAM, LPARAM);
    LRESULT onOpenMedia(WPARAM, LPARAM);
    LRESULT onOpenProducerMovie(WPARAM, LPARAM);
    LRESULT onExportSubRip(WPARAM, LPARAM);
    LRESULT onExportWebVtt(WPARAM, LPARAM);
    LRESULT onImportCueFile(WPARAM, LPARAM);
    LRESULT onAddCueLanguage(WPARAM, LPARAM);
    LRESULT onExportTtml(WPARAM, LPARAM);
    LRESULT onExportTtmlAllLanguages(WPARAM, LPARAM);
    LRESULT onCheckCaptions(WPARAM, LPARAM);
    LRESULT onTimeline(WPARAM, LPARAM);
    LRESULT onSnapToSpeech(WPARAM, LPARAM);
    LRESULT onSnapSelected(WPARAM, LPARAM);
    LRESULT onSnapAll(WPARAM, LPARAM);
    LRESULT onUndo(WPARAM, LPARAM);
    LRESULT onRedo(WPARAM, LPARAM);
    LRESULT onInitMenuPopup(WPARAM, LPARAM);
    LRESULT onRecoverySettings(WPARAM, LPARAM);

    void createChildren();
    void runInformationDialog(int templateId);
    // Transcript mode shows the transcript window in place of the caption editor's
    // panels and offers only the transcript commands of the file menu; caption mode
    // is the other way round.
    void showTranscriptMode();
    void showCaptionMode();
    void enableCaptionCommands(bool enable);
    // The Edit pop-up's items name the steps undo and redo would take.
    void updateEditMenu();
    // A film has opened: its sound is read when the timeline shows it or stamps snap
    // to its speech.
    void mediaOpened();
    // Recovery (main_window_recovery.cpp): what a copy holds, putting a copy back,
    // and the start and clean end of the copies.
    RecoveryCopy recoveryContent() const;
    std::wstring recoveryFingerprint() const;
    void restoreRecoveryCopy(const RecoveryCopy& copy);
    void startRecovery();
    // The quit confirmation was answered OK: the window goes.
    void quitConfirmed();

    // A 96-DPI size at the window's DPI.
    int px(int size96) const noexcept { return scaled(size96, dpi_); }

    HINSTANCE instance_ = nullptr;
    UINT dpi_ = 96;
    CaptionPanel captionPanel_;
    CaptionEditor editor_{captionPanel_};
    Transport transport_{captionPanel_, [this] { captionPanel_.focusSelectedRow(); }};
    CheckWindow checkWindow_{editor_};
    MovieSound sound_;
    TimelineWindow timeline_{editor_, transport_, sound_};
    HWND playerHost_ = nullptr;
    HWND previewLine_ = nullptr;
    HWND captionHeader_ = nullptr;
    HWND startTimeHeader_ = nullptr;
    HWND commandPanel_ = nullptr;
    HWND transcriptWindow_ = nullptr;
    HMENU menu_ = nullptr;
    UniqueBrush previewBrush_;
    // The file the transcript was last saved to or opened from.
    std::wstring transcriptName_;
    RecoveryKeeper recovery_{{[this] { return recoveryContent(); },
                              [this](const RecoveryCopy& copy) { restoreRecoveryCopy(copy); },
                              [this] { return recoveryFingerprint(); }}};
};

}  // namespace zav
