#include "captions/add_language_dialog.h"

#include "core/language_name.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

namespace zav {

AddLanguageDialog::AddLanguageDialog(const CodePageConverter& codePage)
    : ModalDialog(IDD_ADD_LANGUAGE), codePage_(codePage) {}

INT_PTR AddLanguageDialog::onInit(HWND dialog) {
    SetWindowPos(dialog, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void AddLanguageDialog::onOk(HWND dialog) {
    const std::wstring typed = dialogItemText(dialog, IDC_CLASS_NAME, static_cast<int>(kMaxTypedClassName));
    const auto name = classNameFromTyped(fromWide(typed), codePage_);
    if (!name) {
        // The dialog stays open for another name.
        showMessage(GetDesktopWindow(), L"You cannot leave ClassName blank.", nullptr);
        return;
    }
    accept(dialog, addedLanguage(*name));
}

}  // namespace zav
