#include "win/file_io.h"

#include "win/handles.h"

#include <windows.h>

#include <new>

namespace zav {
namespace {

// ReadFile and WriteFile take 32-bit counts: large files go in pieces.
constexpr std::size_t kPiece = std::size_t{1} << 30;

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

bool writeFileBytes(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    // Created or truncated, with no sharing restriction, as a text-mode stream opens.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        DWORD count = 0;
        if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(left > kPiece ? kPiece : left), &count,
                       nullptr) ||
            count == 0)
            return false;
        done += count;
    }
    return file.close();
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
