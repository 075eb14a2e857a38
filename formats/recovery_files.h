#pragma once
// Where recovery copies live and whose they are. Every run of the program writes
// its copy to a file of its own, "copy-<process>-<start>.zavrecovery" in
// %LOCALAPPDATA%\ZAV Caption\Recovery, and holds a named mutex of the same name for
// as long as it runs: the system drops the mutex with the process however it ends,
// so a copy without its mutex belongs to a run that did not end cleanly, and two
// running instances never take each other's copy.
//
// A copy the user declined, or one that could not be read, is set aside under a
// name with its date ("declined <date>.zavrecovery", "unreadable <date>.zavrecovery");
// the newest few declined copies are kept, unreadable ones are never deleted.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zav::recovery {

// The recovery folder (not created here). Tests name another; an empty name turns
// recovery copies off.
std::wstring folder();
void setFolderForTesting(std::optional<std::wstring> folder);

// Creates the folder and the ones above it; true when it exists.
bool ensureFolder(const std::wstring& folder);

// This run's copy and the marker that shows it is alive.
class CopyOwner {
public:
    explicit CopyOwner(const std::wstring& folder);
    ~CopyOwner();
    CopyOwner(const CopyOwner&) = delete;
    CopyOwner& operator=(const CopyOwner&) = delete;

    const std::wstring& path() const noexcept { return path_; }
    // Ends the ownership: the copy is left for the next start to offer.
    void release() noexcept;

private:
    std::wstring path_;
    HANDLE marker_ = nullptr;
};

struct OrphanedCopy {
    std::wstring path;
    FILETIME written{};
};

// The copies in the folder whose owner is gone, newest first.
std::vector<OrphanedCopy> orphanedCopies(const std::wstring& folder);

// Moves the copy aside as "<kind> <date of its last write>.zavrecovery" and gives the
// new path (nothing when it could not be moved). Declined copies beyond the newest
// kKeptDeclined are deleted.
inline constexpr int kKeptDeclined = 5;
std::optional<std::wstring> setAside(const std::wstring& path, const wchar_t* kind);

// The local time of a file time as "2026-12-09 01:40:12".
std::wstring localTimeText(const FILETIME& time);

}  // namespace zav::recovery
