// The host's debug output.
#pragma once

#include "ac_export.h"

extern "C" ACAPI_HOST_API void DBPrintf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
