// The About box: the suite's version data, the credits and the installed member tools, with a
// link to the maker's update page and "Save as Text...".
#pragma once

#include "update/about_data.h"

// Fills the record, runs the modal dialog, then empties the record. True when it was closed
// with OK.
bool ShowAboutDialog(AboutData& about);
