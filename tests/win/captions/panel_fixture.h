#pragma once
// A caption panel in a hidden top-level window beside a drop-down combo box standing
// in for the language box 247, with a fake modal interface that records message
// boxes and runs dialogs with a test-supplied script.

#include "win/modal_ui.h"
#include "captions/caption_editor.h"
#include "captions/caption_panel.h"
#include "tests/win/panel_probe.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zav::test {

struct RecordedBox {
    HWND owner;
    std::wstring text;
    bool nullCaption;
    std::wstring caption;
    UINT type;
};

// Records every message box (answering IDOK) and runs dialogs for real: once the
// dialog is initialised, the script runs inside the dialog's own modal loop.
class FakeModalUi final : public ModalUi {
public:
    int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override;
    BOOL getOpenFileName(OPENFILENAMEW*) override { return FALSE; }
    BOOL getSaveFileName(OPENFILENAMEW*) override { return FALSE; }
    INT_PTR dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) override;

    std::vector<RecordedBox> boxes;
    std::vector<int> dialogs;
    // Runs with the open dialog; it must end the dialog (click a button).
    std::function<void(HWND)> dialogScript;
};

std::wstring textOf(HWND window);

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // resetCaptionDocument: the start-up document.
    void reset();
    // Adds rows until the panel has count rows.
    void growTo(int count);
    // Types text into the row's edit box as the user would (the box reports it).
    void type(int row, const std::wstring& text);
    std::wstring editText(int row) const;
    std::wstring labelText(int row) const;
    std::wstring comboEntry(int index) const;
    int comboCount() const;
    int comboSelection() const;
    // Top of the control in the panel's client coordinates.
    int topOf(HWND control) const;
    RECT rectInPanel(HWND control) const;
    void selectLanguageInCombo(int index);
    // A script that types name into the Add Language dialog and clicks Create Class.
    static std::function<void(HWND)> typeName(const std::wstring& name);

    HWND parent = nullptr;
    HWND combo = nullptr;
    CaptionPanel panel;
    CaptionEditor editor{panel};
    FakeModalUi ui;

private:
    ModalUi* previousUi_ = nullptr;
};

}  // namespace zav::test
