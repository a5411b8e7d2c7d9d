#include "update/version_report.h"

#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "resources/resource_ids.h"
#include "update/report_file.h"
#include "update/report_save_dialog.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr short kErrorTitleText = 1;
constexpr short kIncorrectNameText = 2;
constexpr short kUnableToWriteText = 3;

void ErrorAlert(short text) {
    const short errors = static_cast<short>(resource_ids::kErrorStrings + LanguageIndex);
    NX_Alert(-1, NX_GetString(errors, kErrorTitleText).GetText(),
             NX_GetString(errors, text).GetText(), nullptr);
}

}  // namespace

void BuildReportLines(const AboutData& about, NX_List<NX_String>& lines) {
    const NX_String fixed[] = {ProductLine(),    VersionLine(about.own), DateLine(about.own),
                               SystemLine(),     HostLine(about.own),    DevelopmentTitle(),
                               DevelopersLine(), DesignLine(),           NX_String("")};
    for (const NX_String& line : fixed) {
        lines.Insert(line + kLineEnd);
    }
    for (int i = 0; i < about.members.GetCount(); ++i) {
        const NX_AddonUpdate_Addon& member = about.members[i];
        lines.Insert(member.name + "\t" + member.versionText + "\t" + member.dateText + kLineEnd);
    }
}

void SaveVersionReport(AboutData& about) {
    NX_Location path;
    bool cancelled = false;
    while (!AskReportFile(path, cancelled)) {
        // The extension is never added for the user: the name is asked for again.
        ErrorAlert(kIncorrectNameText);
    }
    if (cancelled) {
        return;
    }
    NX_List<NX_String> lines;
    BuildReportLines(about, lines);
    if (!WriteReportFile(path, lines)) {
        ErrorAlert(kUnableToWriteText);
    }
}
