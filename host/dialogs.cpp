// The dialog manager's operations on dialogs and items, as modules call them.
#include <mutex>

#include "host/dialog_store.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/io_text.h"
#include "host/main_thread_queue.h"

using host::Dialog;
using host::DialogItem;
using host::FindDialog;
using host::FindItem;

namespace {

std::function<bool()> modalDriver;
host::AlertHandler alertHandler;

// The items an operation on `item` reaches (DG_ALL_ITEMS: all of them).
template <typename Change>
void ForItems(short dialogId, short item, Change change) {
    Dialog* dialog = FindDialog(dialogId);
    if (dialog == nullptr) {
        return;
    }
    for (DialogItem& entry : dialog->items) {
        if (item == DG_ALL_ITEMS || entry.info.number == item) {
            change(entry.info);
        }
    }
}

// Position `at` (1-based, or -1 for the end) of a sequence of `count`, or -1 when outside.
long InsertIndex(short at, std::size_t count) {
    if (at == DG_LIST_BOTTOM) {
        return static_cast<long>(count);
    }
    return at >= 1 && static_cast<std::size_t>(at) <= count + 1 ? at - 1 : -1;
}

}  // namespace

namespace host {

void SetModalDriver(std::function<bool()> driver) {
    modalDriver = std::move(driver);
}

void SetAlertHandler(AlertHandler handler) {
    alertHandler = std::move(handler);
}

std::vector<DialogInfo> OpenDialogs() {
    std::vector<DialogInfo> open;
    for (auto it = Dialogs().rbegin(); it != Dialogs().rend(); ++it) {
        const Dialog& dialog = **it;
        DialogInfo info{dialog.id,    dialog.resourceId, dialog.modal,  dialog.visible,
                        dialog.title, dialog.width,      dialog.height, {}};
        for (const DialogItem& item : dialog.items) {
            info.items.push_back(item.info);
        }
        open.push_back(std::move(info));
    }
    return open;
}

bool ClickDialogItem(short dialogId, short item) {
    Dialog* dialog = FindDialog(dialogId);
    const DialogItem* entry = FindItem(dialogId, item);
    if (dialog == nullptr || !dialog->visible || entry == nullptr || !entry->info.enabled ||
        !entry->info.visible) {
        return false;
    }
    Click(*dialog, item);
    return true;
}

bool SelectDialogItem(short dialogId, short item, short entry) {
    Dialog* dialog = FindDialog(dialogId);
    DialogItem* target = FindItem(dialogId, item);
    if (dialog == nullptr || !dialog->visible || target == nullptr || !target->info.enabled ||
        !target->info.visible) {
        return false;
    }
    const bool popUp = target->info.kind == DialogItemKind::PopUp;
    const std::size_t count = popUp ? target->info.popupItems.size() : target->info.rows.size();
    // A pop-up always shows one of its entries; a list's selected row can be clicked off
    // (entry 0), which leaves it with none.
    const short lowest = popUp ? 1 : 0;
    if (entry < lowest || static_cast<std::size_t>(entry) > count) {
        return false;
    }
    target->info.selected = entry;
    SendMessage(*dialog, DG_MSG_CHANGE, item);
    return true;
}

bool CloseDialogBox(short dialogId) {
    Dialog* dialog = FindDialog(dialogId);
    if (dialog == nullptr || !dialog->visible) {
        return false;
    }
    Click(*dialog, DG_CLOSEBOX);
    return true;
}

}  // namespace host

short DGModalDialog(GSResModule resModule, short resId, GSResModule /*iconModule*/,
                    DGDialCallBack callback, DGUserData userData) {
    if (host::NextAnswer(host::HostOperation::ModalDialog) == host::HostAnswer::Failure) {
        return 0;
    }
    Dialog* dialog = host::CreateDialog(resModule, resId, callback, userData, true);
    if (dialog == nullptr) {
        return 0;
    }
    const short id = dialog->id;
    dialog->visible = true;
    host::SendMessage(*dialog, DG_MSG_INIT, 0);
    while (!FindDialog(id)->closing) {
        if (!modalDriver || !modalDriver()) {
            // Nobody is left to answer: the window's close box, and if even that is refused,
            // the dialog is closed without a result.
            host::Click(*FindDialog(id), DG_CLOSEBOX);
            if (!FindDialog(id)->closing) {
                host::CloseDialog(id);
            }
        }
    }
    const short result = FindDialog(id)->result;
    host::DestroyDialog(id);
    return result;
}

short DGModelessInit(GSResModule resModule, short resId, GSResModule /*iconModule*/,
                     DGDialCallBack callback, DGUserData userData, bool visible) {
    if (host::NextAnswer(host::HostOperation::ModelessInit) == host::HostAnswer::Failure) {
        return 0;
    }
    Dialog* dialog = host::CreateDialog(resModule, resId, callback, userData, false);
    if (dialog == nullptr) {
        return 0;
    }
    dialog->visible = visible;
    const short id = dialog->id;
    host::SendMessage(*dialog, DG_MSG_INIT, 0);
    return id;
}

void DGModelessClose(short dialId) {
    host::CloseDialog(dialId);
}

void DGShowModelessDialog(short dialId) {
    if (Dialog* dialog = FindDialog(dialId)) {
        dialog->visible = true;
    }
}

void DGHideModelessDialog(short dialId) {
    if (Dialog* dialog = FindDialog(dialId)) {
        dialog->visible = false;
    }
}

bool DGIsDialogOpen(short dialId) {
    const Dialog* dialog = FindDialog(dialId);
    return dialog != nullptr && !dialog->closing;
}

bool DGIsModelessDialogVisible(short dialId) {
    const Dialog* dialog = FindDialog(dialId);
    return dialog != nullptr && !dialog->modal && dialog->visible;
}

short DGAlert(short /*alertType*/, const GS::UniString& title, const GS::UniString& largeText,
              const GS::UniString& smallText, const GS::UniString& /*button1*/,
              const GS::UniString& /*button2*/, const GS::UniString& /*button3*/) {
    if (!alertHandler) {
        return 1;
    }
    return alertHandler(host::Utf8Of(title), host::Utf8Of(largeText), host::Utf8Of(smallText));
}

void DGSetDialogTitle(short dialId, const GS::UniString& title) {
    if (Dialog* dialog = FindDialog(dialId)) {
        dialog->title = host::Utf8Of(title);
    }
}

void DGSetDialogSize(short dialId, short width, short height) {
    if (Dialog* dialog = FindDialog(dialId)) {
        dialog->width = width;
        dialog->height = height;
    }
}

void DGSetItemText(short dialId, short item, const GS::UniString& text) {
    if (DialogItem* entry = FindItem(dialId, item)) {
        entry->info.text = host::Utf8Of(text);
    }
}

GS::UniString DGGetItemText(short dialId, short item) {
    const DialogItem* entry = FindItem(dialId, item);
    return entry != nullptr ? GS::UniString(entry->info.text.c_str(), GS::CC_UTF8)
                            : GS::UniString();
}

// Focus does not show in the host's listing.
void DGSetFocus(short /*dialId*/, short /*item*/) {}

void DGEnableItem(short dialId, short item) {
    ForItems(dialId, item, [](host::DialogItemInfo& info) { info.enabled = true; });
}

void DGDisableItem(short dialId, short item) {
    ForItems(dialId, item, [](host::DialogItemInfo& info) { info.enabled = false; });
}

void DGShowItem(short dialId, short item) {
    ForItems(dialId, item, [](host::DialogItemInfo& info) { info.visible = true; });
}

void DGHideItem(short dialId, short item) {
    ForItems(dialId, item, [](host::DialogItemInfo& info) { info.visible = false; });
}

// Help entries and drawing suspension do not show in the host's listing.
void DGSetItemHelpIndex(short /*dialId*/, short /*item*/, short /*helpIndex*/) {}
void DGDisableNormalUpdate(short /*dialId*/, short /*item*/) {}
void DGEnableNormalUpdate(short /*dialId*/, short /*item*/) {}
void DGRedrawItem(short /*dialId*/, short /*item*/) {}

void DGUserRedrawItem(short dialId, short item) {
    host::PostToMainThread(nullptr, [dialId, item] {
        Dialog* dialog = FindDialog(dialId);
        const DialogItem* entry = FindItem(dialId, item);
        if (dialog == nullptr || entry == nullptr) {
            return;
        }
        void* drawContext = entry->surface != nullptr ? entry->surface->DrawContext() : nullptr;
        DGUserUpdateData update{
            dialId, item, 1, drawContext, 0, 0, entry->info.width - 1, entry->info.height - 1};
        host::SendMessage(*dialog, DG_MSG_UPDATE, item, reinterpret_cast<DGMessageData>(&update));
    });
}

void DGListSetTabFieldCount(short dialId, short item, short count) {
    if (DialogItem* entry = FindItem(dialId, item); entry != nullptr && count >= 1) {
        entry->tabFieldCount = count;
        for (host::ListRowInfo& row : entry->info.rows) {
            row.texts.resize(static_cast<std::size_t>(count));
            row.icons.resize(static_cast<std::size_t>(count));
        }
    }
}

// Column positions, row height and header show in the dialog's picture, not in its listing.
void DGListSetTabField(short dialId, short item, short tabIndex, short begPos, short endPos,
                       bool /*hasSeparator*/, bool /*enabled*/) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr || tabIndex < 1 || tabIndex > entry->tabFieldCount) {
        return;
    }
    auto& fields = entry->info.tabFields;
    if (fields.size() < static_cast<std::size_t>(tabIndex)) {
        fields.resize(static_cast<std::size_t>(tabIndex), {0, entry->info.width});
    }
    fields[static_cast<std::size_t>(tabIndex) - 1] = {begPos, endPos};
}

void DGListSetItemHeight(short dialId, short item, short height) {
    if (DialogItem* entry = FindItem(dialId, item); entry != nullptr && height > 0) {
        entry->info.rowHeight = height;
    }
}

void DGListSetHeaderFlag(short dialId, short item, bool hasHeader) {
    if (DialogItem* entry = FindItem(dialId, item)) {
        entry->info.hasHeader = hasHeader;
    }
}

void DGListSetHeaderItemCount(short dialId, short item, short count) {
    if (DialogItem* entry = FindItem(dialId, item); entry != nullptr && count >= 0) {
        entry->info.headerTexts.resize(static_cast<std::size_t>(count));
    }
}

void DGListSetHeaderItemText(short dialId, short item, short headerItem,
                             const GS::UniString& text) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry != nullptr && headerItem >= 1 &&
        static_cast<std::size_t>(headerItem) <= entry->info.headerTexts.size()) {
        entry->info.headerTexts[static_cast<std::size_t>(headerItem) - 1] = host::Utf8Of(text);
    }
}

void DGListInsertItem(short dialId, short item, short listItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr) {
        return;
    }
    auto& rows = entry->info.rows;
    if (const long at = InsertIndex(listItem, rows.size()); at >= 0) {
        const auto fields = static_cast<std::size_t>(entry->tabFieldCount);
        rows.insert(rows.begin() + at,
                    {std::vector<std::string>(fields), std::vector<short>(fields, 0)});
    }
}

void DGListDeleteItem(short dialId, short item, short listItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr) {
        return;
    }
    auto& rows = entry->info.rows;
    if (listItem == DG_ALL_ITEMS) {
        rows.clear();
        entry->info.selected = 0;
    } else if (listItem >= 1 && static_cast<std::size_t>(listItem) <= rows.size()) {
        rows.erase(rows.begin() + (listItem - 1));
        entry->info.selected = 0;
    }
}

namespace {
host::ListRowInfo* FindRowField(short dialId, short item, short listItem, short tabIndex) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr || listItem < 1 ||
        static_cast<std::size_t>(listItem) > entry->info.rows.size() || tabIndex < 1 ||
        tabIndex > entry->tabFieldCount) {
        return nullptr;
    }
    return &entry->info.rows[static_cast<std::size_t>(listItem) - 1];
}
}  // namespace

void DGListSetTabItemText(short dialId, short item, short listItem, short tabIndex,
                          const GS::UniString& text) {
    if (host::ListRowInfo* row = FindRowField(dialId, item, listItem, tabIndex)) {
        row->texts[static_cast<std::size_t>(tabIndex) - 1] = host::Utf8Of(text);
    }
}

void DGListSetTabItemIcon(short dialId, short item, short listItem, short tabIndex,
                          const DGIcon& icon) {
    if (host::ListRowInfo* row = FindRowField(dialId, item, listItem, tabIndex)) {
        row->icons[static_cast<std::size_t>(tabIndex) - 1] = icon.resourceId;
    }
}

void DGListSelectItem(short dialId, short item, short listItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry != nullptr && listItem >= 0 &&
        static_cast<std::size_t>(listItem) <= entry->info.rows.size()) {
        entry->info.selected = listItem;
    }
}

short DGListGetSelected(short dialId, short item, short afterRow) {
    const DialogItem* entry = FindItem(dialId, item);
    return entry != nullptr && entry->info.selected > afterRow ? entry->info.selected : 0;
}

short DGListGetItemCount(short dialId, short item) {
    const DialogItem* entry = FindItem(dialId, item);
    return entry != nullptr ? static_cast<short>(entry->info.rows.size()) : 0;
}

void DGPopUpInsertItem(short dialId, short item, short popupItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr) {
        return;
    }
    auto& items = entry->info.popupItems;
    if (const long at = InsertIndex(popupItem, items.size()); at >= 0) {
        items.insert(items.begin() + at, std::string());
    }
}

void DGPopUpDeleteItem(short dialId, short item, short popupItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr) {
        return;
    }
    auto& items = entry->info.popupItems;
    if (popupItem == DG_ALL_ITEMS) {
        items.clear();
    } else if (popupItem >= 1 && static_cast<std::size_t>(popupItem) <= items.size()) {
        items.erase(items.begin() + (popupItem - 1));
    }
    if (static_cast<std::size_t>(entry->info.selected) > items.size()) {
        entry->info.selected = 0;
    }
}

void DGPopUpSetItemText(short dialId, short item, short popupItem, const GS::UniString& text) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry != nullptr && popupItem >= 1 &&
        static_cast<std::size_t>(popupItem) <= entry->info.popupItems.size()) {
        entry->info.popupItems[static_cast<std::size_t>(popupItem) - 1] = host::Utf8Of(text);
    }
}

void DGPopUpSetItemSeparator(short dialId, short item, short popupItem) {
    DGPopUpSetItemText(dialId, item, popupItem, GS::UniString("-"));
}

void DGPopUpSelectItem(short dialId, short item, short popupItem) {
    DialogItem* entry = FindItem(dialId, item);
    if (entry != nullptr && popupItem >= 1 &&
        static_cast<std::size_t>(popupItem) <= entry->info.popupItems.size()) {
        entry->info.selected = popupItem;
    }
}

short DGPopUpGetSelected(short dialId, short item) {
    const DialogItem* entry = FindItem(dialId, item);
    return entry != nullptr ? entry->info.selected : 0;
}

short DGPopUpGetItemCount(short dialId, short item) {
    const DialogItem* entry = FindItem(dialId, item);
    return entry != nullptr ? static_cast<short>(entry->info.popupItems.size()) : 0;
}

namespace host {

std::vector<std::uint32_t> UserItemPixels(short dialId, short item, std::int32_t* width,
                                          std::int32_t* height) {
    const DialogItem* entry = FindItem(dialId, item);
    if (entry == nullptr || entry->surface == nullptr) {
        return {};
    }
    if (width != nullptr) {
        *width = entry->surface->Width();
    }
    if (height != nullptr) {
        *height = entry->surface->Height();
    }
    return entry->surface->Pixels();
}

}  // namespace host
