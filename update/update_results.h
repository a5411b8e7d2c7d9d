// What the last update check found: the rows of the results window and the message of the day.
// Kept from one check to the next, so that a failed check leaves the previous results alone.
#pragma once

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"
#include "update/update_records.h"

// One row of the results window; the description shows when the row is selected.
struct UpdateElement {
    NX_String name;
    NX_String version;
    NX_String date;
    NX_String description;
};

NX_List<UpdateElement>& UpdateResults();
NX_AddonUpdate_Message& CurrentMessage();
// At unload: the rows and the message go with the module.
void ForgetUpdateResults();
