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

// No link: "Call" and "Allow call"; a link up: "Disconnect" and "Message".
// While a call is under way neither "Call" nor "Allow call" (a second call
// would be ignored) nor the link's items.
NetMenuStates MenuStatesOf(const NetworkSession& session);

}  // namespace reversi
