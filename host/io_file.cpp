// Files of the emulated host, over the C library's streams.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "host/file_faults.h"
#include "host/io_text.h"
#include "host/module_holdings.h"
#include "platform/file_access.h"

namespace IO {

namespace {

struct FileState {
    std::string nativePath;
    File::OnNotFound onNotFound;
    std::FILE* stream = nullptr;
    const void* opener = nullptr;  // the module that opened the stream
};

FileState* StateOf(void* state) {
    return static_cast<FileState*>(state);
}

bool IsRegularFile(const std::string& nativePath) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::u8path(nativePath), error);
}

bool Exists(const std::string& nativePath) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::u8path(nativePath), error);
}

// The C library's mode for a host open mode; modes that keep the content need the file first.
const char* StreamMode(File::OpenMode mode, bool exists) {
    switch (mode) {
        case File::ReadMode:
            return "rb";
        case File::WriteMode:
        case File::ReadWriteMode:
            return exists ? "r+b" : "w+b";
        case File::WriteEmptyMode:
            return "wb";
        case File::AppendMode:
            return "ab";
        case File::CreateNewMode:
            break;
    }
    return nullptr;
}

void TakeOpened(FileState& file, const void* opener) {
    file.opener = opener;
    host::CountTaken(file.opener, host::Holding::File, 0);
}

// Nothing is looked at before the system's exclusive create: whatever has the name, the create
// refuses it, and no one can slip a link in between a look and the create.
GSErrCode OpenNew(FileState& file) {
    if (file.nativePath.empty()) {
        return IOErr_General;
    }
    errno = 0;
    file.stream = platform::CreateNewFileUtf8(file.nativePath);
    if (file.stream == nullptr) {
        return host::FileErrorFromErrno(errno);
    }
    return NoError;
}

}  // namespace

File::File(const Location& location, OnNotFound onNotFound) : state(nullptr) {
    GS::UniString text;
    location.ToPath(&text);
    state = new FileState{host::NativePathOf(host::Utf8Of(text).c_str()), onNotFound};
}

File::~File() {
    Close();
    delete StateOf(state);
}

GSErrCode File::GetStatus() const {
    const FileState& file = *StateOf(state);
    if (file.nativePath.empty()) {
        return IOErr_General;
    }
    if (Exists(file.nativePath) && !IsRegularFile(file.nativePath)) {
        return IOErr_AccessDenied;
    }
    if (file.onNotFound == Fail && !Exists(file.nativePath)) {
        return IOErr_FileNotFound;
    }
    return NoError;
}

GSErrCode File::Open(OpenMode mode, AccessDeniedTreatment /*treatment*/) {
    FileState& file = *StateOf(state);
    if (const GSErrCode fault =
            host::FileCallFailure(host::FileOperation::Open, IOErr_AccessDenied);
        fault != NoError) {
        return fault;
    }
    if (file.stream != nullptr) {
        return IOErr_General;
    }
    if (mode == CreateNewMode) {
        const GSErrCode created = OpenNew(file);
        if (created == NoError) {
            TakeOpened(file, host::TakerAt(__builtin_return_address(0)));
        }
        return created;
    }
    const GSErrCode status = GetStatus();
    if (status != NoError) {
        return status;
    }
    const bool exists = Exists(file.nativePath);
    if (mode == ReadMode && !exists) {
        return IOErr_FileNotFound;
    }
    const char* streamMode = StreamMode(mode, exists);
    if (streamMode == nullptr) {
        return IOErr_General;
    }
    errno = 0;
    file.stream = platform::OpenFileUtf8(file.nativePath, streamMode);
    if (file.stream == nullptr) {
        return host::FileErrorFromErrno(errno);
    }
    TakeOpened(file, host::TakerAt(__builtin_return_address(0)));
    return NoError;
}

GSErrCode File::Close() {
    FileState& file = *StateOf(state);
    if (file.stream == nullptr) {
        return NoError;
    }
    // A failed close still lets the file go, as a system whose last flush failed does.
    const GSErrCode fault = host::FileCallFailure(host::FileOperation::Close, IOErr_General);
    errno = 0;
    const int result = std::fclose(file.stream);
    file.stream = nullptr;
    host::CountGivenBack(file.opener, host::Holding::File, 0);
    if (fault != NoError) {
        return fault;
    }
    return result == 0 ? NoError : host::FileErrorFromErrno(errno);
}

bool File::IsOpen() const {
    return StateOf(state)->stream != nullptr;
}

GSErrCode File::GetDataLength(std::uint64_t* length) const {
    FileState& file = *StateOf(state);
    if (file.stream == nullptr || length == nullptr) {
        return IOErr_NotOpened;
    }
    const long position = std::ftell(file.stream);
    if (position < 0 || std::fseek(file.stream, 0, SEEK_END) != 0) {
        return IOErr_General;
    }
    const long end = std::ftell(file.stream);
    std::fseek(file.stream, position, SEEK_SET);
    if (end < 0) {
        return IOErr_General;
    }
    *length = static_cast<std::uint64_t>(end);
    return NoError;
}

GSErrCode File::SetPosition(std::uint64_t position) {
    FileState& file = *StateOf(state);
    if (file.stream == nullptr) {
        return IOErr_NotOpened;
    }
    return std::fseek(file.stream, static_cast<long>(position), SEEK_SET) == 0 ? NoError
                                                                               : IOErr_BadPosition;
}

GSErrCode File::ReadBin(char* buffer, std::size_t count, std::size_t* read) {
    FileState& file = *StateOf(state);
    if (file.stream == nullptr) {
        return IOErr_NotOpened;
    }
    const std::size_t got = count > 0 ? std::fread(buffer, 1, count, file.stream) : 0;
    if (read != nullptr) {
        *read = got;
    }
    // Asking for more than the file holds is an error, as a read past the end.
    return got == count ? NoError : IOErr_BadPosition;
}

GSErrCode File::WriteBin(const char* data, std::size_t count) {
    FileState& file = *StateOf(state);
    if (file.stream == nullptr) {
        return IOErr_NotOpened;
    }
    if (const GSErrCode fault = host::FileCallFailure(host::FileOperation::Write, IOErr_General);
        fault != NoError) {
        return fault;
    }
    // On a full disk the bytes that fit are written and the rest is refused, as a system does.
    const host::WriteAllowance allowed = host::BytesThatFit(count);
    errno = 0;
    if (allowed.fit > 0 && std::fwrite(data, 1, allowed.fit, file.stream) != allowed.fit) {
        return host::FileErrorFromErrno(errno);
    }
    // Killed half way through a write: what was written has reached the system.
    if (allowed.endsProcess) {
        std::fflush(file.stream);
        host::EndProcessByFault();
    }
    return allowed.fit == count ? NoError : IOErr_DiskFull;
}

void* File::operator new(std::size_t size) {
    const host::TakingFor caller(__builtin_return_address(0));
    return host::HostObjectMemory(size);
}
void File::operator delete(void* pointer) {
    GS::DeleteOperator(pointer);
}

}  // namespace IO
