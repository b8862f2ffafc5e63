#pragma once

namespace rafta::testing {

// A match in progress: our car "me" (team 0) touched the ball last, which flies fast towards the
// goal we attack; the stored total has been read and 20 s of game time have passed.
inline constexpr const char* kReadyToCount =
    "car me id me-id team 0\n"
    "car rival id rival-id team 1\n"
    "local me\n"
    "state ingame=1\n"
    "ball pos 0 4000 100 vel 1000 0 0\n"
    "load\n"
    "wait 1\n"
    "clock 20\n"
    "touch me\n";

}  // namespace rafta::testing
