#include <gtest/gtest.h>

#include <string>

#include "foundation/nx_location.h"

namespace {

std::string Shown(const NX_String& s) {
    return s.IsNull() ? "<null>" : s.GetText();
}

TEST(PathText, FileNamesExtensionsAndFolders) {
    struct Case {
        const char* path;
        const char* name;
        const char* extension;
        const char* folderWith;
        const char* folderWithout;
    };
    const Case cases[] = {
        {"C:\\a.b\\file", "file", "", "C:\\a.b\\", "C:\\a.b"},
        {"C:\\dir\\file.TXT", "file.TXT", "TXT", "C:\\dir\\", "C:\\dir"},
        {"name.", "name.", "", "\\", ""},
        {"file", "file", "", "\\", ""},
        {"C:\\dir\\Report.txt.bak", "Report.txt.bak", "bak", "C:\\dir\\", "C:\\dir"},
        {"C:\\dir\\", "", "", "C:\\dir\\", "C:\\dir"},
        {".txt", ".txt", "txt", "\\", ""},
    };
    for (const Case& c : cases) {
        const NX_String path(c.path);
        EXPECT_EQ(Shown(GetFileName(path)), c.name) << c.path;
        EXPECT_EQ(Shown(GetFileExtension(path)), c.extension) << c.path;
        EXPECT_EQ(Shown(GetFolderPath(path, true)), c.folderWith) << c.path;
        EXPECT_EQ(Shown(GetFolderPath(path, false)), c.folderWithout) << c.path;
    }
    EXPECT_TRUE(GetFileName(NX_String()).IsNull());
    EXPECT_TRUE(GetFolderPath(NX_String(), true).IsNull());
    EXPECT_EQ(Shown(JoinPath("C:\\Users\\x", "TarnPlugins.cfg")), "C:\\Users\\x\\TarnPlugins.cfg");
}

TEST(PathText, LocationTextLosesOneTrailingSeparator) {
    NX_String path;
    LocationToPath(PathToLocation("C:\\Users\\x\\"), path);
    EXPECT_EQ(Shown(path), "C:\\Users\\x");
    LocationToPath(PathToLocation("C:\\caf\xE9\\a"), path);
    EXPECT_EQ(Shown(path), "C:\\caf\xE9\\a");
    LocationToPath(PathToLocation(""), path);
    EXPECT_TRUE(path.IsNull());
}

}  // namespace
