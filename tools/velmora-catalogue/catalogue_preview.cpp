#include "tools/velmora-catalogue/catalogue_preview.h"

#include <cstdio>
#include <fstream>

#include "members/member_table.h"
#include "tools/velmora-catalogue/preview_paths.h"
#include "tools/velmora-catalogue/results_transcript.h"
#include "tools/velmora-catalogue/run_program.h"
#include "tools/velmora-catalogue/scratch_folder.h"

namespace catalogue {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureName = "results.png";
// Bounds for the local server: the check needs the catalogue and the banner.
constexpr const char* kServerSeconds = "120";
constexpr const char* kServerRequests = "20";

// The update folder: the catalogue and, when the maker has one beside it, the banner.
void ServeCatalogue(const CatalogueFile& file, const fs::path& root) {
    const fs::path folder = root / "update_plugins";
    fs::create_directories(folder);
    std::ofstream(folder / "versions.txt", std::ios::binary) << file.bytes;
    const fs::path banner = fs::path(file.path).parent_path() / "banner.jpg";
    std::error_code missing;
    fs::copy_file(banner, folder / "banner.jpg", missing);
}

// The hub with its documents, and one stand-in member per installed tool in the hub's table
// order, each with its lines beside it.
void InstallAddons(const std::vector<InstalledTool>& installed, const fs::path& addons) {
    fs::create_directories(addons);
    fs::copy(preview_paths::kHubFolder, addons, fs::copy_options::recursive);
    for (std::size_t i = 0; i < installed.size() && i < static_cast<std::size_t>(kMemberCount);
         ++i) {
        const std::string module = std::string(kMemberRows[i].tableName) + " (AC160)";
        fs::copy_file(fs::path(preview_paths::kMemberFolder) / (module + ".apx"),
                      addons / (module + ".apx"));
        std::ofstream(addons / (module + ".lines"), std::ios::binary)
            << installed[i].addonLine << "\n"
            << installed[i].libraryLine << "\n";
    }
}

// A new user: the language chosen in its dialog, then "Check for Updates".
void WriteScript(const PreviewOptions& options, const fs::path& script) {
    std::ofstream out(script, std::ios::binary);
    if (options.language != 1) {
        out << "choose 2\nselect 3 " << options.language + 1 << "\nclick 1\n";
    }
    out << "choose 3\nwait\ndialogs\n";
    if (!options.picture.empty()) {
        out << "screenshot <user>/" << kPictureName << "\n";
    }
    out << "click 8\nquit\n";
}

std::vector<std::string> Command(const PreviewOptions& options, const fs::path& work) {
    std::vector<std::string> command = {preview_paths::kUpdateServer,
                                        "--root",
                                        (work / "root").string(),
                                        "--port",
                                        "0",
                                        "--max-seconds",
                                        kServerSeconds,
                                        "--max-requests",
                                        kServerRequests,
                                        "--"};
    if (preview_paths::kEmulator[0] != '\0') {
        command.emplace_back(preview_paths::kEmulator);
    }
    command.insert(command.end(),
                   {preview_paths::kHost, "--addons", (work / "addons").string(), "--user-dir",
                    (work / "user").string(), "--script", (work / "preview.script").string()});
    if (!options.date.empty()) {
        command.insert(command.end(), {"--date", options.date});
    }
    return command;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int PreviewCatalogue(const CatalogueFile& file, const PreviewOptions& options) {
    const ScratchFolder work;
    if (!work.Made()) {
        std::fprintf(stderr, "velmora-catalogue: cannot make a temporary folder\n");
        return 2;
    }
    try {
        ServeCatalogue(file, work.Path() / "root");
        InstallAddons(options.installed, work.Path() / "addons");
        fs::create_directories(work.Path() / "user");
        WriteScript(options, work.Path() / "preview.script");
    } catch (const fs::filesystem_error& error) {
        std::fprintf(stderr, "velmora-catalogue: cannot prepare the preview: %s\n", error.what());
        return 2;
    }
    const fs::path transcriptFile = work.Path() / "transcript.txt";
    RunProgram(Command(options, work.Path()), transcriptFile);
    const std::optional<ResultsWindow> window = FindResultsWindow(ReadText(transcriptFile));
    if (!window) {
        std::fprintf(stderr, "velmora-catalogue: the check showed no results window:\n%s",
                     ReadText(transcriptFile).c_str());
        return 1;
    }
    PrintResultsWindow(*window);
    if (!options.picture.empty()) {
        std::error_code error;
        fs::copy_file(work.Path() / "user" / kPictureName, options.picture,
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            std::fprintf(stderr, "velmora-catalogue: the picture was not written to %s: %s\n",
                         options.picture.c_str(), error.message().c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace catalogue
