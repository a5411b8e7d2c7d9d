// The lines of a stand-in member for previews of a catalogue: read, when the hub asks, from the
// file beside the module with the extension ".lines" (the add-on line, then the library line).
// Without that file the member reports two empty lines.
#include <fstream>

#include "platform/module_self.h"
#include "reported_lines.h"

ReportedLines MemberReportedLines() {
    std::string path = platform::OwnModulePath();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    path.replace(dot, std::string::npos, ".lines");
    ReportedLines lines;
    std::ifstream file(path);
    std::getline(file, lines.addonLine);
    std::getline(file, lines.libraryLine);
    return lines;
}
