// The texts network play shows the player, in one place so that the window,
// the session and the tests use the very same words.
#pragma once

namespace reversi::nettext {

inline constexpr char OpenSocketError[] = "NETWORK: Connection failed - open socket error!";
inline constexpr char CallError[] = "NETWORK: Connection failed - opponent call error!";
inline constexpr char CannotListen[] = "NETWORK: Cannot enable listing!";
inline constexpr char PeerBusy[] = "NETWORK: Opponent is busy.";
inline constexpr char PeerRefused[] = "NETWORK: Opponent has refused to play.";
inline constexpr char PeerAbandoned[] = "NETWORK: Opponent has abandonned a game.";
inline constexpr char AbortQuestion[] = "NETWORK: Do you want abort network game?";
// The peer sent more than the receive buffer holds, or stopped reading ours.
inline constexpr char PeerFlooded[] = "NETWORK: Opponent sends too much data - connection closed.";
inline constexpr char NoNetworkGame[] = "Network game not in progress. Function not work.";

}  // namespace reversi::nettext
