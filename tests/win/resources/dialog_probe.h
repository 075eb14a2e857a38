#pragma once
// Compares a dialog template of the program, control by control in template
// order, with a table of what it must hold: first the template as stored, then
// the dialog the dialog manager creates from it.

#include <windows.h>

#include <string>
#include <vector>

namespace zav::test {

enum class Kind {
    PushButton,   // "Button", BS_PUSHBUTTON
    DefButton,    // "Button", BS_DEFPUSHBUTTON
    GroupBox,     // "Button", BS_GROUPBOX
    Text,         // "Static", SS_LEFT
    CenteredText, // "Static", SS_CENTER
    Picture,      // "Static", SS_BITMAP; its text names the bitmap, not compared
    Edit,         // "Edit"
    Combo,        // "ComboBox", CBS_DROPDOWN
    Trackbar,     // "msctls_trackbar32"
};

struct ControlLayout {
    int id;
    Kind kind;
    const wchar_t* text;
    RECT rect;          // left, top, width, height in dialog units
    DWORD style = 0;    // bits that must be set besides those of the kind
    DWORD exStyle = 0;  // extended bits that must be set
};

struct DialogLayout {
    int id;
    const wchar_t* title;  // empty for the panels
    DWORD style;           // window and dialog style bits, compared exactly
    const wchar_t* font;
    int width;             // client size in dialog units
    int height;
    std::vector<ControlLayout> controls;
};

// Styles shared by the modal dialogs.
constexpr DWORD kModalStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPanelStyle = DS_SETFONT | WS_CHILD | WS_BORDER;

// Owns a dialog created from a template of the test executable. Child dialogs
// and owned pop-ups both get a hidden top-level parent.
class DialogProbe {
public:
    explicit DialogProbe(int templateId);
    ~DialogProbe();
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;

    HWND handle() const { return dialog_; }

private:
    HWND parent_ = nullptr;
    HWND dialog_ = nullptr;
};

std::wstring windowText(HWND window);
std::wstring className(HWND window);
std::vector<HWND> childrenInOrder(HWND dialog);

// Records a failure for every way the dialog differs from the layout.
void expectDialogMatches(const DialogLayout& expected);

}  // namespace zav::test
