#pragma once
// The Open Media dialog, template 201: a movie's path typed in or browsed for.

#include "win/modal_dialog.h"

#include <string>

namespace zav {

// run(owner) gives the path typed in when OK is pressed, or the file chosen with
// Browse; nothing for Cancel or when the dialog could not be shown. The player
// takes the path as it is.
class OpenMediaDialog : public ModalDialog<OpenMediaDialog, std::wstring> {
public:
    OpenMediaDialog();

    INT_PTR onInit(HWND dialog);
    void onOk(HWND dialog);
    INT_PTR onOtherCommand(HWND dialog, WORD id);

private:
    void browseForMedia(HWND dialog);
};

}  // namespace zav
