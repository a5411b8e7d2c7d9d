#include "update/about_data.h"

#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "resources/resource_ids.h"
#include "resources/velmora_version.h"
#include "update/installed_versions.h"
#include "update/versions_file.h"

namespace {

constexpr short kVersionLabel = 5;
constexpr short kDateLabel = 6;
constexpr short kSystemLabel = 7;

NX_String Labelled(short label, const NX_String& value) {
    const NX_String text =
        NX_GetString(static_cast<short>(resource_ids::kUpdateStrings + LanguageIndex), label);
    return text + " " + value;
}

}  // namespace

void ClearAboutData(AboutData& about) {
    about.members.Clear();
    about.own.Clear();
}

void FillAboutData(AboutData& about) {
    ClearAboutData(about);
    NX_List<NX_AddonUpdate_AddonVerLibVer> installed;
    CollectInstalledVersions(installed);
    for (int i = 0; i < installed.GetCount(); ++i) {
        NX_AddonUpdate_Addon member;
        ParseAddonLine(installed[i].addonVersionLine, member);
        // A line that is empty or starts with a blank names no tool: nothing to list.
        if (member.name.GetText()[0] != '\0') {
            about.members.Insert(member);
        }
    }
    ParseAddonLine(NX_String(velmora_version::kOwnVersionLine), about.own);
}

NX_String ProductLine() {
    return NX_String("Velmora");
}

NX_String VersionLine(const NX_AddonUpdate_Addon& own) {
    return Labelled(kVersionLabel, own.versionText);
}

NX_String DateLine(const NX_AddonUpdate_Addon& own) {
    return Labelled(kDateLabel, own.dateText);
}

NX_String SystemLine() {
    return Labelled(kSystemLabel, NX_String("Win64"));
}

NX_String HostLine(const NX_AddonUpdate_Addon& own) {
    return NX_String::Format("ArchiCAD %ld", static_cast<long>(own.hostVersion));
}

NX_String DevelopmentTitle() {
    return NX_String("Software Development:");
}

NX_String DevelopersLine() {
    return NX_String("Ines Marlow, Tobiah Quenneville");
}

NX_String DesignLine() {
    return NX_String("Software Design: Oriel Dunstan");
}
