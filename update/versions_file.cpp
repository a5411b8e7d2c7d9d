#include "update/versions_file.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "foundation/nx_string_buffer.h"
#include "foundation/nx_utf8.h"
#include "update/update_host.h"

namespace {

constexpr const char* kVersionsFileName = "__updnx__.tmp";
constexpr const char* kLinkStart = "http://";
constexpr const char* kMessageStart = "MESSAGE";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Numbers keep their low 16 bits, so a part without digits (read as the largest value) is -1.
std::int16_t LowBits(int value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned>(value)));
}

std::int16_t ReadNumber(const NX_String& text) {
    return LowBits(NX_String::ToInt(text.IsNull() ? nullptr : text.GetText()));
}

// Language flags and the interface language index each one offers.
struct LanguageFlag {
    const char* flag;
    std::int16_t language;
};
constexpr LanguageFlag kLanguageFlags[] = {
    {"ITA", 0}, {"INT", 1}, {"FRA", 2}, {"GER", 3}, {"SPA", 4}};

void ApplyFlag(const NX_String& flag, NX_AddonUpdate_Addon& addon) {
    if (NX_String::Equal(flag.GetText(), "Edu")) {
        addon.isEdu = true;
        return;
    }
    for (const LanguageFlag& entry : kLanguageFlags) {
        if (NX_String::Equal(flag.GetText(), entry.flag)) {
            addon.languages.Insert(entry.language);
            return;
        }
    }
}

// The text converted to the ANSI code page; empty when it cannot be converted or is too long for
// the conversion's 32-bit sizes.
std::string ToAnsi(const char* bytes, std::size_t size) {
    const std::size_t end = bytes != nullptr ? strnlen(bytes, size) : 0;
    if (end == 0 || end >= static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const std::string utf8(bytes, end);
    // The ANSI text is never longer than its UTF-8 form (each character takes at least as many
    // bytes there), so one call converts it; the size is asked only if a code page breaks that.
    std::string ansi(end + 1, '\0');
    int written = NX_Utf8ToAnsi(utf8.c_str(), ansi.data(), static_cast<int>(ansi.size()));
    if (written == -2) {
        const int length = NX_Utf8ToAnsi(utf8.c_str(), nullptr, 0);
        if (length <= 0) {
            return {};
        }
        ansi.assign(static_cast<std::size_t>(length) + 1, '\0');
        written = NX_Utf8ToAnsi(utf8.c_str(), ansi.data(), length + 1);
    }
    ansi.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return ansi;
}

// Lines end with CR LF, LF or CR; the text after the last line end is one more line. Each line
// end becomes a terminator in place, so the lines are cut without copying. False once there are
// more than kMaximumCatalogueLines.
bool SplitLines(std::string& text, std::vector<const char*>& lines) {
    lines.push_back(text.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        text[i] = '\0';
        if (crLf) {
            text[++i] = '\0';
        }
        if (lines.size() == kMaximumCatalogueLines) {
            return false;
        }
        lines.push_back(text.data() + i + 1);
    }
    return true;
}

// Cuts the text at every `isSeparator` byte (a run of them counts once when `runs`) into at most
// kMaximumLineFields parts; false when the text holds more, whose first parts are then in `parts`.
template <typename IsSeparator>
bool SplitWithin(const char* chars, IsSeparator isSeparator, bool runs, NX_List<NX_String>& parts) {
    parts.Clear();
    const int length = NX_String::Length(chars);
    int start = 0;
    int i = 0;
    while (i < length) {
        if (!isSeparator(chars[i])) {
            ++i;
            continue;
        }
        parts.Insert(NX_String(chars + start, i - start));
        if (parts.GetCount() == kMaximumLineFields) {
            return false;
        }
        ++i;
        while (runs && i < length && isSeparator(chars[i])) {
            ++i;
        }
        start = i;
    }
    parts.Insert(NX_String(chars + start, length - start));
    return true;
}

bool SplitFieldsWithin(const char* chars, NX_List<NX_String>& fields) {
    return SplitWithin(chars, &IsBlank, true, fields);
}

// The "#" lines after line `index`, joined by CR LF into one buffer so that long descriptions
// stay linear. A "#" line of one character counts as an empty description line, as "# " does.
template <typename LineAt>
NX_String JoinDescription(LineAt lineAt, int count, int& index) {
    NX_StringBuffer description;
    while (index + 1 < count && lineAt(index + 1)[0] == '#') {
        ++index;
        const char* const line = lineAt(index);
        const char* const part = line[1] != '\0' ? line + 2 : "";
        if (description.GetLength() > 0) {
            description.Append("\r\n");
        }
        description.Append(part);
    }
    return NX_String(description.GetText());
}

NX_AddonUpdate_Message ReadMessage(const NX_List<NX_String>& fields, const NX_String& description) {
    NX_AddonUpdate_Message message;
    message.fromKey = fields.GetCount() >= 2 ? MakeDateKey(fields[1]) : NX_String("");
    message.toKey = fields.GetCount() >= 3 ? MakeDateKey(fields[2]) : NX_String("");
    const int link = description.Find(kLinkStart, 0);
    if (link < 0) {
        message.text = description;
        message.link = "";
    } else {
        message.text = description.Mid(0, link);
        message.link = description.Mid(link);
    }
    return message;
}

// A line with fewer than four fields fills only the fields it has; the rest stay as they were
// (cleared, for a new record). No fields at all (the host refused the list's memory) fill
// nothing.
void ReadAddonFields(const NX_List<NX_String>& fields, NX_AddonUpdate_Addon& addon) {
    const int count = fields.GetCount();
    if (count == 0) {
        return;
    }
    addon.name = fields[0];
    if (count >= 2) {
        addon.versionText = fields[1];
        NX_List<NX_String> parts;
        SplitAtChar(fields[1], '.', parts);
        std::int16_t* const numbers[] = {&addon.major, &addon.minor, &addon.revision, &addon.build};
        for (int i = 0; i < 4 && i < parts.GetCount(); ++i) {
            *numbers[i] = ReadNumber(parts[i]);
        }
    }
    if (count >= 3) {
        const NX_String& tag = fields[2];
        addon.hostVersion = ReadNumber(tag.Mid(3, NX_String::Length(tag.GetText()) - 5));
    }
    if (count >= 4) {
        addon.dateKey = MakeDateKey(fields[3]);
        addon.dateText = fields[3];
    }
    for (int i = 4; i < count; ++i) {
        ApplyFlag(fields[i], addon);
    }
}

void ReadLibraryFields(const NX_List<NX_String>& fields, NX_AddonUpdate_Library& library) {
    if (fields.GetCount() == 0) {
        return;
    }
    library.name = fields[0];
    const NX_String date = fields.GetCount() >= 2 ? fields[1] : NX_String("");
    library.dateKey = MakeDateKey(date);
    library.dateText = date;
}

// Closes the file on every way out, a failed open included (the file object exists then too).
struct OpenedFile {
    OpenedFile() = default;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile() { CloseFile(file); }
    IO::File* file = nullptr;
};

}  // namespace

NX_String MakeDateKey(const NX_String& dateText) {
    if (dateText.IsNull() || NX_String::Length(dateText.GetText()) < 6) {
        return {};
    }
    // "DD/MM/YYYY" becomes "YYYYMMDD": the year, the month and the day, each cut at its width.
    const char* const date = dateText.GetText();
    NX_String key;
    key.SetJoined(date + 6, 4, date + 3, 2, date, 2);
    return key;
}

void SplitFields(const NX_String& text, NX_List<NX_String>& fields) {
    if (text.IsNull()) {
        fields.Clear();
        fields.Insert(NX_String());
        return;
    }
    SplitFieldsWithin(text.GetText(), fields);
}

void SplitAtChar(const NX_String& text, char character, NX_List<NX_String>& parts) {
    if (text.IsNull()) {
        parts.Clear();
        parts.Insert(NX_String());
        return;
    }
    SplitWithin(
        text.GetText(), [character](char c) { return c == character; }, false, parts);
}

void ParseAddonLine(const NX_String& text, NX_AddonUpdate_Addon& addon) {
    if (text.IsNull() || NX_String::Length(text.GetText()) == 0) {
        addon.Clear();
        return;
    }
    NX_String description = std::move(addon.description);
    addon.Clear();
    addon.description = std::move(description);
    NX_List<NX_String> fields;
    SplitFields(text, fields);
    ReadAddonFields(fields, addon);
}

void ParseLibraryLine(const NX_String& text, NX_AddonUpdate_Library& library) {
    NX_List<NX_String> fields;
    SplitFields(text, fields);
    ReadLibraryFields(fields, library);
}

NX_String ReadDescriptionLines(const NX_List<NX_String>& lines, int& index) {
    return JoinDescription([&lines](int i) { return lines[i].GetText(); }, lines.GetCount(), index);
}

bool ParseVersionsText(const char* bytes, std::size_t size,
                       NX_List<NX_AddonUpdate_Message>& messages,
                       NX_List<NX_AddonUpdate_Addon>& addons,
                       NX_List<NX_AddonUpdate_Library>& libraries) {
    // An empty text (an empty file, a failed read) is an empty catalogue, not one empty entry.
    std::string text = ToAnsi(bytes, size);
    if (text.empty()) {
        return true;
    }
    std::vector<const char*> lines;
    if (!SplitLines(text, lines)) {
        return false;
    }
    const auto lineAt = [&lines](int i) { return lines[static_cast<std::size_t>(i)]; };
    const auto count = static_cast<int>(lines.size());

    // Every line that is not a comment is an entry, the empty line too.
    int entries = 0;
    NX_List<NX_String> fields;
    for (int i = 0; i < count; ++i) {
        const char* const line = lineAt(i);
        if (line[0] == '*') {
            continue;
        }
        if (entries == kMaximumCatalogueEntries || !SplitFieldsWithin(line, fields)) {
            return false;
        }
        ++entries;
        if (std::strncmp(line, kMessageStart, std::strlen(kMessageStart)) == 0) {
            messages.Insert(ReadMessage(fields, JoinDescription(lineAt, count, i)));
        } else if (fields.GetCount() == 2) {
            NX_AddonUpdate_Library library;
            ReadLibraryFields(fields, library);
            library.description = JoinDescription(lineAt, count, i);
            libraries.Insert(std::move(library));
        } else {
            // The line's fields are read where they were split; an empty line is a cleared
            // record.
            NX_AddonUpdate_Addon addon;
            if (line[0] != '\0') {
                ReadAddonFields(fields, addon);
            }
            addon.description = JoinDescription(lineAt, count, i);
            addons.Insert(std::move(addon));
        }
    }
    return true;
}

bool ReadVersionsFile(NX_List<NX_AddonUpdate_Message>& messages,
                      NX_List<NX_AddonUpdate_Addon>& addons,
                      NX_List<NX_AddonUpdate_Library>& libraries) {
    NX_String folder;
    if (GetSettingsFolderPath(folder) != NoError) {
        return false;
    }
    if (folder.EndsWith("\\")) {
        folder = folder.Mid(0, NX_String::Length(folder.GetText()) - 1);
    }
    const NX_String path = JoinPath(folder.GetText(), kVersionsFileName);
    OpenedFile opened;
    IO::File*& file = opened.file;
    if (OpenFile(file, path.GetText(), 0) != 0) {
        return false;
    }
    std::string bytes;
    std::uint64_t length = 0;
    std::uint64_t read = 0;
    if (GetFileLength(file, length) == 0) {
        // The download takes no more than this; a longer file is not the catalogue.
        if (length > static_cast<std::uint64_t>(kMaxVersionsFileBytes)) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length));
        if (ReadBytes(file, bytes.data(), length, &read) != 0) {
            read = 0;
        }
    }
    CloseFile(file);
    return ParseVersionsText(bytes.data(), static_cast<std::size_t>(read), messages, addons,
                             libraries);
}
