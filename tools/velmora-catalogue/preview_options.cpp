#include "tools/velmora-catalogue/preview_options.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/nx_language_index.h"
#include "members/member_table.h"

namespace catalogue {

namespace {

bool IsDayText(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') {
        return false;
    }
    for (const std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return true;
}

bool Refuse(const std::string& problem) {
    std::fprintf(stderr, "velmora-catalogue: %s\n", problem.c_str());
    return false;
}

bool TakeOption(std::string_view option, const char* value, PreviewOptions& options) {
    if (option == "--language") {
        const std::string_view text = value;
        if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + languages::kCount) {
            return Refuse("--language takes 0 to " + std::to_string(languages::kCount - 1) +
                          ", not " + value);
        }
        options.language = text[0] - '0';
    } else if (option == "--date") {
        if (!IsDayText(value)) {
            return Refuse(std::string("--date takes DD/MM/YYYY, not ") + value);
        }
        options.date = value;
    } else if (option == "--installed") {
        // The hub asks each row of its member table once.
        if (options.installed.size() == static_cast<std::size_t>(kMemberCount)) {
            return Refuse("--installed: the hub asks at most " + std::to_string(kMemberCount) +
                          " member tools");
        }
        options.installed.push_back({value, ""});
    } else if (option == "--library") {
        if (options.installed.empty()) {
            return Refuse("--library belongs to an --installed tool given before it");
        }
        options.installed.back().libraryLine = value;
    } else if (option == "--picture") {
        options.picture = value;
    } else {
        return Refuse("unknown option " + std::string(option));
    }
    return true;
}

}  // namespace

std::optional<PreviewOptions> ParsePreviewOptions(int count, char** words) {
    PreviewOptions options;
    for (int i = 0; i < count; ++i) {
        const std::string_view word = words[i];
        if (!word.starts_with("--")) {
            if (!options.catalogue.empty()) {
                Refuse("preview takes one file; " + std::string(word) + " is a second");
                return std::nullopt;
            }
            options.catalogue = word;
            continue;
        }
        if (i + 1 >= count) {
            Refuse(std::string(word) + " needs a value");
            return std::nullopt;
        }
        if (!TakeOption(word, words[i + 1], options)) {
            return std::nullopt;
        }
        ++i;
    }
    if (options.catalogue.empty()) {
        Refuse("preview needs a catalogue file");
        return std::nullopt;
    }
    return options;
}

}  // namespace catalogue
