// The host's drawing of dialogs, on dialogs made up here: what an item shows stays inside it,
// the same dialog gives the same picture and the same file every time, and the file holds the
// picture's pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/dialog_render.h"
#include "platform/image_decoding.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr short kWidth = 160;
constexpr short kHeight = 60;

host::DialogItemInfo Item(DialogItemKind kind, short x, short y, short width, short height,
                          std::string text) {
    host::DialogItemInfo item{};
    item.number = 1;
    item.kind = kind;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = height;
    item.enabled = true;
    item.visible = true;
    item.text = std::move(text);
    return item;
}

host::DialogInfo DialogWith(std::vector<host::DialogItemInfo> items) {
    return {1, 32000, true, true, "Test", kWidth, kHeight, std::move(items)};
}

// Pictures and user items are left empty: these cases are about texts.
const host::DialogPictures kNoPictures{
    [](DialogItemKind, short) { return host::Pixmap{}; },
    [](short) { return host::Pixmap{}; },
};

host::Pixmap Render(const host::DialogInfo& dialog) {
    return host::RenderDialog(dialog, kNoPictures);
}

const std::string kLongText =
    "Wide words WWWWWWWWWWWWWWWWWWWWWWWW that cannot fit, and more lines after them, "
    "line after line after line after line after line.";

struct ClipCase {
    const char* name;
    host::DialogItemInfo item;
};

std::vector<ClipCase> ClipCases() {
    std::vector<ClipCase> cases = {
        {"static text", Item(DialogItemKind::StaticText, 10, 10, 50, 14, kLongText)},
        {"emphasised text", Item(DialogItemKind::EmphasisedStaticText, 10, 10, 50, 30, kLongText)},
        {"multi-line field", Item(DialogItemKind::MultiLineText, 10, 10, 60, 30, kLongText)},
        {"button", Item(DialogItemKind::Button, 10, 10, 40, 20, kLongText)},
        {"text across the dialog's right edge",
         Item(DialogItemKind::StaticText, kWidth - 20, 10, 60, 14, kLongText)},
        {"text across the dialog's bottom edge",
         Item(DialogItemKind::StaticText, 10, kHeight - 8, 60, 30, kLongText)},
    };
    host::DialogItemInfo popup = Item(DialogItemKind::PopUp, 10, 10, 60, 20, "");
    popup.popupItems = {kLongText};
    popup.selected = 1;
    cases.push_back({"pop-up", popup});
    host::DialogItemInfo list = Item(DialogItemKind::ListWithHeader, 10, 10, 70, 44, "");
    list.headerTexts = {kLongText, kLongText};
    list.tabFields = {{0, 30}, {30, 200}};
    list.rows = {{{kLongText, kLongText}, {0, 0}}, {{kLongText, kLongText}, {0, 0}}};
    list.selected = 1;
    cases.push_back({"list with header and columns wider than the list", list});
    return cases;
}

TEST(DialogPicture, TextsLongerThanTheirItemStayInsideIt) {
    const host::Pixmap empty = Render(DialogWith({}));
    for (const ClipCase& test : ClipCases()) {
        SCOPED_TRACE(test.name);
        const host::Pixmap picture = Render(DialogWith({test.item}));
        ASSERT_EQ(picture.width, kWidth);
        ASSERT_EQ(picture.height, kHeight);
        ASSERT_EQ(picture.pixels.size(), empty.pixels.size());
        int outside = 0;
        int inside = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
                const bool inItem = x >= test.item.x && x < test.item.x + test.item.width &&
                                    y >= test.item.y && y < test.item.y + test.item.height;
                const bool changed = picture.pixels[at] != empty.pixels[at];
                outside += changed && !inItem ? 1 : 0;
                inside += changed && inItem ? 1 : 0;
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 0);
    }
}

TEST(DialogPicture, HiddenItemsAreNotDrawn) {
    host::DialogItemInfo hidden = Item(DialogItemKind::Button, 10, 10, 60, 20, "Hidden");
    hidden.visible = false;
    EXPECT_EQ(Render(DialogWith({hidden})).pixels, Render(DialogWith({})).pixels);
}

// Without the fallback font a Japanese text would show the same missing-glyph boxes as
// characters that no font has.
TEST(DialogPicture, JapaneseTextIsDrawnWithTheFallbackFont) {
    const auto text = [](const char* utf8) {
        return Render(DialogWith({Item(DialogItemKind::StaticText, 10, 10, 140, 20, utf8)}));
    };
    const host::Pixmap japanese = text("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");  // 日本語
    const host::Pixmap unknown = text("\xEE\x80\x80\xEE\x80\x80\xEE\x80\x80");   // U+E000 x3
    EXPECT_NE(japanese.pixels, unknown.pixels);
    EXPECT_NE(japanese.pixels, Render(DialogWith({})).pixels);
}

host::Pixmap Filled(int width, int height, std::uint32_t colour) {
    return {width, height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

// A 30 x 30 picture in a 20 x 20 item is centred and cut to the item; a user item shows what the
// module drew, where the item is.
TEST(DialogPicture, PicturesLandInTheirItems) {
    constexpr std::uint32_t kRed = 0xFFFF0000u;
    constexpr std::uint32_t kGreen = 0xFF00FF00u;
    host::DialogItemInfo picture = Item(DialogItemKind::Picture, 10, 10, 20, 20, "");
    picture.resource = 7;
    host::DialogItemInfo user = Item(DialogItemKind::UserItem, 50, 10, 10, 10, "");
    user.number = 2;
    const host::DialogPictures pictures{
        [](DialogItemKind kind, short resource) {
            return kind == DialogItemKind::Picture && resource == 7 ? Filled(30, 30, kRed)
                                                                    : host::Pixmap{};
        },
        [](short item) { return item == 2 ? Filled(10, 10, kGreen) : host::Pixmap{}; },
    };
    const host::Pixmap drawn = host::RenderDialog(DialogWith({picture, user}), pictures);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t pixel = drawn.pixels[static_cast<std::size_t>(y) * kWidth + x];
            const bool inPicture = x >= 10 && x < 30 && y >= 10 && y < 30;
            const bool inUser = x >= 50 && x < 60 && y >= 10 && y < 20;
            ASSERT_EQ(pixel == kRed, inPicture) << x << "," << y;
            ASSERT_EQ(pixel == kGreen, inUser) << x << "," << y;
        }
    }
}

std::vector<char> FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(DialogPicture, SameDialogGivesTheSameFileAndTheFileHoldsThePixels) {
    ScratchFolder scratch;
    host::DialogItemInfo list = Item(DialogItemKind::List, 5, 5, 100, 50, "");
    list.rows = {{{"Éléments accentués"}, {0}}, {{"Zweite Zeile"}, {0}}, {{"Third"}, {0}}};
    list.selected = 2;
    const host::DialogInfo dialog =
        DialogWith({list, Item(DialogItemKind::Button, 110, 30, 45, 24, "OK")});
    const host::Pixmap first = Render(dialog);
    const host::Pixmap second = Render(dialog);
    ASSERT_EQ(first.pixels, second.pixels);
    const std::string one = scratch.Utf8() + "/one.png";
    const std::string two = scratch.Utf8() + "/two.png";
    ASSERT_TRUE(host::WritePngFile(one, first));
    ASSERT_TRUE(host::WritePngFile(two, second));
    const std::vector<char> bytes = FileBytes(scratch.Path() / "one.png");
    EXPECT_EQ(bytes, FileBytes(scratch.Path() / "two.png"));

    platform::DecodedImage decoded;
    ASSERT_TRUE(platform::DecodeImage(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      bytes.size(), decoded));
    ASSERT_EQ(decoded.width, first.width);
    ASSERT_EQ(decoded.height, first.height);
    for (std::size_t i = 0; i < first.pixels.size(); ++i) {
        const std::uint32_t pixel = first.pixels[i];
        ASSERT_EQ(decoded.rgb[3 * i], static_cast<std::uint8_t>(pixel >> 16)) << "pixel " << i;
        ASSERT_EQ(decoded.rgb[3 * i + 1], static_cast<std::uint8_t>(pixel >> 8)) << "pixel " << i;
        ASSERT_EQ(decoded.rgb[3 * i + 2], static_cast<std::uint8_t>(pixel)) << "pixel " << i;
    }
}

TEST(DialogPicture, AFileThatCannotBeWrittenIsReported) {
    ScratchFolder scratch;
    const host::Pixmap picture = Render(DialogWith({}));
    EXPECT_FALSE(host::WritePngFile(scratch.Utf8() + "/missing/folder/dialog.png", picture));
    EXPECT_FALSE(host::WritePngFile(scratch.Utf8() + "/empty.png", host::Pixmap{}));
}

}  // namespace
