// The hub in the emulated host while the disk fails it: one session (a language change, the
// automatic update check switched off, the version report saved from the About box, the unload)
// runs once cleanly to count its file operations, then once with the fault at each of those
// calls in turn, and once with the disk full after each number of bytes written. After every run
// each file the session writes is byte for byte the old one or the new one, and the module has left
// nothing behind; a crash ends the test (and the sanitizer build catches what a crash would not).
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "host/dialog_control.h"
#include "host/host_control.h"
#include "settings/settings_file_names.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kMenu = "Velmora";
constexpr std::int32_t kPaletteItem = 1;
constexpr std::int32_t kLanguageItem = 2;
constexpr std::int32_t kAutoUpdateItem = 4;
constexpr std::int32_t kAboutItem = 5;
constexpr short kLanguageList = 3;
constexpr short kEnglish = 2;
constexpr short kOkButton = 1;
constexpr short kSaveAsTextButton = 23;

// The files the session replaces, seeded with older contents.
const std::vector<std::string> kWrittenFiles = {kSuiteSettingsFileName, kHubSettingsFileName,
                                                "versions.txt"};

// A settings record as the module stores it: every byte with its two halves exchanged.
std::string StoredRecord(const std::string& name, const std::string& value) {
    std::string record = "$" + name + ": " + value + "\r\n";
    for (char& byte : record) {
        const auto b = static_cast<unsigned char>(byte);
        byte = static_cast<char>((b >> 4) | ((b << 4) & 0xF0));
    }
    return record;
}

std::optional<std::string> FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using Files = std::vector<std::optional<std::string>>;

struct Fault {
    std::string name;  // as velmora-host writes it: "open 3", "disk 120"
    std::function<void()> set;
};

class FaultWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetEnvironment({});
        host::SetModalDriver([this] { return NextUserAction(); });
        host::SetUnloadObserver([this](const std::string& addon, const host::ModuleLeaks& leaks) {
            if (leaks.handles != 0 || leaks.pointers != 0 || leaks.threads != 0 ||
                leaks.files != 0 || leaks.windows != 0) {
                leaked_.push_back(addon);
            }
        });
        // Seeded with a recent check, so that no automatic check reaches for the network.
        const long recent = static_cast<long>(std::time(nullptr)) - 60;
        oldFiles_ = {StoredRecord("Language", "3"),
                     StoredRecord("AutoUpdate", "1") +
                         StoredRecord("LastUpdateCheck_160", std::to_string(recent)),
                     "An older report\r\n"};
        const host::FileCallCounts before = host::CountFileCalls();
        newFiles_ = RunSession();
        const host::FileCallCounts after = host::CountFileCalls();
        clean_ = {after.opens - before.opens,     after.writes - before.writes,
                  after.renames - before.renames, after.deletes - before.deletes,
                  after.closes - before.closes,   after.writtenBytes - before.writtenBytes};
        ASSERT_TRUE(leaked_.empty()) << "a clean session leaves something behind";
        for (std::size_t i = 0; i < kWrittenFiles.size(); ++i) {
            ASSERT_NE(newFiles_[i], oldFiles_[i]) << kWrittenFiles[i] << " is not written";
        }
    }

    void TearDown() override {
        host::ClearFileFaults();
        host::UnloadAll();
        host::SetModalDriver(nullptr);
        host::SetUnloadObserver(nullptr);
    }

    // Runs the session once per fault and names every run after which a file is neither its
    // old nor its new self, or the module left something behind.
    std::vector<std::string> Walk(const std::vector<Fault>& faults) {
        std::vector<std::string> problems;
        for (const Fault& fault : faults) {
            leaked_.clear();
            const Files files = RunSession(&fault);
            for (std::size_t i = 0; i < kWrittenFiles.size(); ++i) {
                if (files[i] != oldFiles_[i] && files[i] != newFiles_[i]) {
                    problems.push_back(
                        fault.name + ": " + kWrittenFiles[i] +
                        (files[i] ? " is neither the old nor the new file" : " is gone"));
                }
            }
            for (const std::string& addon : leaked_) {
                problems.push_back(fault.name + ": " + addon + " left something behind");
            }
        }
        return problems;
    }

    std::vector<Fault> CallFaults(host::FileOperation operation, const char* name,
                                  std::int64_t count) {
        std::vector<Fault> faults;
        for (std::int64_t call = 1; call <= count; ++call) {
            faults.push_back({std::string(name) + " " + std::to_string(call),
                              [=] { host::FailFileCall(operation, call); }});
        }
        return faults;
    }

    host::FileCallCounts clean_{};

private:
    // The session from a freshly seeded user folder; answers what it left in the written files.
    Files RunSession(const Fault* fault = nullptr) {
        const fs::path folder = scratch_.Path() / "user";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (std::size_t i = 0; i < kWrittenFiles.size(); ++i) {
            std::ofstream(folder / kWrittenFiles[i], std::ios::binary) << *oldFiles_[i];
        }
        host::SetUserFolder(scratch_.Utf8() + "/user");
        if (fault != nullptr) {
            fault->set();
        }
        if (host::LoadAddon(VELMORA_HUB_MODULE).problem.empty()) {
            Choose(kLanguageItem,
                   {[] { Select(kLanguageList, kEnglish); }, [] { Click(kOkButton); }});
            Choose(kAutoUpdateItem, {});
            Choose(kPaletteItem, {});
            const std::string report = (folder / "versions.txt").string();
            Choose(kAboutItem, {[report] {
                                    host::AnswerNextFileDialog(true, report);
                                    Click(kSaveAsTextButton);
                                },
                                [] { Click(kOkButton); }});
            host::UnloadAll();
        }
        host::ClearFileFaults();
        Files files;
        for (const std::string& name : kWrittenFiles) {
            files.push_back(FileBytes(folder / name));
        }
        return files;
    }

    // A menu command, with what the user does in the modal dialog it opens; what is left
    // undone when the dialog has closed is dropped.
    void Choose(std::int32_t item, std::deque<std::function<void()>> actions) {
        actions_ = std::move(actions);
        host::ChooseMenuItem(kMenu, item);
        actions_.clear();
    }

    bool NextUserAction() {
        if (actions_.empty()) {
            return false;
        }
        const std::function<void()> action = std::move(actions_.front());
        actions_.pop_front();
        action();
        return true;
    }

    static short FrontDialog() {
        const std::vector<host::DialogInfo> dialogs = host::OpenDialogs();
        return dialogs.empty() ? 0 : dialogs.front().id;
    }
    static void Select(short item, short entry) {
        host::SelectDialogItem(FrontDialog(), item, entry);
    }
    static void Click(short item) { host::ClickDialogItem(FrontDialog(), item); }

    ScratchFolder scratch_;
    Files oldFiles_;
    Files newFiles_;
    std::deque<std::function<void()>> actions_;
    std::vector<std::string> leaked_;
};

struct CallFault {
    host::FileOperation operation;
    const char* name;
    std::int64_t host::FileCallCounts::*calls;
};

class CallFaultWalkTest : public FaultWalkTest, public ::testing::WithParamInterface<CallFault> {};

// Each call of the operation in the session fails in turn.
TEST_P(CallFaultWalkTest, AFailedCallLosesNothing) {
    const CallFault& fault = GetParam();
    EXPECT_EQ(Walk(CallFaults(fault.operation, fault.name, clean_.*fault.calls)),
              std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    EveryOperation, CallFaultWalkTest,
    ::testing::Values(
        CallFault{host::FileOperation::Open, "open", &host::FileCallCounts::opens},
        CallFault{host::FileOperation::Write, "write", &host::FileCallCounts::writes},
        CallFault{host::FileOperation::Rename, "rename", &host::FileCallCounts::renames},
        CallFault{host::FileOperation::Delete, "delete", &host::FileCallCounts::deletes},
        CallFault{host::FileOperation::Close, "close", &host::FileCallCounts::closes}),
    [](const ::testing::TestParamInfo<CallFault>& tested) {
        return std::string(tested.param.name);
    });

// The disk fills up after every number of bytes the session writes, from none on.
TEST_F(FaultWalkTest, AFullDiskLosesNothing) {
    std::vector<Fault> faults;
    for (std::int64_t bytes = 0; bytes < clean_.writtenBytes; ++bytes) {
        faults.push_back(
            {"disk " + std::to_string(bytes), [=] { host::FailWritesAfterBytes(bytes); }});
    }
    EXPECT_EQ(Walk(faults), std::vector<std::string>{});
}

}  // namespace
