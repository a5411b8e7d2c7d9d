#include <array>
#include <optional>

#include "acapi/dialog_template.h"
#include "byte_writer.h"
#include "directives.h"
#include "resource_numbers.h"

namespace rescomp {

namespace {

struct ItemKindName {
    const char* name;
    DialogItemKind kind;
    bool showsPicture;  // takes the resource number of an icon or a picture
};

constexpr std::array<ItemKindName, 12> kItemKinds = {{
    {"button", DialogItemKind::Button, false},
    {"static", DialogItemKind::StaticText, false},
    {"static-emphasised", DialogItemKind::EmphasisedStaticText, false},
    {"list", DialogItemKind::List, false},
    {"list-with-header", DialogItemKind::ListWithHeader, false},
    {"popup", DialogItemKind::PopUp, false},
    {"icon", DialogItemKind::Icon, true},
    {"picture", DialogItemKind::Picture, true},
    {"user", DialogItemKind::UserItem, false},
    {"separator", DialogItemKind::Separator, false},
    {"multiline", DialogItemKind::MultiLineText, false},
    {"icon-button", DialogItemKind::IconButton, true},
}};

const ItemKindName& ItemKind(LineParser& line) {
    const std::string name = line.Word("the item kind");
    for (const ItemKindName& kind : kItemKinds) {
        if (name == kind.name) {
            return kind;
        }
    }
    std::string known;
    for (const ItemKindName& kind : kItemKinds) {
        known += known.empty() ? kind.name : std::string(", ") + kind.name;
    }
    line.Fail("unknown item kind \"" + name + "\" (known: " + known + ")");
}

std::string BoundedText(LineParser& line, const std::string& text, std::size_t fieldSize) {
    if (text.size() >= fieldSize || text.find('\0') != std::string::npos) {
        line.Fail("a text here is at most " + std::to_string(fieldSize - 1) +
                  " bytes without a zero character");
    }
    return text;
}

void AppendItem(LineParser& line, Bytes& items) {
    const ItemKindName& kind = ItemKind(line);
    const auto x = line.Number("x", -32768, 32767);
    const auto y = line.Number("y", -32768, 32767);
    const auto width = line.Number("width", 0, 32767);
    const auto height = line.Number("height", 0, 32767);
    std::int64_t picture = 0;
    if (line.PeekWord() == "resource") {
        line.Word("resource");
        if (!kind.showsPicture) {
            line.Fail(std::string("a ") + kind.name + " item shows no picture");
        }
        picture = line.Number("resource number", kSmallestResourceNumber, kLargestResourceNumber);
    } else if (kind.showsPicture) {
        line.Fail(std::string("a ") + kind.name + " item needs \"resource <number>\"");
    }
    const std::string text =
        BoundedText(line, line.OptionalQuoted().value_or(""), kDialogItemTextSize);
    line.ExpectEnd();

    AppendLittleEndian16(items, static_cast<std::uint16_t>(kind.kind));
    AppendLittleEndian16(items, static_cast<std::uint16_t>(x));
    AppendLittleEndian16(items, static_cast<std::uint16_t>(y));
    AppendLittleEndian16(items, static_cast<std::uint16_t>(width));
    AppendLittleEndian16(items, static_cast<std::uint16_t>(height));
    AppendLittleEndian16(items, static_cast<std::uint16_t>(picture));
    AppendZeroPadded(items, text, kDialogItemTextSize);
}

}  // namespace

Resource CompileDialog(LineParser& header, SourceCursor& cursor, const Symbols& symbols) {
    Resource dialog{"GDLG", 0, {}, header.Where()};
    dialog.id = static_cast<std::int32_t>(
        header.Number("dialog number", kSmallestResourceNumber, kLargestResourceNumber));
    header.ExpectEnd();

    std::optional<std::pair<std::int64_t, std::int64_t>> size;
    std::optional<std::string> title;
    Bytes items;
    std::size_t itemCount = 0;
    for (;;) {
        const auto text = cursor.NextDirective();
        if (!text) {
            throw CompileError(dialog.origin, "the dialog has no \"end\" line");
        }
        LineParser line(*text, cursor.Position(), symbols);
        const std::string keyword = line.Word("size, title, item or end");
        if (keyword == "end") {
            line.ExpectEnd();
            break;
        }
        if (keyword == "size") {
            if (size) {
                line.Fail("the dialog's size is given twice");
            }
            const auto width = line.Number("width", 1, 32767);
            size = {width, line.Number("height", 1, 32767)};
        } else if (keyword == "title") {
            if (title) {
                line.Fail("the dialog's title is given twice");
            }
            title = BoundedText(line, line.Quoted("the title"), kDialogTitleSize);
        } else if (keyword == "item") {
            const auto number = line.Number("item number", 1, kMaxDialogItems);
            if (static_cast<std::size_t>(number) != itemCount + 1) {
                line.Fail("item " + std::to_string(number) + " where item " +
                          std::to_string(itemCount + 1) + " comes next");
            }
            AppendItem(line, items);
            ++itemCount;
        } else {
            line.Fail("unknown dialog line \"" + keyword + "\" (use size, title, item or end)");
        }
        line.ExpectEnd();
    }
    if (!size) {
        throw CompileError(dialog.origin, "the dialog has no size line");
    }

    AppendLittleEndian32(dialog.payload, kDialogTemplateMagic);
    AppendLittleEndian16(dialog.payload, static_cast<std::uint16_t>(size->first));
    AppendLittleEndian16(dialog.payload, static_cast<std::uint16_t>(size->second));
    AppendLittleEndian16(dialog.payload, static_cast<std::uint16_t>(itemCount));
    AppendZeroPadded(dialog.payload, title.value_or(""), kDialogTitleSize);
    dialog.payload.insert(dialog.payload.end(), items.begin(), items.end());
    return dialog;
}

}  // namespace rescomp
