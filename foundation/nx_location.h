// File-system places. A place keeps two forms: the host's location, exact whatever script its
// names are in, which every file operation uses; and its 8-bit path text in Windows form
// (folders separated by "\", no trailing "\") in the system code page, which is what people read.
// A name the code page cannot hold shows best-fitted in the text, but the file reached is always
// the exact one.
#pragma once

#include <string>

#include "acapi/io.h"
#include "foundation/nx_string.h"

class NX_Location {
public:
    NX_Location() : path("") {}
    // A path text in the system code page: the place is exactly that text.
    explicit NX_Location(const char* text);
    // The place the host gives, kept exact; one trailing "\" is removed.
    explicit NX_Location(const IO::Location& location);

    const char* GetText() const { return path.GetText(); }
    const NX_String& GetPath() const { return path; }
    const IO::Location& GetHostLocation() const { return exact; }
    // The exact place as a location text in UTF-8.
    std::string GetExactText() const;
    // The exact last name, in UTF-8.
    std::string GetExactName() const;
    // Whether the 8-bit text names exactly this place (no name was best-fitted).
    bool IsExactText() const;

    // The entry `name` (a fixed ASCII name of the system's) inside this folder.
    NX_Location Join(const char* name) const;
    // The folder that holds this place; an empty place when there is none.
    NX_Location Folder() const;

private:
    NX_String path;
    IO::Location exact;
};

IO::Location PathToLocation(const char* path);
// The host's text for the location, one trailing "\" removed; null on a host error.
void LocationToPath(const IO::Location& location, NX_String& path);
// The per-user settings folder (the host's special location 13), exact; the host's error or 0.
[[nodiscard]] GSErrCode GetSettingsFolder(NX_Location& folder);
// The settings folder as an 8-bit path text, for the callers that can only carry such a text:
// IOErr_General when the text would not name the folder exactly.
[[nodiscard]] GSErrCode GetSettingsFolderPath(NX_String& path);
NX_String JoinPath(const char* folder, const char* name);
// The exact place as a native path in UTF-8.
std::string NativePathOfLocation(const NX_Location& location);

NX_String GetFileName(const NX_String& path);
NX_String GetFileExtension(const NX_String& path);
NX_String GetFolderPath(const NX_String& path, bool withSeparator);
