// The host's answers about itself: the application record, the module's own location, and the
// requests it only acknowledges.
#include <cstring>
#include <mutex>

#include "acapi/db.h"
#include "acapi/io.h"
#include "host/addon_registry.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/host_operations.h"
#include "host/module_holdings.h"
#include "host/picture_conversion.h"
#include "platform/native_path.h"

namespace host {

namespace {
constexpr std::int32_t kBuildNumber = 3002;

std::mutex environmentMutex;
EnvironmentSettings environmentSettings;
}  // namespace

void SetEnvironment(const EnvironmentSettings& settings) {
    const std::lock_guard lock(environmentMutex);
    environmentSettings = settings;
}

EnvironmentSettings CurrentEnvironment() {
    const std::lock_guard lock(environmentMutex);
    return environmentSettings;
}

GSErrCode EnvironmentRequest(API_AddonContext /*context*/, GSType code, void* par1,
                             void* /*par2*/) {
    if (code != FourCharCode("APPL")) {
        return APIERR_BADID;
    }
    if (NextRequestAnswer(code) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    if (par1 == nullptr) {
        return APIERR_BADPARS;
    }
    const EnvironmentSettings settings = CurrentEnvironment();
    API_ServerApplicationInfo info{};
    info.serverCode = settings.applicationCode;
    info.mainVersion = settings.mainVersion;
    info.releaseVersion = settings.releaseVersion;
    info.buildNumber = kBuildNumber;
    std::strcpy(info.language, "INT");
    *static_cast<API_ServerApplicationInfo*>(par1) = info;
    return NoError;
}

GSErrCode GoodiesRequest(API_AddonContext /*context*/, GSType code, void* par1, void* par2) {
    // The pictures it converts are the caller's to release.
    const TakingFor caller(__builtin_return_address(0));
    switch (NextRequestAnswer(code)) {
        case HostAnswer::Failure:
            return APIERR_GENERAL;
        case HostAnswer::Odd:
            return NoError;  // nothing converted: the result stays as the caller made it
        case HostAnswer::Usual:
            break;
    }
    return PictureGoodies(code, par1, par2);
}

// "RBLD" asks the host to redraw its windows; there are none to redraw. Its parameter points at a
// zero 8-byte value: anything else is refused, and said in the host's debug output, so that a
// module asking for some other rebuild shows in its session.
GSErrCode AutomateRequest(API_AddonContext /*context*/, GSType code, void* par1, void* /*par2*/) {
    if (code != FourCharCode("RBLD")) {
        return APIERR_BADID;
    }
    if (NextRequestAnswer(code) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    std::int64_t value = 0;
    if (par1 != nullptr) {
        std::memcpy(&value, par1, sizeof value);
    }
    if (par1 == nullptr || value != 0) {
        DBPrintf("host: RBLD wants a parameter that points at a zero 8-byte value\n");
        return APIERR_BADPARS;
    }
    return NoError;
}

GSErrCode GetOwnLocation(API_AddonContext context, IO::Location* ownLocation) {
    const HostAnswer answer = NextAnswer(HostOperation::GetOwnLocation);
    if (answer == HostAnswer::Failure) {
        return APIERR_NOTSUPPORTED;
    }
    const LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr || ownLocation == nullptr) {
        return APIERR_NOTSUPPORTED;
    }
    if (answer == HostAnswer::Odd) {
        *ownLocation = IO::Location();
        return NoError;
    }
    const std::string text = platform::LocationTextFromNativePath(addon->nativePath);
    *ownLocation = IO::Location(GS::UniString(text.c_str(), GS::CC_UTF8));
    return NoError;
}

}  // namespace host
