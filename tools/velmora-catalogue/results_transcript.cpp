#include "tools/velmora-catalogue/results_transcript.h"

#include <cstdio>
#include <sstream>

namespace catalogue {

namespace {

constexpr const char* kResultsDialog = " resource 32500 ";
constexpr const char* kRowIndent = "      ";
constexpr const char* kSelectedRowIndent = "    * ";
constexpr const char* kOpened = "OPEN: ";

// The quoted text that ends an item's line.
std::string ItemText(const std::string& line) {
    const std::size_t rectangleEnd = line.find(')');
    const std::size_t quote = line.find('"', rectangleEnd == std::string::npos ? 0 : rectangleEnd);
    return quote == std::string::npos ? std::string() : line.substr(quote);
}

bool IsItem(const std::string& line, const char* number) {
    return line.starts_with(std::string("  ") + number + " ");
}

bool IsRow(const std::string& line) {
    return (line.starts_with(kRowIndent) || line.starts_with(kSelectedRowIndent)) &&
           line.find("header:") == std::string::npos;
}

}  // namespace

std::optional<ResultsWindow> FindResultsWindow(const std::string& transcript) {
    std::optional<ResultsWindow> window;
    bool inWindow = false;
    std::istringstream lines(transcript);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("DIALOG ")) {
            inWindow = line.find(kResultsDialog) != std::string::npos;
            if (inWindow) {
                window = ResultsWindow{};
            }
            continue;
        }
        if (line.starts_with(kOpened) && window) {
            window->link = line.substr(std::string(kOpened).size());
            continue;
        }
        if (!line.starts_with("  ")) {
            inWindow = false;
        }
        if (!inWindow) {
            continue;
        }
        if (IsItem(line, "4")) {
            window->headline = ItemText(line);
        } else if (IsItem(line, "6")) {
            window->message = ItemText(line);
        } else if (IsRow(line)) {
            window->rows.push_back(line);
        }
    }
    return window;
}

void PrintResultsWindow(const ResultsWindow& window) {
    std::printf("headline: %s\nrows:\n", window.headline.c_str());
    for (const std::string& row : window.rows) {
        std::printf("%s\n", row.c_str());
    }
    std::printf("message: %s\nlink: %s\n", window.message.c_str(),
                window.link.empty() ? "none" : window.link.c_str());
}

}  // namespace catalogue
