#include "update/report_file.h"

#include <string>

#include "foundation/nx_files.h"

bool WriteReportFile(const NX_Location& path, const NX_List<NX_String>& lines) {
    std::string text;
    for (int i = 0; i < lines.GetCount(); ++i) {
        text += lines[i].GetText();
    }
    return WriteFile(path, text.data(), text.size(), false, true) == 0;
}
