#include "about/banner_fit.h"

PictureRect FitBanner(const DGUserUpdateData& item, std::int32_t width, std::int32_t height) {
    // The item's size is a 16-bit quantity, as the dialog manager keeps it.
    const auto itemWidth = static_cast<short>(item.right - item.left + 1);
    const auto itemHeight = static_cast<short>(item.bottom - item.top + 1);
    if (width <= 0 || height <= 0) {
        return {0, 0, -1, -1};
    }
    auto drawWidth = static_cast<std::int32_t>(itemWidth);
    auto drawHeight = static_cast<std::int32_t>(static_cast<double>(height) / width * itemWidth);
    if (drawHeight > itemHeight) {
        drawHeight = itemHeight;
        drawWidth = static_cast<std::int32_t>(static_cast<double>(width) / height * itemHeight);
    }
    const std::int32_t top = (itemHeight - drawHeight) / 2;
    const std::int32_t left = (itemWidth - drawWidth) / 2;
    return {static_cast<short>(top), static_cast<short>(left),
            static_cast<short>(top + drawHeight - 1), static_cast<short>(left + drawWidth - 1)};
}
