#include "members/palette.h"

#include "about/load_problem_dialog.h"
#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_menu_flags.h"
#include "members/member_registry.h"
#include "members/menu_texts.h"
#include "resources/resource_ids.h"
#include "shell/own_module.h"

namespace {

using resource_ids::kMemberNameStrings;
using resource_ids::kMenuStrings;
using resource_ids::kUpdateStrings;

constexpr short kPopup = 1;
constexpr short kWidth = 200;
constexpr short kHeight = 24;
constexpr std::int32_t kAboutItem = 5;
constexpr short kStartText = 16;
constexpr short kRefreshText = 17;
// The window kinds in which the host keeps the palette's items enabled.
constexpr std::int32_t kOpenControlFlags = 391;

GS::UniString UpdateText(short index) {
    return NX_GetString(static_cast<short>(kUpdateStrings + LanguageIndex), index).ToUniString();
}

bool IsPaletteOpen() {
    const short dialog = Palette().dialogId;
    return dialog != 0 && DGIsDialogOpen(dialog);
}

void LaunchFromPopup(short selected) {
    PaletteRecord& palette = Palette();
    const int position = selected - 2;
    if (position < 0 || position >= palette.memberList.GetCount()) {
        return;
    }
    const int index = MemberIndexByName(palette.memberList[position].GetText());
    if (index < 0) {
        return;
    }
    DGPopUpSelectItem(palette.dialogId, kPopup, 1);
    LaunchMember(index);
}

void OnPopupChange(short dialog) {
    const short selected = DGPopUpGetSelected(dialog, kPopup);
    const short count = DGPopUpGetItemCount(dialog, kPopup);
    if (selected == 1 || selected == count - 1) {
        return;  // the resting entry or the separator
    }
    if (selected == count) {
        RebuildMemberListIfVisible();
        return;
    }
    LaunchFromPopup(selected);
}

void OnPaletteClosed() {
    PaletteRecord& palette = Palette();
    RefreshMenuTexts();
    HostInterface::UnregisterModelessWindow(palette.dialogId);
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
            HostInterface::RegisterModelessWindow(dialog, &PaletteControlCallback,
                                                  Palette().controlFlags, nullptr);
            DGSetFocus(dialog, DG_NO_ITEM);
            DGSetDialogSize(dialog, kWidth, kHeight);
            return 0;
        case DG_MSG_CLOSE:
            OnPaletteClosed();
            return 0;
        case DG_MSG_CLICK:
            return item == DG_CLOSEBOX ? item : 0;
        case DG_MSG_CHANGE:
            if (item == kPopup) {
                OnPopupChange(dialog);
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace

PaletteRecord& Palette() {
    static PaletteRecord record;
    return record;
}

void OpenPalette() {
    PaletteRecord& palette = Palette();
    palette.dialogId = 0;
    palette.userToggled = false;
    palette.controlFlags = kOpenControlFlags;
    {
        const HostInterface::ActiveOwnResources ownResources;
        palette.dialogId =
            DGModelessInit(HostInterface::OwnResourceModule(), resource_ids::kPaletteDialog,
                           HostInterface::OwnResourceModule(), &PaletteCallback,
                           reinterpret_cast<DGUserData>(&palette), true);
    }
    if (palette.dialogId != 0) {
        SetAboutItemEnabled(true);
        DGSetDialogTitle(palette.dialogId, GS::UniString("Velmora"));
        RefreshMenuTexts();
        RebuildMemberList();
        std::int64_t redrawAll = 0;
        HostInterface::Automate(FourCharCode("RBLD"), &redrawAll);
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

bool IsPaletteShown() {
    return IsPaletteOpen() && DGIsModelessDialogVisible(Palette().dialogId);
}

void RebuildMemberList() {
    PaletteRecord& palette = Palette();
    const short dialog = palette.dialogId;
    palette.memberList.Clear();
    DGPopUpDeleteItem(dialog, kPopup, DG_ALL_ITEMS);
    DGPopUpInsertItem(dialog, kPopup, DG_POPUP_BOTTOM);
    DGPopUpSetItemText(dialog, kPopup, 1, UpdateText(kStartText));
    const short names = static_cast<short>(kMemberNameStrings + LanguageIndex);
    for (int index = 0; index < kMemberCount; ++index) {
        if (IsMemberPresent(index)) {
            DGPopUpInsertItem(dialog, kPopup, DG_POPUP_BOTTOM);
            DGPopUpSetItemText(dialog, kPopup, DGPopUpGetItemCount(dialog, kPopup),
                               NX_GetString(names, static_cast<short>(index + 1)).ToUniString());
            palette.memberList.Insert(NX_String(MemberTableName(index)));
        }
    }
    DGPopUpInsertItem(dialog, kPopup, DG_POPUP_BOTTOM);
    DGPopUpSetItemSeparator(dialog, kPopup, DGPopUpGetItemCount(dialog, kPopup));
    DGPopUpInsertItem(dialog, kPopup, DG_POPUP_BOTTOM);
    DGPopUpSetItemText(dialog, kPopup, DGPopUpGetItemCount(dialog, kPopup),
                       UpdateText(kRefreshText));
    DGPopUpSelectItem(dialog, kPopup, 1);
    if (palette.memberList.GetCount() == 0) {
        short loadProblemDialog = 0;
        ShowLoadProblemDialog(loadProblemDialog);
    }
}

void RefreshPalettePopupTexts() {
    const short dialog = Palette().dialogId;
    if (dialog == 0) {
        return;
    }
    DGSetItemHelpIndex(dialog, kPopup, static_cast<short>(LanguageIndex + 1));
    DGPopUpSetItemText(dialog, kPopup, 1, UpdateText(kStartText));
    DGPopUpSetItemText(dialog, kPopup, DGPopUpGetItemCount(dialog, kPopup),
                       UpdateText(kRefreshText));
}

void RebuildMemberListIfVisible() {
    if (IsPaletteShown()) {
        RebuildMemberList();
    }
}

void SendLanguageToListedMembers() {
    const NX_List<NX_String>& members = Palette().memberList;
    for (int position = 0; position < members.GetCount(); ++position) {
        const int index = MemberIndexByName(members[position].GetText());
        if (index >= 0) {
            SendLanguageCommand(index);
        }
    }
}

void SetAboutItemEnabled(bool enabled) {
    ChangeMenuItemFlags(kMenuStrings, kAboutItem, [enabled](GSFlags flags) {
        return enabled ? flags & ~API_MenuItemDisabled : flags | API_MenuItemDisabled;
    });
}
