// The settings file format: "$name: value" records ending in CR LF, a line break inside a value
// followed by "#", every byte stored with its two halves exchanged.
#pragma once

#include <cstddef>
#include <string>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"

// One record: a setting's name and its text value.
struct NX_Setting {
    NX_String name{""};
    NX_String value{""};
};

// Files are built and read in a working buffer of this size; the reader needs two bytes of it.
constexpr std::size_t kSettingsBufferSize = 100000;
constexpr std::size_t kMaximumSettingsFileSize = kSettingsBufferSize - 2;

unsigned char ExchangeHalves(unsigned char byte);
// The file's bytes for the records (before the exchange of halves).
std::string EncodeSettings(NX_List<NX_Setting>& records);
// The suite keeps a handful of settings; a file of more records than this is not one it wrote,
// and reading it record by record would hold up the host.
constexpr int kMaximumSettingsRecords = 1000;

enum class SettingsDecoding { Whole, Damaged, TooManyRecords };
// Appends the records of `text` (halves already exchanged) to `records`, stopping at the first
// damaged record or at the record beyond kMaximumSettingsRecords, and leaving the records read
// before it. A last record without its line break is dropped.
SettingsDecoding DecodeSettings(const char* text, std::size_t length, NX_List<NX_Setting>& records);
