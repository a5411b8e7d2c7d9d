// The web addresses a catalogue's message may hand to the system's shell. The catalogue is data,
// never a command: what reaches the shell is a well-formed http(s) address or nothing.
#pragma once

#include <cstddef>
#include <string_view>

// A link longer than this is no link.
constexpr std::size_t kMaximumLinkBytes = 2048;

// Where a message's text holds a link: from the first "http://" or "https://", whichever comes
// first, to the first blank or control character. Empty, at the text's end, when there is none.
struct LinkInText {
    std::size_t start;
    std::string_view link;
};
LinkInText FindLink(std::string_view text);

// Why an address is no web address the shell may open; kNone when it is one: "http://" or
// "https://", a host (letters, digits, dots and hyphens, or an IPv6 address in brackets), perhaps a
// port, then only characters that a URL may hold, each "%" followed by two hexadecimal digits,
// and at most kMaximumLinkBytes in all. Quotes, backslashes, blanks, control characters and
// characters beyond ASCII are none of them, and neither is a user name before the host.
enum class LinkProblem {
    kNone,
    kNotWeb,        // begins with neither "http://" nor "https://"
    kTooLong,       // over kMaximumLinkBytes
    kNoHost,        // nothing, or no valid host name, between "//" and the path
    kBadPort,       // a port that is no number from 1 to 65535
    kBadCharacter,  // a character a URL may not hold (a quote, a backslash, a blank...)
    kBadEscape,     // a "%" not followed by two hexadecimal digits
};
LinkProblem CheckWebAddress(std::string_view address);

inline bool IsWebAddress(std::string_view address) {
    return CheckWebAddress(address) == LinkProblem::kNone;
}
