#include "captions/add_language_dialog.h"

#include "win/dialog_procedure.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "win/ansi_code_page.h"
#include "core/language_name.h"
#include "resources/resource_ids.h"

namespace zav {

bool AddLanguageDialog::run(HWND owner) {
    result.reset();
    const INT_PTR ended = modalUi().dialogBox(Module::instance(), IDD_ADD_LANGUAGE, owner, &dialogProcedure<AddLanguageDialog>,
                                              reinterpret_cast<LPARAM>(this));
    return ended == IDOK && result.has_value();
}

INT_PTR AddLanguageDialog::onCommand(HWND dialog, WORD id) {
    return okOrCancelCommand(dialog, id, [&] { onOk(dialog); });
}

INT_PTR AddLanguageDialog::onInit(HWND dialog) {
    SetWindowPos(dialog, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void AddLanguageDialog::onOk(HWND dialog) {
    wchar_t typed[kMaxTypedClassName + 1] = {};
    const int length = GetDlgItemTextW(dialog, IDC_CLASS_NAME, typed, static_cast<int>(kMaxTypedClassName + 1));
    const auto name = classNameFromTyped(fromWide(std::wstring_view(typed, length > 0 ? length : 0)), codePage_);
    if (!name) {
        // The dialog stays open for another name.
        modalUi().messageBox(GetDesktopWindow(), L"You cannot leave ClassName blank.", nullptr, MB_OK);
        return;
    }
    result = addedLanguage(*name);
    EndDialog(dialog, IDOK);
}

}  // namespace zav
