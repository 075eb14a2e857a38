#pragma once
// The base of the program's modal dialogs made from templates. A dialog class derives
// from ModalDialog<Dialog, Result>, says its template, and gets:
//  - run(owner): shows the dialog through modalUi() and gives the result that OK
//    accepted, or nothing for Cancel (and for a dialog that could not be shown);
//  - OK routed to the class's onOk(dialog), which calls accept(dialog, value) to end
//    the dialog or leaves it open (to ask again);
//  - Cancel, Escape and the close box ending the dialog with IDCANCEL;
//  - onInit and onOtherCommand defaults it may replace.
//
//     class LengthDialog : public ModalDialog<LengthDialog, int> {
//     public:
//         LengthDialog() : ModalDialog(IDD_CAPTION_LENGTH) {}
//         void onOk(HWND dialog) { accept(dialog, 42); }
//     };

#include "win/dialog_procedure.h"
#include "win/modal_ui.h"
#include "win/module.h"

#include <optional>
#include <utility>

namespace zav {

template <class Dialog, class Result>
class ModalDialog {
public:
    explicit ModalDialog(int templateId) noexcept : templateId_(templateId) {}
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    std::optional<Result> run(HWND owner) {
        result_.reset();
        const INT_PTR ended = modalUi().dialogBox(Module::instance(), templateId_, owner, &dialogProcedure<Dialog>,
                                                  reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
        if (ended != IDOK) result_.reset();
        return std::move(result_);
    }

    // What the dialog procedure calls.
    INT_PTR onInit(HWND) { return TRUE; }
    INT_PTR onCommand(HWND dialog, WORD id) {
        Dialog& self = *static_cast<Dialog*>(this);
        switch (id) {
        case IDOK:
            self.onOk(dialog);
            return TRUE;
        case IDCANCEL:
            self.onCancel(dialog);
            return TRUE;
        default:
            return self.onOtherCommand(dialog, id);
        }
    }
    void onCancel(HWND dialog) { EndDialog(dialog, IDCANCEL); }
    INT_PTR onOtherCommand(HWND, WORD) { return FALSE; }

protected:
    ~ModalDialog() = default;
    // Ends the dialog with OK and the value as its result.
    void accept(HWND dialog, Result value) {
        result_ = std::move(value);
        EndDialog(dialog, IDOK);
    }

private:
    int templateId_;
    std::optional<Result> result_;
};

}  // namespace zav
