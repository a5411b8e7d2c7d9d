#include "settings/settings_store.h"

#include <cstring>

#include "foundation/nx_allocate.h"
#include "foundation/nx_files.h"
#include "foundation/nx_list.h"
#include "foundation/nx_location.h"
#include "settings/settings_file_names.h"
#include "settings/settings_format.h"

namespace {

struct Store {
    NX_List<NX_Setting> records;
    bool loaded = false;
    // The file on disk holds more than the store reads (too long, or too many records): it is
    // someone else's or damaged beyond repair, and writing the store would cut it short.
    bool fileBeyondLimits = false;
};

Store stores[2];

Store& StoreOf(SettingsStore store) {
    return stores[store == VersionStore ? 1 : 0];
}

const char* FileNameOf(SettingsStore store) {
    return store == VersionStore ? kHubSettingsFileName : kSuiteSettingsFileName;
}

// A working buffer from the host's array allocator.
class WorkBuffer {
public:
    explicit WorkBuffer(std::size_t size) : bytes(NX_AllocateArray(size)) {}
    WorkBuffer(const WorkBuffer&) = delete;
    WorkBuffer& operator=(const WorkBuffer&) = delete;
    ~WorkBuffer() { NX_ReleaseArray(bytes); }
    char* Bytes() { return bytes; }

private:
    char* bytes;
};

NX_Setting* Find(Store& store, const NX_String& name) {
    for (int i = 0; i < store.records.GetCount(); ++i) {
        if (NX_String::Equal(store.records[i].name.GetText(), name.GetText())) {
            return &store.records[i];
        }
    }
    return nullptr;
}

}  // namespace

GSErrCode GetSettingsFilePath(SettingsStore store, NX_Location& path) {
    NX_Location folder;
    const GSErrCode error = GetSettingsFolder(folder);
    path = error == NoError ? folder.Join(FileNameOf(store)) : NX_Location();
    return error;
}

bool LoadSettings(SettingsStore storeNumber, bool onlyIfNotLoaded) {
    Store& store = StoreOf(storeNumber);
    if (onlyIfNotLoaded && store.loaded) {
        return true;
    }
    store.records.Clear();
    store.fileBeyondLimits = false;
    NX_Location path;
    if (GetSettingsFilePath(storeNumber, path) != NoError) {
        return false;
    }
    std::uint64_t length = 0;
    if (FileExists(path)) {
        IO::File* file = nullptr;
        const bool measured = OpenFile(file, path, 0) == 0 && GetFileLength(file, length) == 0;
        CloseFile(file);
        if (!measured) {
            return false;
        }
        if (length > kMaximumSettingsFileSize) {
            store.fileBeyondLimits = true;
            return false;
        }
    }
    WorkBuffer buffer(kSettingsBufferSize);
    if (length > 0 && ReadFile(path, buffer.Bytes(), length, nullptr, 0) != 0) {
        return false;
    }
    for (std::uint64_t i = 0; i < length; ++i) {
        buffer.Bytes()[i] =
            static_cast<char>(ExchangeHalves(static_cast<unsigned char>(buffer.Bytes()[i])));
    }
    buffer.Bytes()[length] = '\0';
    buffer.Bytes()[length + 1] = '\0';
    const SettingsDecoding decoding =
        DecodeSettings(buffer.Bytes(), static_cast<std::size_t>(length), store.records);
    if (decoding != SettingsDecoding::Whole) {
        store.fileBeyondLimits = decoding == SettingsDecoding::TooManyRecords;
        return false;
    }
    store.loaded = true;
    return true;
}

bool SaveSettings(SettingsStore storeNumber) {
    Store& store = StoreOf(storeNumber);
    if (store.fileBeyondLimits) {
        return false;
    }
    std::string encoded = EncodeSettings(store.records);
    // A store the working buffer cannot hold is not written: the file on disk stays whole.
    if (encoded.size() > kMaximumSettingsFileSize) {
        return false;
    }
    for (char& byte : encoded) {
        byte = static_cast<char>(ExchangeHalves(static_cast<unsigned char>(byte)));
    }
    NX_Location path;
    if (GetSettingsFilePath(storeNumber, path) != NoError) {
        return false;
    }
    return WriteFile(path, encoded.data(), encoded.size(), false, true) == 0;
}

bool GetSetting(SettingsStore storeNumber, const NX_String& name, NX_String* value,
                bool loadIfNeeded) {
    Store& store = StoreOf(storeNumber);
    if (!store.loaded && loadIfNeeded && !LoadSettings(storeNumber, false)) {
        return false;
    }
    const NX_Setting* record = Find(store, name);
    if (record != nullptr && value != nullptr) {
        *value = record->value;
    }
    return record != nullptr;
}

NX_String GetSettingText(SettingsStore store, const NX_String& name, bool loadIfNeeded) {
    NX_String value("");
    if (!GetSetting(store, name, &value, loadIfNeeded)) {
        return NX_String("");
    }
    return value;
}

std::int32_t GetSettingNumber(SettingsStore store, const NX_String& name, bool loadIfNeeded) {
    return NX_String::ToInt(GetSettingText(store, name, loadIfNeeded).GetText());
}

bool SetSetting(SettingsStore storeNumber, const NX_String& name, const NX_String& value,
                bool createIfMissing) {
    Store& store = StoreOf(storeNumber);
    if (NX_Setting* record = Find(store, name)) {
        record->value = value;
    } else if (createIfMissing) {
        NX_Setting added;
        added.name = name;
        added.value = value;
        store.records.Insert(added);
    }
    return true;
}

bool SetSettingNumber(SettingsStore store, const NX_String& name, std::int32_t number,
                      bool createIfMissing) {
    return SetSetting(store, name, NX_String(static_cast<long>(number), 0), createIfMissing);
}

bool StoreSetting(SettingsStore store, const NX_String& name, const NX_String& value,
                  bool createIfMissing) {
    LoadSettings(store, true);
    SetSetting(store, name, value, createIfMissing);
    return SaveSettings(store);
}
