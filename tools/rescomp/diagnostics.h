// Faults in resource sources, reported as "file:line: message".
#pragma once

#include <stdexcept>
#include <string>

namespace rescomp {

struct SourcePosition {
    std::string file;
    int line = 0;  // 1-based; 0 when the fault concerns the whole file
};

class CompileError : public std::runtime_error {
public:
    CompileError(const SourcePosition& where, const std::string& message);
};

}  // namespace rescomp
