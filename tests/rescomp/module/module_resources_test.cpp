// The resources of the sample module, read back through the host: the texts must arrive exactly
// as the sources wrote them, in their list's code page, on both builds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "acapi/dialog_template.h"
#include "acapi/gs_memory.h"
#include "acapi/rs.h"

extern "C" GSResModule SampleModule_RegisterResources();

namespace {

GSResModule SampleModule() {
    static const GSResModule module = SampleModule_RegisterResources();
    return module;
}

struct TextCase {
    GSResID list;
    std::int32_t index;
    std::int32_t stringType;
    const char* text;  // null: the host must answer false
};

const TextCase kTextCases[] = {
    {32532, 1, 0, "Afficher la palette"},
    {32532, 2, 0,
     "Pr\xe9"
     "f\xe9rences\x85 \xe0 5 \x80"},
    {32532, 3, 0, ""},
    {32532, 4, 0, "  two leading spaces kept"},
    {32532, 5, 0, "trailing space kept "},
    {32532, 6, 0, "outer blanks are dropped"},
    {32532, 7, 0, "line one\nline two\ttabbed"},
    {32532, 8, 0, "back\\slash and # hash"},
    {32532, 9, 0, "# a text, not a comment"},
    {32532, 10, 0, nullptr},
    {32535, 1, 0, "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"},
    {32535, 2, 0,
     "\xc3\x91"
     "and\xc3\xba \xe2\x80\x94 ok"},
    {32767, 1, 1, "only text"},
    {32767, 1, 0, nullptr},
    {32531, 1, 0, nullptr},
};

TEST(ModuleResources, TextsArriveAsWritten) {
    ASSERT_NE(SampleModule(), 0);
    for (const TextCase& c : kTextCases) {
        char buffer[256] = "unchanged";
        const bool found = RSGetIndString_ParamAdapter(buffer, sizeof buffer, c.list, c.index,
                                                       SampleModule(), c.stringType);
        SCOPED_TRACE("list " + std::to_string(c.list) + " text " + std::to_string(c.index));
        if (c.text == nullptr) {
            EXPECT_FALSE(found);
            EXPECT_STREQ(buffer, "unchanged");
        } else {
            EXPECT_TRUE(found);
            EXPECT_STREQ(buffer, c.text);
        }
    }
}

TEST(ModuleResources, TextIsCutToTheBuffer) {
    char buffer[5];
    ASSERT_TRUE(RSGetIndString_ParamAdapter(buffer, sizeof buffer, 32532, 1, SampleModule(), 0));
    EXPECT_STREQ(buffer, "Affi");
}

std::string LoadResource(const char (&type)[5], GSResID id) {
    GSHandle handle = RSLoadResource(FourCharCode(type), SampleModule(), id);
    if (handle == nullptr) {
        return {};
    }
    std::string bytes(*handle, static_cast<std::size_t>(BMGetHandleSize(handle)));
    BMKillHandle(&handle);
    return bytes;
}

std::uint32_t Word(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value =
            (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return value;
}

TEST(ModuleResources, RecordsKeepTheirSizesAndWords) {
    const std::string identity = LoadResource("MDID", 32500);
    ASSERT_EQ(identity.size(), 12u);
    EXPECT_EQ(Word(identity, 0), 8u);
    EXPECT_EQ(Word(identity, 4), 0x12345678u);
    EXPECT_EQ(Word(identity, 8), 0xFFFFFFFFu);

    const std::string folder = LoadResource("FLDR", 128);
    ASSERT_EQ(folder.size(), 4u + 2u + 2u * 264u);
    EXPECT_EQ(Word(folder, 0), folder.size() - 4);
    EXPECT_STREQ(folder.c_str() + 6, "100_s.txt");

    const std::string file = LoadResource("FILE", 32500);
    ASSERT_EQ(file.size(), 4u + 9u);
    EXPECT_EQ(Word(file, 0), 9u);
    EXPECT_EQ(static_cast<unsigned char>(file.back()), 0xFFu);

    const std::string dialog = LoadResource("GDLG", 32734);
    ASSERT_EQ(dialog.size(), DialogTemplateSize(12));
    EXPECT_EQ(Word(dialog, 0), kDialogTemplateMagic);
    EXPECT_STREQ(dialog.c_str() + 10, "Velmora");

    EXPECT_EQ(LoadResource("GDLG", 32735), "");
}

}  // namespace
