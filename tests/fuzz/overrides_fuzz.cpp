// Any bytes as "100_s.txt" in the module's library: loading in every language and looking up
// texts never reads outside the file or the work areas.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "acapi/addon_entry.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_string_overrides.h"
#include "platform/native_path.h"
#include "shell/host_interface.h"

namespace {

std::string libraryFile;

// The host's library search, answering for one part: "100_s", the fuzzed file.
GSErrCode Search(API_AddonContext, API_LibPart* part, bool, bool) {
    if (std::u16string(part->docu_UName) != u"100_s") {
        return APIERR_BADID;
    }
    part->index = 1;
    return NoError;
}

GSErrCode Get(API_AddonContext, API_LibPart* part) {
    const std::string text = platform::LocationTextFromNativePath(libraryFile);
    part->location = new IO::Location(GS::UniString(text.c_str(), GS::CC_UTF8));
    return NoError;
}

void InstallLibrary() {
    static void* table[kImportedTableSize / sizeof(void*)] = {};
    table[static_cast<std::size_t>(ACAPI::Slot::LibPartSearch)] = reinterpret_cast<void*>(&Search);
    table[static_cast<std::size_t>(ACAPI::Slot::LibPartGet)] = reinterpret_cast<void*>(&Get);
    HostInterface::SetFunctionTable(table);
    char folder[] = "/tmp/velmora-overrides-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::abort();
    }
    libraryFile = std::string(folder) + "/100_s.txt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (libraryFile.empty()) {
        InstallLibrary();
    }
    std::FILE* file = std::fopen(libraryFile.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    for (std::int16_t language = 0; language <= 6; ++language) {
        LanguageIndex = language;
        NX_LoadStringOverrides();
        char out[500];
        for (unsigned short list = 32530; list <= 32537; ++list) {
            for (short index = 1; index <= 3; ++index) {
                NX_FindOverride(out, list, index);
            }
        }
    }
    return 0;
}
