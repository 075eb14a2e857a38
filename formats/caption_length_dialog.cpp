#include "formats/caption_length_dialog.h"

#include "win/dialog_procedure.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "win/ansi_code_page.h"
#include "core/text_script.h"
#include "resources/resource_ids.h"

namespace zav {
namespace {

// The edit box is read with at most this many characters.
constexpr int kTypedCharacters = 49;

}  // namespace

INT_PTR CaptionLengthDialog::run(HWND owner) {
    return modalUi().dialogBox(Module::instance(), IDD_CAPTION_LENGTH, owner, &dialogProcedure<CaptionLengthDialog>,
                               reinterpret_cast<LPARAM>(this));
}

// The edit box starts empty; the focus goes to the first tab stop, the edit box.
INT_PTR CaptionLengthDialog::onInit(HWND) { return TRUE; }

INT_PTR CaptionLengthDialog::onCommand(HWND dialog, WORD id) {
    return okOrCancelCommand(dialog, id, [&] { onOk(dialog); });
}

void CaptionLengthDialog::onOk(HWND dialog) {
    wchar_t typed[kTypedCharacters + 1] = {};
    const int length = GetDlgItemTextW(dialog, IDC_CAPTION_LENGTH, typed, kTypedCharacters + 1);
    const std::int64_t value =
        typedCaptionLength(codePage_.toAnsi(fromWide(std::wstring_view(typed, length > 0 ? length : 0))));
    // The boxes have no caption of their own; the dialog stays open for another number.
    switch (checkCaptionLength(value)) {
    case CaptionLengthCheck::tooShort:
        modalUi().messageBox(dialog, L"You must enter a value higher than 25, enter another number.", nullptr, MB_OK);
        return;
    case CaptionLengthCheck::tooLong:
        modalUi().messageBox(dialog, L"You must enter a value lower than 200, enter another number.", nullptr, MB_OK);
        return;
    case CaptionLengthCheck::accepted:
        EndDialog(dialog, static_cast<INT_PTR>(value));
        return;
    }
}

}  // namespace zav
