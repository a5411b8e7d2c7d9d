#include "settings/marker_sweep.h"

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"

void SweepMarkers() {
    // Without the host's version no file is known to be a marker of this host.
    API_ServerApplicationInfo application{};
    NX_Location folder;
    if (HostInterface::Environment(FourCharCode("APPL"), &application) != NoError ||
        GetSettingsFolder(folder) != NoError) {
        return;
    }
    const NX_String suffix =
        NX_String::Format("_%ld.vlm", static_cast<long>(application.mainVersion));
    NX_List<NX_Location> files;
    if (!ListFolder(folder, nullptr, false, files)) {
        return;
    }
    for (int i = 0; i < files.GetCount(); ++i) {
        // The exact name decides: a best-fitted one could end in the suffix when the file's
        // own name does not.
        if (files[i].GetExactName().ends_with(suffix.GetText())) {
            DeleteEntry(files[i]);
        }
    }
}
