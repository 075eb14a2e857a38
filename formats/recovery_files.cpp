#include "formats/recovery_files.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>

namespace zav::recovery {
namespace {

constexpr wchar_t kExtension[] = L".zavrecovery";
constexpr wchar_t kDeclined[] = L"declined";

std::optional<std::wstring>& testFolder() {
    static std::optional<std::wstring> folder;
    return folder;
}

std::wstring localAppData() {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) return buffer;
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return path;
    return std::wstring();
}

std::wstring withSlash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

// The mutex a copy's owner holds, named after the copy's file name.
std::wstring markerName(const std::wstring& fileName) { return L"ZAVCaptionRecovery-" + fileName; }

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool ownerAlive(const std::wstring& fileName) {
    HANDLE marker = OpenMutexW(SYNCHRONIZE, FALSE, markerName(fileName).c_str());
    if (!marker) return false;
    CloseHandle(marker);
    return true;
}

struct Entry {
    std::wstring name;
    FILETIME written;
};

std::vector<Entry> entries(const std::wstring& pattern) {
    std::vector<Entry> found;
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back({data.cFileName, data.ftLastWriteTime});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(found.begin(), found.end(),
              [](const Entry& a, const Entry& b) { return CompareFileTime(&a.written, &b.written) > 0; });
    return found;
}

void pruneDeclined(const std::wstring& folder) {
    const std::vector<Entry> declined = entries(folder + kDeclined + L" *" + kExtension);
    for (std::size_t i = kKeptDeclined; i < declined.size(); ++i) DeleteFileW((folder + declined[i].name).c_str());
}

}  // namespace

std::wstring folder() {
    if (testFolder()) return *testFolder();
    const std::wstring base = localAppData();
    return base.empty() ? std::wstring() : withSlash(base) + L"ZAV Caption\\Recovery";
}

void setFolderForTesting(std::optional<std::wstring> folder) { testFolder() = std::move(folder); }

bool ensureFolder(const std::wstring& folder) {
    if (folder.empty()) return false;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::size_t slash = folder.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0 && folder[slash - 1] != L':') ensureFolder(folder.substr(0, slash));
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

CopyOwner::CopyOwner(const std::wstring& folder) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    wchar_t name[96];
    swprintf(name, 96, L"copy-%lu-%08lx%08lx%ls", GetCurrentProcessId(), now.dwHighDateTime, now.dwLowDateTime,
             kExtension);
    path_ = withSlash(folder) + name;
    marker_ = CreateMutexW(nullptr, FALSE, markerName(name).c_str());
}

CopyOwner::~CopyOwner() { release(); }

void CopyOwner::release() noexcept {
    if (marker_) CloseHandle(marker_);
    marker_ = nullptr;
}

std::vector<OrphanedCopy> orphanedCopies(const std::wstring& folder) {
    std::vector<OrphanedCopy> orphans;
    if (folder.empty()) return orphans;
    const std::wstring base = withSlash(folder);
    for (const Entry& entry : entries(base + L"copy-*" + kExtension)) {
        if (!ownerAlive(entry.name)) orphans.push_back({base + entry.name, entry.written});
    }
    return orphans;
}

std::wstring localTimeText(const FILETIME& time) {
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &t)) return L"an unknown time";
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::optional<std::wstring> setAside(const std::wstring& path, const wchar_t* kind) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const std::wstring folder = path.substr(0, path.size() - fileNameOf(path).size());
    std::wstring stamp = localTimeText(data.ftLastWriteTime);
    std::replace(stamp.begin(), stamp.end(), L':', L'-');
    const std::wstring base = folder + kind + L" " + stamp;
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::wstring target = base + (attempt > 1 ? L" (" + std::to_wstring(attempt) + L")" : L"") + kExtension;
        if (MoveFileExW(path.c_str(), target.c_str(), 0)) {
            if (std::wstring(kind) == kDeclined) pruneDeclined(folder);
            return target;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zav::recovery
