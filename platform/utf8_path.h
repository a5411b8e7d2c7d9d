// Paths travel through the host and its tools as UTF-8 text; these turn such a text into a
// std::filesystem path and back, the same on both systems.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

inline std::filesystem::path PathOfUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8OfPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace platform
