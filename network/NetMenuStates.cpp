// The Network menu's states from the session's link state.
#include "NetMenuStates.h"

#include "NetworkSession.h"

namespace reversi {

NetMenuStates MenuStatesOf(const NetworkSession& session) {
    NetMenuStates states;
    const bool linked = session.IsConnected();
    states.callEnabled = !linked;
    states.allowCallEnabled = !linked;
    states.allowCallChecked = session.IsListening();
    states.disconnectEnabled = linked;
    states.messageEnabled = linked;
    return states;
}

}  // namespace reversi
