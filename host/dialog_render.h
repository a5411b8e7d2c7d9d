// Dialogs as pictures: the emulated host draws an open dialog as the system would show its
// client area, at its real size, and writes the picture as a PNG file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "acapi/ac_export.h"
#include "host/dialog_control.h"
#include "host/pixmap.h"

namespace host {

// Where the drawing finds what the dialog's items show besides their texts.
struct DialogPictures {
    // The picture of an icon, picture or icon button item, or of a list row's icon: a resource
    // of the dialog's module. Empty when there is none.
    std::function<Pixmap(DialogItemKind kind, short resource)> resource;
    // What the module drew into a user-drawn item. Empty when it drew nothing.
    std::function<Pixmap(short item)> userItem;
};

// The dialog's client area with every visible item. Texts are clipped to their items.
ACAPI_HOST_API Pixmap RenderDialog(const DialogInfo& dialog, const DialogPictures& pictures);

// An open dialog as the user sees it: its user-drawn items are first drawn by the module's
// callback, as when the window is painted. Empty when no such dialog is open.
ACAPI_HOST_API std::optional<Pixmap> CaptureDialog(short dialogId);

// Writes the picture as an 8-bit RGBA PNG file (a UTF-8 path); false when it cannot.
ACAPI_HOST_API bool WritePngFile(const std::string& path, const Pixmap& picture);

}  // namespace host
