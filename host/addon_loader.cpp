// Loading modules: the handshake, the identity resource and the four entry points.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include "acapi/db.h"
#include "acapi/gs_memory.h"
#include "acapi/rs.h"
#include "host/addon_registry.h"
#include "host/dialog_store.h"
#include "host/host_control.h"
#include "host/main_thread_queue.h"
#include "host/module_holdings.h"
#include "host/thread_accounting.h"
#include "platform/dynamic_library.h"
#include "platform/utf8_path.h"

namespace host {

namespace {

constexpr GSResID kModuleIdResource = 32500;
constexpr std::uint32_t kModuleIdFormat = 8;
constexpr std::string_view kModuleExtension = ".apx";
// How long unloading waits for the module's threads to end before it unmaps it anyway.
constexpr auto kThreadEndWait = std::chrono::seconds(10);

std::vector<std::unique_ptr<LoadedAddon>> loadedAddons;
LoadedAddon* registeringAddon = nullptr;
std::uintptr_t lastContextSerial = 0;
EntryPointObserver entryPointObserver;
UnloadObserver unloadObserver;

template <typename Result>
Result Observed(const LoadedAddon& addon, const char* entryPoint, Result result) {
    if (entryPointObserver) {
        entryPointObserver(addon.name, entryPoint, static_cast<long>(result));
    }
    return result;
}

using platform::PathOfUtf8;
using platform::Utf8OfPath;

std::string Hex(GSErrCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

template <typename Value>
Value Read(const unsigned char* table, std::size_t offset) {
    Value value;
    std::memcpy(&value, table + offset, sizeof value);
    return value;
}

std::uint32_t ReadLittleEndian32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

// The module's identity from its "MDID" resource; false when it has none of the right form.
bool ReadModuleId(GSResModule module, API_ModulID* id) {
    GSHandle resource = RSLoadResource(kResTypeModuleId, module, kModuleIdResource);
    const bool valid = resource != nullptr && BMGetHandleSize(resource) >= 12 &&
                       ReadLittleEndian32(*resource) == kModuleIdFormat;
    if (valid) {
        id->developerID = ReadLittleEndian32(*resource + 4);
        id->localID = ReadLittleEndian32(*resource + 8);
    }
    BMKillHandle(&resource);
    return valid;
}

// The handshake: the module's entry table, then the host's function table.
std::string Handshake(LoadedAddon& addon) {
    const auto getExported = reinterpret_cast<GetExportedFuncAddrsProc>(
        platform::LibrarySymbol(addon.library, kGetExportedFuncAddrsName));
    const auto setImported = reinterpret_cast<SetImportedFuncAddrsProc>(
        platform::LibrarySymbol(addon.library, kSetImportedFuncAddrsName));
    if (getExported == nullptr || setImported == nullptr) {
        return "the module does not export the handshake functions";
    }
    alignas(8) unsigned char table[kExportedTableSize] = {};
    getExported(table);
    if (Read<std::uint32_t>(table, 0) != kExportedTableFormat ||
        Read<std::uint32_t>(table, kEntryOffsetInterfaceVersion) != kHostInterfaceVersion) {
        return "the module's entry table is of another format or interface version";
    }
    addon.entryPoints = {
        Read<CheckEnvironmentProc>(table, kEntryOffsetCheckEnvironment),
        Read<RegisterInterfaceProc>(table, kEntryOffsetRegisterInterface),
        Read<InitializeProc>(table, kEntryOffsetInitialize),
        Read<FreeDataProc>(table, kEntryOffsetFreeData),
    };
    const EntryPoints& entries = addon.entryPoints;
    if (entries.checkEnvironment == nullptr || entries.registerInterface == nullptr ||
        entries.initialize == nullptr || entries.freeData == nullptr) {
        return "the module's entry table lacks an entry point";
    }
    const GSErrCode result = setImported(FunctionTable());
    return result == NoError ? "" : "SetImportedFuncAddrs answered " + Hex(result);
}

std::int32_t CheckEnvironment(LoadedAddon& addon) {
    const EnvironmentSettings settings = CurrentEnvironment();
    API_EnvirParams environment{};
    environment.applicationCode = settings.applicationCode;
    environment.mainVersion = settings.mainVersion;
    environment.releaseVersion = settings.releaseVersion;
    return Observed(addon, "CheckEnvironment", addon.entryPoints.checkEnvironment(&environment));
}

GSErrCode RegisterInterface(LoadedAddon& addon) {
    registeringAddon = &addon;
    const GSErrCode result = addon.entryPoints.registerInterface();
    registeringAddon = nullptr;
    Observed(addon, "RegisterInterface", result);
    return result;
}

// Runs the entry points after the handshake; empty when the module is to be kept.
std::string StartAddon(LoadedAddon& addon) {
    if (std::string problem = Handshake(addon); !problem.empty()) {
        return problem;
    }
    if (CheckEnvironment(addon) != APIAddon_Preload) {
        return "CheckEnvironment refused the environment";
    }
    if (const GSErrCode result = RegisterInterface(addon); result != NoError) {
        return "RegisterInterface answered " + Hex(result);
    }
    addon.context = reinterpret_cast<API_AddonContext>(++lastContextSerial);
    if (const GSErrCode result =
            Observed(addon, "Initialize", addon.entryPoints.initialize(addon.context));
        result != NoError) {
        Observed(addon, "FreeData", addon.entryPoints.freeData());
        return "Initialize answered " + Hex(result);
    }
    addon.initialized = true;
    return "";
}

// The module's code must stay mapped while its threads run it.
void WaitForThreads(const LoadedAddon& addon) {
    const auto until = std::chrono::steady_clock::now() + kThreadEndWait;
    while (ThreadsOfLibrary(addon.library) > 0) {
        if (std::chrono::steady_clock::now() >= until) {
            DBPrintf("host: %s unloaded with %lld threads still running\n", addon.name.c_str(),
                     static_cast<long long>(ThreadsOfLibrary(addon.library)));
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Windows a module left behind: still registered, or dialogs still open that would call its
// code once it is gone.
std::int64_t WindowsLeftBy(const LoadedAddon& addon, const void* identity) {
    auto windows = static_cast<std::int64_t>(addon.windows.size());
    for (const auto& dialog : Dialogs()) {
        if (dialog->callback != nullptr && platform::ModuleIdentityOf(reinterpret_cast<const void*>(
                                               dialog->callback)) == identity) {
            ++windows;
        }
    }
    return windows;
}

void Release(LoadedAddon& addon) {
    WaitForThreads(addon);
    const void* identity = platform::LibraryIdentity(addon.library);
    ModuleLeaks leaks;
    leaks.threads = ThreadsOfLibrary(addon.library);
    leaks.windows = WindowsLeftBy(addon, identity);
    if (addon.context != nullptr) {
        DiscardPendingWork(addon.context);
    }
    ForgetLibraryParts(addon);
    if (addon.resourceModule != 0) {
        RSRemoveModule(addon.resourceModule);
    }
    platform::UnloadLibrary(addon.library);
    // Counted once the module's static objects are gone with its code.
    const Holdings held = HoldingsOf(identity);
    ForgetHoldings(identity);
    leaks.handles = held.handles;
    leaks.pointers = held.pointers;
    leaks.files = held.files;
    leaks.handleBytes = held.handleBytes;
    leaks.pointerBytes = held.pointerBytes;
    if (unloadObserver) {
        unloadObserver(addon.name, leaks);
    }
}

std::vector<std::unique_ptr<LoadedAddon>>::iterator FindByName(const std::string& name) {
    return std::ranges::find_if(loadedAddons,
                                [&](const auto& addon) { return addon->name == name; });
}

std::string ModuleName(const std::filesystem::path& path) {
    return Utf8OfPath(path.stem());
}

}  // namespace

const std::vector<std::unique_ptr<LoadedAddon>>& LoadedAddons() {
    return loadedAddons;
}

LoadedAddon* AddonOfContext(API_AddonContext context) {
    if (context == nullptr) {
        return nullptr;
    }
    for (const auto& addon : loadedAddons) {
        if (addon->context == context) {
            return addon.get();
        }
    }
    return nullptr;
}

std::vector<const LoadedAddon*> AddonsWithId(const API_ModulID& id) {
    std::vector<const LoadedAddon*> addons;
    for (const auto& addon : loadedAddons) {
        if (addon->initialized && addon->id.developerID == id.developerID &&
            addon->id.localID == id.localID) {
            addons.push_back(addon.get());
        }
    }
    return addons;
}

LoadedAddon* RegisteringAddon() {
    return registeringAddon;
}

LoadResult LoadAddon(const std::string& nativePath) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(PathOfUtf8(nativePath), error);
    LoadResult result{ModuleName(path), ""};
    if (FindByName(result.name) != loadedAddons.end()) {
        result.problem = "a module of that name is loaded already";
        return result;
    }
    auto addon = std::make_unique<LoadedAddon>();
    addon->name = result.name;
    addon->nativePath = Utf8OfPath(path);
    std::string loadError;
    addon->library = platform::LoadLibraryFile(addon->nativePath, &loadError);
    if (addon->library == nullptr) {
        result.problem = "the module cannot be loaded: " + loadError;
        return result;
    }
    InstallThreadAccounting(addon->library);
    addon->resourceModule = RSAddModule(addon->library);
    if (!ReadModuleId(addon->resourceModule, &addon->id)) {
        result.problem = "the module has no identity resource";
    } else {
        // Registered before its entry points run, so that it can be found by its context.
        loadedAddons.push_back(std::move(addon));
        result.problem = StartAddon(*loadedAddons.back());
        if (result.problem.empty()) {
            return result;
        }
        addon = std::move(loadedAddons.back());
        loadedAddons.pop_back();
    }
    Release(*addon);
    return result;
}

std::vector<LoadResult> LoadAddonsFrom(const std::string& folderNativePath) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(PathOfUtf8(folderNativePath), error)) {
        if (entry.is_regular_file() && Utf8OfPath(entry.path().extension()) == kModuleExtension) {
            files.push_back(entry.path());
        }
    }
    std::ranges::sort(files, {}, [](const auto& file) { return Utf8OfPath(file.filename()); });
    std::vector<LoadResult> results;
    results.reserve(files.size());
    for (const auto& file : files) {
        results.push_back(LoadAddon(Utf8OfPath(file)));
    }
    return results;
}

bool UnloadAddon(const std::string& name) {
    const auto found = FindByName(name);
    if (found == loadedAddons.end()) {
        return false;
    }
    LoadedAddon& addon = **found;
    Observed(addon, "FreeData", addon.entryPoints.freeData());
    addon.initialized = false;
    std::unique_ptr<LoadedAddon> removed = std::move(*found);
    loadedAddons.erase(found);
    Release(*removed);
    return true;
}

void UnloadAll() {
    while (!loadedAddons.empty()) {
        UnloadAddon(loadedAddons.back()->name);
    }
}

void SetEntryPointObserver(EntryPointObserver observer) {
    entryPointObserver = std::move(observer);
}

void SetUnloadObserver(UnloadObserver observer) {
    unloadObserver = std::move(observer);
}

std::string AddonNativePath(const std::string& name) {
    const auto found = FindByName(name);
    return found != loadedAddons.end() ? (*found)->nativePath : "";
}

API_AddonContext AddonContext(const std::string& name) {
    const auto found = FindByName(name);
    return found != loadedAddons.end() ? (*found)->context : nullptr;
}

ModuleLeaks CurrentHoldings(const std::string& name) {
    const auto found = FindByName(name);
    if (found == loadedAddons.end()) {
        return {};
    }
    const LoadedAddon& addon = **found;
    const void* identity = platform::LibraryIdentity(addon.library);
    const Holdings held = HoldingsOf(identity);
    return {held.handles,
            held.pointers,
            ThreadsOfLibrary(addon.library),
            held.files,
            WindowsLeftBy(addon, identity),
            held.handleBytes,
            held.pointerBytes};
}

std::int64_t RunningThreadCount(const std::string& addon) {
    const auto found = FindByName(addon);
    return found != loadedAddons.end() ? ThreadsOfLibrary((*found)->library) : 0;
}

std::int64_t RunningThreadCount() {
    return ThreadsOfAllLibraries();
}

std::vector<std::string> LoadedAddonNames() {
    std::vector<std::string> names;
    names.reserve(loadedAddons.size());
    for (const auto& addon : loadedAddons) {
        names.push_back(addon->name);
    }
    return names;
}

}  // namespace host
