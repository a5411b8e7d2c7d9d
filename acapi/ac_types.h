// Basic value types and error codes of the add-on interface.
#pragma once

#include <cstddef>
#include <cstdint>

using GSErrCode = std::int32_t;
using GSType = std::uint32_t;  // four-character code, first character in the most significant byte
using GSFlags = std::int32_t;
using GSResID = std::int16_t;
using GSSize = std::int64_t;
using GSPtr = char*;
using GSHandle = char**;
using GSResModule = std::intptr_t;  // a resource module registered with RSAddModule; 0 is none

constexpr GSErrCode NoError = 0;

// Add-on interface errors.
constexpr GSErrCode APIERR_GENERAL = static_cast<GSErrCode>(0x81060001);
constexpr GSErrCode APIERR_BADPARS = static_cast<GSErrCode>(0x81060002);
constexpr GSErrCode APIERR_NOPLAN = static_cast<GSErrCode>(0x81060004);
constexpr GSErrCode APIERR_BADID = static_cast<GSErrCode>(0x81060007);
constexpr GSErrCode APIERR_MODULNOTINSTALLED = static_cast<GSErrCode>(0x81060373);
constexpr GSErrCode APIERR_MODULCMDNOTSUPPORTED = static_cast<GSErrCode>(0x81060375);
constexpr GSErrCode APIERR_NOTSUPPORTED = static_cast<GSErrCode>(0x81060385);
constexpr GSErrCode APIERR_MISSINGCODE = static_cast<GSErrCode>(0x81060387);

// File-system errors of the host's input/output library.
constexpr GSErrCode IOErr_General = static_cast<GSErrCode>(0x81000100);
constexpr GSErrCode IOErr_FileNotFound = static_cast<GSErrCode>(0x81010100);
constexpr GSErrCode IOErr_AccessDenied = static_cast<GSErrCode>(0x81010102);
constexpr GSErrCode IOErr_DiskFull = static_cast<GSErrCode>(0x81010103);
constexpr GSErrCode IOErr_NotOpened = static_cast<GSErrCode>(0x81010104);
constexpr GSErrCode IOErr_BadPosition = static_cast<GSErrCode>(0x81010105);
// The emulated host's answer to IO::File::CreateNewMode when the name is taken.
constexpr GSErrCode IOErr_FileExists = static_cast<GSErrCode>(0x81010106);

// Four-character codes as the host reads them: "APPL" is 0x4150504C.
constexpr GSType FourCharCode(const char (&code)[5]) {
    return (static_cast<GSType>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<GSType>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<GSType>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<GSType>(static_cast<unsigned char>(code[3]));
}

// A module's identity: developer ID first, then local ID.
struct API_ModulID {
    std::uint32_t developerID;
    std::uint32_t localID;
};
static_assert(sizeof(API_ModulID) == 8);

// Opaque value the host gives a module at Initialize; first argument of every later call.
using API_AddonContext = void*;
