// Any bytes as what the member tools answer when asked for their versions: line 2i is member i's
// add-on line and line 2i + 1 its library line; members without lines fail the command. The
// About box's list, the version report and the comparison with a catalogue read the lines; each
// listed member has a name, and every report and result row has its texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "acapi/addon_entry.h"
#include "foundation/nx_addon_version.h"
#include "shell/host_interface.h"
#include "update/about_data.h"
#include "update/installed_versions.h"
#include "update/update_list.h"
#include "update/version_report.h"
#include "update/versions_file.h"

namespace {

constexpr short kEnglish = 1;

// Offers for tools whose names the corpus's members use, in several editions and languages.
constexpr char kCatalogue[] =
    "StairMaker 16.0.3.1700 (AC160) 20/09/2012 INT\r\n"
    "StairMaker_Lib 20/09/2012\r\n"
    "RoofBuilder 16.1.0.1610 (AC160) 14/03/2012\r\n"
    "RoofBuilder 2.0.0.1 (AC160) 01/01/2013 GER\r\n"
    "RoofBuilder_Lib 15/03/2012\r\n";

std::vector<std::string> answers;
std::size_t nextMember = 0;

// The host's command call: the next member in table order answers with its two lines.
GSErrCode CommandCall(API_AddonContext, const API_ModulID*, GSType, std::int32_t, GSHandle,
                      GSPtr resultData, bool) {
    const std::size_t member = nextMember++;
    if (2 * member >= answers.size()) {
        return APIERR_MODULNOTINSTALLED;
    }
    auto* area = reinterpret_cast<NX_AddonUpdate_AddonVerLibVer*>(resultData);
    const std::string& addonLine = answers[2 * member];
    area->addonVersionLine = NX_String(addonLine.c_str(), static_cast<int>(addonLine.size()));
    if (2 * member + 1 < answers.size()) {
        const std::string& libraryLine = answers[2 * member + 1];
        area->libraryVersionLine =
            NX_String(libraryLine.c_str(), static_cast<int>(libraryLine.size()));
    }
    return NoError;
}

void InstallHost() {
    static void* table[kImportedTableSize / sizeof(void*)] = {};
    table[static_cast<std::size_t>(ACAPI::Slot::CommandCall)] =
        reinterpret_cast<void*>(&CommandCall);
    HostInterface::SetFunctionTable(table);
}

void SplitAnswers(const std::uint8_t* data, std::size_t size) {
    answers.clear();
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            answers.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(data[i]));
        }
    }
    answers.push_back(line);
}

void CheckAbout() {
    nextMember = 0;
    AboutData about;
    FillAboutData(about);
    for (int i = 0; i < about.members.GetCount(); ++i) {
        if (about.members[i].name.GetText()[0] == '\0') {
            __builtin_trap();
        }
    }
    NX_List<NX_String> lines;
    BuildReportLines(about, lines);
    for (int i = 0; i < lines.GetCount(); ++i) {
        if (lines[i].IsNull() || !lines[i].EndsWith("\r\n")) {
            __builtin_trap();
        }
    }
}

void CheckComparison(const NX_List<NX_AddonUpdate_Addon>& offeredAddons,
                     const NX_List<NX_AddonUpdate_Library>& offeredLibraries) {
    nextMember = 0;
    NX_List<NX_AddonUpdate_AddonVerLibVer> reported;
    CollectInstalledVersions(reported);
    NX_List<UpdateElement> rows;
    ComputeUpdateRows(offeredAddons, offeredLibraries, reported, kEnglish, rows);
    if (rows.GetCount() > offeredAddons.GetCount() + offeredLibraries.GetCount()) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NX_List<NX_AddonUpdate_Message> messages;
    static NX_List<NX_AddonUpdate_Addon> offeredAddons;
    static NX_List<NX_AddonUpdate_Library> offeredLibraries;
    // The fixed catalogue is read once; what it offers is compared with each input's answers.
    static const bool ready =
        (InstallHost(), ParseVersionsText(kCatalogue, sizeof kCatalogue - 1, messages,
                                          offeredAddons, offeredLibraries));
    if (!ready) {
        __builtin_trap();
    }
    SplitAnswers(data, size);
    CheckAbout();
    CheckComparison(offeredAddons, offeredLibraries);
    return 0;
}
