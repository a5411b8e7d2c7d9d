// The records of the update catalogue: offered add-ons, libraries and messages of the day.
// Plain values: copying one copies its texts and its language list.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"

struct NX_AddonUpdate_Addon {
    NX_String name;
    NX_String versionText;
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
    std::int16_t build = 0;
    std::int16_t hostVersion = 0;
    NX_String dateKey;
    NX_String dateText;
    bool isEdu = false;
    NX_List<std::int16_t> languages;  // empty: offered in every language
    NX_String description;

    NX_AddonUpdate_Addon() { Clear(); }
    NX_AddonUpdate_Addon(const NX_AddonUpdate_Addon&) = default;
    // The texts move; the language list, which owns a host handle, is copied.
    NX_AddonUpdate_Addon(NX_AddonUpdate_Addon&&) = default;
    NX_AddonUpdate_Addon& operator=(const NX_AddonUpdate_Addon& other) {
        if (this != &other) {
            name = other.name;
            versionText = other.versionText;
            major = other.major;
            minor = other.minor;
            revision = other.revision;
            build = other.build;
            hostVersion = other.hostVersion;
            dateKey = other.dateKey;
            dateText = other.dateText;
            isEdu = other.isEdu;
            languages.Clear();
            for (int i = 0; i < other.languages.GetCount(); ++i) {
                languages.Insert(other.languages[i]);
            }
            description = other.description;
        }
        return *this;
    }

    // Every text empty (not null), every number 0, no flags.
    void Clear() {
        name = "";
        versionText = "";
        major = minor = revision = build = hostVersion = 0;
        dateKey = "";
        dateText = "";
        isEdu = false;
        languages.Clear();
        description = "";
    }
};

struct NX_AddonUpdate_Library {
    NX_String name;
    NX_String dateKey;
    NX_String dateText;
    NX_String description;
};

struct NX_AddonUpdate_Message {
    NX_String fromKey;  // first day shown, YYYYMMDD; empty or null: no lower bound
    NX_String toKey;    // last day shown; empty or null: no upper bound
    NX_String text;
    NX_String link;  // from "http://" to the end; empty when there is none
};
