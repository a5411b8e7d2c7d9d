// The update results window as velmora-host prints it in a session's transcript.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct ResultsWindow {
    std::string headline;           // quoted, as printed
    std::vector<std::string> rows;  // the list's rows, as printed
    std::string message;            // quoted, as printed
    std::string link;               // what "Learn more..." opened; empty when nothing
};

// The last results window (dialog resource 32500) of the transcript, and the link its
// "Learn more..." button opened; none when the session showed no results window.
std::optional<ResultsWindow> FindResultsWindow(const std::string& transcript);

void PrintResultsWindow(const ResultsWindow& window);

}  // namespace catalogue
