#include "update/update_results.h"

#include <memory>

namespace {

struct UpdateFindings {
    NX_List<UpdateElement> rows;
    NX_AddonUpdate_Message message;
};

// Made at the first check and given back to the host at unload, so that nothing of ours
// outlives the module's time in the host.
std::unique_ptr<UpdateFindings> findings;

UpdateFindings& Findings() {
    if (findings == nullptr) {
        findings = std::make_unique<UpdateFindings>();
    }
    return *findings;
}

}  // namespace

NX_List<UpdateElement>& UpdateResults() {
    return Findings().rows;
}

NX_AddonUpdate_Message& CurrentMessage() {
    return Findings().message;
}

void ForgetUpdateResults() {
    findings.reset();
}
