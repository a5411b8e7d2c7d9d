// What an update check downloads into the settings folder, each under its fixed name: the
// catalogue, read once the download has ended, and the banner of the results window.
#pragma once

constexpr const char* kCatalogueFileName = "__updnx__.tmp";
constexpr const char* kBannerFileName = "__banner__.jpg";
// While a download runs, its data lies beside the target under the target's name, a random part
// and this ending; it replaces the target only when whole.
constexpr const char* kPartialFileEnding = ".download";
