// What a user waits for, measured side by side in one run: the hub's start-up against an empty
// module's, and a whole manual update check against a bare libcurl fetch of the same catalogue.
// Run it where the update host's https address reaches velmora-update-server: in the private
// network of scripts/update-network.sh (the "bench" target does).
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <curl/curl.h>
#include <png.h>

#include "host/dialog_control.h"
#include "host/host_control.h"
#include "settings/settings_file_names.h"

namespace {

using Clock = std::chrono::steady_clock;
using host::LoadResult;

constexpr short kResultsDialog = 32500;
constexpr std::int32_t kPaletteItem = 1;
constexpr std::int32_t kCheckForUpdatesItem = 3;
// A banner at the pictures' limit, and one beyond it.
constexpr int kPictureLimitSide = 2048;
constexpr int kPictureBeyondSide = 4096;
constexpr const char* kCatalogueUrl = "https://updates.velmora.example/update_plugins/versions.txt";

struct Options {
    std::string hub;
    std::string empty;
    std::string serverRoot;  // the folder the update server serves, to put catalogues in
    int rounds = 100;
};

namespace fs = std::filesystem;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Settings records as the file holds them: every byte with its two halves exchanged.
std::string Scrambled(std::string text) {
    for (char& byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        byte = static_cast<char>((b >> 4) | ((b << 4) & 0xF0));
    }
    return text;
}

// The largest settings file the stores read: 1,000 records in 99,998 bytes, the first one given.
std::string SettingsAtTheLimits(const std::string& firstRecord) {
    std::string text = firstRecord;
    char name[32];
    for (int i = 1; i < 1000; ++i) {
        std::snprintf(name, sizeof name, "$SettingOfSomeMemberTool%04d: ", i);
        const std::size_t left = 99'998 - text.size() - (1000 - i) * 100;
        text += name + std::string(i < 999 ? 68 : left + 68, 'v') + "\r\n";
    }
    return Scrambled(text);
}

// The reviewer's file: 19,999 records of five bytes, beyond the records the stores read.
std::string TinySettingsRecords() {
    std::string text = "$Language: 3\r\n";
    while (text.size() + 5 <= 99'998) {
        text += "$a: \n";
    }
    return Scrambled(text);
}

void PutBigEndian(std::string& bytes, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// The head of an override file of 255 English sections that all point at the one data block
// which follows.
std::string SectionsSharingOneBlock() {
    constexpr int kSections = 255;
    const unsigned dataStart = 1 + 5 * kSections;
    std::string file(1, static_cast<char>(kSections));
    for (int i = 0; i < kSections; ++i) {
        PutBigEndian(file, 1, 2);
        PutBigEndian(file, dataStart, 3);
    }
    return file;
}

// An override file at every limit of the table: 255 English sections, all one data block of 4
// lists of 4 texts of 64 bytes (1,020 lists, 4,080 texts, 261,120 bytes).
std::string OverridesAtTheLimits() {
    std::string file = SectionsSharingOneBlock();
    PutBigEndian(file, 4, 2);
    for (unsigned list = 0; list < 4; ++list) {
        PutBigEndian(file, 32600 + list, 2);
        PutBigEndian(file, 4, 2);
        for (int text = 0; text < 4; ++text) {
            PutBigEndian(file, 64, 2);
            file += std::string(64, 'x');
        }
    }
    return file;
}

// An override file beyond the table's limits: 255 English sections, all one list of 16,000
// empty texts.
std::string OverridesBeyondTheLimits() {
    std::string file = SectionsSharingOneBlock();
    PutBigEndian(file, 1, 2);
    PutBigEndian(file, 32600, 2);
    PutBigEndian(file, 16000, 2);
    file += std::string(2 * 16000, '\0');
    return file;
}

// The largest catalogue the reader takes at its costliest: 4,096 tools for this host and
// language, each newer than anything installed (so each is a row of the results window), with
// as many flags as the 1 MiB a download may bring allows.
std::string CatalogueAtTheLimits() {
    std::string text;
    std::string flags;
    for (int i = 0; i < 53; ++i) {
        flags += " INT";
    }
    char line[64];
    for (int i = 0; i < 4096; ++i) {
        std::snprintf(line, sizeof line, "%sTool%04d 16.0.0.1 (AC160) 20/09/2013",
                      i > 0 ? "\n" : "", i);
        text += line + flags;
    }
    return text;
}

// A plain grey square picture of `side` pixels, as a PNG file: small to send, large to decode.
std::string GreyPicture(int side) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(side);
    image.height = static_cast<png_uint_32>(side);
    image.format = PNG_FORMAT_GRAY;
    const std::vector<png_byte> pixels(
        static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 128);
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::string file(size, '\0');
    png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr);
    return file;
}

double PeakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Loading runs the library load, the handshake and the four entry points up to Initialize.
double TimeLoad(const std::string& path) {
    const auto start = Clock::now();
    const host::LoadResult loaded = host::LoadAddon(path);
    const double elapsed = Milliseconds(Clock::now() - start);
    if (!loaded.problem.empty()) {
        std::fprintf(stderr, "velmora-bench: %s: %s\n", path.c_str(), loaded.problem.c_str());
        std::exit(1);
    }
    host::UnloadAddon(loaded.name);
    return elapsed;
}

// The results window, when it is open and shown.
std::optional<short> ShownResultsWindow() {
    for (const host::DialogInfo& dialog : host::OpenDialogs()) {
        if (dialog.resourceId == kResultsDialog && dialog.visible) {
            return dialog.id;
        }
    }
    return std::nullopt;
}

// Runs the main-thread queue until every download, the banner's too, has ended.
void DrainDownloads() {
    while (true) {
        while (host::RunMainThreadQueue() > 0) {
        }
        if (host::RunningThreadCount() == 0) {
            while (host::RunMainThreadQueue() > 0) {
            }
            return;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// From the menu command to the results window on screen: the download thread, the hand-over to
// the main thread, the comparison and the filled window. The window can only come from work the
// main thread ran, so it is looked for only then. The banner that follows is not waited for; it
// is drained, untimed, before the window is closed, as the user closes it, for the next round.
double TimeManualCheck(bool& alerted) {
    const auto start = Clock::now();
    host::ChooseMenuItem("Velmora", kCheckForUpdatesItem);
    std::optional<short> window = ShownResultsWindow();
    while (!alerted && !window) {
        std::this_thread::sleep_for(std::chrono::microseconds(20));
        if (host::RunMainThreadQueue() > 0) {
            window = ShownResultsWindow();
        }
    }
    const double elapsed = Milliseconds(Clock::now() - start);
    DrainDownloads();
    if (window) {
        host::CloseDialogBox(*window);
    }
    return elapsed;
}

// The processor time of this (the host's main) thread, which other programs on the machine do
// not lengthen.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The host's main thread's work for a manual check: the menu command, then every piece of work
// the downloads hand to it (the catalogue's and the banner's), until both have ended; its
// processor time, without the polling between.
double TimeCheckOnMainThread() {
    double start = ThreadMilliseconds();
    host::ChooseMenuItem("Velmora", kCheckForUpdatesItem);
    double busy = ThreadMilliseconds() - start;
    while (true) {
        const bool threadsEnded = host::RunningThreadCount() == 0;
        start = ThreadMilliseconds();
        const std::size_t ran = host::RunMainThreadQueue();
        if (ran > 0) {
            busy += ThreadMilliseconds() - start;
        } else if (threadsEnded) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    if (const std::optional<short> window = ShownResultsWindow()) {
        host::CloseDialogBox(*window);
    }
    return busy;
}

// The host hides its palettes for a while and shows them again: the hub refreshes its menu
// texts at each of the two messages, reloading the string overrides first.
double TimeMenuRefreshes() {
    const auto start = Clock::now();
    host::SendToModelessWindows(APIPalMsg_HidePalette_Begin);
    host::SendToModelessWindows(APIPalMsg_HidePalette_End);
    return Milliseconds(Clock::now() - start) / 2;
}

std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<std::FILE*>(file));
}

// The same file fetched as plainly as libcurl allows: a new handle and its own TLS connection
// with libcurl's certificate checks, the body written to a file, as the module does.
double TimeBareFetch(const std::string& target) {
    const auto start = Clock::now();
    std::FILE* file = std::fopen(target.c_str(), "wb");
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, kCatalogueUrl);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    std::fclose(file);
    const double elapsed = Milliseconds(Clock::now() - start);
    if (result != CURLE_OK) {
        std::fprintf(stderr, "velmora-bench: bare fetch failed: %s\n", curl_easy_strerror(result));
        std::exit(1);
    }
    return elapsed;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--hub") {
            options.hub = argv[i + 1];
        } else if (name == "--empty") {
            options.empty = argv[i + 1];
        } else if (name == "--server-root") {
            options.serverRoot = argv[i + 1];
        } else if (name == "--rounds") {
            options.rounds = std::max(1, std::atoi(argv[i + 1]));
        } else {
            return false;
        }
    }
    return !options.hub.empty() && !options.empty.empty() && !options.serverRoot.empty() &&
           argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: velmora-bench --hub MODULE --empty MODULE --server-root DIR [--rounds N]\n");
        return 2;
    }
    // The host's main loop is played by polling its queue every 20 us. A message loop wakes as
    // soon as a message is posted; the system's default timer slack of 50 us would make each
    // pause several times longer than asked.
    prctl(PR_SET_TIMERSLACK, 1000UL);
    // The module's lists grow one element at a time; a system heap grows such blocks in place.
    host::SetHandlesGrowInPlace(true);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const std::filesystem::path userFolder =
        std::filesystem::temp_directory_path() / ("velmora-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(userFolder);
    host::SetUserFolder(userFolder.string());
    const fs::path libraryFolder = userFolder / "library";
    host::SetLibraryFolder(libraryFolder.string());
    bool alerted = false;
    host::SetAlertHandler(
        [&alerted](const std::string&, const std::string& text, const std::string&) {
            std::fprintf(stderr, "velmora-bench: alert: %s\n", text.c_str());
            alerted = true;
            return short{1};
        });
    const double residentBefore = PeakResidentMiB();

    // Rounds alternate between the sides, so that a change of the machine's pace falls on all
    // alike; the first round of each side warms caches and writes the first settings.
    const std::string suiteSettings = Scrambled("$Language: 1\r\n");
    const std::string ownSettings = Scrambled("$AutoUpdate: 1\r\n$LastUpdateCheck_160: 0\r\n");
    const std::string settingsAtLimits = SettingsAtTheLimits("$Language: 1\r\n");
    const std::string ownSettingsAtLimits = SettingsAtTheLimits("$AutoUpdate: 1\r\n");
    const std::string tinyRecords = TinySettingsRecords();
    const auto withSettings = [&](const std::string& suite, const std::string& own) {
        WriteFile(userFolder / kSuiteSettingsFileName, suite);
        WriteFile(userFolder / kHubSettingsFileName, own);
    };
    std::vector<double> emptyLoads, hubLoads, limitLoads, tinyLoads;
    TimeLoad(options.empty);
    withSettings(suiteSettings, ownSettings);
    TimeLoad(options.hub);
    for (int round = 0; round < options.rounds; ++round) {
        emptyLoads.push_back(TimeLoad(options.empty));
        withSettings(suiteSettings, ownSettings);
        hubLoads.push_back(TimeLoad(options.hub));
        withSettings(settingsAtLimits, ownSettingsAtLimits);
        limitLoads.push_back(TimeLoad(options.hub));
        withSettings(tinyRecords, tinyRecords);
        tinyLoads.push_back(TimeLoad(options.hub));
    }
    withSettings(suiteSettings, ownSettings);

    // With the palette open; without the library part the override table is absent. The host
    // unpacks the module's override file where anyone may replace it.
    std::vector<double> refreshes, refreshesWithoutOverrides, refreshesAtLimits,
        refreshesBeyondLimits;
    const LoadResult loaded = host::LoadAddon(options.hub);
    const fs::path overrideFile = libraryFolder / loaded.name / "100_s.txt";
    std::string shippedOverrides;
    {
        std::ifstream in(overrideFile, std::ios::binary);
        shippedOverrides.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string overridesAtLimits = OverridesAtTheLimits();
    const std::string overridesBeyondLimits = OverridesBeyondTheLimits();
    host::ChooseMenuItem("Velmora", kPaletteItem);
    TimeMenuRefreshes();
    for (int round = 0; round < options.rounds; ++round) {
        refreshes.push_back(TimeMenuRefreshes());
        host::SetLibraryPartsHidden(true);
        refreshesWithoutOverrides.push_back(TimeMenuRefreshes());
        host::SetLibraryPartsHidden(false);
        WriteFile(overrideFile, overridesAtLimits);
        refreshesAtLimits.push_back(TimeMenuRefreshes());
        WriteFile(overrideFile, overridesBeyondLimits);
        refreshesBeyondLimits.push_back(TimeMenuRefreshes());
        WriteFile(overrideFile, shippedOverrides);
    }
    host::UnloadAll();

    const std::string bareTarget = (userFolder / "bare-fetch.txt").string();
    std::vector<double> bareFetches, checks;
    host::LoadAddon(options.hub);
    TimeManualCheck(alerted);
    TimeBareFetch(bareTarget);
    for (int round = 0; round < options.rounds && !alerted; ++round) {
        bareFetches.push_back(TimeBareFetch(bareTarget));
        checks.push_back(TimeManualCheck(alerted));
    }

    // The main thread's share of a check, with the catalogue the server offers replaced.
    const fs::path catalogueFile = fs::path(options.serverRoot) / "update_plugins" / "versions.txt";
    std::string demoCatalogue;
    {
        std::ifstream in(catalogueFile, std::ios::binary);
        demoCatalogue.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string catalogueAtLimits = CatalogueAtTheLimits();
    const std::string blankLines(1 << 20, '\n');
    const fs::path bannerFile = fs::path(options.serverRoot) / "update_plugins" / "banner.jpg";
    std::string demoBanner;
    {
        std::ifstream in(bannerFile, std::ios::binary);
        demoBanner.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string bannerAtLimit = GreyPicture(kPictureLimitSide);
    const std::string bannerBeyond = GreyPicture(kPictureBeyondSide);
    std::vector<double> demoChecks, limitChecks, blankChecks, bannerLimitChecks, bannerBeyondChecks;
    for (int round = 0; round < options.rounds && !alerted; ++round) {
        WriteFile(catalogueFile, demoCatalogue);
        demoChecks.push_back(TimeCheckOnMainThread());
        WriteFile(catalogueFile, catalogueAtLimits);
        limitChecks.push_back(TimeCheckOnMainThread());
        WriteFile(catalogueFile, blankLines);
        blankChecks.push_back(TimeCheckOnMainThread());
        WriteFile(catalogueFile, demoCatalogue);
        WriteFile(bannerFile, bannerAtLimit);
        bannerLimitChecks.push_back(TimeCheckOnMainThread());
        WriteFile(bannerFile, bannerBeyond);
        bannerBeyondChecks.push_back(TimeCheckOnMainThread());
        WriteFile(bannerFile, demoBanner);
    }
    WriteFile(catalogueFile, demoCatalogue);
    host::UnloadAll();
    const double residentAfter = PeakResidentMiB();
    curl_global_cleanup();
    fs::remove_all(userFolder);
    if (alerted) {
        return 1;
    }

    const double emptyLoad = Median(emptyLoads);
    const double hubLoad = Median(hubLoads);
    const double bareFetch = Median(bareFetches);
    const double check = Median(checks);
    std::printf("median of %d rounds each\n", options.rounds);
    std::printf("start-up, library load to the end of Initialize\n");
    std::printf("  empty module                         %8.3f ms\n", emptyLoad);
    std::printf("  hub                                  %8.3f ms   ratio %.2f\n", hubLoad,
                hubLoad / emptyLoad);
    const auto beside = [](const char* what, double time, double against) {
        std::printf("  %-37s%8.3f ms   ratio %.2f\n", what, time, time / against);
    };
    std::printf("start-up with settings files at and beyond the stores' limits\n");
    beside("1,000 records in 99,998 bytes each", Median(limitLoads), hubLoad);
    beside("19,999 records of 5 bytes each", Median(tinyLoads), hubLoad);
    std::printf("menu texts refreshed (RefreshMenuTexts, with the string overrides reloaded)\n");
    std::printf("  without an override table            %8.3f ms\n",
                Median(refreshesWithoutOverrides));
    std::printf("  with the module's override table     %8.3f ms   ratio %.2f\n", Median(refreshes),
                Median(refreshes) / Median(refreshesWithoutOverrides));
    beside("override file at the table's limits", Median(refreshesAtLimits), Median(refreshes));
    beside("255 sections of 16,000 texts", Median(refreshesBeyondLimits), Median(refreshes));
    std::printf("manual update check against the local server\n");
    std::printf("  bare libcurl fetch of versions.txt   %8.3f ms\n", bareFetch);
    std::printf("  menu command to the results window   %8.3f ms   ratio %.2f\n", check,
                check / bareFetch);
    const double demoCheck = Median(demoChecks);
    std::printf("the main thread's share of a manual check (its processor time)\n");
    std::printf("  the demo catalogue                   %8.3f ms\n", demoCheck);
    beside("4,096 listed tools in 1 MiB", Median(limitChecks), demoCheck);
    beside("1 MiB of blank lines", Median(blankChecks), demoCheck);
    beside("banner of 2,048 x 2,048 pixels", Median(bannerLimitChecks), demoCheck);
    beside("banner of 4,096 x 4,096 pixels", Median(bannerBeyondChecks), demoCheck);
    std::printf("peak resident memory\n");
    std::printf("  before the first module              %8.1f MiB\n", residentBefore);
    std::printf("  after the whole run                  %8.1f MiB\n", residentAfter);
    return 0;
}
