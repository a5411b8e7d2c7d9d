// The module file's version resource, read back with the system's own version query, as the
// file's properties and installers read it: it must carry the release's one version.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/velmora_version.h"

namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The hub in the build's add-ons folder, beside this program's folder.
std::wstring ModulePath() {
    std::vector<wchar_t> own(MAX_PATH);
    const DWORD length = GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size()));
    std::wstring folder(own.data(), length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"addons\\" + Wide(velmora_version::kModuleName) + L".apx";
}

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = ModulePath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    // The fixed part, or null when the resource has none of the right size.
    const VS_FIXEDFILEINFO* Fixed() {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), L"\\", &value, &length) ||
            length != sizeof(VS_FIXEDFILEINFO)) {
            return nullptr;
        }
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    // A text of the first language the resource lists, or "(none)".
    std::string Text(const wchar_t* key) {
        struct Translation {
            WORD language;
            WORD codePage;
        };
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
            length < sizeof(Translation)) {
            return "(no translation)";
        }
        const auto* translation = static_cast<const Translation*>(value);
        wchar_t path[96];
        std::swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                      translation->codePage, key);
        if (!VerQueryValueW(block_.data(), path, &value, &length) || length == 0) {
            return "(none)";
        }
        const std::wstring text(static_cast<const wchar_t*>(value));
        return std::string(text.begin(), text.end());
    }

    std::vector<unsigned char> block_;
};

TEST_F(VersionResourceTest, FixedVersionsAreTheReleaseVersion) {
    const VS_FIXEDFILEINFO* found = Fixed();
    ASSERT_NE(found, nullptr);
    const VS_FIXEDFILEINFO& fixed = *found;
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    char version[48];
    std::snprintf(version, sizeof version, "%lu.%lu.%lu.%lu", fixed.dwFileVersionMS >> 16,
                  fixed.dwFileVersionMS & 0xFFFF, fixed.dwFileVersionLS >> 16,
                  fixed.dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(std::string(version), velmora_version::kVersion);
    EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionResourceTest, TextsNameTheReleaseAndTheFile) {
    const std::string line = velmora_version::kOwnVersionLine;
    const std::string year = line.substr(line.size() - 4);
    const struct {
        const wchar_t* key;
        std::string expected;
    } cases[] = {
        {L"FileVersion", velmora_version::kVersion},
        {L"ProductVersion", velmora_version::kVersion},
        {L"ProductName", "Velmora"},
        {L"OriginalFilename", std::string(velmora_version::kModuleName) + ".apx"},
        {L"FileDescription",
         "Velmora hub add-on for ArchiCAD " + std::to_string(velmora_version::kHostVersion)},
        {L"LegalCopyright", "Copyright (C) " + year + " Velmora"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.key), c.expected) << std::string(c.key, c.key + wcslen(c.key));
    }
}

}  // namespace
