// Opening files by UTF-8 path. Everything after the open is the C library's, alike on both
// systems.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace platform {

// Like fopen; null on failure with errno set. An open that writes to a read-only file is refused
// (errno EACCES) on both systems.
std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode);
// Makes a new, empty file and opens it for writing, only if nothing has the name yet: an
// existing file, folder or link (followed nowhere, even when it leads nowhere) is left as it is
// and the answer is null with errno EEXIST. Other failures: null with errno set.
std::FILE* CreateNewFileUtf8(const std::string& utf8Path);
// Moves the file at `fromUtf8Path` to `toUtf8Path` in one step, replacing a file already there;
// a reader never sees a half-replaced target. False when it cannot, and nothing has changed: the
// target is a folder, say, or a read-only file (errno EACCES), which both systems keep.
bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path);
// The path of the file that a link at `utf8Path` leads to, through every link on the way; the
// path itself when it is no link or nothing is there. Empty when the links go round in a circle
// or the file cannot be reached, and on Linux when a link on the way is one that the system
// itself would not follow: in a folder that everybody may write and that is marked sticky, a
// link that belongs to neither the user nor the folder's owner.
std::string FileBehindLinksUtf8(const std::string& utf8Path);
// Whether `utf8Path` names a plain file (no link, folder or other kind of entry) that nothing has
// changed for `age` or longer, by the system's clock.
bool IsPlainFileUnchangedFor(const std::string& utf8Path, std::chrono::seconds age);

}  // namespace platform
