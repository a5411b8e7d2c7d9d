#include "update/versions_file.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "foundation/nx_string_buffer.h"
#include "foundation/nx_utf8.h"
#include "update/download_file_names.h"
#include "update/update_host.h"
#include "update/web_link.h"

namespace {

constexpr const char* kMessageStart = "MESSAGE";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Numbers keep their low 16 bits, so a part without digits (read as the largest value) is -1.
std::int16_t LowBits(int value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned>(value)));
}

// A field of the line, read in place: only the texts a record keeps are copied out of it.
using Field = std::string_view;

// At most kMaximumLineFields fields of one line, held without copying.
struct LineFields {
    std::array<Field, kMaximumLineFields> fields;
    int count = 0;
    const Field& operator[](int i) const { return fields[static_cast<std::size_t>(i)]; }
};

NX_String TextOf(Field field) {
    return NX_String(field.data(), static_cast<int>(field.size()));
}

std::int16_t ReadNumber(Field text) {
    return LowBits(NX_String::ToInt(std::string(text).c_str()));
}

// Language flags and the interface language index each one offers.
struct LanguageFlag {
    const char* flag;
    std::int16_t language;
};
constexpr LanguageFlag kLanguageFlags[] = {
    {"ITA", 0}, {"INT", 1}, {"FRA", 2}, {"GER", 3}, {"SPA", 4}};

void ApplyFlag(Field flag, NX_AddonUpdate_Addon& addon) {
    if (flag == "Edu") {
        addon.isEdu = true;
        return;
    }
    for (const LanguageFlag& entry : kLanguageFlags) {
        if (flag == entry.flag) {
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

// Lines end with CR LF, LF or CR; the text after the last line end is one more line.
std::size_t CountLines(const char* text, std::size_t size) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

// Each line end becomes a terminator in place, so the lines are cut without copying.
std::vector<const char*> SplitLines(std::string& text) {
    std::vector<const char*> lines;
    lines.reserve(CountLines(text.data(), text.size()));
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
        lines.push_back(text.data() + i + 1);
    }
    return lines;
}

// Cuts the text at every `isSeparator` byte (a run of them counts once when `runs`) into at most
// kMaximumLineFields parts; of a text that holds more, only the first parts are kept.
template <typename IsSeparator>
void SplitWithin(const char* chars, IsSeparator isSeparator, bool runs, NX_List<NX_String>& parts) {
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
            return;
        }
        ++i;
        while (runs && i < length && isSeparator(chars[i])) {
            ++i;
        }
        start = i;
    }
    parts.Insert(NX_String(chars + start, length - start));
}

// The line cut at runs of blanks and tabs, in place; false when it holds more than
// kMaximumLineFields fields, whose first ones are then in `fields`.
bool CutFields(const char* line, LineFields& fields) {
    fields.count = 0;
    const char* start = line;
    const char* c = line;
    for (; *c != '\0'; ++c) {
        if (!IsBlank(*c)) {
            continue;
        }
        fields.fields[static_cast<std::size_t>(fields.count++)] =
            Field(start, static_cast<std::size_t>(c - start));
        if (fields.count == kMaximumLineFields) {
            return false;
        }
        while (IsBlank(c[1])) {
            ++c;
        }
        start = c + 1;
    }
    fields.fields[static_cast<std::size_t>(fields.count++)] =
        Field(start, static_cast<std::size_t>(c - start));
    return true;
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

NX_AddonUpdate_Message ReadMessage(const LineFields& fields, const NX_String& description) {
    NX_AddonUpdate_Message message;
    message.fromKey = fields.count >= 2 ? MakeDateKey(TextOf(fields[1])) : NX_String("");
    message.toKey = fields.count >= 3 ? MakeDateKey(TextOf(fields[2])) : NX_String("");
    // The text is what comes before the link; a link that is no well-formed web address is none,
    // and the link button then opens nothing.
    const std::string_view whole = description.GetText();
    const LinkInText found = FindLink(whole);
    message.text = NX_String(whole.data(), static_cast<int>(found.start));
    message.link = IsWebAddress(found.link)
                       ? NX_String(found.link.data(), static_cast<int>(found.link.size()))
                       : NX_String("");
    return message;
}

// A line with fewer than four fields fills only the fields it has; the rest stay as they were
// (cleared, for a new record).
void ReadAddonFields(const LineFields& fields, NX_AddonUpdate_Addon& addon) {
    const int count = fields.count;
    addon.name = TextOf(fields[0]);
    if (count >= 2) {
        const Field version = fields[1];
        addon.versionText = TextOf(version);
        // The first four parts between dots; the ones after them are never read.
        std::int16_t* const numbers[] = {&addon.major, &addon.minor, &addon.revision, &addon.build};
        std::size_t start = 0;
        for (std::int16_t* number : numbers) {
            const std::size_t dot = version.find('.', start);
            *number = ReadNumber(version.substr(start, dot - start));
            if (dot == Field::npos) {
                break;
            }
            start = dot + 1;
        }
    }
    if (count >= 3) {
        // "(AC160)" without its first three and last two characters; a shorter tag reads as 0.
        const Field tag = fields[2];
        addon.hostVersion = tag.size() >= 5 ? ReadNumber(tag.substr(3, tag.size() - 5)) : 0;
    }
    if (count >= 4) {
        addon.dateText = TextOf(fields[3]);
        addon.dateKey = MakeDateKey(addon.dateText);
    }
    for (int i = 4; i < count; ++i) {
        ApplyFlag(fields[i], addon);
    }
}

void ReadLibraryFields(const LineFields& fields, NX_AddonUpdate_Library& library) {
    library.name = TextOf(fields[0]);
    library.dateText = fields.count >= 2 ? TextOf(fields[1]) : NX_String("");
    library.dateKey = MakeDateKey(library.dateText);
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
    SplitWithin(text.GetText(), &IsBlank, true, fields);
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
    LineFields fields;
    CutFields(text.GetText(), fields);
    ReadAddonFields(fields, addon);
}

void ParseLibraryLine(const NX_String& text, NX_AddonUpdate_Library& library) {
    // No text is one null field: a null name and no date.
    if (text.IsNull()) {
        library.name = NX_String();
        library.dateText = "";
        library.dateKey = MakeDateKey(library.dateText);
        return;
    }
    LineFields fields;
    CutFields(text.GetText(), fields);
    ReadLibraryFields(fields, library);
}

NX_String ReadDescriptionLines(const NX_List<NX_String>& lines, int& index) {
    return JoinDescription([&lines](int i) { return lines[i].GetText(); }, lines.GetCount(), index);
}

bool ParseVersionsText(const char* bytes, std::size_t size,
                       NX_List<NX_AddonUpdate_Message>& messages,
                       NX_List<NX_AddonUpdate_Addon>& addons,
                       NX_List<NX_AddonUpdate_Library>& libraries) {
    return ParseVersionsText(bytes, size, messages, addons, libraries, VersionsLineObserver());
}

bool ParseVersionsText(const char* bytes, std::size_t size,
                       NX_List<NX_AddonUpdate_Message>& messages,
                       NX_List<NX_AddonUpdate_Addon>& addons,
                       NX_List<NX_AddonUpdate_Library>& libraries,
                       const VersionsLineObserver& observer) {
    // Counted before the text is converted, which keeps every line end as it is.
    const std::size_t end = bytes != nullptr ? strnlen(bytes, size) : 0;
    if (CountLines(bytes, end) > kMaximumCatalogueLines) {
        return false;
    }
    // An empty text (an empty file, a failed read) is an empty catalogue, not one empty entry.
    std::string text = ToAnsi(bytes, end);
    if (text.empty()) {
        return true;
    }
    const std::vector<const char*> lines = SplitLines(text);
    const auto lineAt = [&lines](int i) { return lines[static_cast<std::size_t>(i)]; };
    const auto count = static_cast<int>(lines.size());

    const auto taken = [&observer, &lines](VersionsLineKind kind, int line, int last) {
        if (observer) {
            observer(
                VersionsLineTaken{kind, line, last, lines.data(), static_cast<int>(lines.size())});
        }
    };
    // Every line that is not a comment is an entry, the empty line too.
    int entries = 0;
    LineFields fields;
    for (int i = 0; i < count; ++i) {
        const int first = i;
        const char* const line = lineAt(i);
        if (line[0] == '*') {
            taken(VersionsLineKind::Comment, first, first);
            continue;
        }
        if (entries == kMaximumCatalogueEntries || !CutFields(line, fields)) {
            return false;
        }
        ++entries;
        if (std::strncmp(line, kMessageStart, std::strlen(kMessageStart)) == 0) {
            messages.Insert(ReadMessage(fields, JoinDescription(lineAt, count, i)));
            taken(VersionsLineKind::Message, first, i);
        } else if (fields.count == 2) {
            NX_AddonUpdate_Library library;
            ReadLibraryFields(fields, library);
            library.description = JoinDescription(lineAt, count, i);
            libraries.Insert(std::move(library));
            taken(VersionsLineKind::Library, first, i);
        } else {
            // The line's fields are read where they were split; an empty line is a cleared
            // record.
            NX_AddonUpdate_Addon addon;
            if (line[0] != '\0') {
                ReadAddonFields(fields, addon);
            }
            addon.description = JoinDescription(lineAt, count, i);
            addons.Insert(std::move(addon));
            taken(VersionsLineKind::Addon, first, i);
        }
    }
    return true;
}

bool ReadVersionsFile(NX_List<NX_AddonUpdate_Message>& messages,
                      NX_List<NX_AddonUpdate_Addon>& addons,
                      NX_List<NX_AddonUpdate_Library>& libraries) {
    NX_Location folder;
    if (GetSettingsFolder(folder) != NoError) {
        return false;
    }
    OpenedFile opened;
    IO::File*& file = opened.file;
    if (OpenFile(file, folder.Join(kCatalogueFileName), 0) != 0) {
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
