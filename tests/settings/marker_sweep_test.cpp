#include "settings/marker_sweep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "host/host_control.h"
#include "shell/host_interface.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::int16_t hostVersion = 16;

GSErrCode AnswerApplication(API_AddonContext, GSType code, void* par1, void*) {
    if (code != FourCharCode("APPL")) {
        return APIERR_BADPARS;
    }
    static_cast<API_ServerApplicationInfo*>(par1)->mainVersion = hostVersion;
    return NoError;
}

std::set<std::string> Remaining(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::u8string name = fs::relative(entry.path(), folder).generic_u8string();
        names.insert(std::string(name.begin(), name.end()));
    }
    return names;
}

struct SweepCase {
    std::int16_t hostVersion;
    std::set<std::string> files;
    std::set<std::string> remaining;
};

// The host lists a folder in name order, so the first and the last file listed are markers too.
const SweepCase kSweepCases[] = {
    {16,
     {"Tool_16.vlm", "Other_15.vlm", "x_16.VLM", "Velmora_AC16.vlm", "TarnPlugins.cfg", "_16.vlm",
      "sub/Deep_16.vlm"},
     {"Other_15.vlm", "x_16.VLM", "Velmora_AC16.vlm", "TarnPlugins.cfg", "sub", "sub/Deep_16.vlm"}},
    {17,
     {"A_17.vlm", "Tool_16.vlm", "Velmora_AC17.vlm", "z_17.vlm"},
     {"Tool_16.vlm", "Velmora_AC17.vlm"}},
};

TEST(MarkerSweep, RemovesOnlyDirectMarkersOfThisHostVersion) {
    void* table[kImportedTableSize / sizeof(void*)] = {};
    table[static_cast<std::size_t>(ACAPI::Slot::Environment)] =
        reinterpret_cast<void*>(&AnswerApplication);
    HostInterface::SetFunctionTable(table);

    for (const SweepCase& test : kSweepCases) {
        SCOPED_TRACE("host version " + std::to_string(test.hostVersion));
        hostVersion = test.hostVersion;
        const ScratchFolder scratch;
        const fs::path& folder = scratch.Path();
        for (const std::string& name : test.files) {
            fs::create_directories((folder / name).parent_path());
            std::ofstream(folder / name) << "";
        }
        host::SetUserFolder(scratch.Utf8());
        SweepMarkers();
        EXPECT_EQ(Remaining(folder), test.remaining);
    }

    // No settings folder at all leaves the unload undisturbed.
    const ScratchFolder scratch;
    std::ofstream(scratch.Path() / "TarnPlugins.cfg") << "";
    host::SetUserFolder((scratch.Path() / "TarnPlugins.cfg" / "none").string());
    SweepMarkers();
}

}  // namespace
