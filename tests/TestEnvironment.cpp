// The one place that sets the test environment, linked into every test
// program: tests never need a real sound card or display, so unless the
// caller chose otherwise audio runs on SDL's dummy driver and widgets on the
// offscreen platform.
#include <cstdlib>

namespace {
const bool quietEnvironment = [] {
    return ::setenv("SDL_AUDIODRIVER", "dummy", 0) == 0 &&
           ::setenv("QT_QPA_PLATFORM", "offscreen", 0) == 0;
}();
}  // namespace
