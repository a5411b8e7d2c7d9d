// Built-in libraries: the files a module carries in its resources become library parts, written
// into the host's library folder so that modules can open them by location.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <span>
#include <system_error>

#include "acapi/db.h"
#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "acapi/rs.h"
#include "host/addon_registry.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/host_operations.h"
#include "host/io_text.h"
#include "platform/file_access.h"
#include "platform/native_path.h"
#include "platform/utf8_path.h"

namespace host {

namespace {

constexpr GSResID kFolderListResource = 128;
constexpr std::size_t kFolderEntrySize = 264;
constexpr std::size_t kFolderNameSize = 262;

struct LibraryPart {
    const LoadedAddon* owner;  // null once its module is gone; indexes stay as they were
    std::string name;          // the file name without extension
    std::string nativePath;
};

std::vector<LibraryPart> libraryParts;        // index 1 first
std::vector<const LoadedAddon*> foldersMade;  // modules whose files the host unpacked
std::mutex folderMutex;
std::string libraryFolder;

using platform::PathOfUtf8;
using platform::Utf8OfPath;

// Each host process has a folder of its own, so that hosts running side by side do not share
// their files.
std::filesystem::path LibraryFolder() {
    const std::lock_guard lock(folderMutex);
    if (libraryFolder.empty()) {
        std::error_code error;
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "velmora-host-library-%08x", std::random_device{}());
        libraryFolder = Utf8OfPath(std::filesystem::temp_directory_path(error) / suffix);
    }
    return PathOfUtf8(libraryFolder);
}

std::filesystem::path ModuleFolder(const LoadedAddon& addon) {
    return LibraryFolder() / PathOfUtf8(addon.name);
}

std::uint32_t ReadLittleEndian(const char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

class Resource {
public:
    Resource(GSType type, GSResModule module, GSResID id)
        : handle(RSLoadResource(type, module, id)) {}
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;
    ~Resource() { BMKillHandle(&handle); }

    // The bytes after the leading 32-bit count, when the count fits the resource.
    std::span<const char> Payload() const {
        const GSSize size = handle != nullptr ? BMGetHandleSize(handle) : 0;
        if (size < 4 || ReadLittleEndian(*handle, 4) > static_cast<std::uint64_t>(size - 4)) {
            return {};
        }
        return {*handle + 4, ReadLittleEndian(*handle, 4)};
    }
    bool Exists() const { return handle != nullptr; }

private:
    GSHandle handle;
};

bool WriteFile(const std::filesystem::path& path, std::span<const char> bytes) {
    std::FILE* file = platform::OpenFileUtf8(Utf8OfPath(path), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

GSErrCode AddFile(const LoadedAddon& addon, const std::string& fileName, GSResID fileResource) {
    const Resource file(kResTypeFile, addon.resourceModule, fileResource);
    if (!file.Exists()) {
        return APIERR_BADID;
    }
    const std::filesystem::path path = ModuleFolder(addon) / PathOfUtf8(fileName);
    if (!WriteFile(path, file.Payload())) {
        return APIERR_GENERAL;
    }
    libraryParts.push_back({&addon, Utf8OfPath(PathOfUtf8(fileName).stem()), Utf8OfPath(path)});
    return NoError;
}

// A host whose loaded libraries lack the modules' parts, as when the user removed them.
std::atomic<bool> libraryPartsHidden{false};

const LibraryPart* PartAt(std::int32_t index) {
    if (index < 1 || static_cast<std::size_t>(index) > libraryParts.size()) {
        return nullptr;
    }
    const LibraryPart& part = libraryParts[static_cast<std::size_t>(index) - 1];
    return part.owner != nullptr ? &part : nullptr;
}

}  // namespace

void SetLibraryPartsHidden(bool hidden) {
    libraryPartsHidden = hidden;
}

void SetLibraryFolder(const std::string& nativePath) {
    const std::lock_guard lock(folderMutex);
    libraryFolder = nativePath;
}

// "FLDR" 128: a 32-bit count, a 16-bit number of entries, then per entry the file name (code
// page 1252, zero-padded to 262 bytes) and the 16-bit number of its "FILE" resource.
GSErrCode RegisterBuiltInLibrary() {
    if (NextAnswer(HostOperation::RegisterBuiltInLibrary) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    const LoadedAddon* addon = RegisteringAddon();
    if (addon == nullptr) {
        return APIERR_GENERAL;
    }
    const Resource folder(kResTypeFolderList, addon->resourceModule, kFolderListResource);
    const std::span<const char> list = folder.Payload();
    if (list.size() < 2) {
        return APIERR_BADID;
    }
    const std::size_t count = ReadLittleEndian(list.data(), 2);
    if (list.size() < 2 + count * kFolderEntrySize) {
        return APIERR_BADPARS;
    }
    std::error_code error;
    std::filesystem::create_directories(ModuleFolder(*addon), error);
    if (std::find(foldersMade.begin(), foldersMade.end(), addon) == foldersMade.end()) {
        foldersMade.push_back(addon);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const char* entry = list.data() + 2 + i * kFolderEntrySize;
        const std::string name(entry, std::find(entry, entry + kFolderNameSize, '\0'));
        const auto fileResource =
            static_cast<GSResID>(ReadLittleEndian(entry + kFolderNameSize, 2));
        if (const GSErrCode result =
                AddFile(*addon, Utf8Of(GS::UniString(name.c_str())), fileResource);
            result != NoError) {
            return result;
        }
    }
    return NoError;
}

GSErrCode LibPartSearch(API_AddonContext /*context*/, API_LibPart* libPart, bool warnIfMissing,
                        bool useEnabledOnly) {
    const HostAnswer answer = NextAnswer(HostOperation::LibPartSearch);
    if (answer == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    // The real host warns the user of a missing part, or leaves out the libraries not enabled in
    // the project; this one does neither, so it refuses such a search rather than pretend to.
    if (warnIfMissing || useEnabledOnly) {
        DBPrintf(
            "host: a library search that warns or takes enabled libraries only is not "
            "emulated\n");
        return APIERR_BADPARS;
    }
    if (libPart == nullptr) {
        return APIERR_BADPARS;
    }
    if (libraryPartsHidden) {
        return APIERR_BADID;
    }
    const std::string name = Utf8Of(GS::UniString(libPart->docu_UName));
    for (std::size_t i = 0; i < libraryParts.size(); ++i) {
        if (libraryParts[i].owner != nullptr && libraryParts[i].name == name) {
            libPart->index = static_cast<std::int32_t>(i + 1);
            // Odd: a part the library lists whose definition is missing.
            libPart->missingDef = answer == HostAnswer::Odd;
            return NoError;
        }
    }
    return APIERR_BADID;
}

GSErrCode LibPartGet(API_AddonContext /*context*/, API_LibPart* libPart) {
    const HostAnswer answer = NextAnswer(HostOperation::LibPartGet);
    if (answer == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    const LibraryPart* part = libPart != nullptr ? PartAt(libPart->index) : nullptr;
    if (part == nullptr) {
        return APIERR_BADID;
    }
    libPart->missingDef = false;
    // Odd: a part that has no file of its own to give.
    if (answer == HostAnswer::Odd) {
        return NoError;
    }
    const std::string text = platform::LocationTextFromNativePath(part->nativePath);
    libPart->location = new IO::Location(GS::UniString(text.c_str(), GS::CC_UTF8));
    return NoError;
}

void ForgetLibraryParts(const LoadedAddon& addon) {
    for (LibraryPart& part : libraryParts) {
        if (part.owner == &addon) {
            part.owner = nullptr;
        }
    }
    // Also when its registration failed half-way, after the folder was made.
    const auto made = std::find(foldersMade.begin(), foldersMade.end(), &addon);
    if (made != foldersMade.end()) {
        foldersMade.erase(made);
        std::error_code error;
        std::filesystem::remove_all(ModuleFolder(addon), error);
        // Only an empty folder goes; another module's files keep it.
        std::filesystem::remove(LibraryFolder(), error);
    }
}

}  // namespace host
