// What the emulated host offers to the programs that run it (velmora-host and the tests). Add-on
// modules never call this: they know the host only through the add-on interface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "acapi/ac_export.h"
#include "acapi/function_table.h"

namespace host {

// The per-user folder that special location 13 stands for (a native path). Empty: a folder the
// host makes for itself below the system's temporary folder.
ACAPI_HOST_API void SetUserFolder(const std::string& nativePath);
ACAPI_HOST_API std::string UserFolder();

// Allocations (handles, pointers, objects, arrays) after the next `count` fail; -1 never.
ACAPI_HOST_API void FailAllocationsAfter(std::int64_t count);

// Whether a handle that is resized keeps its block while the block has room, as a system heap
// does (true, for timings), or always moves to a block of its new size (false, the default), so
// that a module keeping a pointer into a handle across a resize is caught by the address
// sanitizer.
ACAPI_HOST_API void SetHandlesGrowInPlace(bool inPlace);

// Faults of the file services, for tests of what a module does when the disk fails it. Calls are
// counted from the host's start: opens of files, writes into them, moves of a file over another
// (IO::FileSystem::Move), deletions (IO::Folder::Delete) and closes of open files.
enum class FileOperation : int { Open, Write, Rename, Delete, Close };
struct FileCallCounts {
    std::int64_t opens;
    std::int64_t writes;
    std::int64_t renames;
    std::int64_t deletes;
    std::int64_t closes;
    std::int64_t writtenBytes;  // that reached a file
};
ACAPI_HOST_API FileCallCounts CountFileCalls();
// The `call`-th call of the operation from now on fails, once (1: the next one); 0 clears it.
// It fails with `error`, or with NoError the operation's own (access denied; general for a write).
ACAPI_HOST_API void FailFileCall(FileOperation operation, std::int64_t call,
                                 GSErrCode error = NoError);
// A full disk: once `bytes` more bytes have been written every write fails, and the write that
// reaches the limit writes only what fits; -1 clears it.
ACAPI_HOST_API void FailWritesAfterBytes(std::int64_t bytes);
// The process ends at once with status 86, as when it is killed, at the `call`-th call of the
// operation from now on (before the call does anything), or in the write that would take the
// bytes written from now on beyond `bytes` (after the bytes that fit have reached the file).
ACAPI_HOST_API void EndProcessAtFileCall(FileOperation operation, std::int64_t call);
ACAPI_HOST_API void EndProcessAfterBytes(std::int64_t bytes);
// At the `call`-th call of the operation from now on, before the call does anything, `pause` runs
// on the calling thread, and the call goes on once it returns: another process can act in the
// middle of a module's work (on the files it holds open or locked).
ACAPI_HOST_API void PauseAtFileCall(FileOperation operation, std::int64_t call,
                                    std::function<void()> pause);
ACAPI_HOST_API void ClearFileFaults();

// Answers of the host's other operations, for tests of what a module does with each answer it
// may get. The `call`-th call of the named operation from now on (1: the next one; calls of
// every module count) gives, once: a failure, the error the operation gives when it cannot do
// what it is asked (0 from the dialog functions, false from the string and picture readers);
// or, for the operations that have one, an odd answer that the real host may give on success:
// a library part found without its definition ("ACAPI_LibPart_Search"), or without a location
// ("ACAPI_LibPart_Get"); a command answered without reaching its module ("ACAPI_Command_Call");
// an empty location ("ACAPI_GetOwnLocation"); a conversion that gives no picture ("CPIC",
// "CMPI"). Operations by the host's own names ("ACAPI_Register_Menu", "DGModelessInit",
// "GetSpecialLocation", "RSGetIndString", ...), requests by their codes ("APPL", "GMIF", ...).
// The host's own reads of a module's menu texts, when it registers the menu, count as reads.
// False when no operation has that name, or it has no odd answer.
enum class HostAnswer : int { Usual, Failure, Odd };
ACAPI_HOST_API bool SetHostAnswer(const std::string& operation, std::int64_t call,
                                  HostAnswer answer);
ACAPI_HOST_API void ClearHostAnswers();
ACAPI_HOST_API std::vector<std::string> HostOperationNames();

// What a module still held when it was unloaded, counted once its code was gone (its static
// objects destroyed): memory handles and pointers it took and never released, its threads still
// running, files it opened and never closed, modeless windows still registered and dialogs still
// open with their callback in its code.
struct ModuleLeaks {
    std::int64_t handles = 0;
    std::int64_t pointers = 0;
    std::int64_t threads = 0;
    std::int64_t files = 0;
    std::int64_t windows = 0;
    // The bytes of those handles' blocks and of those pointers, as asked for.
    std::int64_t handleBytes = 0;
    std::int64_t pointerBytes = 0;
};
using UnloadObserver = std::function<void(const std::string& addon, const ModuleLeaks& leaks)>;
// Told after every unload.
ACAPI_HOST_API void SetUnloadObserver(UnloadObserver observer);
// What the named module holds now, counted as at its unload, for watching a long session for
// growth; zero when none of that name is loaded.
ACAPI_HOST_API ModuleLeaks CurrentHoldings(const std::string& addon);

// Everything modules wrote to the debug output since the last call.
ACAPI_HOST_API std::string TakeDebugOutput();

struct LiveCounts {
    std::int64_t handles;
    std::int64_t pointers;
    std::int64_t objects;
    std::int64_t arrays;
};
ACAPI_HOST_API LiveCounts CountLiveAllocations();

// How many texts modules have asked the resource manager for (RSGetIndString_ParamAdapter),
// found or not, since the host started.
ACAPI_HOST_API std::int64_t CountStringReads();

// The picture conversions modules have asked for (ACAPI_Goodies "CPIC" and "CMPI") since the last
// call, in order, each named by what it was to decode: the source's MIME text ("image/gif") or
// picture format ("format 3"). This host decodes only JPEG and PNG data where the real one
// decodes every type it knows, so what a module hands its decoders is shown rather than tried.
ACAPI_HOST_API std::vector<std::string> TakePictureConversions();

// The pixels a user-drawn item of an open dialog was drawn with, 0xAARRGGBB, rows top-down;
// empty for any other item.
ACAPI_HOST_API std::vector<std::uint32_t> UserItemPixels(short dialId, short item,
                                                         std::int32_t* width, std::int32_t* height);

// What CheckEnvironment is told and what "APPL" answers.
struct EnvironmentSettings {
    std::int32_t applicationCode = 0;
    std::int16_t mainVersion = 16;
    std::int16_t releaseVersion = 0;
};
ACAPI_HOST_API void SetEnvironment(const EnvironmentSettings& settings);
ACAPI_HOST_API EnvironmentSettings CurrentEnvironment();

// The folder where built-in library files are written (a native path). Empty: a folder below
// the system's temporary folder.
ACAPI_HOST_API void SetLibraryFolder(const std::string& nativePath);
// Whether library part searches find nothing, as in a host whose libraries lack the modules'
// parts (false, the default: they find the parts the modules registered).
ACAPI_HOST_API void SetLibraryPartsHidden(bool hidden);

struct LoadResult {
    std::string name;     // the module's file name without extension
    std::string problem;  // empty when the module was loaded, registered and initialized
};
// Loads one module and runs its handshake and entry points. A module that refuses the
// environment, or whose RegisterInterface or Initialize fails, is not kept.
ACAPI_HOST_API LoadResult LoadAddon(const std::string& nativePath);
// Every module file (".apx") of the folder, in the order of their file names.
ACAPI_HOST_API std::vector<LoadResult> LoadAddonsFrom(const std::string& folderNativePath);
// FreeData, then the module is unloaded. False when no module of that name is loaded.
ACAPI_HOST_API bool UnloadAddon(const std::string& name);
// Unloads every module, the last loaded first.
ACAPI_HOST_API void UnloadAll();
// Told after each entry point of a module has run: its name, the entry point's name and its
// result. Programs use it to look at the module's world between entry points.
using EntryPointObserver =
    std::function<void(const std::string& addon, const std::string& entryPoint, long result)>;
ACAPI_HOST_API void SetEntryPointObserver(EntryPointObserver observer);
// The names of the loaded modules, in load order.
ACAPI_HOST_API std::vector<std::string> LoadedAddonNames();
// The native path the named module was loaded from; empty when none is loaded.
ACAPI_HOST_API std::string AddonNativePath(const std::string& name);
// The context the named module was given at Initialize; null when none is loaded.
ACAPI_HOST_API API_AddonContext AddonContext(const std::string& name);
// The function table that modules receive (kImportedTableSize bytes), for calling the host's
// operations as a module would.
ACAPI_HOST_API const void* FunctionTable();

struct MenuItemInfo {
    std::string text;
    std::string secondText;
    std::string markup;
    GSFlags flags;  // API_MenuItemDisabled, API_MenuItemChecked
};
struct MenuInfo {
    std::string addon;
    GSResID listId;
    std::string title;
    std::vector<MenuItemInfo> items;  // item 1 first
};
// Every registered menu, by module in load order, then in registration order.
ACAPI_HOST_API std::vector<MenuInfo> RegisteredMenus();

// Runs the menu handler that the menu's module installed for its list, as when the user
// chooses item `item` (1-based). Answers the handler's result; APIERR_BADID when there is no
// such menu or item; APIERR_GENERAL when the item is disabled or no handler is installed.
ACAPI_HOST_API GSErrCode ChooseMenuItem(GSResID listId, std::int32_t item);
ACAPI_HOST_API GSErrCode ChooseMenuItem(const std::string& title, std::int32_t item);

struct MenuHandlerInfo {
    std::string addon;
    GSResID listId;
};
// Every installed menu handler, by module in load order, then by list id.
ACAPI_HOST_API std::vector<MenuHandlerInfo> InstalledMenuHandlers();

struct ModelessWindowInfo {
    std::string addon;
    std::int32_t referenceID;
    APIPaletteControlCallBackProc callback;
    GSFlags controlFlags;
};
ACAPI_HOST_API std::vector<ModelessWindowInfo> RegisteredModelessWindows();
// Sends one of the window-control messages (APIPalMsg_...) to every registered window, as the
// host does when it hides or greys out its palettes for a while.
ACAPI_HOST_API void SendToModelessWindows(std::int32_t messageID);

// Runs every command queued with CommandCallFromEventLoop, including those queued meanwhile,
// on the calling thread (the host's main thread). Answers how many ran.
ACAPI_HOST_API std::size_t RunMainThreadQueue();

// Threads the named module started (through its own import of the system's thread-creation
// function) whose start routine has not returned yet; 0 when none is loaded.
ACAPI_HOST_API std::int64_t RunningThreadCount(const std::string& addon);
// The same over every module, including modules unloaded while their threads still ran.
ACAPI_HOST_API std::int64_t RunningThreadCount();

}  // namespace host
