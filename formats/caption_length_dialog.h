#pragma once
// The caption-length dialog of the text script import, template 205: the length N,
// 25 to 200 characters, of the captions the script is split into.

#include "core/code_page.h"
#include "win/modal_dialog.h"

namespace zav {

// run(owner) gives the accepted length; nothing for Cancel or when the dialog could
// not be shown. The edit box starts empty and has the focus.
class CaptionLengthDialog : public ModalDialog<CaptionLengthDialog, int> {
public:
    explicit CaptionLengthDialog(const CodePageConverter& codePage);

    void onOk(HWND dialog);

private:
    const CodePageConverter& codePage_;
};

}  // namespace zav
