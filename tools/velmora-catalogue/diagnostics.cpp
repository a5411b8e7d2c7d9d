#include "tools/velmora-catalogue/diagnostics.h"

#include <algorithm>
#include <cstdio>

namespace catalogue {

int Diagnostics::Errors() const {
    return static_cast<int>(std::count_if(found_.begin(), found_.end(), [](const Diagnostic& d) {
        return d.severity == Severity::Error;
    }));
}

int Diagnostics::Warnings() const {
    return static_cast<int>(found_.size()) - Errors();
}

void Diagnostics::Print(const std::string& path) const {
    std::vector<Diagnostic> sorted = found_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    for (const Diagnostic& diagnostic : sorted) {
        std::printf("%s:%d: %s: %s\n", path.c_str(), diagnostic.line,
                    diagnostic.severity == Severity::Error ? "error" : "warning",
                    diagnostic.text.c_str());
    }
    std::printf("%d error%s, %d warning%s\n", Errors(), Errors() == 1 ? "" : "s", Warnings(),
                Warnings() == 1 ? "" : "s");
}

}  // namespace catalogue
