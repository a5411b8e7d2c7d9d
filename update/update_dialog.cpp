#include "update/update_dialog.h"

#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_own_module.h"
#include "foundation/nx_string_buffer.h"
#include "resources/resource_ids.h"
#include "resources/velmora_version.h"
#include "shell/host_interface.h"
#include "update/banner_picture.h"
#include "update/update_host.h"
#include "update/update_results.h"
#include "update/web_page.h"

namespace {

enum Item : short {
    kDownloadButton = 1,
    kQuitButton = 2,
    kHeadline = 4,
    kResultsList = 5,
    kDescription = 6,
    kLinkButton = 8,
};

enum UpdateText : short {
    kNameText = 2,
    kVersionText = 3,
    kDateText = 4,
    kUpdatesAvailableText = 10,
    kUpToDateText = 11,
    kDownloadText = 12,
    kQuitText = 13,
    kLearnMoreText = 15,
};

struct Column {
    short from;
    short to;
};
constexpr Column kColumns[] = {{1, 190}, {195, 280}, {285, 370}};

// The host keeps the results window among its palettes: hidden and greyed out with them.
constexpr GSFlags kControlFlags = 7;

short updateDialogId = 0;

GS::UniString UpdateText(short index) {
    return NX_GetString(static_cast<short>(resource_ids::kUpdateStrings + LanguageIndex), index)
        .ToUniString();
}

// The download page for this host and the current language, e.g. "...?acver=16&lang=1".
void OpenDownloadPage() {
    NX_StringBuffer query;
    query.Append("?acver=");
    query.Append(NX_String(velmora_version::kHostVersion, 0).GetText());
    query.Append("&lang=");
    query.Append(NX_String(static_cast<long>(LanguageIndex), 0).GetText());
    static_cast<void>(OpenWebPage(NX_String(kUpdateHost) + kDownloadPagePath + query.GetText()));
}

void ShowSelectedDescription(short dialog) {
    const short row = DGListGetSelected(dialog, kResultsList, 0);
    const NX_List<UpdateElement>& results = UpdateResults();
    const NX_String* text = &CurrentMessage().text;
    if (row >= 1 && row <= results.GetCount() &&
        results[row - 1].description.GetText()[0] != '\0') {
        text = &results[row - 1].description;
    }
    DGSetItemText(dialog, kDescription, text->ToUniString());
}

void FillResultsList(short dialog) {
    DGListSetTabFieldCount(dialog, kResultsList, 3);
    for (short field = 1; field <= 3; ++field) {
        const Column& column = kColumns[field - 1];
        DGListSetTabField(dialog, kResultsList, field, column.from, column.to, false, true);
    }
    DGListSetHeaderFlag(dialog, kResultsList, true);
    DGListSetHeaderItemCount(dialog, kResultsList, 3);
    DGListSetHeaderItemText(dialog, kResultsList, 1, UpdateText(kNameText));
    DGListSetHeaderItemText(dialog, kResultsList, 2, UpdateText(kVersionText));
    DGListSetHeaderItemText(dialog, kResultsList, 3, UpdateText(kDateText));
    DGListDeleteItem(dialog, kResultsList, DG_ALL_ITEMS);
    const NX_List<UpdateElement>& results = UpdateResults();
    for (int i = 0; i < results.GetCount(); ++i) {
        DGListInsertItem(dialog, kResultsList, DG_LIST_BOTTOM);
        const short row = DGListGetItemCount(dialog, kResultsList);
        DGListSetTabItemText(dialog, kResultsList, row, 1, results[i].name.ToUniString());
        DGListSetTabItemText(dialog, kResultsList, row, 2, results[i].version.ToUniString());
        DGListSetTabItemText(dialog, kResultsList, row, 3, results[i].date.ToUniString());
    }
}

}  // namespace

short UpdateDialogId() {
    return updateDialogId;
}

void OpenHiddenUpdateDialog() {
    CloseUpdateDialog();
    const ActiveOwnResources ownResources;
    updateDialogId = DGModelessInit(OwnResourceModule(), resource_ids::kUpdateDialog,
                                    OwnResourceModule(), &UpdateDialogCallback, 0, false);
}

void FillUpdateDialog() {
    const short dialog = updateDialogId;
    if (dialog == 0 || !DGIsDialogOpen(dialog)) {
        return;
    }
    FillResultsList(dialog);
    DGSetDialogTitle(dialog, NX_String("Velmora").ToUniString());
    if (UpdateResults().GetCount() > 0) {
        DGSetItemText(dialog, kHeadline, UpdateText(kUpdatesAvailableText));
        DGShowItem(dialog, kDownloadButton);
    } else {
        DGSetItemText(dialog, kHeadline, UpdateText(kUpToDateText));
        DGHideItem(dialog, kDownloadButton);
    }
    DGSetItemText(dialog, kDownloadButton, UpdateText(kDownloadText));
    DGSetItemText(dialog, kQuitButton, UpdateText(kQuitText));
    DGSetItemText(dialog, kLinkButton, UpdateText(kLearnMoreText));
    DGSetItemText(dialog, kDescription, CurrentMessage().text.ToUniString());
}

void ShowUpdateDialog() {
    if (updateDialogId != 0 && DGIsDialogOpen(updateDialogId)) {
        DGShowModelessDialog(updateDialogId);
    }
}

void CloseUpdateDialog() {
    if (updateDialogId != 0 && DGIsDialogOpen(updateDialogId)) {
        DGModelessClose(updateDialogId);
    }
    updateDialogId = 0;
}

short UpdateDialogCallback(short message, short dialog, short item, DGUserData /*userData*/,
                           DGMessageData msgData) {
    switch (message) {
        case DG_MSG_INIT:
            HostInterface::RegisterModelessWindow(dialog, nullptr, kControlFlags, nullptr);
            ForgetBannerPicture();
            return 0;
        case DG_MSG_CLOSE:
            HostInterface::UnregisterModelessWindow(dialog);
            ForgetBannerPicture();
            if (updateDialogId == dialog) {
                updateDialogId = 0;
            }
            return 1;
        case DG_MSG_CLICK:
            switch (item) {
                case kDownloadButton:
                    DGModelessClose(dialog);
                    OpenDownloadPage();
                    return 1;
                case kQuitButton:
                    DGModelessClose(dialog);
                    return 2;
                case kLinkButton:
                    // A message without a link (or whose link was no web address) opens nothing.
                    static_cast<void>(OpenWebPage(CurrentMessage().link));
                    return 0;
                case DG_CLOSEBOX:
                    return DG_CLOSEBOX;
                default:
                    return 0;
            }
        case DG_MSG_CHANGE:
            if (item == kResultsList) {
                ShowSelectedDescription(dialog);
            }
            return 0;
        case DG_MSG_UPDATE:
            if (item == kBannerItem) {
                DrawBanner(*reinterpret_cast<const DGUserUpdateData*>(msgData));
            }
            return 0;
        default:
            return 0;
    }
}
