#include "captions/edit_start_time_dialog.h"

#include "win/dialog_procedure.h"
#include "win/modal_ui.h"
#include "win/module.h"
#include "win/ansi_code_page.h"
#include "core/caption_timing.h"
#include "resources/resource_ids.h"

namespace zav {
namespace {

// Each field is read with at most this many characters.
constexpr int kFieldCharacters = 9;

}  // namespace

std::optional<std::int32_t> EditStartTimeDialog::run(HWND owner) {
    result_.reset();
    const INT_PTR ended = modalUi().dialogBox(Module::instance(), IDD_EDIT_START_TIME, owner,
                                              &dialogProcedure<EditStartTimeDialog>, reinterpret_cast<LPARAM>(this));
    if (ended != IDOK) return std::nullopt;
    return result_;
}

// The fields start empty and the focus goes to the first tab stop, OK.
INT_PTR EditStartTimeDialog::onInit(HWND) { return TRUE; }

INT_PTR EditStartTimeDialog::onCommand(HWND dialog, WORD id) {
    return okOrCancelCommand(dialog, id, [&] { onOk(dialog); });
}

std::int64_t EditStartTimeDialog::readField(HWND dialog, int id) const {
    wchar_t typed[kFieldCharacters + 1] = {};
    const int length = GetDlgItemTextW(dialog, id, typed, kFieldCharacters + 1);
    // ES_NUMBER keeps typing to digits, but pasted text can hold anything; the
    // conversion reads the leading number of the field's 8-bit form.
    return fieldValue(codePage_.toAnsi(fromWide(std::wstring_view(typed, length > 0 ? length : 0))));
}

void EditStartTimeDialog::onOk(HWND dialog) {
    StartTimeFields fields;
    fields.hours = readField(dialog, IDC_START_HOURS);
    fields.minutes = readField(dialog, IDC_START_MINUTES);
    fields.seconds = readField(dialog, IDC_START_SECONDS);
    fields.ms = readField(dialog, IDC_START_MS);
    const std::optional<std::int32_t> ms = editedStartMs(fields);
    if (!ms) {
        // The dialog stays open for a smaller time; Cancel leaves the caption as it was.
        modalUi().messageBox(dialog, L"The start time is out of range.", L"", MB_OK);
        return;
    }
    result_ = ms;
    EndDialog(dialog, IDOK);
}

}  // namespace zav
