#include "settings/settings_format.h"

#include <utility>

namespace {

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

unsigned char ExchangeHalves(unsigned char byte) {
    return static_cast<unsigned char>((byte >> 4) | ((byte << 4) & 0xF0));
}

std::string EncodeSettings(NX_List<NX_Setting>& records) {
    std::string encoded;
    for (int i = 0; i < records.GetCount(); ++i) {
        encoded += '$';
        encoded += records[i].name.GetText();
        encoded += ": ";
        const char* value = records[i].value.GetText();
        for (const char* c = value; *c != '\0'; ++c) {
            encoded += *c;
            // A break (CR LF, a lone CR or a lone LF) is kept as it is and marked as continuing.
            const bool endsBreak = *c == '\n' || (*c == '\r' && c[1] != '\n');
            if (endsBreak) {
                encoded += '#';
            }
        }
        encoded += "\r\n";
    }
    return encoded;
}

SettingsDecoding DecodeSettings(const char* text, std::size_t length,
                                NX_List<NX_Setting>& records) {
    std::size_t position = 0;
    while (position < length) {
        if (text[position] != '$') {
            return SettingsDecoding::Damaged;
        }
        const std::size_t nameStart = position + 1;
        std::size_t colon = nameStart;
        while (colon < length && text[colon] != ':') {
            ++colon;
        }
        // Names and values are zero-terminated texts: a zero byte inside one ends its text there.
        // A name whose text is empty could not be told from a missing one.
        if (colon >= length || text[nameStart] == '\0' || colon == nameStart) {
            return SettingsDecoding::Damaged;
        }
        // The byte after the colon (a blank when written here) is passed over unread.
        std::size_t segmentStart = colon + 2;
        std::string value;
        bool recordEnded = false;
        std::size_t scan = segmentStart;
        while (scan < length) {
            if (!IsBreak(text[scan])) {
                ++scan;
                continue;
            }
            const std::size_t breakStart = scan;
            if (text[scan] == '\r' && scan + 1 < length && text[scan + 1] == '\n') {
                ++scan;
            }
            const std::size_t after = scan + 1;
            // The reader's two zero bytes stand after the data.
            const char next = after < length ? text[after] : '\0';
            if (next == '$' || next == '\0') {
                value.append(text + segmentStart, breakStart - segmentStart);
                position = after;
                recordEnded = true;
                break;
            }
            if (next != '#') {
                return SettingsDecoding::Damaged;
            }
            value.append(text + segmentStart, after - segmentStart);
            segmentStart = after + 1;
            scan = segmentStart;
        }
        if (!recordEnded) {
            return SettingsDecoding::Whole;
        }
        if (records.GetCount() == kMaximumSettingsRecords) {
            return SettingsDecoding::TooManyRecords;
        }
        NX_Setting record;
        record.name.Set(text + nameStart, static_cast<int>(colon - nameStart));
        record.value = value.c_str();
        records.Insert(std::move(record));
    }
    return SettingsDecoding::Whole;
}
