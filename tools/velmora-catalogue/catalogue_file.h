// The catalogue file as the maker wrote it: its bytes and its lines, cut as the hub cuts them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct CatalogueFile {
    std::string path;   // as given on the command line, for the FILE:LINE: form
    std::string bytes;  // the whole file
    // The lines of the whole file (past a NUL too): CR LF, LF or CR end one, and the text after
    // the last line end is one more line.
    std::vector<std::string> lines;
};

// A catalogue already in memory, its lines cut.
CatalogueFile CatalogueOfBytes(std::string path, std::string bytes);
// The file, or none after printing why it cannot be read to the error output.
std::optional<CatalogueFile> LoadCatalogueFile(const std::string& path);

}  // namespace catalogue
