#include "foundation/nx_files.h"

#include <cctype>
#include <memory>
#include <string>

#include "foundation/nx_private_files.h"
#include "platform/file_access.h"
#include "platform/native_path.h"

namespace {

constexpr FileResult kNoFileObject = 1;
constexpr FileResult kOtherFailure = 6;

// Host file objects live in host memory (their class allocator); they are released with the
// matching delete.
std::unique_ptr<IO::File> MakeFile(const NX_Location& path, IO::File::OnNotFound onNotFound) {
    return std::unique_ptr<IO::File>(new IO::File(path.GetHostLocation(), onNotFound));
}

// Data the system could not flush at close is as lost as a failed write.
FileResult WriteAndClose(IO::File& file, const char* data, std::uint64_t length) {
    const FileResult written =
        FileResultFromHostError(file.WriteBin(data, static_cast<std::size_t>(length)));
    const FileResult closed = FileResultFromHostError(file.Close());
    return written != 0 ? written : closed;
}

FileResult AppendToFile(const NX_Location& path, const char* data, std::uint64_t length) {
    const std::unique_ptr<IO::File> file = MakeFile(path, IO::File::Create);
    if (!file) {
        return kNoFileObject;
    }
    const GSErrCode openError = file->Open(IO::File::AppendMode);
    if (openError != NoError) {
        return FileResultFromHostError(openError);
    }
    return WriteAndClose(*file, data, length);
}

// The file that a link at `path` leads to, or `path` itself; an empty place when the links go
// round in a circle.
NX_Location FileBehindLinks(const NX_Location& path) {
    const std::string native = NativePathOfLocation(path);
    const std::string behind = platform::FileBehindLinksUtf8(native);
    if (behind == native) {
        return path;
    }
    if (behind.empty()) {
        return {};
    }
    const std::string text = platform::LocationTextFromNativePath(behind);
    return NX_Location(IO::Location(GS::UniString(text.c_str(), GS::CC_UTF8)));
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Utf8OfAnsi(const char* text) {
    const GS::UniString wide(text, GS::CC_Default);
    const std::size_t length = wide.ToCStr(nullptr, 0, GS::CC_UTF8);
    std::string utf8(length + 1, '\0');
    wide.ToCStr(utf8.data(), utf8.size(), GS::CC_UTF8);
    utf8.resize(length);
    return utf8;
}

struct ListingContext {
    bool recursive;
    NX_List<NX_Location>* list;
    const NX_List<NX_String>* extensions;
};

// Judged by the file's exact name, so that no best-fitted character makes a name look wanted.
bool IsWanted(const NX_Location& file, const NX_List<NX_String>* extensions) {
    if (extensions == nullptr) {
        return true;
    }
    const std::string name = file.GetExactName();
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size()) {
        return false;
    }
    const std::string extension = name.substr(dot + 1);
    for (int i = 0; i < extensions->GetCount(); ++i) {
        if (EqualIgnoringAsciiCase(extension, Utf8OfAnsi((*extensions)[i].GetText()))) {
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
    const NX_Location file(location);
    if (IsWanted(file, context.extensions)) {
        context.list->Insert(file);
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

bool FileExists(const NX_Location& path) {
    return MakeFile(path, IO::File::Fail)->GetStatus() == NoError;
}

FileResult ReadFile(const NX_Location& path, char* buffer, std::uint64_t& size, bool* existed,
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

FileResult WriteFile(const NX_Location& path, const char* data, std::uint64_t length, bool append,
                     bool createIfMissing) {
    if (!createIfMissing && !FileExists(path)) {
        return kOtherFailure;
    }
    if (append) {
        return AppendToFile(path, data, length);
    }
    // The new bytes go to a file of our own beside the old one, which they replace in one step
    // once they are all written and closed: a crash, a kill or a full disk at any moment leaves
    // the old file or the new one, never a truncated one. Through a link the file it leads to is
    // replaced, and the link stays.
    const NX_Location target = FileBehindLinks(path);
    if (target.GetExactText().empty()) {
        return kOtherFailure;
    }
    SweepStalePrivateFiles(target.Folder());
    IO::File* file = nullptr;
    NX_Location partial;
    FileResult result = CreatePrivateFile(target.Folder(), data, length, file, partial);
    if (result != 0) {
        return result;
    }
    result = WriteAndClose(*file, data, length);
    CloseFile(file);
    if (result == 0) {
        result = MoveFileOver(partial, target);
    }
    if (result != 0) {
        DeleteEntry(partial);
    }
    return result;
}

// The names are short, so that beside any name the folder can hold there is room for them, and
// tried in turn, so that the first name nothing has is taken. Past the last one the write gives
// up rather than touch what stands there.
FileResult CreatePrivateFile(const NX_Location& folder, const char* data, std::uint64_t length,
                             IO::File*& file, NX_Location& created) {
    CloseFile(file);
    for (int number = 1; number <= kPrivateFileNumbers; ++number) {
        const NX_Location candidate =
            folder.Join(PrivateFileName(PrivateFileCheck(data, length), number).c_str());
        std::unique_ptr<IO::File> made = MakeFile(candidate, IO::File::Create);
        if (!made) {
            return kNoFileObject;
        }
        const GSErrCode error = made->Open(IO::File::CreateNewMode);
        if (error == IOErr_FileExists) {
            continue;
        }
        if (error != NoError) {
            return FileResultFromHostError(error);
        }
        file = made.release();
        created = candidate;
        return 0;
    }
    return kOtherFailure;
}

// Through the host's file services, like every other step of a write, rather than the system's
// own call: the host then sees the whole write, and the emulated host can fail the move just as
// it fails an open or a write.
FileResult MoveFileOver(const NX_Location& from, const NX_Location& to) {
    return FileResultFromHostError(
        IO::FileSystem::Move(from.GetHostLocation(), to.GetHostLocation()));
}

FileResult OpenFile(IO::File*& file, const NX_Location& path, std::int32_t mode) {
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

bool DeleteEntry(const NX_Location& path) {
    IO::Location location = path.GetHostLocation();
    GS::UniString name;
    if (location.MoveLastLocalName(&name) != NoError) {
        return false;
    }
    IO::Folder folder(location);
    return folder.GetStatus() == NoError && folder.Delete(name) == NoError;
}

bool ListFolder(const NX_Location& folderPath, const NX_List<NX_String>* extensions, bool recursive,
                NX_List<NX_Location>& list) {
    const IO::Folder folder(folderPath.GetHostLocation());
    if (folder.GetStatus() != NoError) {
        return false;
    }
    ListingContext context{recursive, &list, extensions};
    return folder.Enumerate(&ListEntry, &context) == NoError;
}
