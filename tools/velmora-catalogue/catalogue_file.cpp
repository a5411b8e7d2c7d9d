#include "tools/velmora-catalogue/catalogue_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace catalogue {

namespace {

std::vector<std::string> CutLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            lines.back().push_back(c);
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        lines.emplace_back();
    }
    return lines;
}

}  // namespace

CatalogueFile CatalogueOfBytes(std::string path, std::string bytes) {
    std::vector<std::string> lines = CutLines(bytes);
    return {std::move(path), std::move(bytes), std::move(lines)};
}

std::optional<CatalogueFile> LoadCatalogueFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::fprintf(stderr, "velmora-catalogue: %s: no such file\n", path.c_str());
        return std::nullopt;
    }
    if (std::filesystem::is_directory(path, error)) {
        std::fprintf(stderr, "velmora-catalogue: %s: is a folder, not a catalogue file\n",
                     path.c_str());
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "velmora-catalogue: %s: cannot be read: %s\n", path.c_str(),
                     std::strerror(errno));
        return std::nullopt;
    }
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
        std::fprintf(stderr, "velmora-catalogue: %s: read error\n", path.c_str());
        return std::nullopt;
    }
    return CatalogueOfBytes(path, std::move(bytes));
}

}  // namespace catalogue
