// velmora-catalogue: the maker's tool for the update catalogue ("versions.txt"). `check` shows
// how the hub reads each line and what in the file will go wrong; `preview` shows what a user
// sees after "Check for Updates" with this catalogue. See docs/catalogue.md.
#include <cstdio>
#include <string_view>

#include "foundation/nx_language_index.h"
#include "members/member_table.h"
#include "tools/velmora-catalogue/catalogue_check.h"
#include "tools/velmora-catalogue/catalogue_file.h"
#include "tools/velmora-catalogue/catalogue_preview.h"
#include "tools/velmora-catalogue/preview_options.h"

namespace {

constexpr int kBadUsage = 2;

constexpr const char* kUsage =
    "usage: velmora-catalogue check FILE\n"
    "       velmora-catalogue preview FILE [--language N] [--date DD/MM/YYYY]\n"
    "                         [--installed \"VERSION LINE\" [--library \"LIBRARY LINE\"]]...\n"
    "                         [--picture OUT.png]\n"
    "       velmora-catalogue --help\n";

// A format: the last language index, then the number of member tools.
constexpr char kHelp[] =
    "\n"
    "check FILE     print each line of the catalogue as the hub reads it, then its problems\n"
    "               as FILE:LINE: error: ... and FILE:LINE: warning: ...; exit status 0 when\n"
    "               there is no error, 1 when there is one.\n"
    "preview FILE   run a manual update check of the real hub in the emulated host against a\n"
    "               local server that serves FILE (and the banner.jpg beside it), and print\n"
    "               the results window: headline, rows and message of the day.\n"
    "  --language N           interface language 0 to %d (default 1, English)\n"
    "  --date DD/MM/YYYY      the day of the check (default today)\n"
    "  --installed LINE       an installed member tool reporting this version line, e.g.\n"
    "                         \"StairMaker 16.0.2.1604 (AC160) 02/05/2012\"; up to %d\n"
    "  --library LINE         the library line of the tool named just before it, e.g.\n"
    "                         \"StairMaker_Lib 02/05/2012\"\n"
    "  --picture OUT.png      also draw the results window, banner included\n"
    "Exit status 2 for a bad command line or a file that cannot be read.\n"
    "The format and its traps: docs/catalogue.md.\n";

int BadUsage(const char* problem) {
    std::fprintf(stderr, "velmora-catalogue: %s\n%s", problem, kUsage);
    return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        std::printf(kHelp, languages::kCount - 1, kMemberCount);
        return 0;
    }
    if (argc < 3) {
        return BadUsage(argc < 2 ? "no command" : "no catalogue file");
    }
    const std::string_view command = argv[1];
    if (command == "check") {
        if (argc != 3) {
            return BadUsage("check takes one file");
        }
        const auto file = catalogue::LoadCatalogueFile(argv[2]);
        return file ? catalogue::CheckCatalogue(*file) : kBadUsage;
    }
    if (command == "preview") {
        const auto options = catalogue::ParsePreviewOptions(argc - 2, argv + 2);
        if (!options) {
            return BadUsage("bad preview options");
        }
        const auto file = catalogue::LoadCatalogueFile(options->catalogue);
        return file ? catalogue::PreviewCatalogue(*file, *options) : kBadUsage;
    }
    return BadUsage("unknown command");
}
