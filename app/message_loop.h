#pragma once
// The program's message loop and its keyboard table.

#include <windows.h>

namespace zav {

// What the loop drives: the main window in the program, a recorder in tests.
class LoopTarget {
public:
    virtual ~LoopTarget() = default;
    virtual void refreshPlayerState() = 0;
    virtual void refreshPosition() = 0;
    virtual void togglePlayPause() = 0;
    virtual void stepBack() = 0;
    virtual void stepForward() = 0;
    virtual void stampNextCaption() = 0;
    virtual void selectPreviousRow() = 0;
    virtual void selectNextRow() = 0;
    // True only for one of the caption panel's own row edit boxes.
    virtual bool isCaptionEdit(HWND window) const = 0;
    virtual int captionRowCount() const = 0;
    virtual HWND mainWindow() const = 0;
    // Ctrl+Z (undo) or Ctrl+Y and Ctrl+Shift+Z (redo) with the focus in window; true
    // when the key was used. Without an undo history nothing is.
    virtual bool historyKey(HWND /*focus*/, bool /*redo*/) { return false; }
};

enum class HistoryKey { None, Undo, Redo };

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; with Alt, or without Ctrl, neither.
HistoryKey historyKeyFor(WPARAM virtualKey, bool control, bool shift, bool alt) noexcept;

// The menu commands with a key of their own: Ctrl+T opens the timeline. 0 for any
// other key.
UINT commandKeyFor(WPARAM virtualKey, bool control, bool shift, bool alt) noexcept;

enum class KeyAction { None, TogglePlayPause, StampNextCaption, SelectPreviousRow, SelectNextRow, ReturnFocus,
                       StepBack, StepForward };

// The keyboard table: TAB, F11 and F12 act wherever the focus is; ENTER, UP, DOWN and
// INSERT only in a caption row's edit box.
KeyAction keyActionFor(WPARAM virtualKey, bool inCaptionRow) noexcept;

// Runs the key table for a key-down message; true when the key was consumed.
bool processKeyDown(LoopTarget& target, const MSG& msg);

// Runs until the quit message and returns its exit code.
int runMessageLoop(LoopTarget& target);

}  // namespace zav
