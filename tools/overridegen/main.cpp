// velmora-overridegen: writes the string override file "100_s.txt" from a readable source.
//
//     velmora-overridegen <source> <output>
//
// Source (UTF-8): "section <language>" starts a section, "list <identifier>" a list in it, each
// following line up to "end" is one text; blank lines and lines starting with "#" are skipped.
// Output: big-endian counts, 5-byte section headers (language, 3-byte position), lists of texts
// with 2-byte lengths; text bytes scrambled with the module's offset.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "resources/string_override_format.h"

namespace {

constexpr std::size_t kMaxTextLength = 511;

struct List {
    unsigned id = 0;
    std::vector<std::string> texts;
};
struct Section {
    unsigned language = 0;
    std::vector<List> lists;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& message) {
    std::cerr << file << ":" << line << ": " << message << "\n";
    std::exit(1);
}

void Put(std::string& out, unsigned value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::vector<Section> Parse(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail(path, 0, "cannot be read");
    }
    std::vector<Section> sections;
    List* list = nullptr;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (list != nullptr) {
            if (line == "end") {
                if (list->texts.empty()) {
                    Fail(path, number, "a list holds at least one text");
                }
                list = nullptr;
            } else if (line.empty() || line.size() > kMaxTextLength) {
                Fail(path, number, "a text holds 1 to 511 bytes");
            } else {
                list->texts.push_back(line);
            }
            continue;
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line);
        std::string directive;
        unsigned value = 0;
        if (!(words >> directive >> value) || value > 0xFFFF) {
            Fail(path, number, "expected \"section <language>\" or \"list <identifier>\"");
        }
        if (directive == "section") {
            sections.push_back({value, {}});
        } else if (directive == "list" && !sections.empty()) {
            sections.back().lists.push_back({value, {}});
            list = &sections.back().lists.back();
        } else {
            Fail(path, number, "unknown directive, or a list outside a section");
        }
    }
    if (list != nullptr) {
        Fail(path, 0, "the last list has no \"end\"");
    }
    if (sections.empty() || sections.size() > 255) {
        Fail(path, 0, "a file holds 1 to 255 sections");
    }
    return sections;
}

std::string Encode(const std::vector<Section>& sections) {
    std::string data;
    std::vector<unsigned> positions;
    const auto dataStart = static_cast<unsigned>(1 + 5 * sections.size());
    for (const Section& section : sections) {
        positions.push_back(dataStart + static_cast<unsigned>(data.size()));
        Put(data, static_cast<unsigned>(section.lists.size()), 2);
        for (const List& list : section.lists) {
            Put(data, list.id, 2);
            Put(data, static_cast<unsigned>(list.texts.size()), 2);
            for (const std::string& text : list.texts) {
                Put(data, static_cast<unsigned>(text.size()), 2);
                for (const char c : text) {
                    data.push_back(static_cast<char>(static_cast<unsigned char>(c) -
                                                     string_override_format::kScrambleOffset));
                }
            }
        }
    }
    std::string file(1, static_cast<char>(sections.size()));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        Put(file, sections[i].language, 2);
        Put(file, positions[i], 3);
    }
    return file + data;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velmora-overridegen <source> <output>\n";
        return 2;
    }
    const std::string bytes = Encode(Parse(argv[1]));
    std::ofstream out(argv[2], std::ios::binary);
    out << bytes;
    return out ? 0 : 1;
}
