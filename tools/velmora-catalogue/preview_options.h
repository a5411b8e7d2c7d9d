// The command line of velmora-catalogue preview.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// One installed member tool: what it reports when the hub asks for its version.
struct InstalledTool {
    std::string addonLine;
    std::string libraryLine;
};

struct PreviewOptions {
    std::string catalogue;
    int language = 1;  // English, the hub's own default
    std::string date;  // DD/MM/YYYY; empty: today
    std::vector<InstalledTool> installed;
    std::string picture;  // empty: none
};

// From the words after "preview"; none after printing what is wrong to the error output.
std::optional<PreviewOptions> ParsePreviewOptions(int count, char** words);

}  // namespace catalogue
