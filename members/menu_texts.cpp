#include "members/menu_texts.h"

#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_string_overrides.h"
#include "members/palette_popup.h"
#include "resources/resource_ids.h"

namespace {

using resource_ids::kMenuItemStrings;
using resource_ids::kMenuStrings;

using languages::kEnglish;
using languages::kJapanese;

struct ItemText {
    std::int32_t item;
    short text;  // 0: the palette's show or hide text
};
// Item 6 is the separator and keeps its resource text.
constexpr ItemText kItemTexts[] = {{1, 0}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {7, 7}, {8, 8}, {9, 9}};

void SetItemTexts(GSType request, short textList, short paletteText) {
    for (short menu = 0; menu < languages::kCount; ++menu) {
        for (const ItemText& entry : kItemTexts) {
            API_MenuItemRef ref{static_cast<GSResID>(kMenuStrings + menu), entry.item};
            NX_String text = NX_GetString(textList, entry.text == 0 ? paletteText : entry.text);
            // Only the registered menu takes its texts; the other languages' lists have none.
            static_cast<void>(
                HostInterface::Interface(request, &ref, const_cast<char*>(text.GetText())));
        }
    }
}

}  // namespace

void RefreshMenuTexts() {
    NX_LoadStringOverrides();
    const short paletteText = IsPaletteShown() ? 2 : 1;
    const short textList = static_cast<short>(kMenuItemStrings + LanguageIndex);
    SetItemTexts(FourCharCode("SMIT"), textList, paletteText);
    // Second texts of the Japanese menu stay English.
    const short secondList =
        LanguageIndex == kJapanese ? static_cast<short>(kMenuItemStrings + kEnglish) : textList;
    SetItemTexts(FourCharCode("AMIT"), secondList, paletteText);
    RefreshPalettePopupTexts();
}
