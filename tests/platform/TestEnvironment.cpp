// Tests never need a real sound card: unless the caller chose a driver, the
// audio tests run on SDL's dummy driver (the Makefile sets it too).
#include <cstdlib>

namespace {
const bool dummyAudio = [] { return ::setenv("SDL_AUDIODRIVER", "dummy", 0) == 0; }();
}  // namespace
