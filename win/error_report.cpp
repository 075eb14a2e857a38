#include "win/error_report.h"

#include "win/modal_ui.h"

#include "core/text_encoding.h"
#include "win/ansi_code_page.h"

#include <cwchar>
#include <new>
#include <stdexcept>

namespace zav {

bool ReportErrorCode(HRESULT code) {
    if (code >= 0) return false;
    wchar_t text[40];
    std::swprintf(text, sizeof text / sizeof text[0], L"Error code = %08X", static_cast<unsigned>(code));
    modalUi().messageBox(nullptr, text, L"Error", MB_ICONERROR);
    return true;
}

namespace {

std::wstring describe(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return L"out of memory";
    } catch (const std::exception& e) {
        const std::string what = e.what();
        return L"an exception (" + std::wstring(what.begin(), what.end()) + L")";
    } catch (...) {
    }
    return L"an unknown exception";
}

void appendToLog(const std::wstring& line) {
    const std::wstring path = debugLogPath();
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string utf8 = utf16ToUtf8(fromWide(line)) + "\r\n";
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

std::wstring debugLogPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path = length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring(L".\\");
    return path + L"ZAV Caption.log";
}

void reportException(const wchar_t* where, std::exception_ptr error) noexcept {
    static bool showing = false;
    try {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        wchar_t stamp[32];
        std::swprintf(stamp, sizeof stamp / sizeof stamp[0], L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth,
                      now.wDay, now.wHour, now.wMinute, now.wSecond);
        const std::wstring what = describe(error);
        const std::wstring line = std::wstring(stamp) + where + L": " + what;
        OutputDebugStringW((line + L"\n").c_str());
        appendToLog(line);
        if (showing) return;
        showing = true;
        const std::wstring text = L"The last action stopped because of " + what + L" in " + where +
                                  L". Details were written to " + debugLogPath() + L".";
        modalUi().messageBox(nullptr, text.c_str(), L"Error", MB_ICONERROR);
        showing = false;
    } catch (...) {
        showing = false;
    }
}

INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace zav
