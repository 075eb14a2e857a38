#include "mediaplayer/scripted_player.h"

#include <ole2.h>

#include "mediaplayer/class_factory.h"
#include "mediaplayer/scripted_engine.h"
#include "win/wmp_interfaces.h"

namespace zav::player {

struct ScriptedPlayerRegistration::Shared {
    ScriptedState defaults;
    std::vector<std::shared_ptr<ScriptedState>> created;
};

ScriptedPlayerRegistration::ScriptedPlayerRegistration() : shared_(std::make_shared<Shared>()) {
    // The factory keeps the shared record alive for as long as COM holds it.
    std::shared_ptr<Shared> shared = shared_;
    auto* factory = new PlayerClassFactory([shared]() -> std::unique_ptr<PlaybackEngine> {
        auto state = std::make_shared<ScriptedState>(shared->defaults);
        shared->created.push_back(state);
        return std::make_unique<ScriptedEngine>(std::move(state));
    });
    result_ = CoRegisterClassObject(wmp::kClsidPlayer, static_cast<IClassFactory*>(factory), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();
}

ScriptedPlayerRegistration::~ScriptedPlayerRegistration() {
    if (SUCCEEDED(result_)) CoRevokeClassObject(cookie_);
}

ScriptedState& ScriptedPlayerRegistration::defaults() noexcept {
    return shared_->defaults;
}

ScriptedState* ScriptedPlayerRegistration::last() const noexcept {
    return shared_->created.empty() ? nullptr : shared_->created.back().get();
}

int ScriptedPlayerRegistration::createdCount() const noexcept {
    return static_cast<int>(shared_->created.size());
}

ScriptedState* ScriptedPlayerRegistration::state(int index) const noexcept {
    if (index < 0 || index >= createdCount()) return nullptr;
    return shared_->created[static_cast<size_t>(index)].get();
}

}  // namespace zav::player
