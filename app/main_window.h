#pragma once
// The program's one top-level window: menu 202, the player host, the two panels, the
// caption preview line, the caption panel and its column headers.

#include "win/com_ptr.h"
#include "app/message_loop.h"
#include "win/window_base.h"
#include "captions/caption_panel.h"
#include "playback/player_host.h"

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
    void refreshPlayerState() override;
    void refreshPosition() override;
    void togglePlayPause() override;
    void stepBack() override;
    void stepForward() override;
    void stampNextCaption() override;
    void selectPreviousRow() override;
    void selectNextRow() override;
    bool isCaptionEdit(HWND window) const override;
    int captionRowCount() const override;
    HWND mainWindow() const override { return hwnd(); }

    CaptionPanel& captionPanel() noexcept { return captionPanel_; }
    HWND playerHost() const noexcept { return playerHost_; }
    HWND transportPanel() const noexcept { return transportPanel_; }
    HWND commandPanel() const noexcept { return commandPanel_; }
    HWND previewLine() const noexcept { return previewLine_; }
    HWND captionHeader() const noexcept { return captionHeader_; }
    HWND startTimeHeader() const noexcept { return startTimeHeader_; }
    HMENU menu() const noexcept { return menu_; }
    IWMPPlayer4* player() const noexcept { return refs_.player.get(); }
    IWMPControls* controls() const noexcept { return refs_.controls.get(); }
    IWMPControls* positionControls() const noexcept { return refs_.positionControls.get(); }
    DWORD eventCookie() const noexcept { return refs_.eventCookie; }
    double playRate() const noexcept { return playRate_; }
    bool isMuted() const noexcept { return isMuted_; }
    int mediaState() const noexcept { return mediaState_; }
    bool isPlaying() const noexcept { return isPlaying_; }
    const std::wstring& producerMoviePath() const noexcept { return producerMoviePath_; }

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
    LRESULT onClose(WPARAM, LPARAM);
    LRESULT onCommand(WPARAM, LPARAM);

    // Commands of the shell.
    LRESULT onExit(WPARAM, LPARAM);
    LRESULT onAbout(WPARAM, LPARAM);
    LRESULT onQuickKeyReference(WPARAM, LPARAM);
    LRESULT onHelpContents(WPARAM, LPARAM);
    // Commands carried out by the caption editor.
    LRESULT onNewCaptionFile(WPARAM, LPARAM);
    LRESULT onAddLanguage(WPARAM, LPARAM);
    LRESULT onDeleteLanguage(WPARAM, LPARAM);
    // Transport commands (playback/transport_commands.cpp).
    LRESULT onPlayButton(WPARAM, LPARAM);
    LRESULT onStop(WPARAM, LPARAM);
    LRESULT onMute(WPARAM, LPARAM);
    LRESULT onRateUp(WPARAM, LPARAM);
    LRESULT onRateDown(WPARAM, LPARAM);
    void stopPlayback();
    void toggleMute();
    void rateUp();
    void rateDown();
    void endMute();
    // Caption timing commands (captions/timing_commands.cpp).
    LRESULT onEditStartTime(WPARAM, LPARAM);
    LRESULT onGotoStartTime(WPARAM, LPARAM);
    LRESULT onDeleteCaption(WPARAM, LPARAM);
    LRESULT onSetTime(WPARAM, LPARAM);
    LRESULT onSortByTime(WPARAM, LPARAM);
    LRESULT onClearAllTimes(WPARAM, LPARAM);
    LRESULT onAddCaption(WPARAM, LPARAM);
    // Caption files (formats/).
    LRESULT onExportSami(WPARAM, LPARAM);
    LRESULT onImportSami(WPARAM, LPARAM);
    LRESULT onImportTextScript(WPARAM, LPARAM);
    LRESULT onNewTranscriptFile(WPARAM, LPARAM);
    LRESULT onSaveTranscriptAs(WPARAM, LPARAM);
    LRESULT onOpenTranscript(WPARAM, LPARAM);
    LRESULT onCreateAsx(WPARAM, LPARAM);
    LRESULT onExportToProducer(WPARAM, LPARAM);
    // Opening media (playback/media_commands.cpp).
    LRESULT onOpenMedia(WPARAM, LPARAM);
    LRESULT onOpenProducerMovie(WPARAM, LPARAM);

    void createChildren();
    void runInformationDialog(int templateId);
    HWND languageCombo() const noexcept;

    HINSTANCE instance_ = nullptr;
    CaptionPanel captionPanel_;
    HWND playerHost_ = nullptr;
    PlayerReferences refs_;
    ComPtr<IWMPMedia> openedMedia_;
    HWND previewLine_ = nullptr;
    HWND captionHeader_ = nullptr;
    HWND startTimeHeader_ = nullptr;
    HWND transportPanel_ = nullptr;
    HWND commandPanel_ = nullptr;
    HWND transcriptWindow_ = nullptr;
    HMENU menu_ = nullptr;
    HBRUSH previewBrush_ = nullptr;
    bool isPlaying_ = false;
    std::wstring producerMoviePath_;
    int mediaState_ = 1;
    double playRate_ = 1.0;
    bool isMuted_ = false;
    int volumeBeforeMute_ = 0;
};

}  // namespace zav
