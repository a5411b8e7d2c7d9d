#include "tools/velmora-catalogue/catalogue_reading.h"

namespace catalogue {

std::vector<std::string> FieldsOf(const std::string& line) {
    NX_List<NX_String> fields;
    SplitFields(NX_String(line.c_str()), fields);
    std::vector<std::string> result;
    for (int i = 0; i < fields.GetCount(); ++i) {
        result.emplace_back(fields[i].GetText());
    }
    return result;
}

void ReadCatalogue(const std::string& bytes, CatalogueReading& reading) {
    const auto observer = [&reading](const VersionsLineTaken& taken) {
        if (reading.lines.empty()) {
            reading.lines.assign(taken.lines, taken.lines + taken.lineCount);
        }
        int position = -1;
        switch (taken.kind) {
            case VersionsLineKind::Comment:
                break;
            case VersionsLineKind::Message:
                position = reading.messages.GetCount() - 1;
                break;
            case VersionsLineKind::Library:
                position = reading.libraries.GetCount() - 1;
                break;
            case VersionsLineKind::Addon:
                position = reading.addons.GetCount() - 1;
                break;
        }
        reading.taken.push_back({taken.kind, taken.line, taken.lastDescription, position});
    };
    reading.withinLimits = ParseVersionsText(bytes.data(), bytes.size(), reading.messages,
                                             reading.addons, reading.libraries, observer);
}

}  // namespace catalogue
