// The allocate-or-raise rule of the library: memory comes from the host, and when the host has
// none the host's GS::OutOfMemoryException is raised (and caught nowhere).
#pragma once

#include <cstddef>

// An array of `size` bytes from the host's array allocator; release with NX_ReleaseArray.
char* NX_AllocateArray(std::size_t size);
void NX_ReleaseArray(char* array);

// An object's memory from the host's object allocator; release with NX_Release.
void* NX_Allocate(std::size_t size);
void NX_Release(void* pointer);
