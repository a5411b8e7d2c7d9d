// Menus: registered from a module's string list (title first, then the items with their markup),
// their item flags and texts kept by the host, and the handler that a chosen item reaches.
#include <algorithm>
#include <cstring>

#include "acapi/rs.h"
#include "host/addon_registry.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/host_operations.h"
#include "host/io_text.h"

namespace host {

namespace {

constexpr std::int32_t kMenuTextSize = 256;

// A registered menu of any module; with `owner` set, only that module's.
MenuRecord* FindMenu(GSResID listId, const LoadedAddon* owner, LoadedAddon** foundIn = nullptr) {
    for (const auto& addon : LoadedAddons()) {
        if (owner != nullptr && addon.get() != owner) {
            continue;
        }
        for (MenuRecord& menu : addon->menus) {
            if (menu.listId == listId) {
                if (foundIn != nullptr) {
                    *foundIn = addon.get();
                }
                return &menu;
            }
        }
    }
    return nullptr;
}

MenuItemRecord* FindItem(API_AddonContext context, const void* par1) {
    const auto* ref = static_cast<const API_MenuItemRef*>(par1);
    MenuRecord* menu = ref != nullptr ? FindMenu(ref->menuResID, AddonOfContext(context)) : nullptr;
    if (menu == nullptr || ref->itemIndex < 1 ||
        static_cast<std::size_t>(ref->itemIndex) > menu->items.size()) {
        return nullptr;
    }
    return &menu->items[static_cast<std::size_t>(ref->itemIndex) - 1];
}

MenuItemRecord ItemOfResourceText(const std::string& text) {
    const std::size_t markup = text.find('^');
    MenuItemRecord item;
    item.text = text.substr(0, markup);
    item.markup = markup == std::string::npos ? "" : text.substr(markup);
    // "^G" marks an item that starts grayed until its module enables it.
    for (std::size_t at = item.markup.find("^G"); at != std::string::npos;
         at = item.markup.find("^G", at + 2)) {
        if (at + 2 == item.markup.size() || item.markup[at + 2] == '^') {
            item.flags |= API_MenuItemDisabled;
        }
    }
    return item;
}

}  // namespace

GSErrCode RegisterMenu(GSResID menuStrResID, GSResID /*promptStrResID*/,
                       std::int32_t /*menuPosCode*/, GSFlags /*menuFlags*/) {
    if (NextAnswer(HostOperation::RegisterMenu) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = RegisteringAddon();
    if (addon == nullptr) {
        return APIERR_GENERAL;
    }
    MenuRecord menu;
    menu.listId = menuStrResID;
    char text[kMenuTextSize];
    for (std::int32_t index = 1; RSGetIndString_ParamAdapter(text, sizeof text, menuStrResID, index,
                                                             addon->resourceModule, 0);
         ++index) {
        if (index == 1) {
            menu.title = Utf8OfModuleText(text);
        } else {
            menu.items.push_back(ItemOfResourceText(Utf8OfModuleText(text)));
        }
    }
    if (menu.items.empty()) {
        return APIERR_BADID;
    }
    addon->menus.push_back(std::move(menu));
    return NoError;
}

// The handler may be installed for a menu the module did not register: the host keeps it, and
// it is reached only if such a menu exists.
GSErrCode InstallMenuHandler(API_AddonContext context, GSResID menuStrResID,
                             APIMenuCommandProc handler) {
    if (NextAnswer(HostOperation::InstallMenuHandler) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr || handler == nullptr) {
        return APIERR_BADPARS;
    }
    addon->menuHandlers[menuStrResID] = handler;
    return NoError;
}

// "GMIF"/"SMIF": par1 the item, par2 its flags. "SMIT"/"AMIT": par1 the item, par2 the text in
// the system code page.
GSErrCode InterfaceRequest(API_AddonContext context, GSType code, void* par1, void* par2) {
    const bool known = code == FourCharCode("GMIF") || code == FourCharCode("SMIF") ||
                       code == FourCharCode("SMIT") || code == FourCharCode("AMIT");
    if (!known) {
        return APIERR_BADID;
    }
    if (NextRequestAnswer(code) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    if (par2 == nullptr) {
        return APIERR_BADPARS;
    }
    MenuItemRecord* item = FindItem(context, par1);
    if (item == nullptr) {
        return APIERR_BADPARS;
    }
    if (code == FourCharCode("GMIF")) {
        *static_cast<GSFlags*>(par2) = item->flags;
    } else if (code == FourCharCode("SMIF")) {
        item->flags = *static_cast<const GSFlags*>(par2);
    } else if (code == FourCharCode("SMIT")) {
        item->text = Utf8Of(GS::UniString(static_cast<const char*>(par2)));
    } else {
        item->secondText = Utf8Of(GS::UniString(static_cast<const char*>(par2)));
    }
    return NoError;
}

std::vector<MenuInfo> RegisteredMenus() {
    std::vector<MenuInfo> menus;
    for (const auto& addon : LoadedAddons()) {
        for (const MenuRecord& menu : addon->menus) {
            MenuInfo info{addon->name, menu.listId, menu.title, {}};
            for (const MenuItemRecord& item : menu.items) {
                info.items.push_back({item.text, item.secondText, item.markup, item.flags});
            }
            menus.push_back(std::move(info));
        }
    }
    return menus;
}

std::vector<MenuHandlerInfo> InstalledMenuHandlers() {
    std::vector<MenuHandlerInfo> handlers;
    for (const auto& addon : LoadedAddons()) {
        for (const auto& [listId, handler] : addon->menuHandlers) {
            handlers.push_back({addon->name, listId});
        }
    }
    return handlers;
}

GSErrCode ChooseMenuItem(GSResID listId, std::int32_t item) {
    LoadedAddon* addon = nullptr;
    const MenuRecord* menu = FindMenu(listId, nullptr, &addon);
    if (menu == nullptr || item < 1 || static_cast<std::size_t>(item) > menu->items.size()) {
        return APIERR_BADID;
    }
    const auto handler = addon->menuHandlers.find(listId);
    if ((menu->items[static_cast<std::size_t>(item) - 1].flags & API_MenuItemDisabled) != 0 ||
        handler == addon->menuHandlers.end()) {
        return APIERR_GENERAL;
    }
    const API_MenuParams params{{listId, item}};
    return handler->second(&params);
}

GSErrCode ChooseMenuItem(const std::string& title, std::int32_t item) {
    for (const auto& addon : LoadedAddons()) {
        for (const MenuRecord& menu : addon->menus) {
            if (menu.title == title) {
                return ChooseMenuItem(menu.listId, item);
            }
        }
    }
    return APIERR_BADID;
}

}  // namespace host
