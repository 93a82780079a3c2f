#pragma once

#include <functional>

#include "toolkit/core/Object.h"

namespace tk {

// An event handler told only which object raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;

// Runs handler, when there is one, from a copy: the handler may then free the sender or
// replace itself while it runs.
inline void RaiseEvent(const TNotifyEvent& handler, TObject* sender) {
  const TNotifyEvent running = handler;
  if (running) running(sender);
}

}  // namespace tk
