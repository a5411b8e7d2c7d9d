#include "source_cursor.h"

#include "source_lines.h"

namespace rescomp {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

SourceCursor::SourceCursor(const std::filesystem::path& file)
    : file_(file), lines_(ReadSourceLines(file)) {}

std::optional<std::string> SourceCursor::NextNonComment() {
    while (next_ < lines_.size()) {
        const std::string_view line = TrimBlanks(lines_[next_++]);
        if (!line.starts_with('#')) {
            return std::string(line);
        }
    }
    return std::nullopt;
}

std::optional<std::string> SourceCursor::NextDirective() {
    while (auto line = NextNonComment()) {
        if (!line->empty()) {
            return line;
        }
    }
    return std::nullopt;
}

SourcePosition SourceCursor::Position() const {
    return {file_.string(), static_cast<int>(next_)};
}

}  // namespace rescomp
