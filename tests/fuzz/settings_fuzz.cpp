// Any bytes as the shared settings file: the reader keeps the records before a damaged one and
// never reads past the file; what it keeps writes back and reads again to the same records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaximumSettingsFileSize) {
        return 0;
    }
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& byte : text) {
        byte = static_cast<char>(ExchangeHalves(static_cast<unsigned char>(byte)));
    }
    NX_List<NX_Setting> records;
    DecodeSettings(text.data(), text.size(), records);

    const std::string written = EncodeSettings(records);
    NX_List<NX_Setting> reread;
    if (DecodeSettings(written.data(), written.size(), reread) != SettingsDecoding::Whole ||
        EncodeSettings(reread) != written) {
        __builtin_trap();
    }
    return 0;
}
