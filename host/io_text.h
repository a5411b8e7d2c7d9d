// Conversions between the host's wide strings, location texts and native paths.
#pragma once

#include <cstddef>
#include <string>

#include "acapi/ac_types.h"
#include "acapi/gs_unistring.h"

namespace host {

std::string Utf8Of(const GS::UniString& text);
// A module's 8-bit text as UTF-8: text that is well-formed UTF-8 with at least one multi-byte
// sequence is taken as UTF-8 (as the Japanese lists are stored), any other as the system code page.
std::string Utf8OfModuleText(const char* text);
// The native path of a location text (UTF-8, Windows form).
std::string NativePathOf(const char* locationText);
// errno after a failed file operation, as a host file-system error.
GSErrCode FileErrorFromErrno(int error);
// Memory for the file-system objects, from the host allocator; raises std::bad_alloc.
void* HostObjectMemory(std::size_t size);

}  // namespace host
