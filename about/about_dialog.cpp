#include "about/about_dialog.h"

#include <cstdint>
#include <iterator>

#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_own_module.h"
#include "platform/drawing.h"
#include "resources/resource_ids.h"
#include "update/update_host.h"
#include "update/version_report.h"
#include "update/web_page.h"

namespace {

using resource_ids::kGeneralStrings;
using resource_ids::kUpdateStrings;

enum Item : short {
    kOk = 1,
    kHiddenCancel = 2,
    kProductLine = 4,
    kVersionLine = 5,
    kDateLine = 6,
    kSystemLine = 7,
    kHostLine = 8,
    kDevelopmentTitle = 11,
    kDevelopers = 12,
    kDesign = 13,
    kMemberList = 14,
    kNameTitle = 15,
    kVersionTitle = 16,
    kDateTitle = 17,
    kFirstFrameLine = 18,
    kLastFrameLine = 21,
    kWebLink = 22,
    kSaveAsText = 23,
};

constexpr short kDialogWidth = 765;
constexpr short kDialogHeight = 500;
constexpr short kOkText = 64;
constexpr short kCancelText = 5;
constexpr short kNameTitleText = 2;
constexpr short kVersionTitleText = 3;
constexpr short kDateTitleText = 4;
constexpr short kSaveAsTextText = 9;
constexpr short kRowHeight = 22;
// The list frame: one-pixel lines in an opaque mid grey.
constexpr std::uint8_t kFrameGrey = 131;

struct Column {
    short begin;
    short end;
};
constexpr Column kColumns[] = {{0, 190}, {191, 340}, {341, 480}};

void SetText(short dialog, short item, const NX_String& text) {
    DGSetItemText(dialog, item, text.ToUniString());
}

void SetTexts(short dialog, const AboutData& about) {
    const short general = static_cast<short>(kGeneralStrings + LanguageIndex);
    const short update = static_cast<short>(kUpdateStrings + LanguageIndex);
    DGSetDialogTitle(dialog, GS::UniString("Velmora"));
    SetText(dialog, kOk, NX_GetString(general, kOkText));
    SetText(dialog, kHiddenCancel, NX_GetString(general, kCancelText));
    SetText(dialog, kProductLine, ProductLine());
    SetText(dialog, kVersionLine, VersionLine(about.own));
    SetText(dialog, kDateLine, DateLine(about.own));
    SetText(dialog, kSystemLine, SystemLine());
    SetText(dialog, kHostLine, HostLine(about.own));
    SetText(dialog, kDevelopmentTitle, DevelopmentTitle());
    SetText(dialog, kDevelopers, DevelopersLine());
    SetText(dialog, kDesign, DesignLine());
    SetText(dialog, kNameTitle, NX_GetString(update, kNameTitleText));
    SetText(dialog, kVersionTitle, NX_GetString(update, kVersionTitleText));
    SetText(dialog, kDateTitle, NX_GetString(update, kDateTitleText));
    SetText(dialog, kSaveAsText, NX_GetString(update, kSaveAsTextText));
}

void FillMemberList(short dialog, const AboutData& about) {
    DGListSetTabFieldCount(dialog, kMemberList, static_cast<short>(std::size(kColumns)));
    for (short i = 0; i < static_cast<short>(std::size(kColumns)); ++i) {
        DGListSetTabField(dialog, kMemberList, static_cast<short>(i + 1), kColumns[i].begin,
                          kColumns[i].end, false, true);
    }
    DGListSetItemHeight(dialog, kMemberList, kRowHeight);
    DGDisableNormalUpdate(dialog, kMemberList);
    DGListDeleteItem(dialog, kMemberList, DG_ALL_ITEMS);
    for (int i = 0; i < about.members.GetCount(); ++i) {
        const NX_AddonUpdate_Addon& member = about.members[i];
        const auto row = static_cast<short>(i + 1);
        DGListInsertItem(dialog, kMemberList, DG_LIST_BOTTOM);
        DGListSetTabItemText(dialog, kMemberList, row, 1, member.name.ToUniString());
        DGListSetTabItemText(dialog, kMemberList, row, 2, member.versionText.ToUniString());
        DGListSetTabItemText(dialog, kMemberList, row, 3, member.dateText.ToUniString());
    }
    DGEnableNormalUpdate(dialog, kMemberList);
    DGRedrawItem(dialog, kMemberList);
}

short AboutCallback(short message, short dialog, short item, DGUserData userData,
                    DGMessageData msgData) {
    auto& about = *reinterpret_cast<AboutData*>(userData);
    switch (message) {
        case DG_MSG_INIT:
            about.dialogId = static_cast<std::uint16_t>(dialog);
            SetTexts(dialog, about);
            FillMemberList(dialog, about);
            DGSetDialogSize(dialog, kDialogWidth, kDialogHeight);
            DGSetFocus(dialog, DG_NO_ITEM);
            return 0;
        case DG_MSG_CLICK:
            switch (item) {
                case kOk:
                case kHiddenCancel:
                    return item;
                case kWebLink:
                    static_cast<void>(OpenWebPage(NX_String(kUpdateHost) + kUpdateWebPagePath));
                    return 0;
                case kSaveAsText:
                    SaveVersionReport(about);
                    return 0;
                default:
                    return 0;
            }
        case DG_MSG_UPDATE:
            if (item >= kFirstFrameLine && item <= kLastFrameLine) {
                const auto* update = reinterpret_cast<const DGUserUpdateData*>(msgData);
                platform::FrameRect(update->drawContext, update->left, update->top, update->right,
                                    update->bottom, kFrameGrey, kFrameGrey, kFrameGrey);
            }
            return 0;
        case DG_MSG_CLOSE:
            about.dialogId = 0;
            return 0;
        default:
            return 0;
    }
}

}  // namespace

bool ShowAboutDialog(AboutData& about) {
    FillAboutData(about);
    short result = 0;
    {
        const ActiveOwnResources ownResources;
        result = DGModalDialog(OwnResourceModule(), resource_ids::kAboutDialog, OwnResourceModule(),
                               &AboutCallback, reinterpret_cast<DGUserData>(&about));
    }
    ClearAboutData(about);
    return result == kOk;
}
