// Folders of the emulated host. Entries are enumerated in name order, so that every run lists
// them alike.
#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "host/file_faults.h"
#include "host/io_text.h"
#include "host/module_holdings.h"

namespace IO {

namespace {
std::filesystem::path NativeFolder(const Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    return std::filesystem::u8path(host::NativePathOf(host::Utf8Of(text).c_str()));
}
}  // namespace

Folder::Folder(const Location& location_) : location(location_), status(NoError) {
    std::error_code error;
    status = location.GetStatus() == NoError &&
                     std::filesystem::is_directory(NativeFolder(location), error)
                 ? NoError
                 : IOErr_FileNotFound;
}

Folder::~Folder() = default;

GSErrCode Folder::GetStatus() const {
    return status;
}

GSErrCode Folder::GetLocation(Location* out) const {
    if (out == nullptr) {
        return IOErr_General;
    }
    *out = location;
    return NoError;
}

GSErrCode Folder::Enumerate(EnumerationCallback callback, void* userData) const {
    if (status != NoError) {
        return status;
    }
    std::error_code error;
    std::vector<std::pair<std::string, bool>> entries;
    for (const auto& entry : std::filesystem::directory_iterator(NativeFolder(location), error)) {
        std::error_code kindError;
        const std::u8string name = entry.path().filename().u8string();
        entries.emplace_back(std::string(name.begin(), name.end()), entry.is_directory(kindError));
    }
    if (error) {
        return IOErr_General;
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& [name, isFolder] : entries) {
        if (!callback(*this, GS::UniString(name.c_str(), GS::CC_UTF8), isFolder, userData)) {
            break;
        }
    }
    return NoError;
}

GSErrCode Folder::Delete(const GS::UniString& name) {
    if (const GSErrCode fault =
            host::FileCallFailure(host::FileOperation::Delete, IOErr_AccessDenied);
        fault != NoError) {
        return fault;
    }
    if (status != NoError) {
        return status;
    }
    const std::filesystem::path entry =
        NativeFolder(location) / std::filesystem::u8path(host::Utf8Of(name));
    std::error_code error;
    if (!std::filesystem::is_regular_file(entry, error)) {
        return error ? host::FileErrorFromErrno(error.value()) : IOErr_FileNotFound;
    }
    return std::filesystem::remove(entry, error) ? NoError : IOErr_AccessDenied;
}

void* Folder::operator new(std::size_t size) {
    const host::TakingFor caller(__builtin_return_address(0));
    return host::HostObjectMemory(size);
}
void Folder::operator delete(void* pointer) {
    GS::DeleteOperator(pointer);
}

}  // namespace IO
