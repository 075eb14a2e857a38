#pragma once
// The Add Language dialog, template 235: asks for the class name of a new language.

#include "core/caption_document.h"
#include "core/code_page.h"
#include "win/modal_dialog.h"

namespace zav {

// run(owner) gives the new language, without texts, when the user created a class.
class AddLanguageDialog : public ModalDialog<AddLanguageDialog, LanguageClass> {
public:
    explicit AddLanguageDialog(const CodePageConverter& codePage);

    INT_PTR onInit(HWND dialog);
    void onOk(HWND dialog);

private:
    const CodePageConverter& codePage_;
};

}  // namespace zav
