#include "byte_writer.h"
#include "cp1252.h"
#include "directives.h"
#include "resource_numbers.h"

namespace rescomp {

namespace {

enum class Encoding { Cp1252, Utf8 };

char TextEscape(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 's':
            return ' ';
        case '\\':
        case '#':
            return c;
        default:
            return '\0';
    }
}

// A text line as stored: the escapes replaced, "\e" giving nothing.
std::string Unescape(std::string_view line, const SourcePosition& where) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\0') {
            throw CompileError(where, "a text holds a zero character, which would end it early");
        }
        if (line[i] != '\\') {
            text += line[i];
            continue;
        }
        if (i + 1 == line.size()) {
            throw CompileError(where, "a text ends in a lone backslash (write \\\\)");
        }
        const char next = line[++i];
        if (next == 'e') {
            continue;
        }
        const char escaped = TextEscape(next);
        if (escaped == '\0') {
            throw CompileError(where, std::string("unknown escape \\") + next +
                                          " (use \\n, \\t, \\s, \\e, \\# or \\\\)");
        }
        text += escaped;
    }
    return text;
}

}  // namespace

Resource CompileStringList(LineParser& header, SourceCursor& cursor, const Symbols&) {
    Resource list;
    list.origin = header.Where();
    list.id = static_cast<std::int32_t>(
        header.Number("list number", kSmallestResourceNumber, kLargestResourceNumber));
    const std::string encodingName = header.Word("the encoding, cp1252 or utf8");
    if (encodingName != "cp1252" && encodingName != "utf8") {
        header.Fail("unknown encoding \"" + encodingName + "\" (use cp1252 or utf8)");
    }
    const Encoding encoding = encodingName == "cp1252" ? Encoding::Cp1252 : Encoding::Utf8;
    list.type = header.AtEnd() ? "STRS" : header.Word("the string type");
    if (list.type != "STRS" && list.type != "STRL") {
        header.Fail("unknown string list type \"" + list.type + "\" (use STRS or STRL)");
    }
    header.ExpectEnd();

    Bytes body;
    while (const auto line = cursor.NextNonComment()) {
        const SourcePosition where = cursor.Position();
        if (line->empty()) {
            throw CompileError(where, "blank line in a string list (write \\e for an empty text)");
        }
        const std::string text = Unescape(*line, where);
        AppendBytes(body, encoding == Encoding::Cp1252 ? ToCp1252(text, where) : text);
        body.push_back(0);
    }
    list.payload = WithByteCount(body);
    return list;
}

}  // namespace rescomp
