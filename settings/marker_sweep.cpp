#include "settings/marker_sweep.h"

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"

void SweepMarkers() {
    API_ServerApplicationInfo application{};
    HostInterface::Environment(FourCharCode("APPL"), &application);
    NX_String folder;
    if (GetSettingsFolderPath(folder) != NoError) {
        return;
    }
    const NX_String suffix =
        NX_String::Format("_%ld.vlm", static_cast<long>(application.mainVersion));
    NX_List<NX_Location> files;
    if (!ListFolder(folder.GetText(), nullptr, false, files)) {
        return;
    }
    for (int i = 0; i < files.GetCount(); ++i) {
        if (GetFileName(files[i].GetPath()).EndsWith(suffix.GetText())) {
            DeleteEntry(files[i].GetText());
        }
    }
}
