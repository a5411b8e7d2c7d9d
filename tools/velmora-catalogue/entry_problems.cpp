#include "tools/velmora-catalogue/entry_problems.h"

#include <cctype>
#include <string>
#include <vector>

#include "resources/velmora_version.h"
#include "tools/velmora-catalogue/catalogue_listing.h"
#include "tools/velmora-catalogue/date_problems.h"
#include "tools/velmora-catalogue/message_problems.h"
#include "tools/velmora-catalogue/shown_text.h"

namespace catalogue {

namespace {

// Whether the hub's reader does anything with the flag: asked of the reader itself.
bool IsKnownFlag(const std::string& flag) {
    NX_AddonUpdate_Addon probe;
    ParseAddonLine(NX_String(("Probe 1 (AC160) 01/01/2012 " + flag).c_str()), probe);
    return probe.isEdu || probe.languages.GetCount() > 0;
}

std::string InAnotherCase(const std::string& flag) {
    std::string upper = flag;
    std::string capitalised = flag;
    for (std::size_t i = 0; i < flag.size(); ++i) {
        const auto c = static_cast<unsigned char>(flag[i]);
        upper[i] = static_cast<char>(std::toupper(c));
        capitalised[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
    }
    for (const std::string& candidate : {upper, capitalised}) {
        if (candidate != flag && IsKnownFlag(candidate)) {
            return candidate;
        }
    }
    return {};
}

void CheckFlags(const std::vector<std::string>& fields, int number, Diagnostics& diagnostics) {
    for (std::size_t i = 4; i < fields.size(); ++i) {
        const std::string& flag = fields[i];
        if (flag.empty() || IsKnownFlag(flag)) {
            continue;
        }
        const std::string meant = InAnotherCase(flag);
        if (!meant.empty()) {
            diagnostics.Error(number, "flag " + Quoted(flag) +
                                          " is ignored: flags are case-sensitive, the hub knows " +
                                          Quoted(meant));
        } else {
            diagnostics.Warning(number, "unknown flag " + Quoted(flag) + " is ignored");
        }
    }
}

// What goes wrong with a line whose own form, not its values, is the mistake. True when said.
bool CheckLineForm(const std::string& line, const std::vector<std::string>& fields, int number,
                   bool lastLine, Diagnostics& diagnostics) {
    if (line.empty()) {
        if (!lastLine) {
            diagnostics.Warning(number,
                                "an empty line is an add-on entry with no name: it counts when "
                                "libraries pair with add-on entries by position");
        }
        return true;
    }
    if (line[0] == '#') {
        diagnostics.Error(number,
                          "a \"#\" line that does not follow an entry or its description is no "
                          "description: it reads as an entry of its own");
        return true;
    }
    if (line[0] == ' ' || line[0] == '\t') {
        diagnostics.Error(number,
                          "the line begins with a blank or tab: it reads as an entry with no "
                          "name");
        return true;
    }
    if (fields[0].size() >= 7 && !line.starts_with("MESSAGE")) {
        std::string start = line.substr(0, 7);
        for (char& c : start) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (start == "MESSAGE") {
            diagnostics.Error(number, Quoted(line.substr(0, 7)) +
                                          " is no message header: only \"MESSAGE\" in capitals "
                                          "starts one; this line reads as an entry");
            return true;
        }
    }
    return false;
}

void CheckAddon(const CatalogueReading& reading, const TakenLine& taken, Diagnostics& diagnostics) {
    const std::string& line = reading.lines[static_cast<std::size_t>(taken.line)];
    const int number = taken.line + 1;
    const std::vector<std::string> fields = FieldsOf(line);
    const bool lastLine = taken.line + 1 == static_cast<int>(reading.lines.size());
    if (CheckLineForm(line, fields, number, lastLine, diagnostics)) {
        return;
    }
    if (fields.size() == 3 && fields[2].empty()) {
        diagnostics.Error(number,
                          "a blank or tab ends the line: a library line of two fields becomes "
                          "three, which the hub reads as an add-on entry");
        return;
    }
    if (fields.size() < 4) {
        diagnostics.Error(number, std::to_string(fields.size()) + " field" +
                                      (fields.size() == 1 ? "" : "s") +
                                      ": an add-on entry needs name, version, host tag and date; "
                                      "without a date it is never newer than an installed "
                                      "one");
        return;
    }
    const NX_AddonUpdate_Addon& addon = reading.addons[taken.position];
    if (addon.hostVersion != velmora_version::kHostVersion) {
        diagnostics.Warning(number, "host tag " + Quoted(fields[2]) + " reads as host " +
                                        std::to_string(addon.hostVersion) + ": the " +
                                        std::string(velmora_version::kHostTag) +
                                        " hub never offers this entry");
    }
    if (addon.major == -1 || addon.minor == -1 || addon.revision == -1 || addon.build == -1) {
        diagnostics.Warning(number, "version " + Quoted(fields[1]) +
                                        " has a part without digits, which reads as -1");
    }
    CheckDate(fields[3], addon.dateKey, number,
              "so the entry counts as newer than any installed one", diagnostics);
    CheckFlags(fields, number, diagnostics);
}

void CheckLibrary(const CatalogueReading& reading, const TakenLine& taken,
                  Diagnostics& diagnostics) {
    const std::string& line = reading.lines[static_cast<std::size_t>(taken.line)];
    const int number = taken.line + 1;
    if (CheckLineForm(line, FieldsOf(line), number, false, diagnostics)) {
        return;
    }
    const NX_AddonUpdate_Library& library = reading.libraries[taken.position];
    CheckDate(library.dateText.GetText(), library.dateKey, number,
              "so it is never offered as newer", diagnostics);
    const int position = taken.position;
    const std::string ordinal = std::to_string(position + 1);
    if (position >= reading.addons.GetCount()) {
        diagnostics.Error(number, "library " + ordinal + " has no add-on entry " + ordinal +
                                      " to pair with (the file has " +
                                      std::to_string(reading.addons.GetCount()) +
                                      "): libraries pair with add-on entries by position");
        return;
    }
    const NX_AddonUpdate_Addon& addon = reading.addons[position];
    const std::string addonName = addon.name.GetText();
    const std::string where = "add-on entry " + ordinal + " (line " +
                              std::to_string(LineOfAddon(reading, position)) + ")";
    if (addonName.empty()) {
        diagnostics.Error(number, "library " + ordinal + " pairs by position with " + where +
                                      ", which has no name: its row would be named after "
                                      "nothing");
    } else if (!std::string(library.name.GetText()).starts_with(addonName)) {
        diagnostics.Warning(number, "library " + ordinal + " " + Quoted(library.name) +
                                        " pairs by position with " + where + " " +
                                        Quoted(addon.name) +
                                        ", whose name its row takes: is that its add-on?");
    }
}

}  // namespace

void FindEntryProblems(const CatalogueReading& reading, Diagnostics& diagnostics) {
    for (const TakenLine& taken : reading.taken) {
        switch (taken.kind) {
            case VersionsLineKind::Comment:
                break;
            case VersionsLineKind::Message:
                break;
            case VersionsLineKind::Library:
                CheckLibrary(reading, taken, diagnostics);
                break;
            case VersionsLineKind::Addon:
                CheckAddon(reading, taken, diagnostics);
                break;
        }
    }
    FindMessageProblems(reading, diagnostics);
}

}  // namespace catalogue
