// What a member tool reports about itself when the hub asks for its version: the record that the
// hub and every member share, filled by the member in the hub's 24-byte area.
#pragma once

#include <cstdint>

#include "foundation/nx_string.h"

struct NX_AddonUpdate_AddonVerLibVer {
    NX_String addonVersionLine;    // add-on line syntax: name, version, host tag, date, flags
    NX_String libraryVersionLine;  // library line syntax, name and date; may be empty
    std::uint8_t reply = 0;        // the member's own; the hub does not read it
};
static_assert(sizeof(NX_AddonUpdate_AddonVerLibVer) == 24);
