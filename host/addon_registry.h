// The host's record of every loaded module and of what it registered. Main thread only.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acapi/addon_entry.h"
#include "acapi/function_table.h"

namespace host {

struct MenuItemRecord {
    std::string text;
    std::string secondText;
    std::string markup;  // from the first '^' of the resource text on
    GSFlags flags = 0;
};

struct MenuRecord {
    GSResID listId = 0;
    std::string title;
    std::vector<MenuItemRecord> items;  // item 1 first
};

struct CommandRecord {
    GSType code = 0;
    std::int32_t version = 0;
    APIModulCommandProc handler = nullptr;  // null for a supported service
};

struct WindowRecord {
    std::int32_t referenceID = 0;
    APIPaletteControlCallBackProc callback = nullptr;
    GSFlags controlFlags = 0;
};

struct EntryPoints {
    CheckEnvironmentProc checkEnvironment = nullptr;
    RegisterInterfaceProc registerInterface = nullptr;
    InitializeProc initialize = nullptr;
    FreeDataProc freeData = nullptr;
};

struct LoadedAddon {
    std::string name;        // file name without extension
    std::string nativePath;  // absolute
    void* library = nullptr;
    GSResModule resourceModule = 0;
    API_ModulID id{};
    API_AddonContext context = nullptr;
    EntryPoints entryPoints;
    bool initialized = false;
    bool keepInMemory = false;
    std::vector<MenuRecord> menus;
    std::map<GSResID, APIMenuCommandProc> menuHandlers;
    std::vector<CommandRecord> services;
    std::vector<CommandRecord> commandHandlers;
    std::vector<WindowRecord> windows;
};

// In load order.
const std::vector<std::unique_ptr<LoadedAddon>>& LoadedAddons();
// The module that called with `context`, or null.
LoadedAddon* AddonOfContext(API_AddonContext context);
// The initialized modules with this identity, in load order.
std::vector<const LoadedAddon*> AddonsWithId(const API_ModulID& id);
// The module whose RegisterInterface is running: the Register operations carry no context.
LoadedAddon* RegisteringAddon();

// Called by the loader when a module goes away.
void ForgetLibraryParts(const LoadedAddon& addon);

}  // namespace host
