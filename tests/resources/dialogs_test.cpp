// The hub's dialog templates as the host reads them: the size, the title and, item by item, the
// kind and the picture that the dialog code relies on when it numbers the items.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "acapi/dialog_template.h"
#include "acapi/rs.h"
#include "resources/resource_ids.h"
#include "tests/resources/carried_resources.h"

namespace {

using namespace resource_ids;
using Kind = DialogItemKind;
using Item = std::pair<Kind, std::int16_t>;  // kind, picture resource (0: none)

std::uint16_t Read16(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

struct ExpectedDialog {
    std::int16_t id;
    std::uint16_t width;
    std::uint16_t height;
    const char* title;
    std::vector<Item> items;
};

const ExpectedDialog kDialogs[] = {
    {kPaletteDialog, 200, 24, "", {{Kind::PopUp, 0}}},
    {kUpdateDialog,
     788,
     534,
     "Velmora",
     {{Kind::Button, 0},
      {Kind::Button, 0},
      {Kind::Icon, kUpdateIcon},
      {Kind::EmphasisedStaticText, 0},
      {Kind::ListWithHeader, 0},
      {Kind::MultiLineText, 0},
      {Kind::UserItem, 0},
      {Kind::Button, 0}}},
    {kAboutDialog,
     765,
     500,
     "Velmora",
     {{Kind::Button, 0},
      {Kind::Button, 0},
      {Kind::Picture, kProductPicture},
      {Kind::EmphasisedStaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::List, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::UserItem, 0},
      {Kind::UserItem, 0},
      {Kind::UserItem, 0},
      {Kind::UserItem, 0},
      {Kind::IconButton, kWebLinkIcon},
      {Kind::Button, 0}}},
    {kLoadProblemDialog,
     567,
     556,
     "Velmora",
     {{Kind::Button, 0},
      {Kind::Button, 0},
      {Kind::Picture, kLoadProblemPicture},
      {Kind::Icon, kLoadProblemIcon},
      {Kind::EmphasisedStaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::EmphasisedStaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0},
      {Kind::StaticText, 0}}},
    {kLanguageDialog,
     483,
     282,
     "Velmora",
     {{Kind::Button, 0},
      {Kind::Button, 0},
      {Kind::List, 0},
      {Kind::Icon, kLanguagePictureIcon},
      {Kind::Separator, 0},
      {Kind::StaticText, 0}}},
};

TEST(Dialogs, TemplatesHaveTheirSizeTitleAndItems) {
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const std::string dialog = carried::Resource(kResTypeDialog, expected.id);
        ASSERT_GE(dialog.size(), kDialogHeaderSize);
        const std::size_t itemCount = Read16(dialog, 8);
        ASSERT_EQ(dialog.size(), DialogTemplateSize(itemCount));
        EXPECT_EQ(Read16(dialog, 4), expected.width);
        EXPECT_EQ(Read16(dialog, 6), expected.height);
        EXPECT_STREQ(dialog.c_str() + 10, expected.title);
        std::vector<Item> items;
        for (std::size_t item = 0; item < itemCount; ++item) {
            const std::size_t offset = kDialogHeaderSize + item * kDialogItemSize;
            items.emplace_back(static_cast<Kind>(Read16(dialog, offset)),
                               static_cast<std::int16_t>(Read16(dialog, offset + 10)));
        }
        EXPECT_EQ(items, expected.items);
    }
}

}  // namespace
