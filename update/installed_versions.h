// What the member tools installed in this host say about their own versions.
#pragma once

#include "foundation/nx_addon_version.h"
#include "foundation/nx_list.h"

// Empties `list`, then appends, in table order, what each member that answers its version
// command reports. Members that are missing or fail contribute nothing.
void CollectInstalledVersions(NX_List<NX_AddonUpdate_AddonVerLibVer>& list);
