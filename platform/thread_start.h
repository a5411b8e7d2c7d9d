// A thread that nobody waits for: it owns its argument and ends on its own.
#pragma once

namespace platform {

using ThreadEntry = void (*)(void* argument);

// False when the system could not start the thread; entry then never runs.
[[nodiscard]] bool StartDetachedThread(ThreadEntry entry, void* argument);

}  // namespace platform
