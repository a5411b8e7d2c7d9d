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
    Picture loaded;
    if (LoadWebPictureAsDIB(path, loaded)) {
        banner.picture = std::move(loaded);
        PicturePixelSize(banner.picture, &banner.width, &banner.height);
    } else {
        banner.picture.Reset();
    }
}

void DrawBanner(const DGUserUpdateData& update) {
    if (update.reqType == 1 && banner.picture.handle != nullptr && banner.width > 0 &&
        banner.height > 0) {
        DrawDIB(update.drawContext, FitBanner(update, banner.width, banner.height), banner.picture);
    }
}

void ForgetBannerPicture() {
    banner = {};
}
