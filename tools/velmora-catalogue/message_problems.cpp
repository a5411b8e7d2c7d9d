#include "tools/velmora-catalogue/message_problems.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tools/velmora-catalogue/date_problems.h"
#include "tools/velmora-catalogue/shown_text.h"

namespace catalogue {

namespace {

// The days a message may be shown, as keys; an empty bound is open.
struct Range {
    int line;
    std::string from;
    std::string to;
};

bool IsOpen(const NX_String& key) {
    return key.IsNull() || key.GetText()[0] == '\0';
}

std::string Day(const std::string& key, const char* open) {
    return key.empty() ? open : DateOfKey(NX_String(key.c_str()));
}

bool StartsNoLater(const std::string& a, const std::string& b) {
    return a.empty() || (!b.empty() && a <= b);
}

bool EndsNoEarlier(const std::string& a, const std::string& b) {
    return a.empty() || (!b.empty() && a >= b);
}

// The message's range when its bounds are days (or open); none after reporting why not.
std::optional<Range> CheckBounds(const std::vector<std::string>& fields,
                                 const NX_AddonUpdate_Message& message, int number,
                                 Diagnostics& diagnostics) {
    if (fields[0] != "MESSAGE") {
        diagnostics.Warning(number, Quoted(fields[0]) +
                                        " begins with \"MESSAGE\", so the line is a message "
                                        "header");
    }
    if (fields.size() > 3 && !(fields.size() == 4 && fields[3].empty())) {
        diagnostics.Warning(number, "the fields after the second date are not read");
    }
    bool days = true;
    const NX_String* const keys[] = {&message.fromKey, &message.toKey};
    const char* const consequences[] = {"so the message has no first day",
                                        "so the message has no last day"};
    for (std::size_t i = 0; i < 2; ++i) {
        if (fields.size() > i + 1 && !fields[i + 1].empty()) {
            const int before = diagnostics.Errors();
            CheckDate(fields[i + 1], *keys[i], number, consequences[i], diagnostics);
            days = days && diagnostics.Errors() == before;
        }
    }
    if (!days) {
        return std::nullopt;
    }
    Range range{number, IsOpen(message.fromKey) ? "" : message.fromKey.GetText(),
                IsOpen(message.toKey) ? "" : message.toKey.GetText()};
    if (!range.from.empty() && !range.to.empty() && range.from > range.to) {
        diagnostics.Error(number, "never shown: its first day " + Day(range.from, "") +
                                      " is after its last day " + Day(range.to, ""));
        return std::nullopt;
    }
    return range;
}

void CheckAgainstEarlier(const Range& range, const std::vector<Range>& earlier,
                         Diagnostics& diagnostics) {
    for (const Range& first : earlier) {
        if (StartsNoLater(first.from, range.from) && EndsNoEarlier(first.to, range.to)) {
            diagnostics.Warning(range.line, "never shown: the message of line " +
                                                std::to_string(first.line) +
                                                " comes first and is valid on all its days");
            return;
        }
    }
    for (const Range& first : earlier) {
        // A later message around an earlier one is the usual fallback: the earlier is shown on
        // its own days, the later on the rest.
        if (StartsNoLater(range.from, first.from) && EndsNoEarlier(range.to, first.to)) {
            continue;
        }
        const std::string from = StartsNoLater(first.from, range.from) ? range.from : first.from;
        const std::string to = EndsNoEarlier(first.to, range.to) ? range.to : first.to;
        if (from.empty() || to.empty() || from <= to) {
            diagnostics.Warning(range.line,
                                "overlaps the message of line " + std::to_string(first.line) +
                                    " from " + Day(from, "the first day") + " to " +
                                    Day(to, "the last day") + ": there the earlier one is shown");
        }
    }
}

void CheckText(const NX_AddonUpdate_Message& message, int number, Diagnostics& diagnostics) {
    const std::string text = message.text.GetText();
    const std::string link = message.link.GetText();
    if (text.empty() && link.empty()) {
        diagnostics.Warning(number, "the message has no text: add \"#\" lines after it");
    }
    if (link.empty() && text.find("https://") != std::string::npos) {
        diagnostics.Warning(number,
                            "\"https://\" starts no link: only \"http://\" does, so the address "
                            "stays in the text and the link button opens nothing");
    }
    if (link.find("\r\n") != std::string::npos) {
        diagnostics.Warning(number,
                            "the \"#\" lines after the one with the link are part of the link");
    }
}

}  // namespace

void FindMessageProblems(const CatalogueReading& reading, Diagnostics& diagnostics) {
    std::vector<Range> earlier;
    for (const TakenLine& taken : reading.taken) {
        if (taken.kind != VersionsLineKind::Message) {
            continue;
        }
        const int number = taken.line + 1;
        const NX_AddonUpdate_Message& message = reading.messages[taken.position];
        const std::vector<std::string> fields =
            FieldsOf(reading.lines[static_cast<std::size_t>(taken.line)]);
        const std::optional<Range> range = CheckBounds(fields, message, number, diagnostics);
        CheckText(message, number, diagnostics);
        if (range) {
            CheckAgainstEarlier(*range, earlier, diagnostics);
            earlier.push_back(*range);
        }
    }
}

}  // namespace catalogue
