#include "members/presence_marker.h"

#include "foundation/nx_file_lock.h"
#include "foundation/nx_files.h"
#include "foundation/nx_location.h"

namespace {

std::int16_t HostMainVersion() {
    API_ServerApplicationInfo application{};
    HostInterface::Environment(FourCharCode("APPL"), &application);
    return application.mainVersion;
}

bool MarkerPath(std::int16_t mainVersion, NX_Location& path) {
    NX_Location folder;
    if (GetSettingsFolder(folder) != NoError) {
        return false;
    }
    path = folder.Join(
        NX_String::Format("Velmora_AC%ld.vlm", static_cast<long>(mainVersion)).GetText());
    return true;
}

}  // namespace

bool CreatePresenceMarker(std::optional<std::int16_t> mainVersion) {
    // The host is asked only when the caller has no version: before Initialize (CheckEnvironment)
    // the module holds no context to ask it with.
    NX_Location path;
    if (!MarkerPath(mainVersion ? *mainVersion : HostMainVersion(), path)) {
        return false;
    }
    // A stale marker of an earlier run is replaced by a new empty file. Two copies of the host
    // started together write it together: one at a time, as the system cannot replace a file
    // that the other is still moving into place.
    const NX_FileLock lock(path);
    return lock.Held() && WriteFile(path, "", 0, false, true) == 0;
}

void DeletePresenceMarker() {
    NX_Location path;
    if (MarkerPath(HostMainVersion(), path)) {
        const NX_FileLock lock(path);
        if (lock.Held()) {
            DeleteEntry(path);
        }
    }
}
