// What the About box shows and the version report writes: the suite's own version, its info
// lines and credits, and the version of every member tool installed in this host.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"
#include "update/update_records.h"

struct AboutData {
    std::uint16_t dialogId = 0;             // the About box's number while it is open
    NX_List<NX_AddonUpdate_Addon> members;  // only members whose version line names them
    NX_AddonUpdate_Addon own;
};

// Empties the record, then lists every member that answers with a version line that names it,
// in table order, and parses the suite's own version.
void FillAboutData(AboutData& about);
// No members, the own record cleared.
void ClearAboutData(AboutData& about);

// The info lines, in the current language where they have a label.
NX_String ProductLine();
NX_String VersionLine(const NX_AddonUpdate_Addon& own);
NX_String DateLine(const NX_AddonUpdate_Addon& own);
NX_String SystemLine();
NX_String HostLine(const NX_AddonUpdate_Addon& own);

// The credits, the same in every language.
NX_String DevelopmentTitle();
NX_String DevelopersLine();
NX_String DesignLine();
