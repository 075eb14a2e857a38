#pragma once
// The Edit Caption Start Time dialog, template 206: a time given in any mix of
// hours, minutes, seconds and milliseconds.

#include "core/code_page.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace zav {

class EditStartTimeDialog {
public:
    explicit EditStartTimeDialog(const CodePageConverter& codePage) : codePage_(codePage) {}

    // Runs the dialog modally through modalUi(). The time in milliseconds when the
    // user pressed OK; nothing for Cancel or when the dialog could not be shown.
    std::optional<std::int32_t> run(HWND owner);

    // Called by the dialog procedure.
    INT_PTR onInit(HWND dialog);
    INT_PTR onCommand(HWND dialog, WORD id);

private:
    void onOk(HWND dialog);
    std::int64_t readField(HWND dialog, int id) const;

    const CodePageConverter& codePage_;
    std::optional<std::int32_t> result_;
};

}  // namespace zav
