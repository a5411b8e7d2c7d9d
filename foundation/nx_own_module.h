// What the module holds of itself from the moment the system loads it until it unloads it: its
// resource module, through which every dialog and string list is read.
#pragma once

#include "acapi/ac_types.h"

GSResModule OwnResourceModule();

// Makes the module's resources active for the life of the object, as every dialog and string
// fetch needs, and restores the previous ones afterwards.
class ActiveOwnResources {
public:
    ActiveOwnResources();
    ActiveOwnResources(const ActiveOwnResources&) = delete;
    ActiveOwnResources& operator=(const ActiveOwnResources&) = delete;
    ~ActiveOwnResources();

private:
    GSResModule previous;
};
