#pragma once
// Recovery Copies (View menu), template IDD_RECOVERY_SETTINGS: whether recovery
// copies are written and the longest time, in seconds, between two copies while the
// work changes. The choice is remembered for the next start.

#include "core/recovery_schedule.h"
#include "win/modal_dialog.h"

namespace zav {

struct RecoveryChoice {
    bool enabled = true;
    int intervalSeconds = kDefaultRecoveryIntervalSeconds;
};

// The remembered choice (the defaults on a first start), and writing it.
RecoveryChoice readRecoveryChoice();
void writeRecoveryChoice(const RecoveryChoice& choice);

// run(owner) gives the accepted choice; nothing for Cancel. The interval must be a
// whole number from kMinRecoveryIntervalSeconds to kMaxRecoveryIntervalSeconds; any
// other keeps the dialog open with a message.
class RecoverySettingsDialog : public ModalDialog<RecoverySettingsDialog, RecoveryChoice> {
public:
    explicit RecoverySettingsDialog(RecoveryChoice current);
    INT_PTR onInit(HWND dialog);
    void onOk(HWND dialog);
    INT_PTR onOtherCommand(HWND dialog, WORD id);

private:
    RecoveryChoice current_;
};

}  // namespace zav
