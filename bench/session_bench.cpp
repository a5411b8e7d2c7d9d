// What a user waits for, measured side by side in one run: the hub's start-up against an empty
// module's, and a whole manual update check against a bare libcurl fetch of the same catalogue.
// Run it through velmora-update-server, which points http_proxy at itself (the "bench" target
// does).
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <curl/curl.h>

#include "host/dialog_control.h"
#include "host/host_control.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr short kResultsDialog = 32500;
constexpr std::int32_t kPaletteItem = 1;
constexpr std::int32_t kCheckForUpdatesItem = 3;
constexpr const char* kCatalogueUrl = "http://updates.velmora.example/update_plugins/versions.txt";

struct Options {
    std::string hub;
    std::string empty;
    int rounds = 100;
};

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

// The same file fetched as plainly as libcurl allows: a new handle, the proxy from http_proxy,
// the body written to a file, as the module does.
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
        } else if (name == "--rounds") {
            options.rounds = std::max(1, std::atoi(argv[i + 1]));
        } else {
            return false;
        }
    }
    return !options.hub.empty() && !options.empty.empty() && argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: velmora-bench --hub MODULE --empty MODULE [--rounds N]\n");
        return 2;
    }
    if (std::getenv("http_proxy") == nullptr) {
        std::fprintf(stderr,
                     "velmora-bench: run it through velmora-update-server --root DIR -- ...\n");
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
    bool alerted = false;
    host::SetAlertHandler(
        [&alerted](const std::string&, const std::string& text, const std::string&) {
            std::fprintf(stderr, "velmora-bench: alert: %s\n", text.c_str());
            alerted = true;
            return short{1};
        });
    const double residentBefore = PeakResidentMiB();

    // Rounds alternate between the two sides, so that a change of the machine's pace falls on
    // both alike; the first round of each side warms caches and writes the first settings.
    std::vector<double> emptyLoads, hubLoads;
    TimeLoad(options.empty);
    TimeLoad(options.hub);
    for (int round = 0; round < options.rounds; ++round) {
        emptyLoads.push_back(TimeLoad(options.empty));
        hubLoads.push_back(TimeLoad(options.hub));
    }

    // With the palette open; without the library part the override table is absent.
    std::vector<double> refreshes, refreshesWithoutOverrides;
    host::LoadAddon(options.hub);
    host::ChooseMenuItem("Velmora", kPaletteItem);
    TimeMenuRefreshes();
    for (int round = 0; round < options.rounds; ++round) {
        refreshes.push_back(TimeMenuRefreshes());
        host::SetLibraryPartsHidden(true);
        refreshesWithoutOverrides.push_back(TimeMenuRefreshes());
        host::SetLibraryPartsHidden(false);
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
    host::UnloadAll();
    const double residentAfter = PeakResidentMiB();
    curl_global_cleanup();
    std::filesystem::remove_all(userFolder);
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
    std::printf("menu texts refreshed (RefreshMenuTexts, with the string overrides reloaded)\n");
    std::printf("  without an override table            %8.3f ms\n",
                Median(refreshesWithoutOverrides));
    std::printf("  with the module's override table     %8.3f ms   ratio %.2f\n", Median(refreshes),
                Median(refreshes) / Median(refreshesWithoutOverrides));
    std::printf("manual update check against the local server\n");
    std::printf("  bare libcurl fetch of versions.txt   %8.3f ms\n", bareFetch);
    std::printf("  menu command to the results window   %8.3f ms   ratio %.2f\n", check,
                check / bareFetch);
    std::printf("peak resident memory\n");
    std::printf("  before the first module              %8.1f MiB\n", residentBefore);
    std::printf("  after the whole run                  %8.1f MiB\n", residentAfter);
    return 0;
}
