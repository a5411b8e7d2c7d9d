#include "update/banner.h"

#include <atomic>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "update/banner_picture.h"
#include "update/download_engine.h"
#include "update/download_file_names.h"
#include "update/main_thread_handoff.h"
#include "update/update_dialog.h"
#include "update/update_host.h"

namespace {

constexpr const char* kBannerPath = "/update_plugins/banner.jpg";
// A banner is a few hundred kilobytes; more is a broken or hostile server.
constexpr long long kMaxBannerBytes = 8LL << 20;
// Set when the banner download starts; cleared when its end arrives on the main thread, or by the
// download's thread when the host would not take its end there.
std::atomic<bool> bannerDownloadRunning = false;

// False when the host gives no settings folder.
bool GetBannerFile(NX_Location& file) {
    NX_Location folder;
    if (GetSettingsFolder(folder) != NoError) {
        return false;
    }
    file = folder.Join(kBannerFileName);
    return true;
}

void LoadBanner(std::int32_t state) {
    bannerDownloadRunning = false;
    NX_Location path;
    if (state != kDownloadDone || !GetBannerFile(path)) {
        return;
    }
    // A window closed meanwhile has no use for the banner; the file goes either way.
    if (UpdateDialogId() != 0) {
        LoadBannerPicture(path);
    }
    DeleteEntry(path);
    if (UpdateDialogId() != 0) {
        DGUserRedrawItem(UpdateDialogId(), kBannerItem);
    }
}

// Runs on the download's thread: the loading and the redraw happen on the main thread.
std::int32_t OnBannerDownloaded(std::int32_t state, double /*fraction*/, void* /*userData*/) {
    if (IsFinalDownloadState(state) && !HandToMainThread(&LoadBanner, state)) {
        // The file stays until the next banner replaces it; the next check fetches one.
        bannerDownloadRunning = false;
    }
    return 0;
}

}  // namespace

void StartBannerDownload() {
    // A banner still coming in from an earlier check is the same picture: it goes to the window
    // open when it arrives, and a second download into the same file would only race it.
    if (bannerDownloadRunning) {
        return;
    }
    NX_Location path;
    if (!GetBannerFile(path)) {
        return;
    }
    // Set before the thread runs, which may clear it.
    bannerDownloadRunning = true;
    if (!DownloadFileAsync(NX_String(kUpdateHost) + kBannerPath, path, &OnBannerDownloaded, nullptr,
                           kMaxBannerBytes)) {
        bannerDownloadRunning = false;
    }
}

void ForgetBanner() {
    ForgetBannerPicture();
    bannerDownloadRunning = false;
}
