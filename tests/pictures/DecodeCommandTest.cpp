// namecard-cli decode, run as a separate process the way scripts use it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string out;
};

// Runs the command line through the shell and collects its standard output.
CommandRun run(const std::string& arguments) {
    CommandRun result;
    const std::string command = std::string(NAMECARD_CLI) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        result.out += buffer;
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string fixture(const std::string& name) {
    return std::string(NAMECARD_PICTURE_TESTS_DIR) + "/fixtures/" + name;
}

class OutputFolder : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "namecard-decode-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

struct DecodeCase {
    const char* file;
    const char* line;
    bool alpha;
};

class DecodeCommandTest : public OutputFolder, public testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodeCommandTest, WritesThePictureAsPngAndNamesItsKind) {
    const std::string png = path("out.png");
    const CommandRun result = run("decode '" + fixture(GetParam().file) + "' '" + png + "'");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(GetParam().line) + "\n");
    const QImage image(QString::fromStdString(png), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.hasAlphaChannel(), GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DecodeCommandTest,
                         testing::Values(DecodeCase{"jpeg-named.bmp", "JPEG 24x16", false},
                                         DecodeCase{"24bit.bmp", "BMP 9x7", false},
                                         DecodeCase{"two-entries.ico", "ICO 32x32", true},
                                         DecodeCase{"pointer.cur", "CUR 16x16", true},
                                         DecodeCase{"animated.gif", "GIF 20x12", false},
                                         DecodeCase{"8bit.pcx", "PCX8 21x9", false},
                                         DecodeCase{"1bit.pcx", "PCX1 21x9", false}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(OutputFolder, NoneWritesNothingAndFails) {
    const std::string png = path("out.png");
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    for (const std::string& input : {fixture("arithmetic.jpg"), path("fifo"), path("missing")}) {
        const CommandRun result = run("decode '" + input + "' '" + png + "'");
        EXPECT_EQ(result.status, 1) << input;
        EXPECT_EQ(result.out, "") << input;
        EXPECT_FALSE(fs::exists(png)) << input;
    }
}

TEST(DecodeCommandUsage, WrongArgumentsExitWithTwo) {
    EXPECT_EQ(run("decode").status, 2);
    EXPECT_EQ(run("decode only-input").status, 2);
    EXPECT_EQ(run("decode a b c").status, 2);
}

}  // namespace
