// The emulated host with two small modules: the order of the entry points, what the modules
// register, command routing by identity, the built-in library and unloading.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>

#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "host/host_control.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr API_ModulID kAlpha{0x7E570000, 1};
constexpr API_ModulID kBeta{0x7E570000, 2};

template <typename Function>
Function Slot(ACAPI::Slot slot) {
    const auto* table = static_cast<void* const*>(host::FunctionTable());
    return reinterpret_cast<Function>(table[static_cast<std::size_t>(slot)]);
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetUserFolder(scratch.Utf8());
        host::SetLibraryFolder((scratch.Path() / "library").string());
        host::SetEnvironment({});
        host::TakeDebugOutput();
    }
    void TearDown() override {
        host::UnloadAll();
        host::TakeDebugOutput();
    }
    static std::vector<host::LoadResult> LoadBoth() {
        return host::LoadAddonsFrom(std::string(VELMORA_TEST_ADDONS));
    }
    ScratchFolder scratch;
};

TEST_F(HostTest, EntryPointsRunInOrderAndUnloadRunsFreeData) {
    const auto results = LoadBoth();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].name, "alpha");
    EXPECT_EQ(results[0].problem, "");
    EXPECT_EQ(results[1].name, "beta");
    EXPECT_EQ(results[1].problem, "");
    EXPECT_EQ(host::TakeDebugOutput(),
              "alpha: GetExportedFuncAddrs\n"
              "alpha: SetImportedFuncAddrs\n"
              "alpha: CheckEnvironment application 0 version 16\n"
              "alpha: RegisterInterface\n"
              "alpha: Initialize\n"
              "beta: GetExportedFuncAddrs\n"
              "beta: SetImportedFuncAddrs\n"
              "beta: CheckEnvironment application 0 version 16\n"
              "beta: RegisterInterface\n"
              "beta: Initialize\n");
    EXPECT_EQ(host::LoadedAddonNames(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(host::LoadAddon(std::string(VELMORA_TEST_ADDONS) + "/alpha.apx").problem,
              "a module of that name is loaded already");

    EXPECT_TRUE(host::UnloadAddon("alpha"));
    EXPECT_FALSE(host::UnloadAddon("alpha"));
    EXPECT_EQ(host::TakeDebugOutput(), "alpha: FreeData\n");
    EXPECT_EQ(host::LoadedAddonNames(), (std::vector<std::string>{"beta"}));
}

TEST_F(HostTest, AModuleThatRefusesTheEnvironmentIsNotKept) {
    host::SetEnvironment({7, 16, 0});
    const auto results = LoadBoth();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].problem, "CheckEnvironment refused the environment");
    EXPECT_TRUE(host::LoadedAddonNames().empty());
    const std::string output = host::TakeDebugOutput();
    EXPECT_NE(output.find("alpha: CheckEnvironment application 7 version 16\n"), std::string::npos);
    EXPECT_EQ(output.find("RegisterInterface"), std::string::npos);
}

TEST_F(HostTest, MenusKeepTheirMarkupFlagsAndTexts) {
    LoadBoth();
    const auto menus = host::RegisteredMenus();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].addon, "alpha");
    EXPECT_EQ(menus[0].listId, 32500);
    EXPECT_EQ(menus[0].title, "Alpha");
    ASSERT_EQ(menus[0].items.size(), 4u);
    EXPECT_EQ(menus[0].items[0].text, "Open Alpha");
    EXPECT_EQ(menus[0].items[0].markup, "^E3^ES^32503");
    EXPECT_EQ(menus[0].items[1].markup, "^M");
    EXPECT_EQ(menus[0].items[2].text, "-");
    EXPECT_EQ(menus[1].items[0].text, "Run Beta");

    // The module's own requests, with the context it was given.
    const auto request = Slot<ACAPI::RequestFn>(ACAPI::Slot::Interface);
    const API_AddonContext alpha = host::AddonContext("alpha");
    API_MenuItemRef item{32500, 2};
    GSFlags flags = API_MenuItemChecked | API_MenuItemDisabled;
    EXPECT_EQ(request(alpha, FourCharCode("SMIF"), &item, &flags), NoError);
    char text[] = "R\xE9glages";  // code page 1252
    EXPECT_EQ(request(alpha, FourCharCode("SMIT"), &item, text), NoError);
    char second[] = "Ctrl+R";
    EXPECT_EQ(request(alpha, FourCharCode("AMIT"), &item, second), NoError);
    GSFlags read = 0;
    EXPECT_EQ(request(alpha, FourCharCode("GMIF"), &item, &read), NoError);
    EXPECT_EQ(read, flags);
    const auto changed = host::RegisteredMenus()[0].items[1];
    EXPECT_EQ(changed.text, "R\xC3\xA9glages");
    EXPECT_EQ(changed.secondText, "Ctrl+R");
    EXPECT_EQ(changed.markup, "^M");

    // A menu of another module, a menu that was never registered, an item past the end.
    API_MenuItemRef betaItem{32510, 1};
    EXPECT_NE(request(alpha, FourCharCode("GMIF"), &betaItem, &read), NoError);
    API_MenuItemRef missing{32501, 1};
    EXPECT_NE(request(alpha, FourCharCode("GMIF"), &missing, &read), NoError);
    API_MenuItemRef pastEnd{32500, 5};
    EXPECT_NE(request(alpha, FourCharCode("GMIF"), &pastEnd, &read), NoError);
}

TEST_F(HostTest, ChosenItemsReachTheHandlerUnlessDisabled) {
    LoadBoth();
    host::TakeDebugOutput();
    const auto request = Slot<ACAPI::RequestFn>(ACAPI::Slot::Interface);
    EXPECT_EQ(host::ChooseMenuItem(32500, 1), NoError);
    // Beta's item carries "^G": grayed from registration until Beta enables it.
    EXPECT_NE(host::ChooseMenuItem("Beta", 1), NoError);
    API_MenuItemRef betaItem{32510, 1};
    GSFlags enabled = 0;
    request(host::AddonContext("beta"), FourCharCode("SMIF"), &betaItem, &enabled);
    EXPECT_EQ(host::ChooseMenuItem("Beta", 1), NoError);
    EXPECT_EQ(host::TakeDebugOutput(), "alpha: menu 32500 item 1\nbeta: menu 32510 item 1\n");
    EXPECT_EQ(host::ChooseMenuItem(32500, 9), APIERR_BADID);
    EXPECT_EQ(host::ChooseMenuItem("Gamma", 1), APIERR_BADID);

    API_MenuItemRef item{32500, 1};
    GSFlags disabled = API_MenuItemDisabled;
    request(host::AddonContext("alpha"), FourCharCode("SMIF"), &item, &disabled);
    EXPECT_EQ(host::ChooseMenuItem(32500, 1), APIERR_GENERAL);
    EXPECT_EQ(host::TakeDebugOutput(), "");
}

TEST_F(HostTest, CommandsReachTheModuleWithThatIdentity) {
    LoadBoth();
    host::TakeDebugOutput();
    const auto test = Slot<ACAPI::CommandTestFn>(ACAPI::Slot::CommandTest);
    const auto call = Slot<ACAPI::CommandCallFn>(ACAPI::Slot::CommandCall);
    const API_AddonContext beta = host::AddonContext("beta");

    EXPECT_EQ(test(beta, &kAlpha, FourCharCode("ALFA"), 0), NoError);
    EXPECT_EQ(test(beta, &kAlpha, FourCharCode("BETA"), 0), APIERR_MODULCMDNOTSUPPORTED);
    EXPECT_EQ(test(beta, &kAlpha, FourCharCode("ALFA"), 1), APIERR_MODULCMDNOTSUPPORTED);
    const API_ModulID stranger{0x7E570000, 9};
    EXPECT_EQ(test(beta, &stranger, FourCharCode("ALFA"), 0), APIERR_MODULNOTINSTALLED);

    char result[24] = {};
    EXPECT_EQ(call(beta, &kAlpha, FourCharCode("ALFA"), 0, nullptr, result, false), NoError);
    EXPECT_STREQ(result, "alpha");
    EXPECT_EQ(
        call(host::AddonContext("alpha"), &kBeta, FourCharCode("BETA"), 0, nullptr, nullptr, true),
        NoError);
    EXPECT_EQ(
        host::TakeDebugOutput(),
        "alpha: command ALFA params none silent 0\nbeta: command BETA params none silent 1\n");

    host::UnloadAddon("alpha");
    EXPECT_EQ(test(beta, &kAlpha, FourCharCode("ALFA"), 0), APIERR_MODULNOTINSTALLED);
}

// A worker thread queues a command; it runs only when the main loop runs the queue.
TEST_F(HostTest, CommandsFromOtherThreadsWaitForTheMainLoop) {
    LoadBoth();
    host::TakeDebugOutput();
    const auto post =
        Slot<ACAPI::CommandCallFromEventLoopFn>(ACAPI::Slot::CommandCallFromEventLoop);
    const API_AddonContext beta = host::AddonContext("beta");
    static int callbacks = 0;
    callbacks = 0;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            post(beta, &kAlpha, FourCharCode("ALFA"), 0, nullptr, false,
                 [](GSHandle*, GSPtr, bool) { ++callbacks; });
        }
    });
    worker.join();
    EXPECT_EQ(host::TakeDebugOutput(), "");
    EXPECT_EQ(host::RunMainThreadQueue(), 3u);
    EXPECT_EQ(callbacks, 3);
    EXPECT_EQ(host::RunMainThreadQueue(), 0u);

    // Work of a module that goes away is dropped.
    post(beta, &kAlpha, FourCharCode("ALFA"), 0, nullptr, false, nullptr);
    host::UnloadAddon("beta");
    host::TakeDebugOutput();
    EXPECT_EQ(host::RunMainThreadQueue(), 0u);
    EXPECT_EQ(host::TakeDebugOutput(), "");
}

// A module's thread, started through its own import, counts as the module's while it runs;
// unloading the module waits for it.
TEST_F(HostTest, ModuleThreadsAreCountedAndUnloadWaitsForThem) {
    LoadBoth();
    const auto call = Slot<ACAPI::CommandCallFn>(ACAPI::Slot::CommandCall);
    const API_AddonContext beta = host::AddonContext("beta");
    char text[] = "thread";
    char* pointer = text;
    EXPECT_EQ(host::RunningThreadCount("alpha"), 0);
    ASSERT_EQ(call(beta, &kAlpha, FourCharCode("ALFA"), 0, &pointer, nullptr, true), NoError);
    EXPECT_EQ(host::RunningThreadCount("alpha"), 1);
    EXPECT_EQ(host::RunningThreadCount("beta"), 0);
    EXPECT_EQ(host::RunningThreadCount(), 1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (host::RunningThreadCount("alpha") > 0 && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(host::RunningThreadCount("alpha"), 0);
    host::TakeDebugOutput();
    EXPECT_EQ(host::RunMainThreadQueue(), 1u);
    EXPECT_EQ(host::TakeDebugOutput(), "alpha: command ALFA params none silent 1\n");

    ASSERT_EQ(call(beta, &kAlpha, FourCharCode("ALFA"), 0, &pointer, nullptr, true), NoError);
    EXPECT_EQ(host::RunningThreadCount(), 1);
    const auto start = std::chrono::steady_clock::now();
    host::UnloadAddon("alpha");
    EXPECT_EQ(host::RunningThreadCount(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    host::RunMainThreadQueue();
    EXPECT_EQ(host::TakeDebugOutput().find("alpha: command"), std::string::npos);
}

// What a module takes and never gives back is told at its unload, counted for that module only;
// a module that leaves nothing behind reports zeros.
TEST_F(HostTest, UnloadTellsWhatTheModuleLeftBehind) {
    std::map<std::string, host::ModuleLeaks> reported;
    host::SetUnloadObserver(
        [&](const std::string& addon, const host::ModuleLeaks& leaks) { reported[addon] = leaks; });
    LoadBoth();
    const auto call = Slot<ACAPI::CommandCallFn>(ACAPI::Slot::CommandCall);
    char text[] = "leak";
    char* pointer = text;
    void* taken[4] = {};
    ASSERT_EQ(call(host::AddonContext("beta"), &kAlpha, FourCharCode("ALFA"), 0, &pointer,
                   reinterpret_cast<GSPtr>(taken), true),
              NoError);
    host::UnloadAll();
    host::SetUnloadObserver(nullptr);
    auto handle = static_cast<GSHandle>(taken[0]);
    BMKillHandle(&handle);
    auto plain = static_cast<GSPtr>(taken[1]);
    BMKillPtr(&plain);
    GS::DeleteOperator(taken[2]);
    delete static_cast<IO::File*>(taken[3]);
    ASSERT_EQ(reported.count("alpha"), 1u);
    const host::ModuleLeaks& alpha = reported["alpha"];
    EXPECT_EQ(alpha.handles, 1);
    EXPECT_EQ(alpha.handleBytes, 24);
    EXPECT_EQ(alpha.pointers, 3);  // the pointer, the object and the file object
    EXPECT_EQ(alpha.pointerBytes, static_cast<std::int64_t>(8 + 8 + sizeof(IO::File)));
    EXPECT_EQ(alpha.threads, 0);
    EXPECT_EQ(alpha.files, 1);
    EXPECT_EQ(alpha.windows, 1);
    ASSERT_EQ(reported.count("beta"), 1u);
    const host::ModuleLeaks& beta = reported["beta"];
    EXPECT_EQ(beta.handles + beta.pointers + beta.threads + beta.files + beta.windows, 0);
    EXPECT_EQ(beta.handleBytes + beta.pointerBytes, 0);
}

TEST_F(HostTest, BuiltInLibraryFilesAreFoundByNameAndGoWithTheirModule) {
    LoadBoth();
    const API_AddonContext alpha = host::AddonContext("alpha");
    const auto search = Slot<ACAPI::LibPartSearchFn>(ACAPI::Slot::LibPartSearch);
    const auto get = Slot<ACAPI::LibPartGetFn>(ACAPI::Slot::LibPartGet);

    API_LibPart part{};
    const std::u16string name = u"notes";
    std::copy(name.begin(), name.end(), part.docu_UName);
    ASSERT_EQ(search(alpha, &part, false, false), NoError);
    EXPECT_GT(part.index, 0);  // the host numbers the parts of every library it ever loaded
    EXPECT_FALSE(part.missingDef);

    API_LibPart found{};
    found.index = part.index;
    ASSERT_EQ(get(alpha, &found), NoError);
    ASSERT_NE(found.location, nullptr);
    GS::UniString path;
    ASSERT_EQ(found.location->ToPath(&path), NoError);
    delete found.location;
    std::string text(path.ToCStr(nullptr, 0, GS::CC_UTF8) + 1, '\0');
    path.ToCStr(text.data(), text.size(), GS::CC_UTF8);
    text.pop_back();
    EXPECT_NE(text.find("notes.txt"), std::string::npos);
    {
        // Closed before the module goes: Windows keeps open files from being removed.
        std::ifstream file(scratch.Path() / "library" / "alpha" / "notes.txt", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "built-in library text\n");
    }

    API_LibPart unknown{};
    unknown.docu_UName[0] = u'x';
    EXPECT_EQ(search(alpha, &unknown, false, false), APIERR_BADID);

    host::UnloadAddon("alpha");
    EXPECT_EQ(search(host::AddonContext("beta"), &part, false, false), APIERR_BADID);
    EXPECT_FALSE(std::filesystem::exists(scratch.Path() / "library" / "alpha"));
}

}  // namespace
