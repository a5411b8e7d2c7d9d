// The reader of the update catalogue that the update check downloads as "__updnx__.tmp" into the
// settings folder. The add-on line syntax is also that of the version lines the member tools
// report about themselves.
#pragma once

#include <climits>
#include <cstddef>
#include <functional>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"
#include "update/update_records.h"

// What the reader takes of a catalogue: far above the maker's real one (a few dozen entries of
// about ten fields each), and low enough that a catalogue at every limit keeps the host's main
// thread only a few milliseconds, even where each list grows by moving its block. Every entry
// (add-on, library or message) is at most one row of the results list, whose rows the dialog
// numbers with 16 bits.
constexpr int kMaximumCatalogueLines = 65536;
constexpr int kMaximumCatalogueEntries = 4096;
constexpr int kMaximumLineFields = 64;
static_assert(kMaximumCatalogueEntries <= SHRT_MAX);

// DD/MM/YYYY as the key YYYYMMDD; only the character positions count. Null when shorter than 6.
NX_String MakeDateKey(const NX_String& dateText);
// Cuts at runs of blanks and tabs; a run at either end yields an empty field. Fields beyond
// kMaximumLineFields are left out.
void SplitFields(const NX_String& text, NX_List<NX_String>& fields);
// Parts beyond kMaximumLineFields are left out.
void SplitAtChar(const NX_String& text, char character, NX_List<NX_String>& parts);
void ParseAddonLine(const NX_String& text, NX_AddonUpdate_Addon& addon);
void ParseLibraryLine(const NX_String& text, NX_AddonUpdate_Library& library);
// The "#" lines after lines[index], joined by CR LF; index comes back on the last line consumed.
NX_String ReadDescriptionLines(const NX_List<NX_String>& lines, int& index);
// Reads "__updnx__.tmp" in the settings folder (appends; lists not cleared first). False, as for
// a file that cannot be opened, when the catalogue goes beyond the reader's limits.
[[nodiscard]] bool ReadVersionsFile(NX_List<NX_AddonUpdate_Message>& messages,
                                    NX_List<NX_AddonUpdate_Addon>& addons,
                                    NX_List<NX_AddonUpdate_Library>& libraries);
// The same from text already in memory (UTF-8, cut at the first NUL). False when the text goes
// beyond the reader's limits; the lists then hold the entries read before the limit.
[[nodiscard]] bool ParseVersionsText(const char* bytes, std::size_t size,
                                     NX_List<NX_AddonUpdate_Message>& messages,
                                     NX_List<NX_AddonUpdate_Addon>& addons,
                                     NX_List<NX_AddonUpdate_Library>& libraries);

// How the reader took one line and the description lines it consumed with it, as it takes them:
// for a maker's tool that shows a catalogue line by line. The record made from an entry is the
// last of its list when the observer is called.
enum class VersionsLineKind { Comment, Message, Library, Addon };
struct VersionsLineTaken {
    VersionsLineKind kind;
    int line;                  // 0-based, in the converted text
    int lastDescription;       // the last "#" line consumed; `line` when there was none
    const char* const* lines;  // every line of the converted (ANSI) text
    int lineCount;
};
using VersionsLineObserver = std::function<void(const VersionsLineTaken&)>;
[[nodiscard]] bool ParseVersionsText(const char* bytes, std::size_t size,
                                     NX_List<NX_AddonUpdate_Message>& messages,
                                     NX_List<NX_AddonUpdate_Addon>& addons,
                                     NX_List<NX_AddonUpdate_Library>& libraries,
                                     const VersionsLineObserver& observer);
