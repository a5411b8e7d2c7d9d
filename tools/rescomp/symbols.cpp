#include "symbols.h"

#include <regex>

#include "diagnostics.h"
#include "source_lines.h"

namespace rescomp {

void ReadSymbolHeader(const std::filesystem::path& header, Symbols& symbols) {
    static const std::regex constexprLine(R"(^\s*constexpr\b.*)");
    static const std::regex constant(
        R"(^\s*constexpr\s+[A-Za-z_][\w:]*(\s+[A-Za-z_][\w:]*)*\s+([A-Za-z_]\w*)\s*=\s*(\d{1,10})\s*;\s*(//.*)?$)");
    const std::vector<std::string> lines = ReadSourceLines(header);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SourcePosition where{header.string(), static_cast<int>(i + 1)};
        if (!std::regex_match(lines[i], constexprLine)) {
            continue;
        }
        std::smatch match;
        if (!std::regex_match(lines[i], match, constant)) {
            throw CompileError(where, "expected \"constexpr <type> <name> = <number>;\"");
        }
        const std::string name = match[2];
        const std::int64_t value = std::stoll(match[3]);
        const auto [existing, inserted] = symbols.emplace(name, value);
        if (!inserted && existing->second != value) {
            throw CompileError(
                where, name + " was already given the number " + std::to_string(existing->second));
        }
    }
}

}  // namespace rescomp
