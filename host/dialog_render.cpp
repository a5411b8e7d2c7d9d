// How the host draws a dialog's items: a plain, flat system look, the same on both builds.
#include "host/dialog_render.h"

#include <algorithm>
#include <filesystem>

#include "host/dialog_render_canvas.h"
#include "host/dialog_render_text.h"
#include "platform/module_self.h"

namespace host {

namespace {

constexpr int kFontPixelSize = 11;
constexpr int kTextInset = 4;
constexpr int kDefaultRowHeight = 18;
constexpr int kHeaderHeight = 20;
constexpr int kArrowWidth = 7;
constexpr short kDefaultButton = 1;

constexpr std::uint32_t kFace = Rgb(240, 240, 240);
constexpr std::uint32_t kText = Rgb(0, 0, 0);
constexpr std::uint32_t kDisabledText = Rgb(160, 160, 160);
constexpr std::uint32_t kButtonFace = Rgb(225, 225, 225);
constexpr std::uint32_t kButtonBorder = Rgb(173, 173, 173);
constexpr std::uint32_t kDefaultBorder = Rgb(0, 120, 215);
constexpr std::uint32_t kFieldBorder = Rgb(130, 135, 144);
constexpr std::uint32_t kField = Rgb(255, 255, 255);
constexpr std::uint32_t kHeaderFace = Rgb(247, 247, 247);
constexpr std::uint32_t kHeaderLine = Rgb(213, 213, 213);
constexpr std::uint32_t kSelection = Rgb(0, 120, 215);
constexpr std::uint32_t kSelectedText = Rgb(255, 255, 255);
constexpr std::uint32_t kShadowLine = Rgb(160, 160, 160);
constexpr std::uint32_t kLightLine = Rgb(255, 255, 255);
constexpr std::uint32_t kArrow = Rgb(96, 96, 96);
constexpr std::uint32_t kScrollTrack = Rgb(240, 240, 240);
constexpr std::uint32_t kScrollThumb = Rgb(205, 205, 205);
constexpr int kScrollBarWidth = 17;

// The fonts sit in "fonts" beside the host's library, copied there by the build.
std::filesystem::path FontFolder() {
    return std::filesystem::path(platform::OwnModulePath()).parent_path() / "fonts";
}

TextPainter& Painter() {
    static const FontRaster raster(FontFolder(), kFontPixelSize);
    static TextPainter painter(raster);
    return painter;
}

Rect Bounds(const DialogItemInfo& item) {
    return {item.x, item.y, item.width, item.height};
}

std::uint32_t TextColour(const DialogItemInfo& item) {
    return item.enabled ? kText : kDisabledText;
}

class ItemDrawing {
public:
    ItemDrawing(Canvas& canvas, const DialogPictures& pictures)
        : canvas_(canvas), pictures_(pictures), text_(Painter()) {}

    void Draw(const DialogItemInfo& item) {
        const Canvas::ClipScope clip(canvas_, Bounds(item));
        switch (item.kind) {
            case DialogItemKind::Button:
            case DialogItemKind::IconButton:
                Button(item);
                break;
            case DialogItemKind::StaticText:
                WrappedText(item, Bounds(item), TextStyle::Plain);
                break;
            case DialogItemKind::EmphasisedStaticText:
                WrappedText(item, Bounds(item), TextStyle::Emphasised);
                break;
            case DialogItemKind::MultiLineText:
                canvas_.Fill(Bounds(item), kField);
                canvas_.Frame(Bounds(item), kFieldBorder);
                WrappedText(item, Bounds(item).Inset(kTextInset), TextStyle::Plain);
                break;
            case DialogItemKind::List:
            case DialogItemKind::ListWithHeader:
                List(item);
                break;
            case DialogItemKind::PopUp:
                PopUp(item);
                break;
            case DialogItemKind::Icon:
            case DialogItemKind::Picture:
                Centred(pictures_.resource(item.kind, item.resource), Bounds(item));
                break;
            case DialogItemKind::UserItem:
                canvas_.Draw(pictures_.userItem(item.number), item.x, item.y);
                break;
            case DialogItemKind::Separator:
                Separator(Bounds(item));
                break;
        }
    }

private:
    void Centred(const Pixmap& picture, const Rect& area) {
        canvas_.Draw(picture, area.x + (area.width - picture.width) / 2,
                     area.y + (area.height - picture.height) / 2);
    }

    // One line, cut at the area's edges, centred or from the left, in the middle of its height.
    void SingleLine(const std::string& utf8, const Rect& area, bool centred, std::uint32_t colour,
                    TextStyle style = TextStyle::Plain) {
        const Canvas::ClipScope clip(canvas_, area);
        const std::u32string line = CodePointsOf(utf8);
        const int x = centred ? area.x + (area.width - text_.Width(line, style)) / 2 : area.x;
        const int top = area.y + (area.height - text_.LineHeight()) / 2;
        text_.DrawLine(canvas_, line, x, top, colour, style);
    }

    void WrappedText(const DialogItemInfo& item, const Rect& area, TextStyle style) {
        const Canvas::ClipScope clip(canvas_, area);
        int top = area.y;
        for (const std::u32string& line : text_.Wrap(CodePointsOf(item.text), area.width, style)) {
            if (top >= area.Bottom()) {
                break;
            }
            text_.DrawLine(canvas_, line, area.x, top, TextColour(item), style);
            top += text_.LineHeight();
        }
    }

    void Button(const DialogItemInfo& item) {
        const Rect area = Bounds(item);
        canvas_.Fill(area, kButtonFace);
        const bool isDefault = item.number == kDefaultButton && item.enabled;
        canvas_.Frame(area, isDefault ? kDefaultBorder : kButtonBorder);
        if (item.kind == DialogItemKind::IconButton) {
            const Canvas::ClipScope inside(canvas_, area.Inset(2));
            Centred(pictures_.resource(item.kind, item.resource), area);
        } else {
            SingleLine(item.text, area.Inset(kTextInset), true, TextColour(item));
        }
    }

    void PopUp(const DialogItemInfo& item) {
        const Rect area = Bounds(item);
        canvas_.Fill(area, kButtonFace);
        canvas_.Frame(area, kButtonBorder);
        const bool chosen =
            item.selected >= 1 && static_cast<std::size_t>(item.selected) <= item.popupItems.size();
        const Rect textArea{area.x + kTextInset + 2, area.y,
                            area.width - 3 * kTextInset - kArrowWidth - 2, area.height};
        if (chosen) {
            SingleLine(item.popupItems[static_cast<std::size_t>(item.selected) - 1], textArea,
                       false, TextColour(item));
        }
        // A small triangle pointing down, at the right end.
        const int left = area.Right() - kTextInset - kArrowWidth - 2;
        const int top = area.y + area.height / 2 - 2;
        for (int row = 0; row < (kArrowWidth + 1) / 2; ++row) {
            canvas_.Fill({left + row, top + row, kArrowWidth - 2 * row, 1}, kArrow);
        }
    }

    // A vertical scroll bar at the top of its range: arrows at both ends, the thumb as long as
    // the visible part of the content.
    void ScrollBar(const Rect& area, int visible, int content) {
        canvas_.Fill(area, kScrollTrack);
        const int track = area.height - 2 * kScrollBarWidth;
        if (track <= 0) {
            return;
        }
        const int thumb = std::max(track * visible / content, kScrollBarWidth);
        canvas_.Fill({area.x + 2, area.y + kScrollBarWidth, area.width - 4, thumb}, kScrollThumb);
        const int middle = area.x + area.width / 2;
        for (int row = 0; row < 4; ++row) {
            const int up = area.y + kScrollBarWidth / 2 - 2 + row;
            const int down = area.Bottom() - kScrollBarWidth / 2 + 1 - row;
            canvas_.Fill({middle - row, up, 2 * row + 1, 1}, kArrow);
            canvas_.Fill({middle - row, down, 2 * row + 1, 1}, kArrow);
        }
    }

    void Separator(const Rect& area) {
        if (area.width >= area.height) {
            canvas_.Fill({area.x, area.y, area.width, 1}, kShadowLine);
            canvas_.Fill({area.x, area.y + 1, area.width, 1}, kLightLine);
        } else {
            canvas_.Fill({area.x, area.y, 1, area.height}, kShadowLine);
            canvas_.Fill({area.x + 1, area.y, 1, area.height}, kLightLine);
        }
    }

    // Column `field` (0-based) inside the list's inner area: its tab field, or the whole width.
    static Rect Column(const DialogItemInfo& item, std::size_t field, const Rect& inner) {
        if (field < item.tabFields.size()) {
            const TabFieldInfo& tab = item.tabFields[field];
            return {inner.x + tab.begin, inner.y, tab.end - tab.begin, inner.height};
        }
        return inner;
    }

    void Cell(const std::string& text, short icon, const Rect& cell, std::uint32_t colour) {
        const Canvas::ClipScope clip(canvas_, cell);
        int x = cell.x + 2;
        if (icon != 0) {
            const Pixmap picture = pictures_.resource(DialogItemKind::Icon, icon);
            canvas_.Draw(picture, x, cell.y + (cell.height - picture.height) / 2);
            x += picture.width + kTextInset;
        }
        SingleLine(text, {x, cell.y, cell.Right() - x, cell.height}, false, colour);
    }

    void List(const DialogItemInfo& item) {
        const Rect area = Bounds(item);
        canvas_.Fill(area, kField);
        canvas_.Frame(area, kFieldBorder);
        Rect inner = area.Inset(1);
        const Canvas::ClipScope clip(canvas_, inner);
        const bool header = item.kind == DialogItemKind::ListWithHeader || item.hasHeader;
        if (header) {
            const Rect bar{inner.x, inner.y, inner.width, kHeaderHeight};
            canvas_.Fill(bar, kHeaderFace);
            canvas_.Fill({bar.x, bar.Bottom() - 1, bar.width, 1}, kHeaderLine);
            for (std::size_t field = 0; field < item.headerTexts.size(); ++field) {
                const Rect column = Column(item, field, bar);
                const Rect cell{column.x, bar.y, column.width, bar.height - 1};
                Cell(item.headerTexts[field], 0, cell, TextColour(item));
                if (field + 1 < item.headerTexts.size()) {
                    canvas_.Fill({cell.Right(), bar.y + 3, 1, bar.height - 6}, kHeaderLine);
                }
            }
            inner = {inner.x, inner.y + kHeaderHeight, inner.width, inner.height - kHeaderHeight};
        }
        const int rowHeight = item.rowHeight > 0 ? item.rowHeight : kDefaultRowHeight;
        const int rowsHeight = static_cast<int>(item.rows.size()) * rowHeight;
        if (rowsHeight > inner.height && inner.width > kScrollBarWidth) {
            ScrollBar({inner.Right() - kScrollBarWidth, inner.y, kScrollBarWidth, inner.height},
                      inner.height, rowsHeight);
            inner.width -= kScrollBarWidth;
        }
        const Canvas::ClipScope rowsClip(canvas_, inner);
        for (std::size_t row = 0; row < item.rows.size(); ++row) {
            const Rect band{inner.x, inner.y + static_cast<int>(row) * rowHeight, inner.width,
                            rowHeight};
            if (band.y >= inner.Bottom()) {
                break;
            }
            const bool selected = static_cast<std::size_t>(item.selected) == row + 1;
            if (selected) {
                canvas_.Fill(band, kSelection);
            }
            const std::uint32_t colour = selected ? kSelectedText : TextColour(item);
            const ListRowInfo& info = item.rows[row];
            for (std::size_t field = 0; field < info.texts.size(); ++field) {
                const Rect column = Column(item, field, band);
                const short icon = field < info.icons.size() ? info.icons[field] : 0;
                Cell(info.texts[field], icon, {column.x, band.y, column.width, rowHeight}, colour);
            }
        }
    }

    Canvas& canvas_;
    const DialogPictures& pictures_;
    TextPainter& text_;
};

}  // namespace

Pixmap RenderDialog(const DialogInfo& dialog, const DialogPictures& pictures) {
    Canvas canvas(dialog.width, dialog.height, kFace);
    ItemDrawing drawing(canvas, pictures);
    for (const DialogItemInfo& item : dialog.items) {
        if (item.visible) {
            drawing.Draw(item);
        }
    }
    return canvas.Take();
}

}  // namespace host
