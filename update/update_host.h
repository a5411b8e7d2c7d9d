// Where the maker's update server lives. The address (scheme and host, e.g.
// "https://updates.velmora.example") is a build setting, VELMORA_UPDATE_HOST; the catalogue, the
// banner, the download page and the About box's web page are all made from it.
#pragma once

extern const char* const kUpdateHost;
constexpr const char* kVersionsFilePath = "/update_plugins/versions.txt";
constexpr const char* kDownloadPagePath = "/update_plugins/updates.htm";
// The maker's page about updates, opened from the About box.
constexpr const char* kUpdateWebPagePath = "/update/update.html";
// A catalogue of thousands of entries is a few hundred kilobytes; a server that sends more is
// broken or hostile and must not fill the host's memory.
constexpr long long kMaxVersionsFileBytes = 1LL << 20;
