// The empty file "Velmora_AC<main version>.vlm" in the settings folder that tells the member
// tools the hub is loaded. Written at CheckEnvironment and before each member launch.
#pragma once

#include <cstdint>
#include <optional>

// With no version given, the version is asked of the host. False when the file cannot be made.
[[nodiscard]] bool CreatePresenceMarker(std::optional<std::int16_t> mainVersion = std::nullopt);
// Its absence is no error.
void DeletePresenceMarker();
