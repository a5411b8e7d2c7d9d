// Walks the lines of one source file, keeping the line number for messages.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace rescomp {

class SourceCursor {
public:
    explicit SourceCursor(const std::filesystem::path& file);

    // The next line that is neither blank nor a comment, without its outer spaces and tabs.
    std::optional<std::string> NextDirective();
    // The next line that is not a comment, without its outer spaces and tabs (maybe empty).
    std::optional<std::string> NextNonComment();
    // The position of the line last returned.
    SourcePosition Position() const;

private:
    std::filesystem::path file_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

}  // namespace rescomp
