// Where the maker's update server lives. The host name never resolves on its own: tests and the
// demo reach a server on loopback through http_proxy.
#pragma once

constexpr const char* kUpdateHost = "http://updates.velmora.example";
constexpr const char* kVersionsFilePath = "/update_plugins/versions.txt";
constexpr const char* kDownloadPagePath = "/update_plugins/updates.htm";
// The maker's page about updates, opened from the About box.
constexpr const char* kUpdateWebPagePath = "/update/update.html";
// A catalogue of thousands of entries is a few hundred kilobytes; a server that sends more is
// broken or hostile and must not fill the host's memory.
constexpr long long kMaxVersionsFileBytes = 1LL << 20;
