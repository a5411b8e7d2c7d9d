#pragma once

// Texts between UTF-8, in which the module keeps every path, and the UTF-16 of the system's wide
// calls, which reach any file name whatever the code page.
#include <string>
#include <vector>

namespace platform::win32 {

// Zero-terminated; an empty text for what cannot be converted.
std::vector<wchar_t> WideOfUtf8(const std::string& utf8);

std::string Utf8OfWide(const wchar_t* wide);

}  // namespace platform::win32
