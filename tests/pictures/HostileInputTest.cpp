#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <ostream>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/pictures/PictureChecks.h"

namespace {

namespace fs = std::filesystem;
using pictures::DecodeError;
using namespace picturetest;

std::string testData() {
    const char* root = std::getenv("NAMECARD_TEST_DATA");
    return root ? root : NAMECARD_PICTURE_TESTS_DIR;
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "namecard-pictures-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

TEST(HostileFiles, SpecialFilesAreNeverRead) {
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const fs::path fifo = folder.path() / "avatar.gif";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a FIFO that no one writes to would wait forever; it must not even be tried.
    EXPECT_EQ(pictures::decodeFile(fifo.string()).error, DecodeError::NotRegularFile);
    EXPECT_EQ(pictures::decodeFile(folder.path().string()).error, DecodeError::NotRegularFile);
    EXPECT_FALSE(pictures::loadPicture(fifo.string()));
}

TEST(HostileFiles, FileAboveTheLimitIsNotRead) {
    TempFolder folder;
    const fs::path huge = folder.path() / "huge.bmp";
    {
        std::ofstream out(huge, std::ios::binary);
        out << "BM";
    }
    // Sparse: no disk space is used, and the decoder must not read it anyway.
    fs::resize_file(huge, pictures::maxFileBytes + 1);
    EXPECT_EQ(pictures::decodeFile(huge.string()).error, DecodeError::FileTooLarge);
}

struct HugeHeader {
    const char* name;
    Bytes bytes;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const HugeHeader& c, std::ostream* os) {
    *os << c.name;
}

std::vector<HugeHeader> hugeHeaders() {
    ByteWriter bmp;
    bmp.text("BM").u32(0).u32(0).u32(54).u32(40).u32(60000).u32(60000).u16(1).u16(24).zeros(24);
    bmp.zeros(64);
    ByteWriter gif;
    gif.text("GIF89a").u16(65535).u16(65535).u8(0).u8(0).u8(0);
    gif.bytes({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B});
    ByteWriter ico;
    ico.u16(0).u16(1).u16(1).bytes({0, 0, 0, 0}).u16(1).u16(32).u32(40).u32(22);
    ico.u32(40).u32(50000).u32(100000).u16(1).u16(32).zeros(24);
    ByteWriter pcx;
    pcx.bytes({0x0A, 5, 1, 8}).u16(0x8000).u16(0x8000).u16(0x7FFF).u16(0x7FFF).zeros(53).u8(1);
    pcx.u16(65535).zeros(60 + 16);
    ByteWriter jpeg;
    jpeg.bytes({0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0x4E, 0x20, 0x4E, 0x20, 1, 1, 0x11, 0});
    jpeg.bytes({0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 63, 0, 0xFF, 0xD9});
    return {{"Bmp60000By60000", bmp.take()},
            {"GifScreen65535By65535", gif.take()},
            {"Ico50000By50000", ico.take()},
            {"Pcx65536By65536", pcx.take()},
            {"Jpeg20000By20000", jpeg.take()}};
}

class HugeHeaderTest : public testing::TestWithParam<HugeHeader> {};

// The size check comes before any allocation, so these would otherwise take gigabytes.
TEST_P(HugeHeaderTest, IsRefusedForTooManyPixels) {
    const pictures::DecodeResult result = decode(GetParam().bytes);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(pictures::decodeErrorName(result.error), "TooManyPixels");
}

INSTANTIATE_TEST_SUITE_P(Kinds, HugeHeaderTest, testing::ValuesIn(hugeHeaders()),
                         [](const auto& info) { return info.param.name; });

// Every fixture cut short at every length: no crash and, JPEG aside, no picture. A JPEG cut
// after its header still gives a picture of its full size.
struct CutCase {
    const char* file;
    // Bytes at the end that a picture does not need: the fill bytes of a BMP's last row,
    // a GIF's trailer.
    std::size_t bytesNotNeeded;
};

// Test names in CTest show the case, not its bytes.
void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.file;
}

class CutShortTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutShortTest, GivesNoneAtEveryLength) {
    const Bytes whole = readFile(fs::path(testData()) / "fixtures" / GetParam().file);
    ASSERT_GT(whole.size(), 6u);
    const pictures::DecodeResult full = decode(whole);
    ASSERT_TRUE(full.picture);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const pictures::DecodeResult result = decode(cutTo(whole, size));
        const bool needed = size + GetParam().bytesNotNeeded < whole.size();
        ASSERT_EQ(result.picture.has_value(), !needed) << "cut to " << size << " bytes";
        ASSERT_NE(result.error, DecodeError::Internal);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CutShortTest,
                         testing::Values(CutCase{"1bit.bmp", 1}, CutCase{"4bit.bmp", 2},
                                         CutCase{"8bit.bmp", 3}, CutCase{"24bit.bmp", 1},
                                         CutCase{"32bit.bmp", 0}, CutCase{"two-entries.ico", 0},
                                         CutCase{"true-colour.ico", 0}, CutCase{"pointer.cur", 0},
                                         CutCase{"plain87a.gif", 1}, CutCase{"interlaced.gif", 1},
                                         CutCase{"8bit.pcx", 0}, CutCase{"1bit.pcx", 0}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST(CutShort, JpegKeepsItsFullSizeOnceItsHeaderIsComplete) {
    for (const char* file : {"colour.jpg", "grey.jpg", "progressive.jpg", "cmyk.jpg"}) {
        const Bytes whole = readFile(fs::path(testData()) / "fixtures" / file);
        const pictures::DecodeResult full = decode(whole);
        ASSERT_TRUE(full.picture) << file;
        bool hadPicture = false;
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const pictures::DecodeResult result = decode(cutTo(whole, size));
            ASSERT_NE(result.error, DecodeError::Internal) << file << " " << size;
            if (result.picture) {
                EXPECT_EQ(result.picture->width, full.picture->width) << file << " " << size;
                EXPECT_EQ(result.picture->height, full.picture->height) << file << " " << size;
                hadPicture = true;
            } else {
                // Once a cut gives a picture, every longer cut does too.
                ASSERT_FALSE(hadPicture) << file << " " << size;
            }
        }
        EXPECT_TRUE(hadPicture) << file;
    }
}

// Inputs that once made a decoder fail are kept in fuzz/regressions and must stay harmless.
TEST(Regressions, FuzzFindingsDecodeWithoutInternalErrors) {
    const fs::path folder = fs::path(NAMECARD_SOURCE_DIR) / "fuzz" / "regressions";
    if (!fs::exists(folder)) {
        GTEST_SKIP() << "no regression inputs";
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const pictures::DecodeResult result = decode(readFile(entry.path()));
        EXPECT_NE(result.error, DecodeError::Internal) << entry.path();
    }
}

}  // namespace
