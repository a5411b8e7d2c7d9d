// Each character is converted alone by the hub's own conversion, so what a line shows is what the
// hub shows.
#include "tools/velmora-catalogue/text_problems.h"

#include <cstdio>
#include <set>
#include <string>

#include "foundation/nx_utf8.h"
#include "tools/velmora-catalogue/shown_text.h"

namespace catalogue {

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

std::string Hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

std::size_t SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// The first byte (0-based) where the line stops being UTF-8, sequence by sequence.
std::size_t FirstBadByte(const std::string& line) {
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(line[i]));
        if (!NX_IsWellFormedUtf8(line.substr(i, length).c_str(), false)) {
            return i;
        }
        i += length;
    }
    return line.size();
}

std::string AnsiOf(const std::string& utf8) {
    const int length = NX_Utf8ToAnsi(utf8.c_str(), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(length) + 1, '\0');
    NX_Utf8ToAnsi(utf8.c_str(), ansi.data(), length + 1);
    ansi.resize(static_cast<std::size_t>(length));
    return ansi;
}

void FindChangedCharacters(const std::string& line, int number, Diagnostics& diagnostics) {
    std::set<std::string> reported;
    std::size_t i = line.starts_with(kByteOrderMark) ? 3 : 0;
    while (i < line.size()) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = SequenceLength(lead);
        const std::string character = line.substr(i, length);
        i += length;
        if (lead < 0x80 || !reported.insert(character).second) {
            continue;
        }
        const std::string shown = AnsiOf(character);
        if (Utf8OfAnsi(shown) == character) {
            continue;
        }
        if (shown.find('?') != std::string::npos) {
            diagnostics.Warning(number, "\"" + character +
                                            "\" is not in the code page (Windows-1252): the hub "
                                            "shows \"" +
                                            shown + "\"");
        } else {
            diagnostics.Warning(number, "\"" + character +
                                            "\" is not in the code page (Windows-1252): the hub "
                                            "shows " +
                                            Quoted(shown));
        }
    }
}

}  // namespace

void FindTextProblems(const CatalogueFile& file, Diagnostics& diagnostics) {
    if (file.bytes.starts_with(kByteOrderMark)) {
        diagnostics.Error(1,
                          "a byte-order mark starts the file: the hub keeps it as \"?\" at the "
                          "start of the first line, which then is no comment, message or entry "
                          "it was meant to be");
    }
    for (std::size_t index = 0; index < file.lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        std::string line = file.lines[index];
        const std::size_t nul = line.find('\0');
        if (nul != std::string::npos) {
            diagnostics.Error(number, "a NUL byte (column " + std::to_string(nul + 1) +
                                          ") ends the text: the hub reads nothing after it");
            line.resize(nul);
        }
        const std::size_t bad = FirstBadByte(line);
        if (bad < line.size()) {
            diagnostics.Error(number, "not UTF-8: byte " +
                                          Hex(static_cast<unsigned char>(line[bad])) +
                                          " at column " + std::to_string(bad + 1) +
                                          "; the hub shows \"?\" for it");
        } else if (!line.starts_with("*")) {
            FindChangedCharacters(line, number, diagnostics);
        }
        if (nul != std::string::npos) {
            return;
        }
    }
}

}  // namespace catalogue
