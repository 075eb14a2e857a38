#pragma once
// Recovery copies of the running program's work. On a steady tick the keeper takes
// a cheap fingerprint of what the user is working on; a moved fingerprint is a
// change, and a copy is due a few seconds after the last change, and at least every
// interval while changes go on (core/recovery_schedule.h). Only then is the content
// taken on the window's thread (the caption document in every language with the
// shown language and the selection, the open film, the transcript in transcript
// mode); when it differs from the last copy, it is made into bytes and written
// through the safe save on a worker thread, one write at a time, so typing never
// waits for the disk. A write that fails is reported once a run.
//
// At start-up the copies of runs that did not end cleanly are offered, newest first
// (formats/recovery_files.h). Yes puts the work back and makes that copy this run's
// own (any older copies are then set aside without asking); No sets it aside under
// its date. A copy that cannot be read is reported and
// set aside, never deleted. A clean end removes this run's copy.

#include "core/recovery_copy.h"
#include "core/recovery_schedule.h"
#include "formats/recovery_files.h"
#include "formats/recovery_settings_dialog.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>

namespace zav {

class RecoveryKeeper {
public:
    struct Hooks {
        // What a copy holds now (savedAt is filled in by the keeper).
        std::function<RecoveryCopy()> content;
        // Puts a copy's work back, as one step of the history.
        std::function<void(const RecoveryCopy&)> restore;
        // Cheap to take on every tick (required): while it stays the same, so does
        // the content.
        std::function<std::wstring()> fingerprint;
    };
    using Clock = std::function<std::int64_t()>;

    explicit RecoveryKeeper(Hooks hooks);
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // Takes this run's copy file in the recovery folder (nothing when the folder is
    // off or unknown) and the remembered choice. The content as it is now is the
    // starting point: only what differs from it is copied. Messages are owned by owner.
    void start(HWND owner);
    // Offers the copies of runs that did not end cleanly; true when one was restored.
    // Runs once the window shows; the content then is the starting point again.
    bool offerRestore();
    // The steady tick: every second in the program; tests call it with their clock.
    void tick();
    // Waits for a write in flight and takes its outcome.
    void finishWrites();
    // The user confirmed the quit: this run's copy is removed.
    void endCleanly();
    // The window is going: writes end and the copy stays for the next start (unless
    // endCleanly ran).
    void stop();

    const RecoveryChoice& choice() const noexcept { return choice_; }
    // Applies the choice and remembers it for the next start.
    void setChoice(const RecoveryChoice& choice);
    void setClockForTesting(Clock clock) { clock_ = std::move(clock); }
    // This run's copy; empty when copies are off for the run.
    std::wstring copyPath() const { return owner_ ? owner_->path() : std::wstring(); }
    // How long the last write took on the worker (bytes made and written), in
    // microseconds.
    std::int64_t lastWriteMicroseconds() const noexcept { return lastWriteMicroseconds_; }

private:
    struct Outcome {
        bool written = false;
        std::int64_t microseconds = 0;
    };
    void collect(bool wait);
    // Waits for a write in flight without reporting its outcome (the window goes).
    void waitForWrite();
    void launch(RecoveryCopy content);
    void reportFailure();
    // Takes the content as the baseline: it needs no copy.
    void takeBaseline();
    std::int64_t now() const { return clock_(); }

    Hooks hooks_;
    HWND window_ = nullptr;
    std::unique_ptr<recovery::CopyOwner> owner_;
    RecoveryChoice choice_;
    RecoverySchedule schedule_;
    Clock clock_;
    // The content of the last copy (at first the start-up content, which needs none).
    RecoveryCopy copied_;
    RecoveryCopy inFlight_;
    std::wstring fingerprint_;
    std::future<Outcome> writing_;
    bool busy_ = false;
    bool failureReported_ = false;
    std::int64_t lastWriteMicroseconds_ = 0;
};

}  // namespace zav
