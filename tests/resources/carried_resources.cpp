#include "tests/resources/carried_resources.h"

#include "acapi/gs_memory.h"
#include "acapi/rs.h"

extern "C" GSResModule ResourcesCarrier_RegisterResources();

namespace carried {

namespace {

GSResModule Module() {
    static const GSResModule module = ResourcesCarrier_RegisterResources();
    return module;
}

// Larger than any text of the lists, so that no text is cut.
constexpr std::int32_t kTextBufferSize = 1024;

}  // namespace

std::string Resource(GSType type, GSResID id) {
    GSHandle handle = RSLoadResource(type, Module(), id);
    if (handle == nullptr) {
        return {};
    }
    std::string bytes(*handle, static_cast<std::size_t>(BMGetHandleSize(handle)));
    BMKillHandle(&handle);
    return bytes;
}

std::vector<std::string> Texts(GSResID list) {
    std::vector<std::string> texts;
    char buffer[kTextBufferSize];
    for (std::int32_t index = 1;
         RSGetIndString_ParamAdapter(buffer, kTextBufferSize, list, index, Module(), 0); ++index) {
        texts.emplace_back(buffer);
    }
    return texts;
}

}  // namespace carried
