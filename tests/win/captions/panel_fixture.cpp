#include "tests/win/captions/panel_fixture.h"

#include "captions/language_commands.h"
#include "resources/resource_ids.h"

namespace zav::test {
namespace {

constexpr UINT kRunScript = WM_APP + 1;
DLGPROC realProcedure = nullptr;
FakeModalUi* scriptOwner = nullptr;

// Lets the real dialog procedure initialise, then posts the script to the dialog's
// own modal loop.
INT_PTR CALLBACK scriptedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunScript) {
        if (scriptOwner && scriptOwner->dialogScript) scriptOwner->dialogScript(dialog);
        else EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    const INT_PTR result = realProcedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) PostMessageW(dialog, kRunScript, 0, 0);
    return result;
}

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int FakeModalUi::messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    boxes.push_back(RecordedBox{owner, text ? text : L"", caption == nullptr, caption ? caption : L"", type});
    return IDOK;
}

INT_PTR FakeModalUi::dialogBox(HINSTANCE instance, int templateId, HWND owner, DLGPROC proc, LPARAM param) {
    dialogs.push_back(templateId);
    realProcedure = proc;
    scriptOwner = this;
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &scriptedProcedure, param);
    scriptOwner = nullptr;
    return result;
}

void PanelTest::SetUp() {
    previousUi_ = setModalUi(&ui);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &parentProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CaptionPanelTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, L"panel test", WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS, 0, 0, 898,
                             540, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent);
    combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN, 10,
                            400, 150, 200, parent, reinterpret_cast<HMENU>(IDC_LANGUAGE_COMBO), wc.hInstance, nullptr);
    ASSERT_TRUE(combo);
    ASSERT_TRUE(panel.create(parent, GetModuleHandleW(nullptr)));
    editor.attach(parent, combo);
}

void PanelTest::TearDown() {
    if (parent) DestroyWindow(parent);
    setModalUi(previousUi_);
}

void PanelTest::reset() { resetCaptionDocument(editor); }

void PanelTest::growTo(int count) {
    while (panel.rowCount() < count) ASSERT_TRUE(panel.addRow());
}

void PanelTest::type(int row, const std::wstring& text) {
    // WM_SETTEXT from outside the panel reports EN_CHANGE exactly as typing does.
    SetWindowTextW(panel.rowEdit(row), text.c_str());
}

std::wstring textOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

std::wstring PanelTest::editText(int row) const { return textOf(panel.rowEdit(row)); }
std::wstring PanelTest::labelText(int row) const { return textOf(panel.rowLabel(row)); }

std::wstring PanelTest::comboEntry(int index) const {
    wchar_t buffer[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
int PanelTest::comboCount() const { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }
int PanelTest::comboSelection() const { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

RECT PanelTest::rectInPanel(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, panel.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
int PanelTest::topOf(HWND control) const { return rectInPanel(control).top; }

void PanelTest::selectLanguageInCombo(int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    switchLanguage(editor);
}

std::function<void(HWND)> PanelTest::typeName(const std::wstring& name) {
    return [name](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CLASS_NAME, name.c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    };
}

}  // namespace zav::test
