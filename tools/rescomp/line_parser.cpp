#include "line_parser.h"

#include <cctype>
#include <charconv>

namespace rescomp {

namespace {

// Large enough for any 32-bit word, small enough that a sum of a few never overflows.
constexpr std::int64_t kLargestLiteral = 0xFFFFFFFF;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char QuotedEscape(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case '"':
        case '\\':
            return c;
        default:
            return '\0';
    }
}

std::optional<std::int64_t> Literal(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > kLargestLiteral) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

LineParser::LineParser(std::string_view line, SourcePosition where, const Symbols& symbols)
    : where_(std::move(where)), symbols_(symbols) {
    Tokenize(line);
}

void LineParser::Fail(const std::string& message) const {
    throw CompileError(where_, message);
}

void LineParser::Tokenize(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
        } else if (line[i] == '+') {
            tokens_.push_back({"+"});
            ++i;
        } else if (line[i] == '"') {
            Token token{"", true};
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\') {
                    const char escaped = i + 1 < line.size() ? QuotedEscape(line[i + 1]) : '\0';
                    if (escaped == '\0') {
                        Fail("unknown escape in a quoted text (use \\n, \\t, \\\" or \\\\)");
                    }
                    token.text += escaped;
                    ++i;
                } else {
                    token.text += line[i];
                }
            }
            if (i == line.size()) {
                Fail("a quoted text is not closed");
            }
            tokens_.push_back(std::move(token));
            ++i;
        } else {
            const std::size_t start = i;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '+' && line[i] != '"') {
                ++i;
            }
            tokens_.push_back({std::string(line.substr(start, i - start))});
        }
    }
}

std::optional<std::string> LineParser::PeekWord() const {
    if (AtEnd() || tokens_[next_].quoted) {
        return std::nullopt;
    }
    return tokens_[next_].text;
}

std::string LineParser::Word(std::string_view what) {
    if (AtEnd() || tokens_[next_].quoted) {
        Fail("expected " + std::string(what));
    }
    return tokens_[next_++].text;
}

std::string LineParser::Quoted(std::string_view what) {
    if (AtEnd() || !tokens_[next_].quoted) {
        Fail("expected " + std::string(what) + " in double quotes");
    }
    return tokens_[next_++].text;
}

std::optional<std::string> LineParser::OptionalQuoted() {
    if (AtEnd() || !tokens_[next_].quoted) {
        return std::nullopt;
    }
    return tokens_[next_++].text;
}

std::int64_t LineParser::Term(std::string_view what) {
    const std::string word = Word(what);
    if (const auto value = Literal(word)) {
        return *value;
    }
    if (!word.empty() && (std::isalpha(static_cast<unsigned char>(word[0])) || word[0] == '_')) {
        const auto found = symbols_.find(word);
        if (found == symbols_.end()) {
            Fail("unknown name " + word + " (is its header included?)");
        }
        return found->second;
    }
    Fail("expected " + std::string(what) + ", found \"" + word + "\"");
}

std::int64_t LineParser::Number(std::string_view what, std::int64_t smallest,
                                std::int64_t largest) {
    std::int64_t value = Term(what);
    while (!AtEnd() && !tokens_[next_].quoted && tokens_[next_].text == "+") {
        ++next_;
        value += Term(what);
    }
    if (value < smallest || value > largest) {
        Fail(std::string(what) + " " + std::to_string(value) + " is outside " +
             std::to_string(smallest) + " to " + std::to_string(largest));
    }
    return value;
}

void LineParser::ExpectEnd() {
    if (!AtEnd()) {
        Fail("unexpected \"" + tokens_[next_].text + "\" at the end of the line");
    }
}

}  // namespace rescomp
