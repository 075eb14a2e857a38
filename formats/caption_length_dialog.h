#pragma once
// The caption-length dialog of the text script import, template 205: the length N,
// 25 to 200 characters, of the captions the script is split into.

#include "core/code_page.h"

#include <windows.h>

namespace zav {

class CaptionLengthDialog {
public:
    explicit CaptionLengthDialog(const CodePageConverter& codePage) : codePage_(codePage) {}

    // Runs the dialog modally through modalUi(), owned by owner: the accepted length,
    // or IDCANCEL (2) for Cancel. A dialog that could not be shown gives 0 or -1, so
    // any result below 25 means no length.
    INT_PTR run(HWND owner);

    // Called by the dialog procedure.
    INT_PTR onInit(HWND dialog);
    INT_PTR onCommand(HWND dialog, WORD id);

private:
    void onOk(HWND dialog);

    const CodePageConverter& codePage_;
};

}  // namespace zav
