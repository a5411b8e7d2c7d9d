#include "update/update_list.h"

#include "foundation/nx_language_index.h"
#include "foundation/nx_location.h"
#include "platform/local_date.h"
#include "resources/velmora_version.h"
#include "update/banner.h"
#include "update/installed_versions.h"
#include "update/update_dialog.h"
#include "update/versions_file.h"

namespace {

constexpr const char* kOwnName = "Velmora";
constexpr const char* kLibrarySuffix = " (.lib)";

bool SameText(const NX_String& a, const NX_String& b) {
    return !a.IsNull() && !b.IsNull() && NX_String::Equal(a.GetText(), b.GetText());
}

// Byte-wise on the text, which for YYYYMMDD keys is chronological; a null key is never later.
bool IsLater(const NX_String& key, const NX_String& than) {
    return !key.IsNull() && !than.IsNull() && key > than;
}

// A second edition is shown with its major number: "Tool 2".
NX_String ShownName(const NX_AddonUpdate_Addon& addon) {
    if (addon.major < 2) {
        return addon.name;
    }
    return addon.name + " " + NX_String(static_cast<long>(addon.major), 0);
}

bool IsOfferedHere(const NX_AddonUpdate_Addon& offered, short language) {
    if (offered.languages.GetCount() > 0) {
        bool listed = false;
        for (int i = 0; i < offered.languages.GetCount(); ++i) {
            listed = listed || offered.languages[i] == language;
        }
        if (!listed) {
            return false;
        }
    }
    return offered.hostVersion == velmora_version::kHostVersion && !offered.isEdu;
}

bool IsNewerThanInstalled(const NX_AddonUpdate_Addon& offered,
                          const NX_List<NX_AddonUpdate_Addon>& installed) {
    for (int i = 0; i < installed.GetCount(); ++i) {
        const NX_AddonUpdate_Addon& candidate = installed[i];
        if (SameText(candidate.name, offered.name) &&
            candidate.hostVersion == offered.hostVersion && candidate.major == offered.major &&
            candidate.isEdu == offered.isEdu) {
            const bool notLater = !offered.dateKey.IsNull() && !candidate.dateKey.IsNull() &&
                                  offered.dateKey <= candidate.dateKey;
            return !notLater;
        }
    }
    return true;
}

const NX_AddonUpdate_Library* FindLibrary(const NX_List<NX_AddonUpdate_Library>& installed,
                                          const NX_String& name) {
    for (int i = 0; i < installed.GetCount(); ++i) {
        if (SameText(installed[i].name, name)) {
            return &installed[i];
        }
    }
    return nullptr;
}

// The catalogue pairs library lines with add-on entries by position. A library line without an
// add-on entry at its position is shown under its own name, so that the row still says what it is.
NX_String LibraryRowName(const NX_List<NX_AddonUpdate_Addon>& offeredAddons, int position,
                         const NX_AddonUpdate_Library& library) {
    const NX_String base =
        position < offeredAddons.GetCount() ? ShownName(offeredAddons[position]) : library.name;
    return base + kLibrarySuffix;
}

void CollectInstalled(const NX_List<NX_AddonUpdate_AddonVerLibVer>& reported,
                      NX_List<NX_AddonUpdate_Addon>& addons,
                      NX_List<NX_AddonUpdate_Library>& libraries) {
    NX_AddonUpdate_Addon own;
    ParseAddonLine(velmora_version::kOwnVersionLine, own);
    own.name = kOwnName;
    addons.Insert(own);
    for (int i = 0; i < reported.GetCount(); ++i) {
        // An empty line parses as an empty record, the one a member without a version gets.
        NX_AddonUpdate_Addon addon;
        ParseAddonLine(reported[i].addonVersionLine, addon);
        addons.Insert(addon);
        NX_AddonUpdate_Library library;
        if (reported[i].libraryVersionLine.GetText()[0] != '\0') {
            ParseLibraryLine(reported[i].libraryVersionLine, library);
        }
        libraries.Insert(library);
    }
}

}  // namespace

void ComputeUpdateRows(const NX_List<NX_AddonUpdate_Addon>& offeredAddons,
                       const NX_List<NX_AddonUpdate_Library>& offeredLibraries,
                       const NX_List<NX_AddonUpdate_AddonVerLibVer>& reported, short language,
                       NX_List<UpdateElement>& rows) {
    NX_List<NX_AddonUpdate_Addon> installedAddons;
    NX_List<NX_AddonUpdate_Library> installedLibraries;
    CollectInstalled(reported, installedAddons, installedLibraries);
    rows.Clear();
    for (int i = 0; i < offeredAddons.GetCount(); ++i) {
        const NX_AddonUpdate_Addon& offered = offeredAddons[i];
        if (IsOfferedHere(offered, language) && IsNewerThanInstalled(offered, installedAddons)) {
            rows.Insert(
                {ShownName(offered), offered.versionText, offered.dateText, offered.description});
        }
    }
    // Libraries are offered only to users who have them.
    for (int p = 0; p < offeredLibraries.GetCount(); ++p) {
        const NX_AddonUpdate_Library& offered = offeredLibraries[p];
        const NX_AddonUpdate_Library* installed = FindLibrary(installedLibraries, offered.name);
        if (installed != nullptr && IsLater(offered.dateKey, installed->dateKey)) {
            rows.Insert({LibraryRowName(offeredAddons, p, offered), "", offered.dateText,
                         offered.description});
        }
    }
}

bool ChooseMessage(const NX_List<NX_AddonUpdate_Message>& messages, const NX_String& todayKey,
                   NX_AddonUpdate_Message& chosen) {
    for (int i = 0; i < messages.GetCount(); ++i) {
        const NX_AddonUpdate_Message& message = messages[i];
        const bool started = message.fromKey.GetText()[0] == '\0' || !(todayKey < message.fromKey);
        const bool notEnded = message.toKey.GetText()[0] == '\0' || !(todayKey > message.toKey);
        if (started && notEnded) {
            chosen = message;
            return true;
        }
    }
    return false;
}

NX_String TodayKey() {
    const platform::LocalDate today = platform::Today();
    return NX_String::Format("%4i%02i%02i", today.year, today.month, today.day);
}

void BuildUpdateList() {
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    if (!ReadVersionsFile(messages, addons, libraries)) {
        return;
    }
    NX_List<NX_AddonUpdate_AddonVerLibVer> reported;
    CollectInstalledVersions(reported);
    ComputeUpdateRows(addons, libraries, reported, LanguageIndex, UpdateResults());

    NX_AddonUpdate_Message& current = CurrentMessage();
    current.text = "";
    current.link = "";
    ChooseMessage(messages, TodayKey(), current);

    StartBannerDownload();
    FillUpdateDialog();
    ShowUpdateDialog();
}
