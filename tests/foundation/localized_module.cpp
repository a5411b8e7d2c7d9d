// A module that carries the hub's string lists, and two lists of long texts, and reads them with
// the module's own text fetch in the language it is asked for, as the hub reads its own.
#include <cstring>

#include "acapi/ac_export.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"

extern "C" ACAPI_MODULE_EXPORT void LocalizedModule_Fetch(short language, short list, short index,
                                                          char* buffer) {
    LanguageIndex = language;
    NX_FetchString(buffer, list, index);
}

// The message form into `out` (at least kFetchBufferSize bytes).
extern "C" ACAPI_MODULE_EXPORT void LocalizedModule_Message(short language, const char* text,
                                                            bool isError, const char* separator,
                                                            bool lowerFirst, char* out) {
    LanguageIndex = language;
    const NX_String message = NX_MakeMessage(text, isError, separator, lowerFirst);
    std::strncpy(out, message.GetText(), kFetchBufferSize - 1);
    out[kFetchBufferSize - 1] = '\0';
}
