#include "source_lines.h"

#include <fstream>
#include <iterator>

#include "diagnostics.h"
#include "utf8.h"

namespace rescomp {

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::error_code error;
    std::ifstream stream(file, std::ios::binary);
    if (!std::filesystem::is_regular_file(file, error) || !stream) {
        throw CompileError({file.string()}, "cannot be read");
    }
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadSourceLines(const std::filesystem::path& file) {
    std::string text = ReadFileBytes(file);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (!DecodeUtf8(line)) {
            throw CompileError({file.string(), static_cast<int>(lines.size() + 1)},
                               "the line is not well-formed UTF-8");
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace rescomp
