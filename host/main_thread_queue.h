// Work handed to the host's main loop. Any thread may post; only the main thread runs the queue.
#pragma once

#include <functional>

#include "acapi/ac_types.h"

namespace host {

void PostToMainThread(API_AddonContext owner, std::function<void()> work);
// Drops what `owner` queued and has not run yet: its module is going away.
void DiscardPendingWork(API_AddonContext owner);

}  // namespace host
