// Problems found in a catalogue, in the FILE:LINE: form that editors and CI logs link to.
#pragma once

#include <string>
#include <vector>

namespace catalogue {

enum class Severity { Warning, Error };

struct Diagnostic {
    int line;  // 1-based
    Severity severity;
    std::string text;
};

class Diagnostics {
public:
    void Error(int line, std::string text) { Add(line, Severity::Error, std::move(text)); }
    void Warning(int line, std::string text) { Add(line, Severity::Warning, std::move(text)); }
    int Errors() const;
    int Warnings() const;
    // In line order (the order of finding within a line); then the counts.
    void Print(const std::string& path) const;

private:
    void Add(int line, Severity severity, std::string text) {
        found_.push_back({line, severity, std::move(text)});
    }
    std::vector<Diagnostic> found_;
};

}  // namespace catalogue
