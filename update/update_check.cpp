#include "update/update_check.h"

#include <atomic>
#include <cstdint>
#include <ctime>

#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_location.h"
#include "resources/resource_ids.h"
#include "resources/velmora_version.h"
#include "settings/settings_store.h"
#include "update/banner.h"
#include "update/download_engine.h"
#include "update/download_file_names.h"
#include "update/main_thread_handoff.h"
#include "update/update_dialog.h"
#include "update/update_host.h"
#include "update/update_list.h"
#include "update/update_results.h"

namespace {

constexpr std::int32_t kAutomaticInterval = 1209600;  // 14 days
constexpr short kNoConnectionText = 33;
constexpr short kConnectingText = 38;

// Set when the catalogue download starts; cleared when its end arrives on the main thread, or by
// the download's thread when the host would not take its end there.
std::atomic<bool> versionsDownloadRunning = false;

NX_String LastCheckKey() {
    return NX_String::Format("LastUpdateCheck_%ld0", velmora_version::kHostVersion);
}

// The settings keep the time as a 32-bit count of seconds.
std::int32_t Now() {
    return static_cast<std::int32_t>(std::time(nullptr));
}

void ShowGeneralAlert(short textIndex) {
    const NX_String text =
        NX_GetString(static_cast<short>(resource_ids::kGeneralStrings + LanguageIndex), textIndex);
    NX_Alert(-1, nullptr, text.GetText(), nullptr);
}

void ShowNoConnectionAlert() {
    ShowGeneralAlert(kNoConnectionText);
}

void FinishVersionsDownload(std::int32_t state) {
    versionsDownloadRunning = false;
    if (state == kDownloadFailed) {
        ShowNoConnectionAlert();
    } else if (state == kDownloadDone) {
        BuildUpdateList();
    }
}

// Runs on the download's thread: only the final states go on, to the main thread.
std::int32_t OnVersionsDownloaded(std::int32_t state, double /*fraction*/, void* /*userData*/) {
    if (IsFinalDownloadState(state) && !HandToMainThread(&FinishVersionsDownload, state)) {
        // Nothing of this check will run on the main thread: the next one starts anew.
        versionsDownloadRunning = false;
    }
    return 0;
}

}  // namespace

bool RunUpdateCheck(bool manual) {
    const NX_String key = LastCheckKey();
    LoadSettings(VersionStore, true);
    if (!manual && !AutomaticCheckDue(GetSettingNumber(VersionStore, key, false), Now())) {
        return true;
    }
    // A check asked for while the catalogue is still coming in joins that one: its results
    // window (or the connection alert) shows when that download ends, within the download's
    // time-out; a second download into the same file would only race the first. The person who
    // asked is told that the check is under way rather than left with no answer.
    if (versionsDownloadRunning) {
        if (manual) {
            ShowGeneralAlert(kConnectingText);
        }
        return true;
    }
    OpenHiddenUpdateDialog();
    NX_Location folder;
    if (GetSettingsFolder(folder) != NoError) {
        return false;
    }
    // Set before the thread runs, which may clear it.
    versionsDownloadRunning = true;
    if (DownloadFileAsync(NX_String(kUpdateHost) + kVersionsFilePath,
                          folder.Join(kCatalogueFileName), &OnVersionsDownloaded, nullptr,
                          kMaxVersionsFileBytes)) {
        SetSettingNumber(VersionStore, key, Now(), true);
        SaveSettings(VersionStore);
    } else {
        versionsDownloadRunning = false;
        ShowNoConnectionAlert();
    }
    return true;
}

// The settings keep only the low 32 bits of the time, which wrap on 19/01/2038: the difference
// is taken in those 32 bits, so that a check stored before the wrap is as old after it as it is.
bool AutomaticCheckDue(std::int32_t lastCheck, std::int32_t now) {
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                                   static_cast<std::uint32_t>(lastCheck));
    return lastCheck == 0 || elapsed >= kAutomaticInterval;
}

void EndUpdateService() {
    // The threads leave the module first; what they handed to the main loop and has not run
    // yet is dropped by the host with the module.
    StopAllDownloads();
    versionsDownloadRunning = false;
    CloseUpdateDialog();
    ForgetBanner();
    ForgetUpdateResults();
}
