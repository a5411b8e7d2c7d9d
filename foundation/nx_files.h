// Whole-file reads and writes, files held open across reads, deletion and folder listings.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_location.h"

// 0 success; 1 no file object; 2 access denied; 3 not found; 4 disk full; 5 general host error;
// 6 any other failure. Callers only tell 0 from the rest.
using FileResult = std::int32_t;

FileResult FileResultFromHostError(GSErrCode error);

bool FileExists(const char* path);
// Reads `size` bytes (all when 0; `size` then tells how many) from `position` into `buffer`.
// A missing file is no error: `existed` becomes false and nothing is read.
FileResult ReadFile(const char* path, char* buffer, std::uint64_t& size, bool* existed,
                    std::uint64_t position);
// Appends, or replaces the whole file in one step: the bytes are written to "<path>.part" and
// moved over the file only when whole, so the file is always the old one or the new one.
FileResult WriteFile(const char* path, const char* data, std::uint64_t length, bool append,
                     bool createIfMissing);
// Moves the file at `fromPath` over `toPath` in one step, replacing it (same folder).
FileResult MoveFileOver(const char* fromPath, const char* toPath);

// A file held open across reads: mode 0 reads an existing file; 1 to 4 are the host's modes
// (2 writes from empty, 4 appends) and create a missing file.
FileResult OpenFile(IO::File*& file, const char* path, std::int32_t mode);
FileResult GetFileLength(IO::File* file, std::uint64_t& length);
FileResult ReadBytes(IO::File* file, char* buffer, std::uint64_t length, std::uint64_t* read);
void CloseFile(IO::File*& file);

bool DeleteEntry(const char* path);
// Appends the path of every file in the folder (with one of `extensions`, ignoring case, when
// given) to `list`; sub-folders are walked depth first when `recursive`.
bool ListFolder(const char* folderPath, const NX_List<NX_String>* extensions, bool recursive,
                NX_List<NX_Location>& list);
