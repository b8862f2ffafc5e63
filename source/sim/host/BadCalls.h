#pragma once

#include <string_view>

#include "sim/host/HostBehaviour.h"

namespace rafta::sim {

// Calls the real game crashes on: anything but IsNull through a null handle, and a question put
// to an object that cannot answer it (a car's question to the goal frame's object). The real
// host's handles reach straight into the game's memory, so such a call is never answered there;
// HostBehaviour::crashOnBadCalls says whether this host answers it anyway.
//
//   calls.made("GetPRI", "the goal frame's object");  // throws GameCrash under crash
class BadCalls {
 public:
  // Registers as the one that handles without a host address report to (one host at a time).
  explicit BadCalls(const HostBehaviour& behaviour);
  BadCalls(const BadCalls&) = delete;
  BadCalls& operator=(const BadCalls&) = delete;
  ~BadCalls();

  // When the host crashes on such calls, throws GameCrash naming the call and the object; else
  // returns, and the caller answers false, 0, an empty text or a null handle.
  void made(std::string_view call, std::string_view object) const;

  // For handles that carry no host's address (a null console variable): those of the host made
  // last that still exists, or, without one, calls that are answered.
  [[nodiscard]] static const BadCalls& ofLatestHost();
  // Calls that are always answered: for what asks without any host.
  [[nodiscard]] static const BadCalls& answered();

 private:
  struct Unregistered {};
  BadCalls(const HostBehaviour& behaviour, Unregistered /*unregistered*/);

  const HostBehaviour& behaviour_;
  bool registered_;
};

}  // namespace rafta::sim
