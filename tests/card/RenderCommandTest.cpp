// namecard-cli render: the same card as the window, from the command line.
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "pictures/BmpExport.h"
#include "tests/card/CardPixels.h"
#include "tests/card/CardWindow.h"
#include "tests/card/FileDialogDriver.h"
#include "tests/card/PictureFiles.h"

namespace {

using namespace cardtest;

struct CliRun {
    int exitCode = -1;
    QByteArray errors;
};

class RenderCommandTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QStandardPaths::setTestModeEnabled(true);
        window_ = std::make_unique<CardWindow>();
    }
    static void TearDownTestSuite() { window_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = QDir(dir_.path()).canonicalPath();
        startDirectory_ = QDir::currentPath();
        window_->reset();
    }
    void TearDown() override { QDir::setCurrent(startDirectory_); }

    QString path(const QString& name) const { return folder_ + u'/' + name; }

    // Runs the command on the platform this test runs on, so that both draw alike.
    static CliRun render(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(NAMECARD_CLI),
                      QStringList{QStringLiteral("render")} + arguments);
        CliRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            return run;
        }
        run.exitCode = process.exitCode();
        run.errors = process.readAllStandardError();
        return run;
    }

    static std::unique_ptr<CardWindow> window_;
    QTemporaryDir dir_;
    QString folder_;
    QString startDirectory_;
};

std::unique_ptr<CardWindow> RenderCommandTest::window_;

TEST_F(RenderCommandTest, DefaultsWriteTheBytesTheWindowSavesAtStart) {
    const QString saved = path(QStringLiteral("window.bmp"));
    FileDialogDriver driver;
    driver.whenFileDialogShown(
        [&](QFileDialog* dialog) { FileDialogDriver::typeAndConfirm(dialog, saved); });
    window_->main().saveCard();
    ASSERT_EQ(driver.stepsRun(), 1);

    const QString out = path(QStringLiteral("cli.bmp"));
    const CliRun run = render({QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray windowBytes = readBytes(saved);
    ASSERT_EQ(windowBytes.size(), 126054);
    EXPECT_TRUE(readBytes(out) == windowBytes);
}

struct InputsCase {
    const char* what;
    int templateNumber;
    card::CardTexts texts;
    const char* avatar;  // a file name in the test folder, "" for none
};

TEST_F(RenderCommandTest, SameInputsGiveTheWindowsCard) {
    ASSERT_TRUE(
        solidImage(30, 70, qRgb(250, 120, 10)).save(path(QStringLiteral("face.bmp")), "BMP"));
    ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("folder")));
    const InputsCase cases[] = {
        {"template 2, Chinese texts",
         2,
         {QStringLiteral("小明"), QStringLiteral("论坛"), QString(), QStringLiteral("12345"),
          QStringLiteral("你好，世界")},
         ""},
        {"template 3, blank rows and an avatar file",
         3,
         {QStringLiteral("  abc"), QStringLiteral("\u3000"), QStringLiteral("\t"), QString(),
          QStringLiteral("sig")},
         "face.bmp"},
        {"template 4, a folder as avatar", 4, {}, "folder"},
    };
    for (const InputsCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString avatar = *c.avatar ? path(QString::fromUtf8(c.avatar)) : QString();
        window_->selectTemplate(c.templateNumber);
        window_->setTexts(c.texts);
        window_->setAvatar(avatar);
        const QString out = path(QStringLiteral("card.bmp"));
        const CliRun run =
            render({QStringLiteral("--template"), QString::number(c.templateNumber),
                    QStringLiteral("--nickname"), c.texts[0], QStringLiteral("--forum"), c.texts[1],
                    QStringLiteral("--title"), c.texts[2], QStringLiteral("--qq"), c.texts[3],
                    QStringLiteral("--signature"), c.texts[4], QStringLiteral("--avatar"), avatar,
                    QStringLiteral("-o"), out});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_TRUE(readBytes(out) == pictures::surfaceToBmp(window_->card()));
    }
}

TEST_F(RenderCommandTest, PngHoldsTheSamePixels) {
    const QString out = path(QStringLiteral("card.PNG"));
    const CliRun run = render({QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    QImage png;
    ASSERT_TRUE(png.load(out, "PNG"));
    ASSERT_EQ(png.size(), QSize(cardWidth, cardHeight));
    EXPECT_EQ(
        differingPixels(png.convertToFormat(QImage::Format_RGB32), window_->card(), wholeCard), 0);
}

TEST_F(RenderCommandTest, UpperCaseBmpExtensionIsBmp) {
    const QString out = path(QStringLiteral("CARD.BMP"));
    const CliRun run = render({QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(readBytes(out) == pictures::surfaceToBmp(window_->card()));
}

TEST_F(RenderCommandTest, BadArgumentsExitWithTwoAndWriteNothing) {
    const QString out = path(QStringLiteral("out.bmp"));
    const struct {
        const char* what;
        QStringList arguments;
    } cases[] = {
        {"no output", {}},
        {"no output, other options", {QStringLiteral("--template"), QStringLiteral("2")}},
        {"unknown option",
         {QStringLiteral("--colour"), QStringLiteral("red"), QStringLiteral("-o"), out}},
        {"a stray argument", {QStringLiteral("-o"), out, QStringLiteral("extra")}},
        {"-o without its value", {QStringLiteral("-o")}},
        {"an option without its value", {QStringLiteral("-o"), out, QStringLiteral("--nickname")}},
        {"template 0",
         {QStringLiteral("--template"), QStringLiteral("0"), QStringLiteral("-o"), out}},
        {"template 5",
         {QStringLiteral("--template"), QStringLiteral("5"), QStringLiteral("-o"), out}},
        {"template not a number",
         {QStringLiteral("--template"), QStringLiteral("one"), QStringLiteral("-o"), out}},
        {"another extension", {QStringLiteral("-o"), path(QStringLiteral("out.jpg"))}},
        {"no extension", {QStringLiteral("-o"), path(QStringLiteral("out"))}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = render(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.errors.isEmpty());
    }
    EXPECT_TRUE(QDir(folder_).entryList(QDir::Files).isEmpty());
}

TEST_F(RenderCommandTest, UnwritableOutputExitsWithOne) {
    const QString out = path(QStringLiteral("missing-folder/card.bmp"));
    const CliRun run = render({QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.errors.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out));
}

}  // namespace
