#include "captions/edit_start_time_dialog.h"

#include "core/caption_timing.h"
#include "resources/resource_ids.h"
#include "win/ansi_code_page.h"
#include "win/window_text.h"

namespace zav {
namespace {

// Each field is read with at most this many characters.
constexpr int kFieldCharacters = 9;

}  // namespace

EditStartTimeDialog::EditStartTimeDialog(const CodePageConverter& codePage)
    : ModalDialog(IDD_EDIT_START_TIME), codePage_(codePage) {}

std::int64_t EditStartTimeDialog::readField(HWND dialog, int id) const {
    // ES_NUMBER keeps typing to digits, but pasted text can hold anything; the
    // conversion reads the leading number of the field's 8-bit form.
    return fieldValue(codePage_.toAnsi(fromWide(dialogItemText(dialog, id, kFieldCharacters))));
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
        showMessage(dialog, L"The start time is out of range.");
        return;
    }
    accept(dialog, *ms);
}

}  // namespace zav
