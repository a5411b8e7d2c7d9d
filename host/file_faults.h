// The faults a program running the host asks its file services to make (host_control.h), as
// the file services see them: each call is counted, and asks whether it is to fail.
#pragma once

#include <cstddef>

#include "host/host_control.h"

namespace host {

// Counts one call of the operation; the error this call is to fail with, else NoError: the one
// the program asked for, or `usual`, the operation's own. When the process is to end at this
// call, it ends here, before the call does anything.
GSErrCode FileCallFailure(FileOperation operation, GSErrCode usual);

struct WriteAllowance {
    std::size_t fit;   // how many of the bytes still fit on the disk; they count as written
    bool endsProcess;  // the process is to end once they are written
};
WriteAllowance BytesThatFit(std::size_t count);
// Ends the process at once, as a kill does: nothing of the program or its modules runs after.
[[noreturn]] void EndProcessByFault();

}  // namespace host
