#pragma once
// One outgoing interface of the player object (IConnectionPoint). It lives inside the
// player object and shares its reference count, so a host holding the connection
// point keeps the player alive, as COM expects.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "win/com_ptr.h"

#include <functional>
#include <vector>

namespace zav::player {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& owner, REFIID iid) : owner_(owner), iid_(iid) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    const IID& iid() const noexcept { return iid_; }
    // The sinks, copied so that a sink may unadvise while it is being called.
    std::vector<ComPtr<IUnknown>> sinks() const;
    long advised() const noexcept { return advised_; }
    long unadvised() const noexcept { return unadvised_; }
    // Called after every successful Advise and Unadvise.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };

    IConnectionPointContainer& owner_;
    IID iid_;
    std::vector<Connection> sinks_;
    DWORD nextCookie_ = 1;
    long advised_ = 0;
    long unadvised_ = 0;
    std::function<void()> changed_;
};

}  // namespace zav::player
