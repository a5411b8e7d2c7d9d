#include "acapi/gs_exceptions.h"

namespace GS {

GSException::GSException(const char* message_, const char* sourceFile_, int sourceLine_)
    : message(message_), sourceFile(sourceFile_), sourceLine(sourceLine_) {}
GSException::~GSException() = default;
const char* GSException::GetMessage() const {
    return message != nullptr ? message : "";
}
const char* GSException::GetSourceFile() const {
    return sourceFile;
}
int GSException::GetSourceLine() const {
    return sourceLine;
}

GeneralException::GeneralException(const char* message_, const char* sourceFile_, int sourceLine_,
                                   const NoCauseException& /*cause*/)
    : GSException(message_, sourceFile_, sourceLine_) {}
GeneralException::~GeneralException() = default;

RunTimeErrorException::RunTimeErrorException(const char* message_, const char* sourceFile_,
                                             int sourceLine_, const NoCauseException& cause)
    : GeneralException(message_, sourceFile_, sourceLine_, cause) {}
RunTimeErrorException::~RunTimeErrorException() = default;

OutOfMemoryException::OutOfMemoryException(const char* sourceFile_, int sourceLine_,
                                           const NoCauseException& cause)
    : RunTimeErrorException("Out of memory", sourceFile_, sourceLine_, cause) {}
OutOfMemoryException::~OutOfMemoryException() = default;
const char* OutOfMemoryException::what() const noexcept {
    return "GS::OutOfMemoryException";
}

}  // namespace GS
