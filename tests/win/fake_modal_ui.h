#pragma once
// A modal-UI stand-in for in-process tests: records every box and dialog, answers
// boxes from a queue, and either answers dialogs with a result or runs the real
// dialog and a script inside it once it is open.

#include "win/modal_ui.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zav::test {

class FakeModalUi final : public ModalUi {
public:
    struct Box {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        bool nullCaption;
        UINT type;
    };
    struct Dialog {
        int templateId;
        HWND owner;
    };
    // What a file dialog was asked with.
    struct FileDialog {
        HWND owner;
        std::wstring filter;  // its double-zero-terminated list, zeros as '|'
        DWORD flags;
        DWORD maxFile;
        std::wstring initialFile;
        bool hasTitle;
        bool hasInitialDir;
        bool hasDefaultExtension;
    };
    // Run inside the real dialog after WM_INITDIALOG; it ends the dialog itself.
    using DialogScript = std::function<void(HWND dialog)>;

    FakeModalUi();
    ~FakeModalUi() override;
    FakeModalUi(const FakeModalUi&) = delete;
    FakeModalUi& operator=(const FakeModalUi&) = delete;

    int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override;
    BOOL getOpenFileName(OPENFILENAMEW* ofn) override;
    BOOL getSaveFileName(OPENFILENAMEW* ofn) override;
    INT_PTR dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) override;

    // Answers for boxes, in order; defaultAnswer when the queue is empty.
    std::deque<int> boxAnswers;
    int defaultAnswer = IDOK;
    // Names for file dialogs, in order; an empty name or an empty queue cancels.
    std::deque<std::wstring> fileNames;
    // Scripts for real dialogs, in order; with none left a dialog is not shown and
    // returns the next of dialogResults (0 when none).
    std::deque<DialogScript> dialogScripts;
    std::deque<INT_PTR> dialogResults;

    std::vector<Box> boxes;
    std::vector<Dialog> dialogs;
    std::vector<std::wstring> fileDialogTitles;
    std::vector<FileDialog> fileDialogs;

private:
    BOOL answerFileDialog(OPENFILENAMEW* ofn);
    ModalUi* previous_;
};

// Clicks a button of a dialog as the user would.
void clickButton(HWND dialog, int id);

}  // namespace zav::test
