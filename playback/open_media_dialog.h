#pragma once
// The Open Media dialog, template 201: a movie's path typed in or browsed for.

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>

namespace zav {

class OpenMediaDialog {
public:
    OpenMediaDialog() = default;
    OpenMediaDialog(const OpenMediaDialog&) = delete;
    OpenMediaDialog& operator=(const OpenMediaDialog&) = delete;

    // Runs the dialog modally through modalUi(): IDOK (1) for OK and for a file
    // chosen with Browse, IDCANCEL (2) for Cancel. Anything else means the dialog
    // could not be shown.
    INT_PTR run(HWND owner);

    // The path the dialog ended with; empty until then. The player takes it as it is.
    BSTR mediaPath() const noexcept { return mediaPath_.get(); }
    std::wstring mediaPathText() const;

    // Called by the dialog procedure.
    INT_PTR onInit(HWND dialog);
    INT_PTR onCommand(HWND dialog, WORD id);

private:
    struct BstrFree {
        void operator()(BSTR text) const noexcept { SysFreeString(text); }
    };
    using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

    void takeEditText(HWND dialog);
    void browseForMedia(HWND dialog);
    void setMediaPath(const wchar_t* text, UINT length);

    OwnedBstr mediaPath_;
};

}  // namespace zav
