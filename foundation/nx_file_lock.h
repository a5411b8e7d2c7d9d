// The lock of a file that several copies of the host, and the suite's tools, rewrite: the
// settings files and the presence marker. Each write (a read, a change and a replacement for the
// settings) runs under it, one writer at a time; it is never held across a dialog.
#pragma once

#include "foundation/nx_location.h"
#include "platform/file_lock.h"

class NX_FileLock {
public:
    // Takes the lock of `file`, kept in the empty file `file` + ".lock" beside it, waiting while
    // another writer holds it. A writer holds it for milliseconds; one that has not let go within
    // two seconds is taken to be stuck, and the lock is not had: the caller's write fails rather
    // than hold up the host.
    explicit NX_FileLock(const NX_Location& file);
    bool Held() const { return lock.Held(); }

private:
    platform::FileLock lock;
};
