#include "about/load_problem_dialog.h"

#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_own_module.h"
#include "resources/resource_ids.h"

namespace {

using resource_ids::kGeneralStrings;
using resource_ids::kUpdateStrings;

enum Item : short { kOk = 1, kHiddenCancel = 2 };
constexpr short kDialogWidth = 567;
constexpr short kDialogHeight = 556;
constexpr short kOkText = 64;
constexpr short kCancelText = 5;

// Items 5 to 11 and their update texts, "Problem:" (18) and on. The remedy (items 8 to 10) is
// set in the current language too, so that no part of the notice stays in the resource's
// language.
struct ItemText {
    short item;
    short text;
};
constexpr ItemText kUpdateTexts[] = {{5, 18}, {6, 19},  {7, 20}, {8, 21},
                                     {9, 22}, {10, 23}, {11, 24}};

short LoadProblemCallback(short message, short dialog, short item, DGUserData userData,
                          DGMessageData /*msgData*/) {
    auto* dialogId = reinterpret_cast<short*>(userData);
    switch (message) {
        case DG_MSG_INIT: {
            *dialogId = dialog;
            const short general = static_cast<short>(kGeneralStrings + LanguageIndex);
            const short update = static_cast<short>(kUpdateStrings + LanguageIndex);
            DGSetDialogTitle(dialog, GS::UniString("Velmora"));
            DGSetItemText(dialog, kOk, NX_GetString(general, kOkText).ToUniString());
            DGSetItemText(dialog, kHiddenCancel, NX_GetString(general, kCancelText).ToUniString());
            for (const ItemText& entry : kUpdateTexts) {
                DGSetItemText(dialog, entry.item, NX_GetString(update, entry.text).ToUniString());
            }
            DGSetDialogSize(dialog, kDialogWidth, kDialogHeight);
            DGSetFocus(dialog, DG_NO_ITEM);
            return 0;
        }
        case DG_MSG_CLICK:
            return item == kOk || item == kHiddenCancel ? item : 0;
        case DG_MSG_CLOSE:
            *dialogId = 0;
            return 0;
        default:
            return 0;
    }
}

}  // namespace

bool ShowLoadProblemDialog(short& dialogId) {
    const ActiveOwnResources ownResources;
    return DGModalDialog(OwnResourceModule(), resource_ids::kLoadProblemDialog, OwnResourceModule(),
                         &LoadProblemCallback, reinterpret_cast<DGUserData>(&dialogId)) == kOk;
}
