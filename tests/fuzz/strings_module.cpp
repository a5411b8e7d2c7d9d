// The module side of the string-list target: a module whose string lists are the fuzzed bytes,
// read through the module's own text fetch, so that the host's resource manager finds them in
// this module as it finds the hub's.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "acapi/ac_export.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "platform/embedded_resources.h"
#include "resources/resource_ids.h"

namespace {

constexpr std::int16_t kEnglish = 1;
constexpr std::int16_t kGerman = 3;
constexpr std::int16_t kJapanese = 5;

// Every list a fetch in the three languages below may read, of both string types: the family
// lists of the language and of English, and the general lists.
constexpr std::int16_t kListIds[] = {
    resource_ids::kMenuItemStrings + kEnglish,  resource_ids::kMenuItemStrings + kGerman,
    resource_ids::kMenuItemStrings + kJapanese, resource_ids::kGeneralStrings + kEnglish,
    resource_ids::kGeneralStrings + kGerman,    resource_ids::kGeneralStrings + kJapanese,
};
constexpr std::size_t kListCount = sizeof kListIds / sizeof kListIds[0];

platform::EmbeddedResource entries[2 * kListCount] = {};

}  // namespace

// Looked up by name, as the host looks up a module's resources.
extern "C" ACAPI_MODULE_EXPORT platform::EmbeddedResourceDirectory ACAPI_ResourceDirectory = {
    2 * kListCount, entries};

// Makes `bytes` every string list of the module, then fetches texts 1 to 5 and one far past the
// end of each list in English, German and Japanese; answers false when a fetched text does not
// fit the fetch buffer. `firstGeneral` receives text 1 of the English general list.
extern "C" ACAPI_MODULE_EXPORT bool StringsFuzz_FetchAll(const unsigned char* bytes,
                                                         std::uint32_t size,
                                                         char (&firstGeneral)[kFetchBufferSize]) {
    for (std::size_t i = 0; i < kListCount; ++i) {
        for (std::size_t type = 0; type < 2; ++type) {
            platform::EmbeddedResource& entry = entries[2 * i + type];
            std::memcpy(entry.type, type == 0 ? "STRS" : "STRL", 4);
            entry.id = kListIds[i];
            entry.size = size;
            entry.data = bytes;
        }
    }
    constexpr short kIndices[] = {1, 2, 3, 4, 5, 400};
    for (const std::int16_t language : {kEnglish, kGerman, kJapanese}) {
        LanguageIndex = language;
        for (const short index : kIndices) {
            for (const std::int16_t base :
                 {resource_ids::kMenuItemStrings, resource_ids::kGeneralStrings}) {
                char buffer[kFetchBufferSize];
                NX_FetchString(buffer, static_cast<short>(base + language), index);
                if (std::memchr(buffer, 0, sizeof buffer) == nullptr) {
                    return false;
                }
            }
        }
    }
    LanguageIndex = kEnglish;
    NX_FetchString(firstGeneral, resource_ids::kGeneralStrings + kEnglish, 1);
    return true;
}
