// The two lines a member tool reports when the hub asks for its version.
#pragma once

#include <string>

struct ReportedLines {
    std::string addonLine;    // add-on line syntax
    std::string libraryLine;  // library line syntax; may be empty
};

ReportedLines MemberReportedLines();
