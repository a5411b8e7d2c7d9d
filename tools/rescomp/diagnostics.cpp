#include "diagnostics.h"

namespace rescomp {

namespace {

std::string Located(const SourcePosition& where, const std::string& message) {
    if (where.line == 0) {
        return where.file + ": " + message;
    }
    return where.file + ":" + std::to_string(where.line) + ": " + message;
}

}  // namespace

CompileError::CompileError(const SourcePosition& where, const std::string& message)
    : std::runtime_error(Located(where, message)) {}

}  // namespace rescomp
