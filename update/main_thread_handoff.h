// Download threads never touch a dialog or the module's records: they hand the final state of a
// download to the host's main thread, where the rest of the work runs.
#pragma once

#include <cstdint>

using MainThreadWork = void (*)(std::int32_t state);

// Posts `work(state)` to the host's main loop as a command of the hub to itself. Any thread may
// call; false when the host would not take it.
[[nodiscard]] bool HandToMainThread(MainThreadWork work, std::int32_t state);
