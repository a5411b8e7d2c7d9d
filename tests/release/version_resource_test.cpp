// The module file's version resource, read back with the system's own version query, as the
// file's properties and installers read it: it must carry the release's one version.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/velmora_version.h"

namespace {

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The hub in the build's add-ons folder, beside this program's folder.
        wchar_t own[MAX_PATH];
        std::wstring path(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
        const std::string name = std::string(velmora_version::kModuleName) + ".apx";
        path = path.substr(0, path.rfind(L'\\')) + L"\\addons\\" +
               std::wstring(name.begin(), name.end());
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    // The value at `path` in the resource, or null when it has none of at least `size` bytes.
    const void* Query(const std::wstring& path, UINT size) {
        void* value = nullptr;
        UINT length = 0;
        const bool found = VerQueryValueW(block_.data(), path.c_str(), &value, &length);
        return found && length >= size ? value : nullptr;
    }

    std::vector<unsigned char> block_;
};

TEST_F(VersionResourceTest, FixedVersionsAreTheReleaseVersion) {
    const auto* fixed =
        static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", sizeof(VS_FIXEDFILEINFO)));
    ASSERT_NE(fixed, nullptr);
    char version[48];
    std::snprintf(version, sizeof version, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16,
                  fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                  fixed->dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(std::string(version), velmora_version::kVersion);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionResourceTest, TextsNameTheReleaseAndTheFile) {
    const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", 4));
    ASSERT_NE(translation, nullptr);
    const std::string line = velmora_version::kOwnVersionLine;
    const std::string host = std::to_string(velmora_version::kHostVersion);
    const struct {
        const wchar_t* key;
        std::string expected;
    } cases[] = {
        {L"FileVersion", velmora_version::kVersion},
        {L"ProductVersion", velmora_version::kVersion},
        {L"ProductName", "Velmora"},
        {L"OriginalFilename", std::string(velmora_version::kModuleName) + ".apx"},
        {L"FileDescription", "Velmora hub add-on for ArchiCAD " + host},
        {L"LegalCopyright", "Copyright (C) " + line.substr(line.size() - 4) + " Velmora"},
    };
    for (const auto& c : cases) {
        wchar_t path[96];
        std::swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1],
                      c.key);
        const auto* text = static_cast<const wchar_t*>(Query(path, 1));
        const std::wstring found = text != nullptr ? text : L"(none)";
        EXPECT_EQ(std::string(found.begin(), found.end()), c.expected);
    }
}

}  // namespace
