// The main window's command table and its handlers, each a forward to the command
// that carries it out.

#include "app/main_window.h"

#include "captions/language_commands.h"
#include "captions/timing_commands.h"
#include "formats/asx_commands.h"
#include "formats/cue_commands.h"
#include "formats/producer_commands.h"
#include "formats/sami_commands.h"
#include "formats/text_script_commands.h"
#include "formats/transcript_commands.h"
#include "playback/media_commands.h"
#include "playback/speech_commands.h"
#include "resources/resource_ids.h"
#include "win/error_report.h"
#include "win/modal_ui.h"

#include <functional>

namespace zav {

Table<MainWindow::CommandEntry> MainWindow::commandTable() noexcept {
    static const CommandEntry entries[] = {
        {IDC_STOP, &MainWindow::onStop},
        {IDC_MUTE, &MainWindow::onMute},
        {IDC_RATE_DOWN, &MainWindow::onRateDown},
        {IDC_PLAY, &MainWindow::onPlayButton},
        {IDC_RATE_UP, &MainWindow::onRateUp},
        {IDC_EDIT_START_TIME, &MainWindow::onEditStartTime},
        {IDC_GOTO_START_TIME, &MainWindow::onGotoStartTime},
        {IDC_DELETE_CAPTION, &MainWindow::onDeleteCaption},
        {IDC_SET_TIME, &MainWindow::onSetTime},
        {IDC_SORT_BY_TIME, &MainWindow::onSortByTime},
        {IDC_CLEAR_ALL_TIMES, &MainWindow::onClearAllTimes},
        {IDC_ADD_CAPTION, &MainWindow::onAddCaption},
        {IDC_ADD_LANGUAGE, &MainWindow::onAddLanguage},
        {IDC_DELETE_LANGUAGE, &MainWindow::onDeleteLanguage},
        {IDM_ABOUT, &MainWindow::onAbout},
        {IDM_NEW_CAPTION_FILE, &MainWindow::onNewCaptionFile},
        {IDM_IMPORT_SAMI, &MainWindow::onImportSami},
        {IDM_IMPORT_TEXT_SCRIPT, &MainWindow::onImportTextScript},
        {IDM_OPEN_PRODUCER_MOVIE, &MainWindow::onOpenProducerMovie},
        {IDM_EXPORT_TO_PRODUCER, &MainWindow::onExportToProducer},
        {IDM_QUICK_KEY_REFERENCE, &MainWindow::onQuickKeyReference},
        {IDM_NEW_TRANSCRIPT_FILE, &MainWindow::onNewTranscriptFile},
        {IDM_SAVE_TRANSCRIPT_AS, &MainWindow::onSaveTranscriptAs},
        {IDM_OPEN_TRANSCRIPT, &MainWindow::onOpenTranscript},
        {IDM_HELP_CONTENTS, &MainWindow::onHelpContents},
        {IDM_CREATE_ASX, &MainWindow::onCreateAsx},
        {IDM_OPEN_MEDIA, &MainWindow::onOpenMedia},
        {IDM_EXPORT_SAMI, &MainWindow::onExportSami},
        {IDM_EXIT, &MainWindow::onExit},
        {IDM_RECOVERY_SETTINGS, &MainWindow::onRecoverySettings},
        {IDM_EXPORT_SUBRIP, &MainWindow::onExportSubRip},
        {IDM_EXPORT_WEBVTT, &MainWindow::onExportWebVtt},
        {IDM_IMPORT_CUE_FILE, &MainWindow::onImportCueFile},
        {IDM_ADD_CUE_LANGUAGE, &MainWindow::onAddCueLanguage},
        {IDM_EXPORT_TTML, &MainWindow::onExportTtml},
        {IDM_EXPORT_TTML_ALL, &MainWindow::onExportTtmlAllLanguages},
        {IDM_CHECK_CAPTIONS, &MainWindow::onCheckCaptions},
        {IDM_TIMELINE, &MainWindow::onTimeline},
        {IDM_SNAP_TO_SPEECH, &MainWindow::onSnapToSpeech},
        {IDM_SNAP_SELECTED, &MainWindow::onSnapSelected},
        {IDM_SNAP_ALL, &MainWindow::onSnapAll},
        {IDM_UNDO, &MainWindow::onUndo},
        {IDM_REDO, &MainWindow::onRedo},
    };
    return tableOf(entries);
}

LRESULT MainWindow::onCommandFallback(WPARAM wParam, LPARAM) {
    // In practice the language combo box's selection change (CBN_SELCHANGE).
    if (HIWORD(wParam) == 1) switchLanguage(editor_);
    return 0;
}

LRESULT MainWindow::onExit(WPARAM, LPARAM) {
    const int answer = showMessage(
        hwnd(), L"If you haven't saved your work, hit cancel and do so before quitting. Hit OK to quit.", L"Reminder",
        MB_OKCANCEL);
    // Any answer but Cancel, a failed box included, counts as OK.
    if (answer != IDCANCEL) quitConfirmed();
    return 0;
}

void MainWindow::runInformationDialog(int templateId) {
    // A dialog that cannot be created is not reported.
    modalUi().dialogBox(instance_, templateId, hwnd(), OkCancelDialogProc, 0);
}

LRESULT MainWindow::onAbout(WPARAM, LPARAM) {
    runInformationDialog(IDD_ABOUT);
    return 0;
}
LRESULT MainWindow::onQuickKeyReference(WPARAM, LPARAM) {
    runInformationDialog(IDD_QUICK_KEY_REFERENCE);
    return 0;
}
LRESULT MainWindow::onHelpContents(WPARAM, LPARAM) {
    runInformationDialog(IDD_HELP_CONTENTS);
    return 0;
}

LRESULT MainWindow::onNewCaptionFile(WPARAM, LPARAM) {
    showCaptionMode();
    resetCaptionDocument(editor_);
    if (commandPanel_) ShowWindow(commandPanel_, SW_SHOW);
    enableCaptionCommands(true);
    return 0;
}

LRESULT MainWindow::onNewTranscriptFile(WPARAM, LPARAM) {
    editor_.change(L"New Transcript File", [&] { removeAllLanguages(editor_); });
    showTranscriptMode();
    return 0;
}

// ENTER in a caption row, from the message loop.
void MainWindow::stampNextCaption() {
    std::function<double(double)> snap;
    if (snapToSpeechEnabled()) snap = [this](double ms) { return snappedStampMs(sound_, ms); };
    zav::stampNextCaption(editor_, transport_.positionControls(), snap);
}

// The handlers below only forward; each reports its command as handled.
// clang-format off
LRESULT MainWindow::onAddLanguage(WPARAM, LPARAM) { addLanguage(editor_); return 0; }
LRESULT MainWindow::onDeleteLanguage(WPARAM, LPARAM) { deleteSelectedLanguage(editor_); return 0; }
LRESULT MainWindow::onEditStartTime(WPARAM, LPARAM) { editStartTime(editor_); return 0; }
LRESULT MainWindow::onGotoStartTime(WPARAM, LPARAM) { gotoStartTime(editor_, transport_.positionControls()); return 0; }
LRESULT MainWindow::onDeleteCaption(WPARAM, LPARAM) { deleteCaption(editor_); return 0; }
LRESULT MainWindow::onSetTime(WPARAM, LPARAM) { setTime(editor_, transport_.positionControls()); return 0; }
LRESULT MainWindow::onSortByTime(WPARAM, LPARAM) { sortByTime(editor_); return 0; }
LRESULT MainWindow::onClearAllTimes(WPARAM, LPARAM) { clearAllTimes(editor_); return 0; }
LRESULT MainWindow::onAddCaption(WPARAM, LPARAM) { addCaption(editor_); return 0; }
LRESULT MainWindow::onPlayButton(WPARAM, LPARAM) { transport_.togglePlayPause(); captionPanel_.focusSelectedRow(); return 0; }
LRESULT MainWindow::onStop(WPARAM, LPARAM) { transport_.stopPlayback(); return 0; }
LRESULT MainWindow::onMute(WPARAM, LPARAM) { transport_.toggleMute(); return 0; }
LRESULT MainWindow::onRateUp(WPARAM, LPARAM) { transport_.rateUp(); return 0; }
LRESULT MainWindow::onRateDown(WPARAM, LPARAM) { transport_.rateDown(); return 0; }
LRESULT MainWindow::onOpenMedia(WPARAM, LPARAM) { openMedia(transport_, captionPanel_, hwnd()); return 0; }
LRESULT MainWindow::onOpenProducerMovie(WPARAM, LPARAM) { openProducerMovie(transport_, hwnd()); return 0; }
LRESULT MainWindow::onExportSami(WPARAM, LPARAM) { exportSami(editor_); return 0; }
LRESULT MainWindow::onImportSami(WPARAM, LPARAM) { importSami(editor_); return 0; }
LRESULT MainWindow::onImportTextScript(WPARAM, LPARAM) { importTextScript(editor_); return 0; }
LRESULT MainWindow::onSaveTranscriptAs(WPARAM, LPARAM) {
    std::wstring path = saveTranscriptAs(transcriptWindow_, hwnd());
    if (!path.empty()) transcriptName_ = std::move(path);
    return 0;
}
LRESULT MainWindow::onOpenTranscript(WPARAM, LPARAM) {
    std::wstring path = openTranscript(transcriptWindow_, hwnd());
    if (!path.empty()) transcriptName_ = std::move(path);
    return 0;
}
LRESULT MainWindow::onCreateAsx(WPARAM, LPARAM) { createAsx(hwnd()); return 0; }
LRESULT MainWindow::onExportToProducer(WPARAM, LPARAM) { exportToProducer(captionPanel_.document(), transport_.producerMoviePath(), hwnd()); return 0; }
LRESULT MainWindow::onExportSubRip(WPARAM, LPARAM) { exportSubRip(editor_); return 0; }
LRESULT MainWindow::onExportWebVtt(WPARAM, LPARAM) { exportWebVtt(editor_); return 0; }
LRESULT MainWindow::onImportCueFile(WPARAM, LPARAM) { importCueFile(editor_); return 0; }
LRESULT MainWindow::onAddCueLanguage(WPARAM, LPARAM) { addCueFileLanguage(editor_); return 0; }
LRESULT MainWindow::onExportTtml(WPARAM, LPARAM) { exportTtml(editor_); return 0; }
LRESULT MainWindow::onExportTtmlAllLanguages(WPARAM, LPARAM) { exportTtmlAllLanguages(editor_); return 0; }
LRESULT MainWindow::onCheckCaptions(WPARAM, LPARAM) { if (!transcriptWindow_) checkWindow_.open(hwnd()); return 0; }
LRESULT MainWindow::onTimeline(WPARAM, LPARAM) { if (!transcriptWindow_) timeline_.open(hwnd()); return 0; }

LRESULT MainWindow::onSnapToSpeech(WPARAM, LPARAM) {
    const bool enabled = !snapToSpeechEnabled();
    setSnapToSpeech(enabled);
    CheckMenuItem(menu_, IDM_SNAP_TO_SPEECH, MF_BYCOMMAND | (enabled ? MF_CHECKED : MF_UNCHECKED));
    if (enabled) mediaOpened();
    captionPanel_.focusSelectedRow();
    return 0;
}

LRESULT MainWindow::onSnapSelected(WPARAM, LPARAM) { snapSelectedCaption(editor_, sound_); return 0; }
LRESULT MainWindow::onSnapAll(WPARAM, LPARAM) { snapAllCaptions(editor_, sound_); return 0; }

void MainWindow::mediaOpened() {
    if (transport_.mediaState() != Transport::kMediaOpen) return;
    // The timeline reads the sound for itself when it is open; snapping needs it too.
    if (snapToSpeechEnabled()) sound_.load(transport_.mediaPath());
    timeline_.mediaOpened();
}
LRESULT MainWindow::onUndo(WPARAM, LPARAM) { if (!transcriptWindow_) editor_.undo(); captionPanel_.focusSelectedRow(); return 0; }
LRESULT MainWindow::onRedo(WPARAM, LPARAM) { if (!transcriptWindow_) editor_.redo(); captionPanel_.focusSelectedRow(); return 0; }
// clang-format on

}  // namespace zav
