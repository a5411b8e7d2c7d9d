// Opens web addresses in the user's browser: the download page, the About box's page and the
// message's link. Only a well-formed http(s) address (update/web_link.h) reaches the shell.
#pragma once

#include "foundation/nx_string.h"

// False, and nothing opened, for an address that is none, or when the shell could not open it;
// the hub shows no message either way.
bool OpenWebPage(const NX_String& address);
