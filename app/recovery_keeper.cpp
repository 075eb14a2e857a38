#include "app/recovery_keeper.h"

#include "win/file_io.h"
#include "win/modal_ui.h"

#include <chrono>
#include <string>
#include <utility>

namespace zav {
namespace {

std::string nowText() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::wstring text = recovery::localTimeText(now);
    return std::string(text.begin(), text.end());
}

std::wstring questionText(const RecoveryCopy& copy, const FILETIME& written) {
    const std::wstring when =
        copy.savedAt.empty() ? recovery::localTimeText(written) : std::wstring(copy.savedAt.begin(), copy.savedAt.end());
    std::wstring holds;
    if (copy.transcriptMode) {
        holds = L"a transcript of " + std::to_wstring(copy.transcriptText.size()) + L" characters";
    } else {
        const int captions = recoveryCaptionCount(copy.document);
        holds = std::to_wstring(captions) + (captions == 1 ? L" caption" : L" captions");
    }
    return L"ZAV Caption did not end normally last time. A recovery copy of the work was saved at " + when +
           L"; it holds " + holds +
           L".\n\nRestore it? (No keeps the copy aside in the Recovery folder.)";
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(Hooks hooks)
    : hooks_(std::move(hooks)), clock_([] { return static_cast<std::int64_t>(GetTickCount64()); }) {}

RecoveryKeeper::~RecoveryKeeper() { waitForWrite(); }

void RecoveryKeeper::waitForWrite() {
    if (writing_.valid()) writing_.get();
}

void RecoveryKeeper::start(HWND owner) {
    window_ = owner;
    choice_ = readRecoveryChoice();
    schedule_.setTiming(recoveryTimingOf(choice_.enabled, choice_.intervalSeconds));
    const std::wstring folder = recovery::folder();
    if (folder.empty()) return;
    recovery::ensureFolder(folder);
    owner_ = std::make_unique<recovery::CopyOwner>(folder);
    takeBaseline();
}

void RecoveryKeeper::takeBaseline() {
    fingerprint_ = hooks_.fingerprint();
    copied_ = hooks_.content();
}

bool RecoveryKeeper::offerRestore() {
    if (!owner_ || busy_) return false;
    busy_ = true;
    // The window has settled (shown, focused): what it shows now needs no copy.
    takeBaseline();
    bool restored = false;
    for (const recovery::OrphanedCopy& orphan : recovery::orphanedCopies(recovery::folder())) {
        const std::optional<std::string> bytes = readFileBytes(orphan.path);
        // A copy that cannot be opened now (another program holds it) waits for a
        // later start.
        if (!bytes) continue;
        RecoveryReadResult read = readRecoveryCopy(*bytes);
        if (!read.copy) {
            const std::optional<std::wstring> aside = recovery::setAside(orphan.path, L"unreadable");
            const std::wstring text = L"A recovery copy could not be read (" +
                                      std::wstring(read.problem.begin(), read.problem.end()) + L"). It was kept as " +
                                      aside.value_or(orphan.path) + L".";
            showMessage(window_, text.c_str(), L"Recovery");
            continue;
        }
        if (restored || showMessage(window_, questionText(*read.copy, orphan.written).c_str(), L"Recovery",
                                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
            recovery::setAside(orphan.path, L"declined");
            continue;
        }
        hooks_.restore(*read.copy);
        restored = true;
        // The copy becomes this run's own: until a new one is written it still holds
        // the work.
        if (!MoveFileExW(orphan.path.c_str(), owner_->path().c_str(), MOVEFILE_REPLACE_EXISTING))
            recovery::setAside(orphan.path, L"restored");
        takeBaseline();
        schedule_.settled();
    }
    busy_ = false;
    return restored;
}

void RecoveryKeeper::tick() {
    if (!owner_ || busy_) return;
    busy_ = true;
    collect(false);
    // A moved fingerprint is a change; the content itself, costly on a long
    // document, is taken only once a copy is due: after the user has rested, or
    // once an interval.
    std::wstring fingerprint = hooks_.fingerprint();
    if (fingerprint != fingerprint_) {
        fingerprint_ = std::move(fingerprint);
        schedule_.changed(now());
    }
    if (!writing_.valid() && schedule_.due(now())) {
        RecoveryCopy content = hooks_.content();
        if (sameRecoveryContent(content, copied_)) {
            schedule_.settled();
        } else {
            launch(std::move(content));
        }
    }
    busy_ = false;
}

void RecoveryKeeper::launch(RecoveryCopy content) {
    content.savedAt = nowText();
    inFlight_ = content;
    schedule_.written();
    const std::wstring path = owner_->path();
    writing_ = std::async(std::launch::async, [path, copy = std::move(content)] {
        const auto start = std::chrono::steady_clock::now();
        Outcome outcome;
        outcome.written = writeFileBytes(path, recoveryCopyBytes(copy));
        outcome.microseconds =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        return outcome;
    });
}

void RecoveryKeeper::collect(bool wait) {
    if (!writing_.valid()) return;
    if (!wait && writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    const Outcome outcome = writing_.get();
    lastWriteMicroseconds_ = outcome.microseconds;
    if (outcome.written) {
        copied_ = std::move(inFlight_);
        return;
    }
    schedule_.failed(now());
    reportFailure();
}

void RecoveryKeeper::reportFailure() {
    if (failureReported_ || !window_) return;
    failureReported_ = true;
    const std::wstring text = L"A recovery copy of the work could not be written to " + recovery::folder() +
                              L". The program keeps trying without asking again; save your work to be safe.";
    showMessage(window_, text.c_str(), L"Recovery");
}

void RecoveryKeeper::finishWrites() {
    const bool wasBusy = busy_;
    busy_ = true;
    collect(true);
    busy_ = wasBusy;
}

void RecoveryKeeper::endCleanly() {
    waitForWrite();
    if (!owner_) return;
    DeleteFileW(owner_->path().c_str());
    owner_.reset();
}

void RecoveryKeeper::stop() {
    waitForWrite();
    owner_.reset();
}

void RecoveryKeeper::setChoice(const RecoveryChoice& choice) {
    const bool turnedOn = choice.enabled && !choice_.enabled;
    choice_ = choice;
    writeRecoveryChoice(choice);
    schedule_.setTiming(recoveryTimingOf(choice.enabled, choice.intervalSeconds));
    // Turned off, the copy there is out of date: it goes, as at a clean end, and it
    // is no longer offered at the next start.
    if (!choice.enabled && owner_) {
        collect(true);
        DeleteFileW(owner_->path().c_str());
        copied_ = hooks_.content();
    }
    // Turned on again, the work as it stands is copied soon.
    if (turnedOn) {
        copied_ = RecoveryCopy();
        schedule_.changed(now());
    }
}

}  // namespace zav
