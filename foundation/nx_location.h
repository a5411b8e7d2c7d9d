// File-system places as 8-bit path texts in Windows form (folders separated by "\", no
// trailing "\"), turned into host locations only at the moment of access.
#pragma once

#include <string>

#include "foundation/nx_string.h"

// A place in the file system: one owned path text, laid out like an NX_String.
class NX_Location {
public:
    NX_Location() : path("") {}
    explicit NX_Location(const char* text) : path(text != nullptr ? text : "") {}
    const char* GetText() const { return path.GetText(); }
    const NX_String& GetPath() const { return path; }

private:
    NX_String path;
};

IO::Location PathToLocation(const char* path);
// The host's text for the location, one trailing "\" removed; null on a host error.
void LocationToPath(const IO::Location& location, NX_String& path);
// The per-user settings folder (the host's special location 13); the host's error or 0.
GSErrCode GetSettingsFolderPath(NX_String& path);
NX_String JoinPath(const char* folder, const char* name);
// The location text (system code page) as a native path in UTF-8, for the system's own file and
// transfer calls.
std::string NativePathOfLocation(const NX_String& locationText);

NX_String GetFileName(const NX_String& path);
NX_String GetFileExtension(const NX_String& path);
NX_String GetFolderPath(const NX_String& path, bool withSeparator);
