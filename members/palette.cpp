#include "members/palette.h"

#include "acapi/dg.h"
#include "foundation/nx_menu_flags.h"
#include "foundation/nx_own_module.h"
#include "members/menu_texts.h"
#include "members/palette_popup.h"
#include "resources/resource_ids.h"

namespace {

using resource_ids::kMenuStrings;

constexpr short kWidth = 200;
constexpr short kHeight = 24;
constexpr std::int32_t kAboutItem = 5;
// The window kinds in which the host keeps the palette's items enabled.
constexpr std::int32_t kOpenControlFlags = 391;

// Item 5 ("About…") of every language's menu.
void SetAboutItemEnabled(bool enabled) {
    ChangeMenuItemFlags(kMenuStrings, kAboutItem, [enabled](GSFlags flags) {
        return enabled ? flags & ~API_MenuItemDisabled : flags | API_MenuItemDisabled;
    });
}

void OnPaletteClosed() {
    PaletteRecord& palette = Palette();
    RefreshMenuTexts();
    // The host refuses only a window it does not list, as when it refused the registration.
    static_cast<void>(HostInterface::UnregisterModelessWindow(palette.dialogId));
    palette.dialogId = 0;
    palette.closed = true;
    palette.controlFlags = 0;
    palette.userToggled = false;
    palette.memberList.Clear();
    SetAboutItemEnabled(false);
}

// The host's requests to every palette: close, hide for a while, grey out for a while.
GSErrCode PaletteControlCallback(std::int32_t referenceID, std::int32_t messageID,
                                 std::intptr_t /*param*/) {
    PaletteRecord& palette = Palette();
    if (referenceID != palette.dialogId) {
        return NoError;
    }
    switch (messageID) {
        case APIPalMsg_ClosePalette:
            DGModelessClose(palette.dialogId);
            break;
        case APIPalMsg_HidePalette_Begin:
            if (IsPaletteShown()) {
                DGHideModelessDialog(palette.dialogId);
                RefreshMenuTexts();
            }
            break;
        case APIPalMsg_HidePalette_End:
            // A palette the user hid or showed from the menu keeps that state.
            if (IsPaletteOpen()) {
                if (!palette.userToggled) {
                    DGShowModelessDialog(palette.dialogId);
                }
                RefreshMenuTexts();
            }
            break;
        case APIPalMsg_DisableItems_Begin:
            if (IsPaletteOpen()) {
                DGDisableItem(palette.dialogId, DG_ALL_ITEMS);
            }
            break;
        case APIPalMsg_DisableItems_End:
            if (IsPaletteOpen()) {
                DGEnableItem(palette.dialogId, DG_ALL_ITEMS);
            }
            break;
        default:
            break;
    }
    return NoError;
}

short PaletteCallback(short message, short dialog, short item, DGUserData /*userData*/,
                      DGMessageData /*msgData*/) {
    switch (message) {
        case DG_MSG_INIT:
            // A palette the host does not list works as ever; only the host's requests to hide
            // or grey out its palettes pass it by.
            static_cast<void>(HostInterface::RegisterModelessWindow(
                dialog, &PaletteControlCallback, Palette().controlFlags, nullptr));
            DGSetFocus(dialog, DG_NO_ITEM);
            DGSetDialogSize(dialog, kWidth, kHeight);
            return 0;
        case DG_MSG_CLOSE:
            OnPaletteClosed();
            return 0;
        case DG_MSG_CLICK:
            return item == DG_CLOSEBOX ? item : 0;
        case DG_MSG_CHANGE:
            OnPalettePopupChange(dialog, item);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

void OpenPalette() {
    PaletteRecord& palette = Palette();
    palette.dialogId = 0;
    palette.userToggled = false;
    palette.controlFlags = kOpenControlFlags;
    {
        const ActiveOwnResources ownResources;
        palette.dialogId =
            DGModelessInit(OwnResourceModule(), resource_ids::kPaletteDialog, OwnResourceModule(),
                           &PaletteCallback, reinterpret_cast<DGUserData>(&palette), true);
    }
    if (palette.dialogId != 0) {
        SetAboutItemEnabled(true);
        DGSetDialogTitle(palette.dialogId, GS::UniString("Velmora"));
        RefreshMenuTexts();
        RebuildMemberList();
        // A redraw the host declines leaves its windows as they were.
        std::int64_t redrawAll = 0;
        static_cast<void>(HostInterface::Automate(FourCharCode("RBLD"), &redrawAll));
    }
    palette.closed = false;
}

void TogglePalette() {
    PaletteRecord& palette = Palette();
    palette.userToggled = true;
    if (!IsPaletteOpen()) {
        return;
    }
    const bool shown = DGIsModelessDialogVisible(palette.dialogId);
    SetAboutItemEnabled(!shown);
    if (shown) {
        DGHideModelessDialog(palette.dialogId);
    } else {
        DGShowModelessDialog(palette.dialogId);
    }
    RefreshMenuTexts();
}

void ResetPalette() {
    PaletteRecord& palette = Palette();
    palette.dialogId = 0;
    palette.closed = true;
    palette.controlFlags = 0;
    palette.userToggled = false;
    palette.memberList.Clear();
}

void ClosePalette() {
    if (IsPaletteOpen()) {
        DGModelessClose(Palette().dialogId);
    }
    ResetPalette();
}
