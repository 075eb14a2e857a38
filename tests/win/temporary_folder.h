#pragma once
// A fresh folder under the temporary folder for tests that put real files on disk,
// and the helpers that look at what ended up there.

#include <windows.h>

#include <atomic>
#include <string>

namespace zav::test {

// What fileBytes gives for a path with no readable file behind it.
inline constexpr char kMissingFile[] = "<missing>";

// True when path names a file (a folder does not count).
inline bool fileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file's bytes, or kMissingFile when it cannot be opened.
inline std::string fileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kMissingFile;
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

// Removes path and everything under it. Read-only attributes are cleared first,
// since DeleteFileW and RemoveDirectoryW refuse read-only entries. A linked
// folder (reparse point) is removed itself, never followed.
inline void removeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") removeTree(path + L"\\" + name);
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }
    RemoveDirectoryW(path.c_str());
}

// A folder made fresh under the temporary folder, named from a prefix, the process
// id and a counter so no two in one run share a name; removed with everything in
// it when the object goes.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::wstring& prefix = L"zav-test-") {
        const DWORD length = GetTempPathW(0, nullptr);
        std::wstring base(length, L'\0');
        base.resize(GetTempPathW(length, &base[0]));
        if (!base.empty() && base.back() != L'\\') base += L'\\';
        const std::wstring stem = base + prefix + std::to_wstring(GetCurrentProcessId()) + L"-";
        // A name left behind by an earlier run with the same process id is passed over.
        for (int attempt = 0; attempt < 1000; ++attempt) {
            path_ = stem + std::to_wstring(counter_++);
            if (CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
    }
    ~TemporaryFolder() { removeTree(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::wstring& path() const { return path_; }
    bool exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // The full path of name (which may hold subfolders) in the folder; nothing is made.
    std::wstring inside(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Makes the subfolder name; its parent must exist already.
    std::wstring folder(const std::wstring& name) const {
        const std::wstring made = inside(name);
        CreateDirectoryW(made.c_str(), nullptr);
        return made;
    }
    // Makes (or replaces) the file name holding exactly bytes.
    std::wstring write(const std::wstring& name, const std::string& bytes) const {
        const std::wstring made = inside(name);
        const HANDLE file = CreateFileW(made.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        return made;
    }

private:
    static inline std::atomic<unsigned> counter_{0};
    std::wstring path_;
};

}  // namespace zav::test
