// The faults a program running the host asks its file services to make (host_control.h), as
// the file services see them: each call is counted, and asks whether it is to fail.
#pragma once

#include <cstddef>

#include "host/host_control.h"

namespace host {

// Counts one call of the operation; true when this call is to fail.
bool FileCallFails(FileOperation operation);
// How many of `count` bytes still fit on the disk; they count as written.
std::size_t BytesThatFit(std::size_t count);

}  // namespace host
