// What the module holds of itself from the moment the system loads it until it unloads it: its
// resource module, through which every dialog and string list is read, and its own file name.
#pragma once

#include <string>

#include "acapi/ac_types.h"

namespace HostInterface {

GSResModule OwnResourceModule();
// The full path of the module file, in the system's 8-bit form.
const std::string& OwnFilePath();

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

}  // namespace HostInterface
