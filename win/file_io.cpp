#include "win/file_io.h"

#include "win/handles.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <new>

namespace zav {
namespace {

// ReadFile and WriteFile take 32-bit counts: large files go in pieces.
constexpr std::size_t kPiece = std::size_t{1} << 30;

// Where tests make writes fail, as a full disk would.
std::optional<std::size_t> writeFailureAfter;

// Runs attempt until it succeeds, or fails for another reason than a file that some
// other program has open at that moment (a virus scanner, a backup, a viewer reading
// it): such a file is usually let go within moments, and is tried again for up to a
// second before the write counts as failed.
template <typename Attempt>
bool retriedWhileInUse(Attempt attempt) {
    constexpr int kTries = 20;
    constexpr DWORD kPauseMs = 50;
    for (int tryNumber = 1;; ++tryNumber) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (tryNumber == kTries || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
        Sleep(kPauseMs);
    }
}

// A new name in the target's folder: a short one, so that a target whose path is
// near the length limit still has room for it.
std::wstring temporaryPathBeside(const std::wstring& path) {
    // Recovery copies are written from a worker thread while the window saves.
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    wchar_t name[32];
    swprintf(name, 32, L"~zav%04lx%04x.tmp", static_cast<unsigned long>(GetCurrentProcessId() & 0xFFFF),
             ++counter & 0xFFFF);
    return folder + name;
}

bool writeWhole(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t piece = std::min(bytes.size() - done, kPiece);
        if (writeFailureAfter) {
            if (done >= *writeFailureAfter) return false;
            piece = std::min(piece, *writeFailureAfter - done);
        }
        DWORD count = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(piece), &count, nullptr) || count == 0)
            return false;
        done += count;
    }
    return true;
}

}  // namespace

std::wstring widePathOf(const std::string& ansiPath) {
    if (ansiPath.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), static_cast<int>(ansiPath.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring path(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), static_cast<int>(ansiPath.size()), &path[0], length);
    return path;
}

std::optional<std::string> readFileBytes(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
    std::string bytes;
    try {
        if (static_cast<unsigned long long>(size.QuadPart) >= bytes.max_size()) return std::nullopt;
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        DWORD count = 0;
        if (!ReadFile(file.get(), &bytes[done], static_cast<DWORD>(left > kPiece ? kPiece : left), &count, nullptr))
            return std::nullopt;
        if (count == 0) break;  // the file became shorter: the data ends here
        done += count;
    }
    bytes.resize(done);
    return bytes;
}

std::optional<std::string> readFileBytes(const std::string& ansiPath) { return readFileBytes(widePathOf(ansiPath)); }

WriteFailureForTesting::WriteFailureForTesting(std::size_t failAfterBytes) { writeFailureAfter = failAfterBytes; }
WriteFailureForTesting::~WriteFailureForTesting() { writeFailureAfter.reset(); }

bool writeFileBytes(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
        // The target is replaced only where it could have been written in place.
        const auto openForWriting = [&path] {
            return static_cast<bool>(UniqueHandle(CreateFileW(path.c_str(), GENERIC_WRITE,
                                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
        };
        if (!retriedWhileInUse(openForWriting)) return false;
    }
    const std::wstring temporary = temporaryPathBeside(path);
    UniqueHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bool written = writeWhole(file.get(), bytes) && FlushFileBuffers(file.get());
    written = file.close() && written;
    written = written && retriedWhileInUse([&] {
                  return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
              });
    if (!written) DeleteFileW(temporary.c_str());
    return written;
}

std::optional<std::wstring> firstMatchingEntry(const std::wstring& pattern) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    return std::wstring(found.cFileName);
}

bool writeFileBytes(const std::string& ansiPath, std::string_view bytes) {
    return writeFileBytes(widePathOf(ansiPath), bytes);
}

}  // namespace zav
