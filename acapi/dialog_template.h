// The binary form of a dialog template (resource type "GDLG"), as the resource compiler writes
// it and the host's dialog manager reads it. Everything is little-endian and every record has a
// fixed size, so a reader can check a template's size before it looks at any item:
//
//   header, kDialogHeaderSize bytes
//     0   u32  kDialogTemplateMagic, names the layout version (as bytes: "1TDG")
//     4   u16  width in pixels
//     6   u16  height in pixels
//     8   u16  number of items, at most kMaxDialogItems
//     10  char title[kDialogTitleSize]: UTF-8, zero-terminated, zero-padded
//   then the items, kDialogItemSize bytes each, item 1 first
//     0   u16  kind (DialogItemKind)
//     2   i16  x, from the dialog's left edge
//     4   i16  y, from the dialog's top edge
//     6   u16  width
//     8   u16  height
//     10  i16  resource number of the item's picture (icon, picture, icon button); 0 otherwise
//     12  char text[kDialogItemTextSize]: UTF-8, zero-terminated, zero-padded
//
// A template is valid only if its size is exactly DialogTemplateSize(number of items).
#pragma once

#include <cstddef>
#include <cstdint>

#include "ac_types.h"

constexpr GSType kDialogTemplateMagic = FourCharCode("GDT1");

constexpr std::size_t kDialogTitleSize = 128;
constexpr std::size_t kDialogItemTextSize = 256;
constexpr std::size_t kMaxDialogItems = 64;

constexpr std::size_t kDialogHeaderSize = 10 + kDialogTitleSize;
constexpr std::size_t kDialogItemSize = 12 + kDialogItemTextSize;

enum class DialogItemKind : std::uint16_t {
    Button = 1,
    StaticText = 2,
    EmphasisedStaticText = 3,
    List = 4,
    ListWithHeader = 5,
    PopUp = 6,
    Icon = 7,
    Picture = 8,
    UserItem = 9,
    Separator = 10,
    MultiLineText = 11,
    IconButton = 12,
};

constexpr std::size_t DialogTemplateSize(std::size_t itemCount) {
    return kDialogHeaderSize + itemCount * kDialogItemSize;
}
