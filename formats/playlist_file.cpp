#include "formats/playlist_file.h"

#include <windows.h>

#include <climits>

namespace zav {

bool writePlaylistFile(const std::wstring& path, const std::string& bytes) {
    if (path.empty() || bytes.size() > INT_MAX) return false;
    // Opened the way a text-mode stream opens for output: created or truncated,
    // with no sharing restriction.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const BOOL closed = CloseHandle(file);
    return wrote && closed && written == bytes.size();
}

}  // namespace zav
