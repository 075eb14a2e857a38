#pragma once
// The class object of the player's class id: each instance it creates is a new
// PlayerControl over an engine from the maker it was given.

#include <windows.h>
#include <unknwn.h>

#include "mediaplayer/com_object.h"
#include "mediaplayer/playback_engine.h"

#include <atomic>
#include <functional>
#include <memory>

namespace zav::player {

using EngineMaker = std::function<std::unique_ptr<PlaybackEngine>()>;

class PlayerClassFactory final : public IClassFactory {
public:
    // The new object has one reference.
    explicit PlayerClassFactory(EngineMaker maker) : maker_(std::move(maker)) {}
    PlayerClassFactory(const PlayerClassFactory&) = delete;
    PlayerClassFactory& operator=(const PlayerClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~PlayerClassFactory() = default;

    std::atomic<long> references_{1};
    ModuleReference module_;
    EngineMaker maker_;
};

}  // namespace zav::player
