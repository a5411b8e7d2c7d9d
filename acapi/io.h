// The host's file-system library. Location texts are in Windows form ("C:\dir\file"), whatever
// system the host runs on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ac_export.h"
#include "ac_types.h"
#include "gs_unistring.h"

namespace IO {

class ACAPI_HOST_API Location {
public:
    Location();
    explicit Location(const GS::UniString& path);
    Location(const Location& other);
    Location& operator=(const Location& other);
    ~Location();

    GSErrCode GetStatus() const;  // NoError for a well-formed location
    GSErrCode ToPath(GS::UniString* path) const;
    // Removes the last name of the location and hands it out.
    GSErrCode MoveLastLocalName(GS::UniString* lastName);
    GSErrCode AppendToLocal(const GS::UniString& name);

    // Objects handed between host and module are allocated by the host.
    static void* operator new(std::size_t size);
    static void operator delete(void* pointer);

private:
    char* path;  // UTF-8, host-owned
};

class ACAPI_HOST_API File {
public:
    enum OnNotFound : int { Fail = 0, Create = 1 };
    enum OpenMode : int {
        ReadMode = 0,
        WriteMode = 1,
        WriteEmptyMode = 2,
        ReadWriteMode = 3,
        AppendMode = 4,
        // Creates the file and opens it for writing, only if nothing at all has the name yet:
        // an existing file, folder or link (even one leading nowhere) is left untouched and the
        // open answers IOErr_FileExists. The emulated host's addition to modes 0 to 4, for a
        // module that must never write into anything it did not make itself.
        CreateNewMode = 5
    };
    enum AccessDeniedTreatment : int { DefaultTreatment = 0, ReadOnlyTreatment = 2 };

    File(const Location& location, OnNotFound onNotFound = Fail);
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    GSErrCode GetStatus() const;
    // Opens; a file made with Create is created on open if it does not exist.
    GSErrCode Open(OpenMode mode, AccessDeniedTreatment treatment = DefaultTreatment);
    GSErrCode Close();
    bool IsOpen() const;
    GSErrCode GetDataLength(std::uint64_t* length) const;
    GSErrCode SetPosition(std::uint64_t position);
    GSErrCode ReadBin(char* buffer, std::size_t count, std::size_t* read = nullptr);
    GSErrCode WriteBin(const char* data, std::size_t count);

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer);

private:
    void* state;  // host-owned
};

class ACAPI_HOST_API Folder {
public:
    // Called once per entry; answering false stops the enumeration.
    using EnumerationCallback = bool (*)(const Folder& parent, const GS::UniString& name,
                                         bool isFolder, void* userData);

    explicit Folder(const Location& location);
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    GSErrCode GetStatus() const;  // IOErr_FileNotFound when there is no such folder
    GSErrCode GetLocation(Location* location) const;
    GSErrCode Enumerate(EnumerationCallback callback, void* userData) const;
    GSErrCode Delete(const GS::UniString& name);  // the named file in this folder

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer);

private:
    Location location;
    GSErrCode status;
};

class ACAPI_HOST_API FileSystem {
public:
    // 13 is the per-user folder that holds add-on settings.
    static constexpr std::int32_t UserPreferences = 13;
    static GSErrCode GetSpecialLocation(std::int32_t id, Location* location);
    // Moves the file at `from` to `to` in one step, replacing a file already at `to`: whoever
    // looks at `to` finds the old file or the new one, never neither. Both in one folder.
    static GSErrCode Move(const Location& from, const Location& to);
};

}  // namespace IO
