#pragma once
// The Add Language dialog, template 235: asks for the class name of a new language.

#include "core/caption_document.h"
#include "core/code_page.h"

#include <windows.h>

#include <optional>

namespace zav {

class AddLanguageDialog {
public:
    explicit AddLanguageDialog(const CodePageConverter& codePage) : codePage_(codePage) {}

    // Runs the dialog modally through modalUi(). True when the user created a class;
    // the new language, without texts, is then in `result`.
    bool run(HWND owner);

    std::optional<LanguageClass> result;

    // Called by the dialog procedure.
    INT_PTR onInit(HWND dialog);
    INT_PTR onCommand(HWND dialog, WORD id);

private:
    void onOk(HWND dialog);

    const CodePageConverter& codePage_;
};

}  // namespace zav
