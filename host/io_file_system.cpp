#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "acapi/io.h"
#include "host/file_faults.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/io_text.h"
#include "platform/file_access.h"
#include "platform/native_path.h"

namespace {
std::mutex userFolderMutex;
std::string userFolder;
}  // namespace

namespace host {

void SetUserFolder(const std::string& nativePath) {
    const std::lock_guard lock(userFolderMutex);
    userFolder = nativePath;
}

std::string UserFolder() {
    const std::lock_guard lock(userFolderMutex);
    if (userFolder.empty()) {
        std::error_code error;
        const std::u8string temporary =
            (std::filesystem::temp_directory_path(error) / "velmora-host-user").u8string();
        userFolder.assign(temporary.begin(), temporary.end());
    }
    return userFolder;
}

}  // namespace host

namespace IO {

GSErrCode FileSystem::GetSpecialLocation(std::int32_t id, Location* location) {
    if (id != UserPreferences || location == nullptr ||
        host::NextAnswer(host::HostOperation::SpecialLocation) == host::HostAnswer::Failure) {
        return IOErr_General;
    }
    const std::string folder = host::UserFolder();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(folder), error);
    if (!std::filesystem::is_directory(std::filesystem::u8path(folder), error)) {
        return IOErr_FileNotFound;
    }
    const std::string text = platform::LocationTextFromNativePath(folder);
    *location = Location(GS::UniString(text.c_str(), GS::CC_UTF8));
    return NoError;
}

namespace {
std::string NativePathOfLocation(const Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    return host::NativePathOf(host::Utf8Of(text).c_str());
}
}  // namespace

GSErrCode FileSystem::Move(const Location& from, const Location& to) {
    if (const GSErrCode fault =
            host::FileCallFailure(host::FileOperation::Rename, IOErr_AccessDenied);
        fault != NoError) {
        return fault;
    }
    const std::string source = NativePathOfLocation(from);
    const std::string target = NativePathOfLocation(to);
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(source), error)) {
        return IOErr_FileNotFound;
    }
    return platform::ReplaceFileUtf8(source, target) ? NoError : IOErr_AccessDenied;
}

}  // namespace IO
