// The suite's persistent choices: named text values in two small files of the settings folder,
// loaded lazily, kept for the life of the module and written back whole after every change.
#pragma once

#include <cstdint>

#include "foundation/nx_location.h"
#include "foundation/nx_string.h"

// The suite's file and the hub's own (settings/settings_file_names.h).
enum SettingsStore : std::int32_t { FamilyStore = 0, VersionStore = 1 };

// The store's file in the settings folder, exact; the host's error or 0.
GSErrCode GetSettingsFilePath(SettingsStore store, NX_Location& path);
bool LoadSettings(SettingsStore store, bool onlyIfNotLoaded);
bool SaveSettings(SettingsStore store);
bool GetSetting(SettingsStore store, const NX_String& name, NX_String* value, bool loadIfNeeded);
NX_String GetSettingText(SettingsStore store, const NX_String& name, bool loadIfNeeded);
std::int32_t GetSettingNumber(SettingsStore store, const NX_String& name, bool loadIfNeeded);
// In memory only; always true.
bool SetSetting(SettingsStore store, const NX_String& name, const NX_String& value,
                bool createIfMissing);
bool SetSettingNumber(SettingsStore store, const NX_String& name, std::int32_t number,
                      bool createIfMissing);
// Loads the store if needed, sets the value and writes the file; the result is the write's.
bool StoreSetting(SettingsStore store, const NX_String& name, const NX_String& value,
                  bool createIfMissing);
