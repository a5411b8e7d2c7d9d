#include "settings/language_dialog.h"

#include "acapi/dg.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_own_module.h"
#include "resources/resource_ids.h"
#include "settings/language.h"

namespace {

using resource_ids::kGeneralStrings;
using resource_ids::kLanguageDialog;
using resource_ids::kLanguageLabelIcons;

enum Item : short { kOk = 1, kCancel = 2, kLanguageList = 3, kRestartNote = 6 };
constexpr short kDialogWidth = 483;
constexpr short kDialogHeight = 282;
constexpr short kOkText = 64;
constexpr short kCancelText = 5;
constexpr short kRestartText = 65;

struct LanguageDialogState {
    std::int16_t indexBefore = 1;  // restored by Cancel
};

GS::UniString GeneralText(short index) {
    return NX_GetString(static_cast<short>(kGeneralStrings + LanguageIndex), index).ToUniString();
}

void SetTextsThatFollowTheSelection(short dialog) {
    DGSetItemText(dialog, kCancel, GeneralText(kCancelText));
    DGSetItemText(dialog, kRestartNote, GeneralText(kRestartText));
}

// One row per language showing its label image instead of a text.
void FillLanguageList(short dialog) {
    DGListSetTabFieldCount(dialog, kLanguageList, 1);
    DGListSetTabField(dialog, kLanguageList, 1, 5, 285, false, true);
    DGListSetItemHeight(dialog, kLanguageList, 30);
    DGDisableNormalUpdate(dialog, kLanguageList);
    DGListDeleteItem(dialog, kLanguageList, DG_ALL_ITEMS);
    for (short row = 1; row <= languages::kCount; ++row) {
        DGListInsertItem(dialog, kLanguageList, DG_LIST_BOTTOM);
        DGListSetTabItemText(dialog, kLanguageList, row, 1, GS::UniString(""));
        DGListSetTabItemIcon(
            dialog, kLanguageList, row, 1,
            {OwnResourceModule(), static_cast<short>(kLanguageLabelIcons + row - 1)});
    }
    DGEnableNormalUpdate(dialog, kLanguageList);
    DGRedrawItem(dialog, kLanguageList);
    DGListSelectItem(dialog, kLanguageList, static_cast<short>(LanguageIndex + 1));
}

// The selected row's language; the current one while no row is selected.
std::int16_t SelectedLanguage(short dialog) {
    const short row = DGListGetSelected(dialog, kLanguageList, 0);
    return row >= 1 && row <= languages::kCount ? static_cast<std::int16_t>(row - 1)
                                                : LanguageIndex;
}

short LanguageDialogCallback(short message, short dialog, short item, DGUserData userData,
                             DGMessageData /*msgData*/) {
    auto* state = reinterpret_cast<LanguageDialogState*>(userData);
    switch (message) {
        case DG_MSG_INIT:
            state->indexBefore = LanguageIndex;
            DGSetDialogSize(dialog, kDialogWidth, kDialogHeight);
            DGSetDialogTitle(dialog, GS::UniString("Velmora"));
            DGSetItemText(dialog, kOk, GeneralText(kOkText));
            SetTextsThatFollowTheSelection(dialog);
            FillLanguageList(dialog);
            DGSetFocus(dialog, DG_NO_ITEM);
            return 0;
        case DG_MSG_CHANGE:
            if (item == kLanguageList) {
                // The texts switch language at once, so the user can read the note in it.
                LanguageIndex = SelectedLanguage(dialog);
                SetTextsThatFollowTheSelection(dialog);
            }
            return 0;
        case DG_MSG_CLICK:
            if (item == kOk) {
                LanguageIndex = SelectedLanguage(dialog);
                SaveLanguage();
                return kOk;
            }
            // The window's close box cancels, as the Cancel button does.
            if (item == kCancel || item == DG_CLOSEBOX) {
                LanguageIndex = state->indexBefore;
                return kCancel;
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace

bool ShowLanguageDialog() {
    LanguageDialogState state;
    const ActiveOwnResources ownResources;
    const short result =
        DGModalDialog(OwnResourceModule(), kLanguageDialog, OwnResourceModule(),
                      &LanguageDialogCallback, reinterpret_cast<DGUserData>(&state));
    return result == kOk;
}
