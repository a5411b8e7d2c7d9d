#include "foundation/nx_string_overrides.h"

#include <cstring>
#include <memory>
#include <string>

#include "foundation/nx_allocate.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_library_parts.h"
#include "foundation/nx_string_buffer.h"
#include "foundation/nx_utf8.h"
#include "resources/string_override_format.h"

namespace {

using languages::kEnglish;
constexpr int kLibraryPartType = 1;
constexpr std::size_t kWorkAreaSize = 512;
constexpr int kOverrideTextSize = 500;
constexpr std::uint64_t kSectionHeaderSize = 5;

NX_List<StringResource> overrideTable;

// The module's own file is under a kilobyte; whatever stands at its place is read only this far,
// and a table never holds more than these, so that a refresh of the menu texts stays quick.
constexpr std::uint64_t kMaximumOverrideFileSize = 64 * 1024;
constexpr int kMaximumOverrideLists = 1024;
constexpr int kMaximumOverrideTexts = 4096;
constexpr std::size_t kMaximumOverrideBytes = 256 * 1024;

// The file read whole in one call, then taken step by step; any short read or position beyond
// the end is a failure.
class OverrideFileReader {
public:
    explicit OverrideFileReader(const NX_Location& location)
        : file(new IO::File(location.GetHostLocation())) {}

    bool Open() {
        std::uint64_t length = 0;
        if (file->GetStatus() != NoError ||
            file->Open(IO::File::ReadMode, IO::File::ReadOnlyTreatment) != NoError ||
            file->GetDataLength(&length) != NoError || length > kMaximumOverrideFileSize) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length));
        std::size_t read = 0;
        return length == 0 || (file->ReadBin(bytes.data(), bytes.size(), &read) == NoError &&
                               read == bytes.size());
    }
    bool SetPosition(std::uint64_t newPosition) {
        if (newPosition > bytes.size()) {
            return false;
        }
        position = static_cast<std::size_t>(newPosition);
        return true;
    }
    bool Read(void* buffer, std::size_t count) {
        if (count > bytes.size() - position) {
            return false;
        }
        if (count != 0) {
            std::memcpy(buffer, bytes.data() + position, count);
        }
        position += count;
        return true;
    }
    bool ReadNumber(unsigned byteCount, int& value) {
        unsigned char number[4];
        if (!Read(number, byteCount)) {
            return false;
        }
        value = NX_ReadBigEndian(number, byteCount);
        return true;
    }

private:
    std::unique_ptr<IO::File> file;
    std::string bytes;
    std::size_t position = 0;
};

// What one loading has put into the table so far.
struct TableSize {
    int lists = 0;
    int texts = 0;
    std::size_t bytes = 0;
};

bool ReadText(OverrideFileReader& reader, NX_List<EncryptedString>& texts, TableSize& size) {
    int length = 0;
    if (!reader.ReadNumber(2, length)) {
        return false;
    }
    size.texts += 1;
    size.bytes += static_cast<std::size_t>(length);
    if (size.texts > kMaximumOverrideTexts || size.bytes > kMaximumOverrideBytes) {
        return false;
    }
    // The writer never stores an empty text; one read here stays an empty replacement.
    std::unique_ptr<char[]> bytes(new char[static_cast<std::size_t>(length) + 1]);
    if (!reader.Read(bytes.get(), static_cast<std::size_t>(length))) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) +
                                     string_override_format::kScrambleOffset);
    }
    texts.Insert(EncryptedString(bytes.get(), static_cast<std::uint32_t>(length)));
    return true;
}

// The lists of the section at `position`, appended to the table as they complete.
bool ReadSection(OverrideFileReader& reader, int position, TableSize& size) {
    int listCount = 0;
    if (!reader.SetPosition(static_cast<std::uint64_t>(position)) ||
        !reader.ReadNumber(2, listCount)) {
        return false;
    }
    for (int list = 0; list < listCount; ++list) {
        int id = 0;
        int textCount = 0;
        if (!reader.ReadNumber(2, id) || !reader.ReadNumber(2, textCount) ||
            ++size.lists > kMaximumOverrideLists) {
            return false;
        }
        StringResource resource{static_cast<std::int16_t>(id), {}};
        for (int text = 0; text < textCount; ++text) {
            if (!ReadText(reader, resource.strings, size)) {
                return false;
            }
        }
        overrideTable.Insert(resource);
    }
    return true;
}

enum class PassResult { Found, NotFound, Failed };

// Every section of `language`, in file order.
PassResult LoadSectionsOf(OverrideFileReader& reader, int sectionCount, int language) {
    overrideTable.Clear();
    if (!reader.SetPosition(1)) {
        return PassResult::Failed;
    }
    TableSize size;
    bool found = false;
    for (int section = 0; section < sectionCount; ++section) {
        int sectionLanguage = 0;
        int position = 0;
        if (!reader.ReadNumber(2, sectionLanguage) || !reader.ReadNumber(3, position)) {
            return PassResult::Failed;
        }
        if (sectionLanguage != language) {
            continue;
        }
        found = true;
        const std::uint64_t nextHeader = 1 + (section + 1) * kSectionHeaderSize;
        if (!ReadSection(reader, position, size) || !reader.SetPosition(nextHeader)) {
            return PassResult::Failed;
        }
    }
    return found ? PassResult::Found : PassResult::NotFound;
}

}  // namespace

EncryptedString::EncryptedString(const char* source, std::uint32_t size) : length(size) {
    if (length != 0) {
        bytes = NX_AllocateArray(length);
        std::memcpy(bytes, source, length);
    }
}

EncryptedString::EncryptedString(const EncryptedString& other)
    : EncryptedString(other.bytes, other.length) {}

EncryptedString::~EncryptedString() {
    NX_ReleaseArray(bytes);
}

int NX_ReadBigEndian(const unsigned char* bytes, unsigned count) {
    int value = 0;
    for (unsigned i = 0; i < count; ++i) {
        value = static_cast<int>((static_cast<unsigned>(value) << 8) | bytes[i]);
    }
    return value;
}

int NX_LoadStringOverrides() {
    NX_StringBuffer name;
    name.Append(NX_String(100L, 0).GetText());
    name.Append("_");
    name.Append("s");
    name.Append(".txt");
    const int index = NX_FindLibraryPart(name.GetText(), kLibraryPartType);
    NX_Location location;
    if (index < 0 || !NX_GetLibraryPartLocation(index, location)) {
        return kOverrideFileMissing;
    }
    OverrideFileReader reader(location);
    int sectionCount = 0;
    if (!reader.Open() || !reader.ReadNumber(1, sectionCount)) {
        return kOverrideFileUnreadable;
    }
    PassResult result = LoadSectionsOf(reader, sectionCount, LanguageIndex);
    if (result == PassResult::NotFound && LanguageIndex != kEnglish) {
        result = LoadSectionsOf(reader, sectionCount, kEnglish);
    }
    switch (result) {
        case PassResult::Found:
            return kOverridesLoaded;
        case PassResult::NotFound:
            return kOverrideLanguageMissing;
        case PassResult::Failed:
            break;
    }
    return kOverrideFileUnreadable;
}

int NX_FindOverride(char* out, unsigned short listId, short index) {
    out[0] = '\0';
    for (int i = 0; i < overrideTable.GetCount(); ++i) {
        const StringResource& resource = overrideTable[i];
        if (static_cast<unsigned short>(resource.id) != listId || index < 1 ||
            resource.strings.GetCount() < index) {
            continue;
        }
        const EncryptedString& text = resource.strings[index - 1];
        // Longer texts do not fit the work area; they count as texts that do not convert.
        if (text.length >= kWorkAreaSize) {
            return -2;
        }
        char work[kWorkAreaSize];
        if (text.length != 0) {
            std::memcpy(work, text.bytes, text.length);
        }
        work[text.length] = '\0';
        if (work[0] == '\0') {
            return 0;
        }
        if (NX_Utf8ToAnsi(work, out, kOverrideTextSize) < 0) {
            out[0] = '\0';
            return -2;
        }
        return 0;
    }
    return 1;
}
