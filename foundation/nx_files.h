// Whole-file reads and writes, files held open across reads, deletion and folder listings.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_location.h"

// 0 success; 1 no file object; 2 access denied; 3 not found; 4 disk full; 5 general host error;
// 6 any other failure. Callers only tell 0 from the rest.
using FileResult = std::int32_t;

FileResult FileResultFromHostError(GSErrCode error);

bool FileExists(const NX_Location& path);
// Reads `size` bytes (all when 0; `size` then tells how many) from `position` into `buffer`.
// A missing file is no error: `existed` becomes false and nothing is read.
FileResult ReadFile(const NX_Location& path, char* buffer, std::uint64_t& size, bool* existed,
                    std::uint64_t position);
// Appends, or replaces the whole file in one step: the bytes are written to a private file that
// this call makes new in the same folder (see CreatePrivateFile) and moved over the file only when
// whole, so the file is always the old one or the new one. Private files that earlier writes left
// in the folder are swept first. A link keeps pointing where it did,
// and the file it leads to receives the bytes; a read-only file is not replaced (2).
FileResult WriteFile(const NX_Location& path, const char* data, std::uint64_t length, bool append,
                     bool createIfMissing);
// Makes a new, empty private file (nx_private_files.h) in `folder` for the `data` it is to hold,
// under a name nothing had before, and opens it for writing in `file` (closed and deleted by the
// caller); `created` is its place. Never opens, follows or changes anything that was already there.
FileResult CreatePrivateFile(const NX_Location& folder, const char* data, std::uint64_t length,
                             IO::File*& file, NX_Location& created);
// Moves the file at `from` over `to` in one step, replacing it (same folder).
FileResult MoveFileOver(const NX_Location& from, const NX_Location& to);

// A file held open across reads: mode 0 reads an existing file; 1 to 4 are the host's modes
// (2 writes from empty, 4 appends) and create a missing file.
FileResult OpenFile(IO::File*& file, const NX_Location& path, std::int32_t mode);
FileResult GetFileLength(IO::File* file, std::uint64_t& length);
FileResult ReadBytes(IO::File* file, char* buffer, std::uint64_t length, std::uint64_t* read);
void CloseFile(IO::File*& file);

bool DeleteEntry(const NX_Location& path);
// Appends the path of every file in the folder (with one of `extensions`, ignoring case, when
// given) to `list`; sub-folders are walked depth first when `recursive`.
bool ListFolder(const NX_Location& folder, const NX_List<NX_String>* extensions, bool recursive,
                NX_List<NX_Location>& list);
