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

GSErrCode AnswerApplication(API_AddonContext, GSType code, void* par1, void*) {
    if (code != FourCharCode("APPL")) {
        return APIERR_BADPARS;
    }
    static_cast<API_ServerApplicationInfo*>(par1)->mainVersion = 16;
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

TEST(MarkerSweep, RemovesOnlyDirectMarkersOfThisHostVersion) {
    void* table[kImportedTableSize / sizeof(void*)] = {};
    table[static_cast<std::size_t>(ACAPI::Slot::Environment)] =
        reinterpret_cast<void*>(&AnswerApplication);
    HostInterface::SetFunctionTable(table);

    const ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
    fs::create_directories(folder / "sub");
    for (const char* name : {"Tool_16.vlm", "Other_15.vlm", "x_16.VLM", "Velmora_AC16.vlm",
                             "TarnPlugins.cfg", "_16.vlm", "sub/Deep_16.vlm"}) {
        std::ofstream(folder / name) << "";
    }
    host::SetUserFolder(scratch.Utf8());

    SweepMarkers();
    EXPECT_EQ(Remaining(folder),
              (std::set<std::string>{"Other_15.vlm", "x_16.VLM", "Velmora_AC16.vlm",
                                     "TarnPlugins.cfg", "sub", "sub/Deep_16.vlm"}));

    // No settings folder at all leaves the unload undisturbed.
    host::SetUserFolder((fs::path(folder) / "TarnPlugins.cfg" / "none").string());
    SweepMarkers();
}

}  // namespace
