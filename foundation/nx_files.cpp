#include "foundation/nx_files.h"

#include <memory>

namespace {

constexpr FileResult kNoFileObject = 1;
constexpr FileResult kOtherFailure = 6;

// Host file objects live in host memory (their class allocator); they are released with the
// matching delete.
std::unique_ptr<IO::File> MakeFile(const char* path, IO::File::OnNotFound onNotFound) {
    return std::unique_ptr<IO::File>(new IO::File(PathToLocation(path), onNotFound));
}

constexpr const char* kPartialSuffix = ".part";

// One open, one write, one close; `opened` tells whether the open succeeded (the file is then
// ours to remove if the write fails).
FileResult WriteThroughOneOpen(const char* path, const char* data, std::uint64_t length,
                               IO::File::OpenMode mode, bool& opened) {
    const std::unique_ptr<IO::File> file = MakeFile(path, IO::File::Create);
    if (!file) {
        return kNoFileObject;
    }
    const GSErrCode openError = file->Open(mode);
    opened = openError == NoError;
    if (!opened) {
        return FileResultFromHostError(openError);
    }
    const FileResult written =
        FileResultFromHostError(file->WriteBin(data, static_cast<std::size_t>(length)));
    const FileResult closed = FileResultFromHostError(file->Close());
    // Data the system could not flush at close is as lost as a failed write.
    return written != 0 ? written : closed;
}

struct ListingContext {
    bool recursive;
    NX_List<NX_Location>* list;
    const NX_List<NX_String>* extensions;
};

bool IsWanted(const NX_String& path, const NX_List<NX_String>* extensions) {
    if (extensions == nullptr) {
        return true;
    }
    const NX_String extension = GetFileExtension(path);
    if (extension.IsNull() || *extension.GetText() == '\0') {
        return false;
    }
    for (int i = 0; i < extensions->GetCount(); ++i) {
        if (NX_String::EqualNoCase(extension.GetText(), (*extensions)[i].GetText())) {
            return true;
        }
    }
    return false;
}

bool ListEntry(const IO::Folder& parent, const GS::UniString& name, bool isFolder, void* userData) {
    auto& context = *static_cast<ListingContext*>(userData);
    IO::Location location;
    parent.GetLocation(&location);
    location.AppendToLocal(name);
    if (isFolder) {
        if (!context.recursive) {
            return true;
        }
        const IO::Folder folder(location);
        return folder.GetStatus() == NoError && folder.Enumerate(&ListEntry, userData) == NoError;
    }
    NX_String path;
    LocationToPath(location, path);
    if (IsWanted(path, context.extensions)) {
        context.list->Insert(NX_Location(path.GetText()));
    }
    return true;
}

}  // namespace

FileResult FileResultFromHostError(GSErrCode error) {
    switch (error) {
        case NoError:
            return 0;
        case IOErr_General:
            return 5;
        case IOErr_FileNotFound:
            return 3;
        case IOErr_AccessDenied:
            return 2;
        case IOErr_DiskFull:
            return 4;
        default:
            return kOtherFailure;
    }
}

bool FileExists(const char* path) {
    return MakeFile(path, IO::File::Fail)->GetStatus() == NoError;
}

FileResult ReadFile(const char* path, char* buffer, std::uint64_t& size, bool* existed,
                    std::uint64_t position) {
    if (!FileExists(path)) {
        if (existed != nullptr) {
            *existed = false;
        }
        return 0;
    }
    if (existed != nullptr) {
        *existed = true;
    }
    const std::unique_ptr<IO::File> file = MakeFile(path, IO::File::Create);
    if (!file) {
        return kNoFileObject;
    }
    const GSErrCode opened = file->Open(IO::File::ReadMode);
    if (opened != NoError) {
        return FileResultFromHostError(opened);
    }
    std::uint64_t wanted = size;
    bool lengthKnown = true;
    if (wanted == 0) {
        lengthKnown = file->GetDataLength(&wanted) == NoError;
    }
    if (lengthKnown && file->SetPosition(position) == NoError &&
        file->ReadBin(buffer, static_cast<std::size_t>(wanted)) == NoError) {
        size = wanted;
    }
    return FileResultFromHostError(file->Close());
}

FileResult WriteFile(const char* path, const char* data, std::uint64_t length, bool append,
                     bool createIfMissing) {
    if (!createIfMissing && !FileExists(path)) {
        return kOtherFailure;
    }
    bool opened = false;
    if (append) {
        return WriteThroughOneOpen(path, data, length, IO::File::AppendMode, opened);
    }
    // The new bytes go to a file beside the old one, which they replace in one step once they
    // are all written and closed: a crash, a kill or a full disk at any moment leaves the old
    // file or the new one, never a truncated one.
    const NX_String partial = NX_String(path) + kPartialSuffix;
    FileResult result =
        WriteThroughOneOpen(partial.GetText(), data, length, IO::File::WriteEmptyMode, opened);
    if (result == 0) {
        result = MoveFileOver(partial.GetText(), path);
    }
    // A partial file that could not be opened is not ours: whatever stands there is left alone.
    if (result != 0 && opened) {
        DeleteEntry(partial.GetText());
    }
    return result;
}

// Through the host's file services, like every other step of a write, rather than the system's
// own call: the host then sees the whole write, and the emulated host can fail the move just as
// it fails an open or a write.
FileResult MoveFileOver(const char* fromPath, const char* toPath) {
    return FileResultFromHostError(
        IO::FileSystem::Move(PathToLocation(fromPath), PathToLocation(toPath)));
}

FileResult OpenFile(IO::File*& file, const char* path, std::int32_t mode) {
    CloseFile(file);
    file = MakeFile(path, mode == 0 ? IO::File::Fail : IO::File::Create).release();
    if (file == nullptr) {
        return kOtherFailure;
    }
    const GSErrCode status = file->GetStatus();
    if (status != NoError) {
        return FileResultFromHostError(status);
    }
    if (mode < 0 || mode > 4) {
        return kOtherFailure;
    }
    return FileResultFromHostError(file->Open(static_cast<IO::File::OpenMode>(mode)));
}

FileResult GetFileLength(IO::File* file, std::uint64_t& length) {
    if (file == nullptr) {
        return kNoFileObject;
    }
    return FileResultFromHostError(file->GetDataLength(&length));
}

FileResult ReadBytes(IO::File* file, char* buffer, std::uint64_t length, std::uint64_t* read) {
    if (file == nullptr) {
        return kNoFileObject;
    }
    if (length == 0) {
        const FileResult known = GetFileLength(file, length);
        if (known != 0) {
            return known;
        }
    }
    std::size_t got = 0;
    const GSErrCode error = file->ReadBin(buffer, static_cast<std::size_t>(length), &got);
    if (read != nullptr) {
        *read = got;
    }
    return FileResultFromHostError(error);
}

void CloseFile(IO::File*& file) {
    if (file != nullptr) {
        file->Close();
        delete file;
        file = nullptr;
    }
}

bool DeleteEntry(const char* path) {
    IO::Location location = PathToLocation(path);
    GS::UniString name;
    if (location.MoveLastLocalName(&name) != NoError) {
        return false;
    }
    IO::Folder folder(location);
    return folder.GetStatus() == NoError && folder.Delete(name) == NoError;
}

bool ListFolder(const char* folderPath, const NX_List<NX_String>* extensions, bool recursive,
                NX_List<NX_Location>& list) {
    const IO::Folder folder(PathToLocation(folderPath));
    if (folder.GetStatus() != NoError) {
        return false;
    }
    ListingContext context{recursive, &list, extensions};
    return folder.Enumerate(&ListEntry, &context) == NoError;
}
