#pragma once
// The Edit Caption Start Time dialog, template 206: a time given in any mix of
// hours, minutes, seconds and milliseconds.

#include "core/code_page.h"
#include "win/modal_dialog.h"

#include <cstdint>

namespace zav {

// run(owner) gives the time in milliseconds when the user pressed OK; nothing for
// Cancel or when the dialog could not be shown. The fields start empty and the
// focus goes to the first tab stop, OK.
class EditStartTimeDialog : public ModalDialog<EditStartTimeDialog, std::int32_t> {
public:
    explicit EditStartTimeDialog(const CodePageConverter& codePage);

    void onOk(HWND dialog);

private:
    std::int64_t readField(HWND dialog, int id) const;

    const CodePageConverter& codePage_;
};

}  // namespace zav
