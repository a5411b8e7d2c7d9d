// The module's icons and bitmaps as the host hands them out: 256-colour bitmap file images of
// the sizes their dialog items give them, whole and self-consistent.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "acapi/rs.h"
#include "resources/resource_ids.h"
#include "tests/resources/carried_resources.h"

namespace {

using namespace resource_ids;

std::uint32_t Read32(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

std::uint16_t Read16(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(Read32(bytes, offset) & 0xFFFF);
}

struct ExpectedPicture {
    GSType type;
    GSResID id;
    std::uint32_t width;
    std::uint32_t height;
};

const ExpectedPicture kPictures[] = {
    {kResTypeIcon, kLanguageLabelIcons + 0, 285, 24},
    {kResTypeIcon, kLanguageLabelIcons + 1, 285, 24},
    {kResTypeIcon, kLanguageLabelIcons + 2, 285, 24},
    {kResTypeIcon, kLanguageLabelIcons + 3, 285, 24},
    {kResTypeIcon, kLanguageLabelIcons + 4, 285, 24},
    {kResTypeIcon, kLanguageLabelIcons + 5, 285, 24},
    {kResTypeIcon, kLastLanguageLabelIcon, 285, 24},
    {kResTypeIcon, kLanguagePictureIcon, 128, 182},
    {kResTypeIcon, kUpdateIcon, 20, 20},
    {kResTypeIcon, kWebLinkIcon, 86, 20},
    {kResTypeIcon, kLoadProblemIcon, 152, 247},
    {kResTypeBitmap, kProductPicture, 213, 213},
    {kResTypeBitmap, kLoadProblemPicture, 365, 320},
};

TEST(Pictures, AreWholeEightBitBitmapFilesOfTheirSize) {
    for (const ExpectedPicture& expected : kPictures) {
        SCOPED_TRACE("picture " + std::to_string(expected.id));
        const std::string bitmap = carried::Resource(expected.type, expected.id);
        ASSERT_GE(bitmap.size(), 54U + 1024U);
        EXPECT_EQ(bitmap.substr(0, 2), "BM");
        EXPECT_EQ(Read32(bitmap, 2), bitmap.size());
        EXPECT_EQ(Read32(bitmap, 10), 54U + 1024U);  // the rows follow the 256-entry palette
        EXPECT_EQ(Read32(bitmap, 14), 40U);
        EXPECT_EQ(Read32(bitmap, 18), expected.width);
        EXPECT_EQ(Read32(bitmap, 22), expected.height);
        EXPECT_EQ(Read16(bitmap, 28), 8);
        EXPECT_EQ(Read32(bitmap, 30), 0U);
        EXPECT_EQ(Read32(bitmap, 46), 256U);
        const std::uint32_t stride = (expected.width + 3) / 4 * 4;
        EXPECT_EQ(bitmap.size(), 54U + 1024U + stride * expected.height);
    }
}

TEST(Pictures, EveryLanguageHasALabelOfItsOwn) {
    std::set<std::string> labels;
    for (GSResID id = kLanguageLabelIcons; id <= kLastLanguageLabelIcon; ++id) {
        labels.insert(carried::Resource(kResTypeIcon, id));
    }
    EXPECT_EQ(labels.size(), 7U);
}

}  // namespace
