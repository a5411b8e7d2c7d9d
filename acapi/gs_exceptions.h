// The host's exception classes. Only GS::OutOfMemoryException is ever raised by the suite.
#pragma once

#include <new>

#include "ac_export.h"

namespace GS {

class ACAPI_HOST_API GSException {
public:
    GSException(const char* message, const char* sourceFile, int sourceLine);
    virtual ~GSException();
    const char* GetMessage() const;
    const char* GetSourceFile() const;
    int GetSourceLine() const;

private:
    const char* message;
    const char* sourceFile;
    int sourceLine;
};

// Marks an exception raised for no earlier cause.
struct NoCauseException {};
constexpr NoCauseException NoCause{};

class ACAPI_HOST_API GeneralException : public GSException {
public:
    GeneralException(const char* message, const char* sourceFile, int sourceLine,
                     const NoCauseException& cause);
    ~GeneralException() override;
};

class ACAPI_HOST_API RunTimeErrorException : public GeneralException {
public:
    RunTimeErrorException(const char* message, const char* sourceFile, int sourceLine,
                          const NoCauseException& cause);
    ~RunTimeErrorException() override;
};

// std::bad_alloc is its only route to std::exception, so handlers of either catch it.
class ACAPI_HOST_API OutOfMemoryException : public RunTimeErrorException, public std::bad_alloc {
public:
    OutOfMemoryException(const char* sourceFile, int sourceLine, const NoCauseException& cause);
    ~OutOfMemoryException() override;
    const char* what() const noexcept override;
};

}  // namespace GS
