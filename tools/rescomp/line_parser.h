// The words of one directive line: bare words, "quoted texts" and numbers, where a number is a
// literal (decimal or 0x hex), a named constant, or a named constant plus a literal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"
#include "symbols.h"

namespace rescomp {

class LineParser {
public:
    LineParser(std::string_view line, SourcePosition where, const Symbols& symbols);

    const SourcePosition& Where() const { return where_; }
    bool AtEnd() const { return next_ == tokens_.size(); }
    // The next token if it is a bare word, without taking it.
    std::optional<std::string> PeekWord() const;

    std::string Word(std::string_view what);
    std::string Quoted(std::string_view what);
    std::optional<std::string> OptionalQuoted();
    std::int64_t Number(std::string_view what, std::int64_t smallest, std::int64_t largest);
    void ExpectEnd();

    [[noreturn]] void Fail(const std::string& message) const;

private:
    struct Token {
        std::string text;
        bool quoted = false;
    };

    void Tokenize(std::string_view line);
    std::int64_t Term(std::string_view what);

    SourcePosition where_;
    const Symbols& symbols_;
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
};

}  // namespace rescomp
