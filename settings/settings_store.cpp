#include "settings/settings_store.h"

#include <memory>
#include <string>

#include "foundation/nx_allocate.h"
#include "foundation/nx_file_lock.h"
#include "foundation/nx_files.h"
#include "foundation/nx_list.h"
#include "foundation/nx_location.h"
#include "settings/settings_file_names.h"
#include "settings/settings_format.h"

namespace {

struct Store {
    NX_List<NX_Setting> records;
    // What this instance has set since it last read the file, each name once with its latest
    // value, in the order first set. A save applies these, and only these, to the file as it is
    // then: another instance's choices and other tools' records stay as they were written. Made
    // at the first change and dropped once saved: a store with nothing to save holds only its
    // records.
    std::unique_ptr<NX_List<NX_Setting>> changes;
    bool loaded = false;
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

NX_Setting* Find(NX_List<NX_Setting>& records, const NX_String& name) {
    for (int i = 0; i < records.GetCount(); ++i) {
        if (NX_String::Equal(records[i].name.GetText(), name.GetText())) {
            return &records[i];
        }
    }
    return nullptr;
}

// The first record of the name takes the value; without one a record is appended.
void Put(NX_List<NX_Setting>& records, const NX_String& name, const NX_String& value) {
    if (NX_Setting* record = Find(records, name)) {
        record->value = value;
        return;
    }
    NX_Setting added;
    added.name = name;
    added.value = value;
    records.Insert(added);
}

enum class FileReading { Whole, Damaged, BeyondLimits, Failed };

// Appends the records of the settings file to `records`: all of them, or those before the first
// damaged one.
FileReading ReadSettingsFile(const NX_Location& path, NX_List<NX_Setting>& records) {
    std::uint64_t length = 0;
    if (FileExists(path)) {
        IO::File* file = nullptr;
        const bool measured = OpenFile(file, path, 0) == 0 && GetFileLength(file, length) == 0;
        CloseFile(file);
        if (!measured) {
            return FileReading::Failed;
        }
        if (length > kMaximumSettingsFileSize) {
            return FileReading::BeyondLimits;
        }
    }
    WorkBuffer buffer(kSettingsBufferSize);
    if (length > 0 && ReadFile(path, buffer.Bytes(), length, nullptr, 0) != 0) {
        return FileReading::Failed;
    }
    for (std::uint64_t i = 0; i < length; ++i) {
        buffer.Bytes()[i] =
            static_cast<char>(ExchangeHalves(static_cast<unsigned char>(buffer.Bytes()[i])));
    }
    buffer.Bytes()[length] = '\0';
    buffer.Bytes()[length + 1] = '\0';
    switch (DecodeSettings(buffer.Bytes(), static_cast<std::size_t>(length), records)) {
        case SettingsDecoding::Whole:
            return FileReading::Whole;
        case SettingsDecoding::Damaged:
            return FileReading::Damaged;
        case SettingsDecoding::TooManyRecords:
            break;
    }
    return FileReading::BeyondLimits;
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
    store.changes.reset();
    NX_Location path;
    if (GetSettingsFilePath(storeNumber, path) != NoError ||
        ReadSettingsFile(path, store.records) != FileReading::Whole) {
        return false;
    }
    store.loaded = true;
    return true;
}

// Under the file's lock: the file as it is now, this instance's changes applied to it, written
// back and kept. A file beyond the limits is someone else's or damaged beyond repair, and writing
// it would cut it short: it is left whole and the save fails.
bool SaveSettings(SettingsStore storeNumber) {
    Store& store = StoreOf(storeNumber);
    NX_Location path;
    if (GetSettingsFilePath(storeNumber, path) != NoError) {
        return false;
    }
    const NX_FileLock lock(path);
    if (!lock.Held()) {
        return false;
    }
    NX_List<NX_Setting> merged;
    const FileReading reading = ReadSettingsFile(path, merged);
    if (reading == FileReading::Failed || reading == FileReading::BeyondLimits) {
        return false;
    }
    for (int i = 0; store.changes && i < store.changes->GetCount(); ++i) {
        Put(merged, (*store.changes)[i].name, (*store.changes)[i].value);
    }
    std::string encoded = EncodeSettings(merged);
    // A store the working buffer cannot hold is not written: the file on disk stays whole.
    if (encoded.size() > kMaximumSettingsFileSize) {
        return false;
    }
    for (char& byte : encoded) {
        byte = static_cast<char>(ExchangeHalves(static_cast<unsigned char>(byte)));
    }
    if (WriteFile(path, encoded.data(), encoded.size(), false, true) != 0) {
        return false;
    }
    store.records.Clear();
    for (int i = 0; i < merged.GetCount(); ++i) {
        store.records.Insert(merged[i]);
    }
    store.changes.reset();
    return true;
}

bool GetSetting(SettingsStore storeNumber, const NX_String& name, NX_String* value,
                bool loadIfNeeded) {
    Store& store = StoreOf(storeNumber);
    if (!store.loaded && loadIfNeeded && !LoadSettings(storeNumber, false)) {
        return false;
    }
    const NX_Setting* record = Find(store.records, name);
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
    if (createIfMissing || Find(store.records, name) != nullptr) {
        Put(store.records, name, value);
        if (!store.changes) {
            store.changes = std::make_unique<NX_List<NX_Setting>>();
        }
        Put(*store.changes, name, value);
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
