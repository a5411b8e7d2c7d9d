// Location texts of the host are in Windows form. On Windows they are native paths; elsewhere
// drive Z: stands for the root of the file system, as under Wine ("Z:\tmp\a" is "/tmp/a").
#pragma once

#include <string>

namespace platform {

std::string NativePathFromLocationText(const std::string& utf8Text);
std::string LocationTextFromNativePath(const std::string& utf8Path);

}  // namespace platform
