#include "update/installed_versions.h"

#include "members/member_registry.h"

void CollectInstalledVersions(NX_List<NX_AddonUpdate_AddonVerLibVer>& list) {
    list.Clear();
    for (int index = 0; index < kMemberCount; ++index) {
        NX_AddonUpdate_AddonVerLibVer area;
        if (GetMemberVersion(index, area)) {
            list.Insert(area);
        }
    }
}
