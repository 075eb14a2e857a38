#include "formats/recovery_settings_dialog.h"

#include "resources/resource_ids.h"
#include "win/settings.h"
#include "win/window_text.h"

#include <cwchar>
#include <string>

namespace zav {
namespace {

constexpr wchar_t kEnabledValue[] = L"RecoveryCopies";
constexpr wchar_t kIntervalValue[] = L"RecoveryIntervalSeconds";

void enableInterval(HWND dialog) {
    const bool on = IsDlgButtonChecked(dialog, IDC_RECOVERY_ENABLED) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_RECOVERY_INTERVAL), on);
}

}  // namespace

RecoveryChoice readRecoveryChoice() {
    RecoveryChoice choice;
    choice.enabled = settings::readNumber(kEnabledValue, 1) != 0;
    const DWORD seconds = settings::readNumber(kIntervalValue, kDefaultRecoveryIntervalSeconds);
    if (seconds >= static_cast<DWORD>(kMinRecoveryIntervalSeconds) &&
        seconds <= static_cast<DWORD>(kMaxRecoveryIntervalSeconds))
        choice.intervalSeconds = static_cast<int>(seconds);
    return choice;
}

void writeRecoveryChoice(const RecoveryChoice& choice) {
    settings::writeNumber(kEnabledValue, choice.enabled ? 1 : 0);
    settings::writeNumber(kIntervalValue, static_cast<DWORD>(choice.intervalSeconds));
}

RecoverySettingsDialog::RecoverySettingsDialog(RecoveryChoice current)
    : ModalDialog(IDD_RECOVERY_SETTINGS), current_(current) {}

INT_PTR RecoverySettingsDialog::onInit(HWND dialog) {
    CheckDlgButton(dialog, IDC_RECOVERY_ENABLED, current_.enabled ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(dialog, IDC_RECOVERY_INTERVAL, std::to_wstring(current_.intervalSeconds).c_str());
    enableInterval(dialog);
    return TRUE;
}

INT_PTR RecoverySettingsDialog::onOtherCommand(HWND dialog, WORD id) {
    if (id != IDC_RECOVERY_ENABLED) return FALSE;
    enableInterval(dialog);
    return TRUE;
}

void RecoverySettingsDialog::onOk(HWND dialog) {
    RecoveryChoice choice;
    choice.enabled = IsDlgButtonChecked(dialog, IDC_RECOVERY_ENABLED) == BST_CHECKED;
    const std::wstring typed = dialogItemText(dialog, IDC_RECOVERY_INTERVAL, 16);
    wchar_t* end = nullptr;
    const long seconds = std::wcstol(typed.c_str(), &end, 10);
    const bool whole = !typed.empty() && end && *end == L'\0';
    if (!whole || seconds < kMinRecoveryIntervalSeconds || seconds > kMaxRecoveryIntervalSeconds) {
        // Turned off, the interval is kept as it was.
        if (!choice.enabled) {
            choice.intervalSeconds = current_.intervalSeconds;
            accept(dialog, choice);
            return;
        }
        showMessage(dialog, L"Enter a whole number of seconds from 5 to 3600.", L"Recovery Copies");
        return;
    }
    choice.intervalSeconds = static_cast<int>(seconds);
    accept(dialog, choice);
}

}  // namespace zav
