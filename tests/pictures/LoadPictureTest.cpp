#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/pictures/PictureChecks.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

std::string fixturePath(const std::string& name) {
    const char* root = std::getenv("NAMECARD_TEST_DATA");
    return std::string(root ? root : NAMECARD_PICTURE_TESTS_DIR) + "/fixtures/" + name;
}

Bytes readFixture(const std::string& name) {
    std::ifstream in(fixturePath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct FixtureCase {
    const char* file;
    toolkit::PictureKind kind;
    int width;
    int height;
};

// Test names in CTest show the case, not its bytes.
void PrintTo(const FixtureCase& c, std::ostream* os) {
    *os << c.file;
}

class FixtureTest : public testing::TestWithParam<FixtureCase> {};

// The same outcome from the file and from its bytes in memory.
TEST_P(FixtureTest, DecodesFromFileAndFromMemory) {
    const FixtureCase& expected = GetParam();
    const pictures::DecodeResult fromFile = pictures::decodeFile(fixturePath(expected.file));
    ASSERT_TRUE(fromFile.picture) << pictures::decodeErrorName(fromFile.error);
    EXPECT_EQ(fromFile.picture->kind, expected.kind);
    EXPECT_EQ(fromFile.picture->width, expected.width);
    EXPECT_EQ(fromFile.picture->height, expected.height);
    const std::optional<toolkit::Picture> fromMemory =
        pictures::loadPicture(std::span<const std::uint8_t>(readFixture(expected.file)));
    ASSERT_TRUE(fromMemory);
    EXPECT_EQ(fromMemory->pixels, fromFile.picture->pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, FixtureTest,
    testing::Values(FixtureCase{"colour.jpg", toolkit::PictureKind::Jpeg, 24, 16},
                    FixtureCase{"jpeg-named.bmp", toolkit::PictureKind::Jpeg, 24, 16},
                    FixtureCase{"grey.jpg", toolkit::PictureKind::Jpeg, 24, 16},
                    FixtureCase{"progressive.jpg", toolkit::PictureKind::Jpeg, 24, 16},
                    FixtureCase{"cmyk.jpg", toolkit::PictureKind::Jpeg, 24, 16},
                    FixtureCase{"1bit.bmp", toolkit::PictureKind::Bmp, 19, 7},
                    FixtureCase{"4bit.bmp", toolkit::PictureKind::Bmp, 11, 7},
                    FixtureCase{"8bit.bmp", toolkit::PictureKind::Bmp, 9, 7},
                    FixtureCase{"24bit.bmp", toolkit::PictureKind::Bmp, 9, 7},
                    FixtureCase{"32bit.bmp", toolkit::PictureKind::Bmp, 9, 7},
                    FixtureCase{"two-entries.ico", toolkit::PictureKind::Ico, 32, 32},
                    FixtureCase{"true-colour.ico", toolkit::PictureKind::Ico, 8, 8},
                    FixtureCase{"pointer.cur", toolkit::PictureKind::Cur, 16, 16},
                    FixtureCase{"animated.gif", toolkit::PictureKind::Gif, 20, 12},
                    FixtureCase{"interlaced.gif", toolkit::PictureKind::Gif, 20, 12},
                    FixtureCase{"plain87a.gif", toolkit::PictureKind::Gif, 20, 12},
                    FixtureCase{"8bit.pcx", toolkit::PictureKind::Pcx8, 21, 9},
                    FixtureCase{"1bit.pcx", toolkit::PictureKind::Pcx1, 21, 9}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(LoadPicture, ArithmeticJpegFileGivesNone) {
    EXPECT_FALSE(pictures::loadPicture(fixturePath("arithmetic.jpg")));
    EXPECT_EQ(pictures::decodeFile(fixturePath("arithmetic.jpg")).error, DecodeError::Unsupported);
}

struct KindCase {
    const char* name;
    Bytes head;
    DecodeError error;  // of decoding these bytes alone
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

// The first bytes alone pick the decoder; these heads are too short to decode, so the error
// tells which decoder ran (or that none did).
class KindTest : public testing::TestWithParam<KindCase> {};

TEST_P(KindTest, FirstBytesChooseTheDecoder) {
    const pictures::DecodeResult result = decode(GetParam().head);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(pictures::decodeErrorName(result.error), pictures::decodeErrorName(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Heads, KindTest,
    testing::Values(KindCase{"Empty", {}, DecodeError::EmptySource},
                    KindCase{
                        "FiveBytesOfJpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00}, DecodeError::TooShort},
                    KindCase{"Jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10}, DecodeError::JpegError},
                    KindCase{"Bmp", {'B', 'M', 0, 0, 0, 0}, DecodeError::Truncated},
                    KindCase{"Ico", {0, 0, 1, 0, 1, 0}, DecodeError::Truncated},
                    KindCase{"Cur", {0, 0, 2, 0, 0, 1}, DecodeError::Truncated},
                    KindCase{"IconWithoutImages", {0, 0, 1, 0, 0, 0}, DecodeError::UnknownKind},
                    KindCase{"IconOfTypeThree", {0, 0, 3, 0, 1, 0}, DecodeError::UnknownKind},
                    KindCase{"Gif87a", {'G', 'I', 'F', '8', '7', 'a'}, DecodeError::Truncated},
                    KindCase{"Gif89a", {'G', 'I', 'F', '8', '9', 'a'}, DecodeError::Truncated},
                    KindCase{"Gif90a", {'G', 'I', 'F', '9', '0', 'a'}, DecodeError::UnknownKind},
                    KindCase{"Pcx8", {0x0A, 5, 1, 8, 0, 0}, DecodeError::Truncated},
                    KindCase{"Pcx8VersionSix", {0x0A, 6, 1, 8, 0, 0}, DecodeError::UnknownKind},
                    KindCase{"Pcx1", {0x0A, 3, 1, 1, 0, 0}, DecodeError::Truncated},
                    KindCase{"Pcx1VersionTwo", {0x0A, 2, 1, 1, 0, 0}, DecodeError::UnknownKind},
                    KindCase{"PcxUnencoded", {0x0A, 5, 0, 8, 0, 0}, DecodeError::UnknownKind},
                    KindCase{"Png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A}, DecodeError::UnknownKind}),
    [](const auto& info) { return info.param.name; });

TEST(LoadPicture, FileNamesThatCannotBeRead) {
    EXPECT_EQ(pictures::decodeFile("").error, DecodeError::EmptySource);
    EXPECT_EQ(pictures::decodeFile(fixturePath("no-such-file.gif")).error, DecodeError::CannotOpen);
    EXPECT_FALSE(pictures::loadPicture(std::string()));
}

}  // namespace
