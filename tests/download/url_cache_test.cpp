// The Windows URL service keeps what it fetched in the system's URL cache and may answer a later
// request for the same address from there, however the file changed on the server: the engine
// deletes the address's entry before each download. Some versions of the service ask the server
// again anyway (then the new content arrives either way), so the entry itself is watched: a
// stale one is planted, the download is held by a server that never answers (nothing new can be
// cached meanwhile), and the entry must be gone.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/scratch_folder.h"
#include "update/download_engine.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kSilentUrl = L"http://downloads.velmora.test/held.bin";

bool CacheHolds(const std::wstring& url) {
    DWORD size = 0;
    return GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) ||
           GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// An entry for `url` that stays fresh for a year, as a server's long cache lifetime leaves it.
bool PlantCacheEntry(const std::wstring& url, const std::string& bytes) {
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(url.c_str(), 0, L"bin", file, 0)) {
        return false;
    }
    const HANDLE handle =
        CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    SYSTEMTIME now{};
    GetSystemTime(&now);
    FILETIME modified{};
    SystemTimeToFileTime(&now, &modified);
    ++now.wYear;
    FILETIME expires{};
    SystemTimeToFileTime(&now, &expires);
    return CommitUrlCacheEntryW(url.c_str(), file, expires, modified, NORMAL_CACHE_ENTRY, nullptr,
                                0, nullptr, nullptr) != FALSE;
}

std::int32_t IgnoreReports(std::int32_t, double, void*) {
    return 0;
}

TEST(UrlCacheTest, TheAddressIsDroppedFromTheCacheBeforeTheDownload) {
    ScratchFolder scratch;
    ASSERT_TRUE(PlantCacheEntry(kSilentUrl, "stale catalogue"));
    ASSERT_TRUE(CacheHolds(kSilentUrl));

    const std::string target = scratch.Utf8() + "/versions.txt";
    ASSERT_TRUE(DownloadFileAsync("http://downloads.velmora.test/held.bin",
                                  NX_Location(target.c_str()), IgnoreReports, nullptr, 1 << 20));
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (CacheHolds(kSilentUrl) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_FALSE(CacheHolds(kSilentUrl));
    StopAllDownloads();
}

}  // namespace
