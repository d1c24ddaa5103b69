// Taking and letting go of a hold on the network session's input.
#include "NetInputHold.h"

#include <utility>

#include "NetworkSession.h"

namespace reversi {

NetInputHold::NetInputHold(NetworkSession& session) : session_(&session) { session.Hold(); }

NetInputHold::~NetInputHold() { Let(); }

NetInputHold::NetInputHold(NetInputHold&& other) noexcept
    : session_(std::exchange(other.session_, nullptr)) {}

NetInputHold& NetInputHold::operator=(NetInputHold&& other) noexcept {
    if (this != &other) {
        Let();
        session_ = std::exchange(other.session_, nullptr);
    }
    return *this;
}

void NetInputHold::Let() {
    if (session_) session_->Release();
    session_ = nullptr;
}

}  // namespace reversi
