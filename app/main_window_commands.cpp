// The main window's command table and the handlers of its shell commands.

#include "win/error_report.h"
#include "app/main_window.h"
#include "win/modal_ui.h"
#include "captions/language_commands.h"
#include "resources/resource_ids.h"

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
    };
    return tableOf(entries);
}

LRESULT MainWindow::onCommandFallback(WPARAM wParam, LPARAM) {
    // In practice the language combo box's selection change (CBN_SELCHANGE).
    if (HIWORD(wParam) == 1) switchLanguage(captionPanel_, languageCombo());
    return 0;
}

LRESULT MainWindow::onExit(WPARAM, LPARAM) {
    const int answer = modalUi().messageBox(
        hwnd(), L"If you haven't saved your work, hit cancel and do so before quitting. Hit OK to quit.",
        L"Reminder", MB_OKCANCEL);
    // Any answer but Cancel, a failed box included, counts as OK.
    if (answer != IDCANCEL) DestroyWindow(hwnd());
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
    if (transcriptWindow_) {
        SendMessageW(transcriptWindow_, WM_CLOSE, 0, 0);
        transcriptWindow_ = nullptr;
    }
    for (HWND window : {commandPanel_, captionPanel_.hwnd(), captionHeader_, startTimeHeader_}) {
        if (window) ShowWindow(window, SW_SHOW);
    }
    resetCaptionDocument(captionPanel_, languageCombo(), hwnd());
    if (commandPanel_) ShowWindow(commandPanel_, SW_SHOW);
    EnableMenuItem(menu_, IDM_SAVE_TRANSCRIPT_AS, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu_, IDM_OPEN_TRANSCRIPT, MF_BYCOMMAND | MF_GRAYED);
    for (UINT id : {IDM_EXPORT_SAMI, IDM_IMPORT_TEXT_SCRIPT, IDM_IMPORT_SAMI, IDM_OPEN_PRODUCER_MOVIE,
                    IDM_EXPORT_TO_PRODUCER}) {
        EnableMenuItem(menu_, id, MF_BYCOMMAND | MF_ENABLED);
    }
    return 0;
}

LRESULT MainWindow::onAddLanguage(WPARAM, LPARAM) {
    addLanguage(captionPanel_, languageCombo(), hwnd());
    return 0;
}

LRESULT MainWindow::onDeleteLanguage(WPARAM, LPARAM) {
    deleteSelectedLanguage(captionPanel_, languageCombo(), hwnd());
    return 0;
}


}  // namespace zav
