#include "tools/velmora-catalogue/message_problems.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/velmora-catalogue/date_problems.h"
#include "tools/velmora-catalogue/shown_text.h"
#include "update/web_link.h"

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

// A link is shown as its first characters when it is long.
constexpr std::size_t kShownLinkBytes = 60;

const char* WhyNoLink(LinkProblem problem) {
    switch (problem) {
        case LinkProblem::kTooLong:
            return "it is longer than 2,048 bytes";
        case LinkProblem::kNoHost:
            return "it names no host after \"//\"";
        case LinkProblem::kBadPort:
            return "its port is no number from 1 to 65535";
        case LinkProblem::kBadCharacter:
            return "it holds a character an address may not hold (a quote, a backslash...)";
        case LinkProblem::kBadEscape:
            return "a \"%\" in it is not followed by two hexadecimal digits";
        case LinkProblem::kNotWeb:
        case LinkProblem::kNone:
            break;
    }
    return "";
}

void CheckText(const NX_AddonUpdate_Message& message, int number, Diagnostics& diagnostics) {
    if (message.text.GetText()[0] == '\0' && message.link.GetText()[0] == '\0') {
        diagnostics.Warning(number, "the message has no text: add \"#\" lines after it");
    }
}

// The link as the hub finds it in the message's "#" lines: from the first "http://" or
// "https://" to the first blank or control character, opened only when it is a web address.
void CheckLink(const CatalogueReading& reading, const TakenLine& taken, Diagnostics& diagnostics) {
    for (int i = taken.line + 1; i <= taken.lastDescription; ++i) {
        const std::string& line = reading.lines[static_cast<std::size_t>(i)];
        const std::string_view part =
            std::string_view(line).substr(std::min<std::size_t>(2, line.size()));
        const LinkInText found = FindLink(part);
        if (found.start == part.size()) {
            continue;
        }
        const LinkProblem problem = CheckWebAddress(found.link);
        if (problem != LinkProblem::kNone) {
            const std::string link(found.link.substr(0, kShownLinkBytes));
            diagnostics.Warning(i + 1, "the link " + Quoted(link) +
                                           (found.link.size() > kShownLinkBytes ? "..." : "") +
                                           " is no web address: " + WhyNoLink(problem) +
                                           ", so the link button opens nothing");
        } else if (found.start + found.link.size() < part.size() || i < taken.lastDescription) {
            diagnostics.Warning(i + 1,
                                "nothing after the link is shown or opened: the text ends "
                                "where the link begins, and the link at its first blank");
        }
        return;
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
        CheckLink(reading, taken, diagnostics);
        if (range) {
            CheckAgainstEarlier(*range, earlier, diagnostics);
            earlier.push_back(*range);
        }
    }
}

}  // namespace catalogue
