// An open dialog of the host's dialog manager as a picture, and the picture as a file.
#include <fstream>

#include "acapi/gs_memory.h"
#include "acapi/rs.h"
#include "host/dialog_render.h"
#include "host/dialog_render_bitmap.h"
#include "host/dialog_store.h"
#include "host/host_control.h"
#include "host/png_writer.h"
#include "platform/utf8_path.h"

namespace host {

namespace {

// The resource of the given type, or of the other picture type when the module keeps it there.
Pixmap ResourcePicture(GSResModule module, DialogItemKind kind, short resource) {
    const GSType first = kind == DialogItemKind::Picture ? kResTypeBitmap : kResTypeIcon;
    const GSType second = first == kResTypeBitmap ? kResTypeIcon : kResTypeBitmap;
    for (const GSType type : {first, second}) {
        GSHandle handle = RSLoadResource(type, module, resource);
        if (handle == nullptr) {
            continue;
        }
        Pixmap picture = PixmapOfBitmap(reinterpret_cast<const std::uint8_t*>(*handle),
                                        static_cast<std::size_t>(BMGetHandleSize(handle)));
        BMKillHandle(&handle);
        return picture;
    }
    return {};
}

// What the module draws into its user-drawn items when the window is painted. The callback
// may close the dialog, so it is looked up again for every item.
void PaintUserItems(short dialogId) {
    const Dialog* dialog = FindDialog(dialogId);
    const std::size_t count = dialog != nullptr ? dialog->items.size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        Dialog* current = FindDialog(dialogId);
        if (current == nullptr || i >= current->items.size()) {
            return;
        }
        const DialogItem& entry = current->items[i];
        if (entry.info.kind != DialogItemKind::UserItem || !entry.info.visible ||
            entry.surface == nullptr) {
            continue;
        }
        DGUserUpdateData update{dialogId,
                                entry.info.number,
                                1,
                                entry.surface->DrawContext(),
                                0,
                                0,
                                entry.info.width - 1,
                                entry.info.height - 1};
        SendMessage(*current, DG_MSG_UPDATE, entry.info.number,
                    reinterpret_cast<DGMessageData>(&update));
    }
}

}  // namespace

std::optional<Pixmap> CaptureDialog(short dialogId) {
    PaintUserItems(dialogId);
    const Dialog* dialog = FindDialog(dialogId);
    if (dialog == nullptr) {
        return std::nullopt;
    }
    DialogInfo info{dialog->id,    dialog->resourceId, dialog->modal,  dialog->visible,
                    dialog->title, dialog->width,      dialog->height, {}};
    for (const DialogItem& item : dialog->items) {
        info.items.push_back(item.info);
    }
    const GSResModule module = dialog->module;
    const DialogPictures pictures{[module](DialogItemKind kind, short resource) {
                                      return ResourcePicture(module, kind, resource);
                                  },
                                  [dialogId](short item) {
                                      Pixmap picture;
                                      picture.pixels = UserItemPixels(
                                          dialogId, item, &picture.width, &picture.height);
                                      return picture;
                                  }};
    return RenderDialog(info, pictures);
}

bool WritePngFile(const std::string& path, const Pixmap& picture) {
    const std::vector<std::uint8_t> bytes = EncodePng(picture);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream file(platform::PathOfUtf8(path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace host
