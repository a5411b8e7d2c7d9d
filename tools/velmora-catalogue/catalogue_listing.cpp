#include "tools/velmora-catalogue/catalogue_listing.h"

#include <cstdio>
#include <string>

#include "tools/velmora-catalogue/shown_text.h"

namespace catalogue {

namespace {

// The suite's interface languages by index.
constexpr const char* kLanguageNames[] = {"Italian", "English",  "French",   "German",
                                          "Spanish", "Japanese", "Norwegian"};

std::string Key(const NX_String& key) {
    return key.IsNull() ? "no key" : "key " + Quoted(key);
}

std::string Bound(const NX_String& key) {
    return key.IsNull() || key.GetText()[0] == '\0' ? "no bound" : Key(key);
}

std::string Languages(const NX_AddonUpdate_Addon& addon) {
    if (addon.languages.GetCount() == 0) {
        return "every language";
    }
    std::string shown;
    for (int i = 0; i < addon.languages.GetCount(); ++i) {
        const int index = addon.languages[i];
        shown +=
            (i > 0 ? " " : "") + std::string(index >= 0 && index < 7 ? kLanguageNames[index] : "?");
    }
    return shown;
}

void PrintAddon(const NX_AddonUpdate_Addon& addon, int position, const std::string& line) {
    if (line.empty()) {
        std::printf("add-on %d: empty entry (no name, host 0)\n", position + 1);
        return;
    }
    std::printf("add-on %d: name %s, version %s (%d.%d.%d.%d), host %d, date %s (%s), %s%s\n",
                position + 1, Quoted(addon.name).c_str(), Quoted(addon.versionText).c_str(),
                addon.major, addon.minor, addon.revision, addon.build, addon.hostVersion,
                Quoted(addon.dateText).c_str(), Key(addon.dateKey).c_str(),
                Languages(addon).c_str(), addon.isEdu ? ", Edu" : "");
}

void PrintLibrary(const CatalogueReading& reading, int position) {
    const NX_AddonUpdate_Library& library = reading.libraries[position];
    std::printf("library %d: name %s, date %s (%s), ", position + 1, Quoted(library.name).c_str(),
                Quoted(library.dateText).c_str(), Key(library.dateKey).c_str());
    if (position < reading.addons.GetCount()) {
        std::printf("pairs with add-on %d %s of line %d\n", position + 1,
                    Quoted(reading.addons[position].name).c_str(), LineOfAddon(reading, position));
    } else {
        std::printf("pairs with no add-on entry\n");
    }
}

void PrintMessage(const NX_AddonUpdate_Message& message, int position) {
    std::printf("message %d: from %s, to %s, text %s, link %s\n", position + 1,
                Bound(message.fromKey).c_str(), Bound(message.toKey).c_str(),
                Quoted(message.text).c_str(), Quoted(message.link).c_str());
}

}  // namespace

int LineOfAddon(const CatalogueReading& reading, int position) {
    for (const TakenLine& taken : reading.taken) {
        if (taken.kind == VersionsLineKind::Addon && taken.position == position) {
            return taken.line + 1;
        }
    }
    return 0;
}

void PrintListing(const CatalogueReading& reading) {
    for (const TakenLine& taken : reading.taken) {
        const std::string& line = reading.lines[static_cast<std::size_t>(taken.line)];
        std::printf("%5d  ", taken.line + 1);
        switch (taken.kind) {
            case VersionsLineKind::Comment:
                std::printf("comment\n");
                break;
            case VersionsLineKind::Message:
                PrintMessage(reading.messages[taken.position], taken.position);
                break;
            case VersionsLineKind::Library:
                PrintLibrary(reading, taken.position);
                break;
            case VersionsLineKind::Addon:
                PrintAddon(reading.addons[taken.position], taken.position, line);
                break;
        }
        for (int i = taken.line + 1; i <= taken.lastDescription; ++i) {
            const std::string& description = reading.lines[static_cast<std::size_t>(i)];
            std::printf("%5d    description %s\n", i + 1,
                        Quoted(description.size() > 1 ? description.substr(2) : "").c_str());
        }
    }
}

}  // namespace catalogue
