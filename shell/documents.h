// The three documents shipped beside the module file.
#pragma once

#include "foundation/nx_location.h"

enum class ShippedDocument { UserGuide, NewFeatures, License };

// False when no file can be opened at the path; otherwise hands it to the shell to open.
bool OpenDocument(const NX_Location& path);
// Opens the document beside the module file, or tells the user it is missing.
void OpenShippedDocument(ShippedDocument document);
