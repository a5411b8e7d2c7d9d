#include "update/web_link.h"

#include <string_view>

namespace {

constexpr std::string_view kPlain = "http://";
constexpr std::string_view kSecure = "https://";
constexpr std::size_t kMaximumPortDigits = 5;
constexpr unsigned kLargestPort = 65535;

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A blank or a control character ends a link.
bool EndsLink(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

// What may follow the host: the characters of a URL's path, query and fragment that need no
// escape, without the single quote, which some programs take for the end of an argument.
bool IsPathCharacter(char c) {
    return IsLetterOrDigit(c) ||
           std::string_view("-._~!$&()*+,;=:@/?#%").find(c) != std::string_view::npos;
}

// A host name (letters, digits, dots and hyphens, beginning and ending with a letter or digit)
// or an IPv6 address in brackets.
bool IsHost(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        const std::string_view inside = host.substr(1, host.size() - 2);
        return !inside.empty() &&
               inside.find_first_not_of("0123456789abcdefABCDEF:.") == std::string_view::npos;
    }
    if (host.empty() || !IsLetterOrDigit(host.front()) || !IsLetterOrDigit(host.back())) {
        return false;
    }
    for (const char c : host) {
        if (!IsLetterOrDigit(c) && c != '.' && c != '-') {
            return false;
        }
    }
    return true;
}

bool IsPort(std::string_view port) {
    if (port.empty() || port.size() > kMaximumPortDigits) {
        return false;
    }
    unsigned value = 0;
    for (const char c : port) {
        if (!IsDigit(c)) {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value >= 1 && value <= kLargestPort;
}

LinkProblem CheckAuthority(std::string_view authority) {
    // The port follows the last colon, unless that colon is inside an IPv6 address's brackets.
    const std::size_t colon = authority.rfind(':');
    const std::size_t bracket = authority.rfind(']');
    const bool hasPort =
        colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket);
    const std::string_view host = hasPort ? authority.substr(0, colon) : authority;
    if (!IsHost(host)) {
        return LinkProblem::kNoHost;
    }
    if (hasPort && !IsPort(authority.substr(colon + 1))) {
        return LinkProblem::kBadPort;
    }
    return LinkProblem::kNone;
}

LinkProblem CheckRest(std::string_view rest) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (!IsPathCharacter(rest[i])) {
            return LinkProblem::kBadCharacter;
        }
        if (rest[i] == '%' &&
            (i + 2 >= rest.size() || !IsHexDigit(rest[i + 1]) || !IsHexDigit(rest[i + 2]))) {
            return LinkProblem::kBadEscape;
        }
    }
    return LinkProblem::kNone;
}

}  // namespace

LinkInText FindLink(std::string_view text) {
    const std::size_t plain = text.find(kPlain);
    const std::size_t secure = text.find(kSecure);
    const std::size_t start = plain < secure ? plain : secure;
    if (start == std::string_view::npos) {
        return {text.size(), {}};
    }
    std::size_t end = start;
    while (end < text.size() && !EndsLink(text[end])) {
        ++end;
    }
    return {start, text.substr(start, end - start)};
}

LinkProblem CheckWebAddress(std::string_view address) {
    std::size_t schemeLength = 0;
    if (address.starts_with(kSecure)) {
        schemeLength = kSecure.size();
    } else if (address.starts_with(kPlain)) {
        schemeLength = kPlain.size();
    } else {
        return LinkProblem::kNotWeb;
    }
    if (address.size() > kMaximumLinkBytes) {
        return LinkProblem::kTooLong;
    }
    const std::string_view afterScheme = address.substr(schemeLength);
    const std::size_t authorityEnd = afterScheme.find_first_of("/?#");
    const std::string_view authority = afterScheme.substr(0, authorityEnd);
    const LinkProblem authorityProblem = CheckAuthority(authority);
    if (authorityProblem != LinkProblem::kNone) {
        // A character no host may hold is the more telling reason (a quote, a blank).
        for (const char c : authority) {
            if (!IsPathCharacter(c) && c != '[' && c != ']') {
                return LinkProblem::kBadCharacter;
            }
        }
        return authorityProblem;
    }
    return authorityEnd == std::string_view::npos ? LinkProblem::kNone
                                                  : CheckRest(afterScheme.substr(authorityEnd));
}
