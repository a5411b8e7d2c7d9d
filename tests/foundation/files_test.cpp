#include "foundation/nx_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "foundation/nx_private_files.h"
#include "host/host_control.h"
#include "platform/file_lock.h"
#include "platform/native_path.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// A fresh per-user folder for each case, which the host gives as special location 13.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetUserFolder(scratch.Utf8()); }

    static std::string Native(const fs::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
    // The suite's path text for a file of the test folder.
    std::string PathText(const std::string& name) const {
        return platform::LocationTextFromNativePath(Native(folder / name));
    }
    NX_Location Place(const std::string& name) const {
        return NX_Location(IO::Location(GS::UniString(PathText(name).c_str(), GS::CC_UTF8)));
    }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
};

TEST_F(FilesTest, SettingsFolderIsTheUsersFolder) {
    NX_String path;
    EXPECT_EQ(GetSettingsFolderPath(path), NoError);
    EXPECT_EQ(std::string(path.GetText()), PathText("").substr(0, PathText("").size() - 1));
}

TEST_F(FilesTest, MissingFileReadsAsNothing) {
    char buffer[8] = "abcdefg";
    std::uint64_t size = 5;
    bool existed = true;
    EXPECT_EQ(ReadFile(Place("none.cfg"), buffer, size, &existed, 0), 0);
    EXPECT_FALSE(existed);
    EXPECT_EQ(size, 5u);
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(FileExists(Place("none.cfg")));
}

TEST_F(FilesTest, WriteReplacesOrAppendsAndReadsBackWholeOrInPart) {
    const NX_Location path = Place("data.bin");
    const std::string bytes("a\0b\r\n\xFF", 6);
    EXPECT_EQ(WriteFile(path, bytes.data(), bytes.size(), false, true), 0);
    EXPECT_EQ(Get("data.bin"), bytes);
    EXPECT_EQ(WriteFile(path, "xyz", 3, true, true), 0);
    EXPECT_EQ(Get("data.bin"), bytes + "xyz");
    EXPECT_EQ(WriteFile(path, "new", 3, false, false), 0);
    EXPECT_EQ(Get("data.bin"), "new");

    Put("data.bin", "0123456789");
    char buffer[16] = {};
    std::uint64_t size = 0;
    bool existed = false;
    EXPECT_EQ(ReadFile(path, buffer, size, &existed, 0), 0);
    EXPECT_TRUE(existed);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    char part[4] = {};
    std::uint64_t three = 3;
    EXPECT_EQ(ReadFile(path, part, three, nullptr, 4), 0);
    EXPECT_EQ(std::string(part, 3), "456");
}

TEST_F(FilesTest, FailuresGiveNonZeroResultsAndCreateNothing) {
    EXPECT_EQ(WriteFile(Place("absent.cfg"), "x", 1, false, false), 6);
    EXPECT_FALSE(fs::exists(folder / "absent.cfg"));
    // A folder that does not exist, and a "folder" that is a file: no write can succeed.
    EXPECT_NE(WriteFile(Place("no\\such\\file.cfg"), "x", 1, false, true), 0);
    Put("plain", "x");
    EXPECT_NE(WriteFile(Place("plain\\file.cfg"), "x", 1, false, true), 0);
    EXPECT_EQ(Get("plain"), "x");

    IO::File* file = nullptr;
    EXPECT_EQ(OpenFile(file, Place("absent.cfg"), 0), 3);
    EXPECT_EQ(OpenFile(file, Place("absent.cfg"), 7), 6);
    CloseFile(file);
    EXPECT_EQ(file, nullptr);
    std::uint64_t length = 0;
    EXPECT_EQ(GetFileLength(nullptr, length), 1);
    EXPECT_EQ(ReadBytes(nullptr, nullptr, 1, nullptr), 1);
}

// The host's own file errors keep results of their own: access denied 2, a full disk 4, the
// host's general failure 5.
TEST_F(FilesTest, HostErrorsGiveTheirOwnResults) {
    Put("plain", "x");
    fs::create_directory(folder / "sub");
    IO::File* file = nullptr;
    EXPECT_EQ(OpenFile(file, Place("sub"), 0), 2);
    CloseFile(file);
    host::FailFileCall(host::FileOperation::Open, 1);
    char buffer[4];
    std::uint64_t size = 1;
    EXPECT_EQ(ReadFile(Place("plain"), buffer, size, nullptr, 0), 2);
    host::FailWritesAfterBytes(0);
    EXPECT_EQ(WriteFile(Place("full.cfg"), "abc", 3, false, true), 4);
    host::ClearFileFaults();
    EXPECT_EQ(OpenFile(file, NX_Location(""), 2), 5);
    CloseFile(file);
}

// A write the system refuses is a failed write whatever the close answers after it, reported
// with its own result, and the file keeps its old bytes, whether replaced or appended to.
TEST_F(FilesTest, ARefusedWriteFailsWithItsOwnResultAndKeepsTheFile) {
    const struct {
        GSErrCode error;
        FileResult result;
    } cases[] = {
        {IOErr_General, 5}, {IOErr_AccessDenied, 2}, {IOErr_DiskFull, 4}, {IOErr_BadPosition, 6}};
    for (const auto& c : cases) {
        for (const bool append : {false, true}) {
            Put("kept.cfg", "old");
            host::FailFileCall(host::FileOperation::Write, 1, c.error);
            EXPECT_EQ(WriteFile(Place("kept.cfg"), "new", 3, append, true), c.result)
                << "error " << c.error << (append ? ", appending" : ", replacing");
            EXPECT_EQ(Get("kept.cfg"), "old");
        }
    }
    // Bytes the system could not flush when the file closed are as lost as a failed write.
    Put("kept.cfg", "old");
    host::FailFileCall(host::FileOperation::Close, 1, IOErr_DiskFull);
    EXPECT_EQ(WriteFile(Place("kept.cfg"), "new", 3, false, true), 4);
    EXPECT_EQ(Get("kept.cfg"), "old");
    host::ClearFileFaults();
}

// A replacing write takes the first private name nothing has, up to the last one; with every one
// taken it gives up, and neither those files nor the old file change.
TEST_F(FilesTest, PrivateNamesTakenByOtherFilesAreLeftAsTheyAre) {
    const auto privateName = [](const std::string& data, int number) {
        return PrivateFileName(PrivateFileCheck(data.data(), data.size()), number);
    };
    for (int number = 1; number <= 99; ++number) {
        Put(privateName("new", number), "theirs");
    }
    EXPECT_EQ(WriteFile(Place("kept.cfg"), "new", 3, false, true), 0);
    EXPECT_EQ(Get("kept.cfg"), "new");

    for (int number = 1; number <= 100; ++number) {
        Put(privateName("newer", number), "theirs");
    }
    EXPECT_EQ(WriteFile(Place("kept.cfg"), "newer", 5, false, true), 6);
    EXPECT_EQ(Get("kept.cfg"), "new");
    for (int number = 1; number <= 100; ++number) {
        EXPECT_EQ(Get(privateName("newer", number)), "theirs") << privateName("newer", number);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 200);
}

// A settings file's lock lives in a lock file of its own: one holder at a time, the file gone
// with the last holder, an empty file that a killed holder left taken over, and anything else at
// the name left as it is, the lock not taken.
TEST_F(FilesTest, ALockIsHeldByOneAtATimeAndTouchesNothingElse) {
    using std::chrono::milliseconds;
    enum class Standing { Nothing, EmptyFile, FileWithBytes, Folder };
    const struct {
        Standing standing;  // at the lock file's name before
        bool held;
    } cases[] = {{Standing::Nothing, true},
                 {Standing::EmptyFile, true},
                 {Standing::FileWithBytes, false},
                 {Standing::Folder, false}};
    const fs::path lockFile = folder / "TarnPlugins.cfg.lock";
    for (const auto& c : cases) {
        const int which = static_cast<int>(c.standing);
        if (c.standing == Standing::Folder) {
            fs::create_directory(lockFile);
        } else if (c.standing != Standing::Nothing) {
            Put(lockFile.filename().string(), c.standing == Standing::EmptyFile ? "" : "notes");
        }
        {
            const platform::FileLock lock(Native(lockFile), milliseconds(50));
            EXPECT_EQ(lock.Held(), c.held) << which;
            if (lock.Held()) {
                EXPECT_FALSE(platform::FileLock(Native(lockFile), milliseconds(50)).Held())
                    << which;
            }
        }
        if (c.held) {
            EXPECT_FALSE(fs::exists(lockFile)) << which;
        } else {
            EXPECT_TRUE(c.standing == Standing::Folder
                            ? fs::is_directory(lockFile)
                            : Get(lockFile.filename().string()) == "notes")
                << which;
            fs::remove(lockFile);
        }
    }
}

TEST_F(FilesTest, OpenFileReadsAcrossCalls) {
    Put("versions.txt", "hello world");
    IO::File* file = nullptr;
    ASSERT_EQ(OpenFile(file, Place("versions.txt"), 0), 0);
    std::uint64_t length = 0;
    EXPECT_EQ(GetFileLength(file, length), 0);
    EXPECT_EQ(length, 11u);
    char buffer[16] = {};
    std::uint64_t read = 0;
    EXPECT_EQ(ReadBytes(file, buffer, 0, &read), 0);
    EXPECT_EQ(read, 11u);
    EXPECT_EQ(std::string(buffer), "hello world");
    CloseFile(file);
}

TEST_F(FilesTest, DeleteEntryRemovesOnlyFiles) {
    Put("marker.vlm", "");
    EXPECT_TRUE(DeleteEntry(Place("marker.vlm")));
    EXPECT_FALSE(fs::exists(folder / "marker.vlm"));
    EXPECT_FALSE(DeleteEntry(Place("marker.vlm")));
    EXPECT_FALSE(DeleteEntry(Place("no\\such.vlm")));
}

std::set<std::string> Names(NX_List<NX_Location>& list) {
    std::set<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.insert(GetFileName(list[i].GetPath()).GetText());
    }
    return names;
}

TEST_F(FilesTest, ListFolderFiltersByExtensionAndRecursesOnlyWhenAsked) {
    for (const char* name : {"a.VLM", "b.vlm", "c.vlmx", "d"}) {
        Put(name, "");
    }
    fs::create_directories(folder / "sub" / "deeper");
    Put("sub/e.vlm", "");
    Put("sub/deeper/f.vlm", "");

    NX_List<NX_String> extensions;
    extensions.Insert("vlm");
    NX_List<NX_Location> flat;
    EXPECT_TRUE(ListFolder(Place(""), &extensions, false, flat));
    EXPECT_EQ(Names(flat), (std::set<std::string>{"a.VLM", "b.vlm"}));

    NX_List<NX_Location> everything;
    EXPECT_TRUE(ListFolder(Place(""), nullptr, false, everything));
    EXPECT_EQ(Names(everything), (std::set<std::string>{"a.VLM", "b.vlm", "c.vlmx", "d"}));

    NX_List<NX_Location> deep;
    EXPECT_TRUE(ListFolder(Place(""), &extensions, true, deep));
    EXPECT_EQ(Names(deep), (std::set<std::string>{"a.VLM", "b.vlm", "e.vlm", "f.vlm"}));
    EXPECT_EQ(std::string(deep[deep.GetCount() - 1].GetText()), PathText("sub\\e.vlm"));

    NX_List<NX_Location> none;
    EXPECT_FALSE(ListFolder(Place("missing"), nullptr, false, none));
    EXPECT_EQ(none.GetCount(), 0);
}

}  // namespace
