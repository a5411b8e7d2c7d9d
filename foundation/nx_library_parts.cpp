#include "foundation/nx_library_parts.h"

#include <algorithm>

namespace {

// The host may attach a location to any answer; it is ours to release.
struct LibPartRecord : API_LibPart {
    // NOLINTNEXTLINE(clang-analyzer-optin.cplusplus.UninitializedObject): {} zeroes every field
    LibPartRecord() : API_LibPart{} {}
    LibPartRecord(const LibPartRecord&) = delete;
    LibPartRecord& operator=(const LibPartRecord&) = delete;
    ~LibPartRecord() { delete location; }
};

}  // namespace

int NX_FindLibraryPart(const char* fileName, int typeId) {
    NX_String name(fileName);
    const int dot = name.ReverseFind(".");
    if (dot >= 0) {
        name = name.Mid(0, dot);
    }
    const GS::UniString wideName = name.ToUniString();
    LibPartRecord part;
    part.typeID = typeId;
    const std::size_t length = std::min<std::size_t>(wideName.GetLength(), 255);
    std::copy_n(wideName.ToUStr(), length, part.docu_UName);
    if (HostInterface::LibPartSearch(&part, false, false) != NoError || part.missingDef) {
        return -1;
    }
    return part.index;
}

bool NX_GetLibraryPartLocation(int index, NX_Location& out) {
    LibPartRecord part;
    part.index = index;
    if (HostInterface::LibPartGet(&part) != NoError || part.missingDef ||
        part.location == nullptr) {
        return false;
    }
    out = NX_Location(*part.location);
    return !out.GetExactText().empty();
}
