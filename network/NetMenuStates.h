// Which items of the Network menu are enabled and ticked, from the session's
// state: the window applies it whenever the session reports a change.
#pragma once

namespace reversi {

class NetworkSession;

struct NetMenuStates {
    bool callEnabled = true;         // "Call"
    bool allowCallEnabled = true;    // "Allow call"
    bool allowCallChecked = false;   // ticked exactly while listening
    bool disconnectEnabled = false;  // "Disconnect"
    bool messageEnabled = false;     // "Message"
    // "Get IP address" is always enabled.

    bool operator==(const NetMenuStates&) const = default;
};

// No link (a call under way included): "Call" and "Allow call"; a link up:
// "Disconnect" and "Message". A call placed during another replaces it.
NetMenuStates MenuStatesOf(const NetworkSession& session);

}  // namespace reversi
