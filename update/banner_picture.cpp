#include "update/banner_picture.h"

#include <utility>

#include "about/banner_fit.h"
#include "about/picture.h"

namespace {

// Main thread only: loaded there, drawn there.
struct LoadedBanner {
    Picture picture;
    std::int32_t width = 0;
    std::int32_t height = 0;
};
LoadedBanner banner;

}  // namespace

void LoadBannerPicture(const NX_Location& path) {
    LoadedBanner loaded;
    // A picture of no known size cannot be fitted to the item: none is shown.
    if (LoadWebPictureAsDIB(path, loaded.picture) &&
        PicturePixelSize(loaded.picture, &loaded.width, &loaded.height)) {
        banner = std::move(loaded);
    } else {
        banner = {};
    }
}

void DrawBanner(const DGUserUpdateData& update) {
    if (update.reqType == 1 && banner.picture.handle != nullptr && banner.width > 0 &&
        banner.height > 0) {
        // A picture the system cannot draw leaves the item blank.
        static_cast<void>(DrawDIB(update.drawContext,
                                  FitBanner(update, banner.width, banner.height), banner.picture));
    }
}

void ForgetBannerPicture() {
    banner = {};
}
