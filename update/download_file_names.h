// What an update check downloads into the settings folder, each under its fixed name: the
// catalogue, read once the download has ended, and the banner of the results window.
#pragma once

constexpr const char* kCatalogueFileName = "__updnx__.tmp";
constexpr const char* kBannerFileName = "__banner__.jpg";
