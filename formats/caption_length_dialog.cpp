#include "formats/caption_length_dialog.h"

#include "core/text_script.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

namespace zav {
namespace {

// The edit box is read with at most this many characters.
constexpr int kTypedCharacters = 49;

}  // namespace

CaptionLengthDialog::CaptionLengthDialog(const CodePageConverter& codePage)
    : ModalDialog(IDD_CAPTION_LENGTH), codePage_(codePage) {}

void CaptionLengthDialog::onOk(HWND dialog) {
    const std::wstring typed = dialogItemText(dialog, IDC_CAPTION_LENGTH, kTypedCharacters);
    const std::int64_t value = typedCaptionLength(codePage_.toAnsi(fromWide(typed)));
    // The boxes have no caption of their own; the dialog stays open for another number.
    switch (checkCaptionLength(value)) {
    case CaptionLengthCheck::tooShort:
        showMessage(dialog, L"You must enter a value higher than 25, enter another number.", nullptr);
        return;
    case CaptionLengthCheck::tooLong:
        showMessage(dialog, L"You must enter a value lower than 200, enter another number.", nullptr);
        return;
    case CaptionLengthCheck::accepted:
        accept(dialog, static_cast<int>(value));
        return;
    }
}

}  // namespace zav
