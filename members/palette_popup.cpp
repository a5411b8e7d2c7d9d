#include "members/palette_popup.h"

#include "about/load_problem_dialog.h"
#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "members/member_registry.h"
#include "resources/resource_ids.h"

namespace {

using resource_ids::kMemberNameStrings;
using resource_ids::kUpdateStrings;

constexpr short kPopup = 1;
constexpr short kStartText = 16;
constexpr short kRefreshText = 17;

GS::UniString UpdateText(short index) {
    return NX_GetString(static_cast<short>(kUpdateStrings + LanguageIndex), index).ToUniString();
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

}  // namespace

PaletteRecord& Palette() {
    static PaletteRecord record;
    return record;
}

bool IsPaletteOpen() {
    const short dialog = Palette().dialogId;
    return dialog != 0 && DGIsDialogOpen(dialog);
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
        // A member that misses the news is not told again: the language is lost to it alone.
        if (index >= 0) {
            static_cast<void>(SendLanguageCommand(index));
        }
    }
}

void OnPalettePopupChange(short dialog, short item) {
    if (item != kPopup) {
        return;
    }
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
