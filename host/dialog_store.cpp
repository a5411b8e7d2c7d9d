#include "host/dialog_store.h"

#include <algorithm>
#include <cstring>

#include "acapi/gs_memory.h"
#include "acapi/rs.h"

namespace host {

namespace {

std::vector<std::unique_ptr<Dialog>> dialogs;

std::uint16_t Read16(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::string FixedText(const char* bytes, std::size_t size) {
    return {bytes, static_cast<std::size_t>(std::find(bytes, bytes + size, '\0') - bytes)};
}

bool ReadTemplate(GSResModule module, short resourceId, Dialog& dialog) {
    GSHandle handle = RSLoadResource(kResTypeDialog, module, resourceId);
    if (handle == nullptr) {
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(BMGetHandleSize(handle));
    const char* bytes = *handle;
    bool valid = size >= kDialogHeaderSize;
    std::uint32_t magic = 0;
    if (valid) {
        std::memcpy(&magic, bytes, 4);
        const std::size_t count = Read16(bytes + 8);
        valid = magic == kDialogTemplateMagic && count <= kMaxDialogItems &&
                size == DialogTemplateSize(count);
    }
    if (valid) {
        dialog.width = static_cast<short>(Read16(bytes + 4));
        dialog.height = static_cast<short>(Read16(bytes + 6));
        dialog.title = FixedText(bytes + 10, kDialogTitleSize);
        const std::size_t count = Read16(bytes + 8);
        for (std::size_t i = 0; i < count; ++i) {
            const char* item = bytes + kDialogHeaderSize + i * kDialogItemSize;
            DialogItem entry;
            entry.info.number = static_cast<short>(i + 1);
            entry.info.kind = static_cast<DialogItemKind>(Read16(item));
            entry.info.x = static_cast<short>(Read16(item + 2));
            entry.info.y = static_cast<short>(Read16(item + 4));
            entry.info.width = static_cast<short>(Read16(item + 6));
            entry.info.height = static_cast<short>(Read16(item + 8));
            entry.info.resource = static_cast<short>(Read16(item + 10));
            entry.info.text = FixedText(item + 12, kDialogItemTextSize);
            entry.info.enabled = true;
            entry.info.visible = true;
            entry.info.selected = 0;
            if (entry.info.kind == DialogItemKind::UserItem) {
                entry.surface =
                    std::make_shared<platform::ItemSurface>(entry.info.width, entry.info.height);
            }
            dialog.items.push_back(std::move(entry));
        }
    }
    BMKillHandle(&handle);
    return valid;
}

}  // namespace

Dialog* CreateDialog(GSResModule module, short resourceId, DGDialCallBack callback,
                     DGUserData userData, bool modal) {
    auto dialog = std::make_unique<Dialog>();
    if (callback == nullptr || !ReadTemplate(module, resourceId, *dialog)) {
        return nullptr;
    }
    // A dialog's number is a short, so the dialog manager hands out again the numbers of closed
    // dialogs: the lowest that no open dialog holds. A number a module keeps after its dialog
    // closed may then name another dialog.
    short id = 1;
    while (FindDialog(id) != nullptr) {
        ++id;
    }
    dialog->id = id;
    dialog->resourceId = resourceId;
    dialog->module = module;
    dialog->modal = modal;
    dialog->callback = callback;
    dialog->userData = userData;
    dialogs.push_back(std::move(dialog));
    return dialogs.back().get();
}

void DestroyDialog(short id) {
    std::erase_if(dialogs, [id](const auto& dialog) { return dialog->id == id; });
}

Dialog* FindDialog(short id) {
    for (const auto& dialog : dialogs) {
        if (dialog->id == id) {
            return dialog.get();
        }
    }
    return nullptr;
}

DialogItem* FindItem(short dialogId, short item) {
    Dialog* dialog = FindDialog(dialogId);
    if (dialog == nullptr || item < 1 || static_cast<std::size_t>(item) > dialog->items.size()) {
        return nullptr;
    }
    return &dialog->items[static_cast<std::size_t>(item) - 1];
}

const std::vector<std::unique_ptr<Dialog>>& Dialogs() {
    return dialogs;
}

short SendMessage(Dialog& dialog, short message, short item, DGMessageData data) {
    return dialog.callback(message, dialog.id, item, dialog.userData, data);
}

void CloseDialog(short id) {
    Dialog* dialog = FindDialog(id);
    if (dialog == nullptr || dialog->closing) {
        return;
    }
    dialog->closing = true;
    SendMessage(*dialog, DG_MSG_CLOSE, 0);
    if (!dialog->modal) {
        DestroyDialog(id);
    }
}

// The callback may close a modeless dialog itself (DGModelessClose) before it answers: the
// dialog is then gone, and only its number is safe to use.
void Click(Dialog& dialog, short item) {
    const short id = dialog.id;
    const short answer = SendMessage(dialog, DG_MSG_CLICK, item);
    Dialog* stillOpen = FindDialog(id);
    if (answer != 0 && stillOpen != nullptr) {
        stillOpen->result = answer;
        CloseDialog(id);
    }
}

}  // namespace host
