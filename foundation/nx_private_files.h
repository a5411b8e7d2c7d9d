// The private files of a replacing write (see WriteFile): the bytes go to a file of the hub's own
// beside the target, which is then moved over the target. The private file's bytes are the
// target's to be, so nothing of the hub's can stand inside it; its name carries the proof instead:
// "~vlm", the check of the bytes it is made to hold in eight hexadecimal digits, "-", a number
// from 1 to 100 (the first that nothing has), ".tmp". No file of anyone else's has that name and
// those bytes by accident.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/nx_location.h"

constexpr int kPrivateFileNumbers = 100;
// The check of the bytes a private file is made to hold.
std::uint32_t PrivateFileCheck(const char* data, std::uint64_t length);
// The name of the `number`-th private file for bytes of that check.
std::string PrivateFileName(std::uint32_t check, int number);
// The check that a name of that form carries; none for any other name, so that exactly the names
// PrivateFileName makes are read.
std::optional<std::uint32_t> CheckInPrivateFileName(std::string_view name);

// Removes from `folder` every private file that a write left there and that has not changed for
// five minutes: a host killed between making it and moving it, or a removal the disk refused. A
// file is taken for one only when it is a plain file with such a name and holds the bytes whose
// check the name carries; nothing else is opened for writing, changed or removed.
void SweepStalePrivateFiles(const NX_Location& folder);
