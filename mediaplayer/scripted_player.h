#pragma once
// A player control for in-process tests: the real control's COM objects over an
// engine whose states, duration and clock the test sets. No graph, no timer, no
// thread: what the test writes is what the host reads.
//
//     zav::player::ScriptedPlayerRegistration player;   // CoRegisterClassObject
//     ... the code under test creates the control by class id (AtlAxWin) ...
//     zav::player::ScriptedState& s = *player.last();
//     s.duration = 60; s.position = 12.5;                // the host now sees these
//     EXPECT_EQ(s.playCalls, 1);
//
// COM must be initialised on the thread before the registration is made.

#include "mediaplayer/scripted_state.h"

#include <windows.h>

#include <memory>

namespace zav::player {

// Registers the scripted control as the class object of the player's class id for
// this thread's apartment (CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE) and revokes it
// when destroyed. Every control created meanwhile gets a fresh state copied from
// defaults().
class ScriptedPlayerRegistration {
public:
    ScriptedPlayerRegistration();
    ScriptedPlayerRegistration(const ScriptedPlayerRegistration&) = delete;
    ScriptedPlayerRegistration& operator=(const ScriptedPlayerRegistration&) = delete;
    ~ScriptedPlayerRegistration();

    // The result of CoRegisterClassObject.
    HRESULT result() const noexcept { return result_; }
    // The starting state of controls created from now on.
    ScriptedState& defaults() noexcept;
    // The state of the newest control, or null before the first is created.
    ScriptedState* last() const noexcept;
    // Every control created so far, oldest first.
    int createdCount() const noexcept;
    ScriptedState* state(int index) const noexcept;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    DWORD cookie_ = 0;
    HRESULT result_ = E_FAIL;
};

}  // namespace zav::player
