#include "options.h"

#include <charconv>

namespace update_server {
namespace {

std::optional<Fault> FaultNamed(const std::string& name) {
    static const std::map<std::string, Fault> kFaults = {
        {"none", Fault::None},       {"404", Fault::NotFound},  {"500", Fault::ServerError},
        {"refuse", Fault::Refuse},   {"short", Fault::Short},   {"chunked", Fault::Chunked},
        {"slow", Fault::Slow},       {"html", Fault::Html},     {"silent", Fault::Silent},
        {"stall", Fault::Stall},     {"cached", Fault::Cached}, {"redirect", Fault::Redirect},
        {"trickle", Fault::Trickle},
    };
    const auto found = kFaults.find(name);
    return found == kFaults.end() ? std::nullopt : std::optional<Fault>(found->second);
}

// "404,none,500": one mode after the other; null when any is unknown, empty or "refuse", which
// applies to the whole server only.
std::optional<std::vector<Fault>> FaultList(const std::string& names) {
    std::vector<Fault> faults;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = names.find(',', start);
        const std::optional<Fault> fault = FaultNamed(names.substr(start, comma - start));
        if (!fault || *fault == Fault::Refuse) {
            return std::nullopt;
        }
        faults.push_back(*fault);
        if (comma == std::string::npos) {
            return faults;
        }
        start = comma + 1;
    }
}

// "a,b,c": the words between the commas; null when any is empty.
std::optional<std::vector<std::string>> WordList(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        words.push_back(text.substr(start, comma - start));
        if (words.back().empty()) {
            return std::nullopt;
        }
        if (comma == std::string::npos) {
            return words;
        }
        start = comma + 1;
    }
}

std::optional<int> Number(const std::string& text, int smallest, int largest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < smallest ||
        value > largest) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    std::string& problem) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--") {
            options.command.assign(arguments.begin() + static_cast<long>(i) + 1, arguments.end());
            if (options.command.empty()) {
                problem = "\"--\" needs a command after it";
                return std::nullopt;
            }
            break;
        }
        if (i + 1 == arguments.size()) {
            problem = "option " + option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        std::optional<int> number;
        if (option == "--root") {
            options.root = value;
        } else if (option == "--log") {
            options.logFile = value;
        } else if (option == "--port" && (number = Number(value, 0, 65535))) {
            options.port = *number;
        } else if (option == "--max-seconds" && (number = Number(value, 1, 86400))) {
            options.maxSeconds = *number;
        } else if (option == "--max-requests" && (number = Number(value, 1, 1000000))) {
            options.maxRequests = *number;
        } else if (option == "--http-port" && (number = Number(value, 1, 65535))) {
            options.plainPort = *number;
        } else if (option == "--direct" && (value == "yes" || value == "no")) {
            options.direct = value == "yes";
        } else if (option == "--certificates") {
            options.certificatesFolder = value;
        } else if (option == "--tls") {
            // "none": plain http, also after an earlier --tls.
            const std::optional<std::vector<std::string>> names = WordList(value);
            if (!names) {
                problem = "--tls needs certificate names separated by commas";
                return std::nullopt;
            }
            options.certificates = value == "none" ? std::vector<std::string>{} : *names;
        } else if (option == "--serve" && value.find('=') != std::string::npos) {
            const std::size_t equals = value.find('=');
            const std::optional<std::vector<std::string>> files =
                WordList(value.substr(equals + 1));
            if (!files) {
                problem = "--serve needs PATH=FILE[,FILE...]";
                return std::nullopt;
            }
            options.servedFiles[value.substr(0, equals)] = *files;
        } else if (option == "--fault" && value.find('=') == std::string::npos) {
            const std::optional<Fault> fault = FaultNamed(value);
            if (!fault) {
                problem = "unknown fault \"" + value + "\"";
                return std::nullopt;
            }
            options.fault = *fault;
        } else if (option == "--fault") {
            const std::size_t equals = value.find('=');
            const std::optional<std::vector<Fault>> faults = FaultList(value.substr(equals + 1));
            if (!faults) {
                problem = "unknown fault in \"" + value +
                          "\" (refuse applies to the whole server, not to one path)";
                return std::nullopt;
            }
            options.pathFaults[value.substr(0, equals)] = *faults;
        } else {
            problem = "unknown option or bad value: ";
            problem += option;
            problem += " ";
            problem += value;
            return std::nullopt;
        }
    }
    if (options.root.empty()) {
        problem = "--root DIR is required";
        return std::nullopt;
    }
    if (!options.certificates.empty() && options.certificatesFolder.empty()) {
        problem = "--tls needs --certificates DIR";
        return std::nullopt;
    }
    return options;
}

}  // namespace update_server
