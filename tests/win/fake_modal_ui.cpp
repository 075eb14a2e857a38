#include "tests/win/fake_modal_ui.h"

#include <cwchar>

namespace zav::test {
namespace {

constexpr UINT kRunScript = WM_APP + 0x5A;

struct ScriptedDialog {
    DLGPROC proc;
    LPARAM param;
    FakeModalUi::DialogScript script;
};

// Dialogs may nest (a box inside a dialog is not a dialog, but a dialog may open
// another), so the frames form a stack; the newest frame belongs to the dialog
// being created.
std::vector<ScriptedDialog*> pending;

INT_PTR CALLBACK scriptedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = reinterpret_cast<ScriptedDialog*>(GetPropW(dialog, L"zav.test.frame"));
    if (message == WM_INITDIALOG && !frame && !pending.empty()) {
        frame = pending.back();
        SetPropW(dialog, L"zav.test.frame", frame);
        const INT_PTR result = frame->proc(dialog, message, wParam, frame->param);
        PostMessageW(dialog, kRunScript, 0, 0);
        return result;
    }
    if (!frame) return FALSE;
    if (message == kRunScript) {
        if (frame->script) frame->script(dialog);
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemovePropW(dialog, L"zav.test.frame");
    return frame->proc(dialog, message, wParam, lParam);
}

}  // namespace

FakeModalUi::FakeModalUi() : previous_(setModalUi(this)) {}
FakeModalUi::~FakeModalUi() { setModalUi(previous_); }

int FakeModalUi::messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    boxes.push_back(Box{owner, text ? text : L"", caption ? caption : L"", caption == nullptr, type});
    if (boxAnswers.empty()) return defaultAnswer;
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

BOOL FakeModalUi::answerFileDialog(OPENFILENAMEW* ofn) {
    fileDialogTitles.push_back(ofn && ofn->lpstrTitle ? ofn->lpstrTitle : L"");
    if (ofn) {
        FileDialog asked{ofn->hwndOwner, L"", ofn->Flags, ofn->nMaxFile, ofn->lpstrFile ? ofn->lpstrFile : L"",
                         ofn->lpstrTitle != nullptr, ofn->lpstrInitialDir != nullptr, ofn->lpstrDefExt != nullptr};
        for (const wchar_t* part = ofn->lpstrFilter; part && *part; part += wcslen(part) + 1)
            asked.filter += std::wstring(part) + L"|";
        fileDialogs.push_back(asked);
    }
    if (fileNames.empty()) return FALSE;
    const std::wstring name = fileNames.front();
    fileNames.pop_front();
    if (name.empty() || !ofn || !ofn->lpstrFile || name.size() >= ofn->nMaxFile) return FALSE;
    std::wmemcpy(ofn->lpstrFile, name.c_str(), name.size() + 1);
    return TRUE;
}

BOOL FakeModalUi::getOpenFileName(OPENFILENAMEW* ofn) { return answerFileDialog(ofn); }
BOOL FakeModalUi::getSaveFileName(OPENFILENAMEW* ofn) { return answerFileDialog(ofn); }

INT_PTR FakeModalUi::dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) {
    dialogs.push_back(Dialog{templateId, owner});
    if (dialogScripts.empty()) {
        if (dialogResults.empty()) return 0;
        const INT_PTR result = dialogResults.front();
        dialogResults.pop_front();
        return result;
    }
    ScriptedDialog frame{proc, param, dialogScripts.front()};
    dialogScripts.pop_front();
    pending.push_back(&frame);
    const INT_PTR result =
        DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, scriptedDialogProc, reinterpret_cast<LPARAM>(&frame));
    pending.pop_back();
    return result;
}

void clickButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace zav::test
