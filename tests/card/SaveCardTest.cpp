// Saving the card through the real save dialog, and the dialog settings that carry over.
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <memory>

#include "pictures/decoders/LoadPicture.h"
#include "tests/card/CardPixels.h"
#include "tests/card/CardWindow.h"
#include "tests/card/FileDialogDriver.h"
#include "tests/card/PictureFiles.h"

namespace {

using namespace cardtest;

constexpr qsizetype savedCardBytes = 126054;

quint32 u32At(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
quint16 u16At(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// Checks that `bmp` is the 24-bit bottom-up BMP file of `card`, byte for byte.
void expectBmpOf(const QByteArray& bmp, const QImage& card) {
    ASSERT_EQ(bmp.size(), savedCardBytes);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(u32At(bmp, 2), quint32(savedCardBytes));
    EXPECT_EQ(u32At(bmp, 10), 54u);
    EXPECT_EQ(u32At(bmp, 14), 40u);
    EXPECT_EQ(u32At(bmp, 18), quint32(cardWidth));
    EXPECT_EQ(u32At(bmp, 22), quint32(cardHeight));  // positive: bottom-up
    EXPECT_EQ(u16At(bmp, 26), 1u);
    EXPECT_EQ(u16At(bmp, 28), 24u);
    EXPECT_EQ(u32At(bmp, 30), 0u);
    EXPECT_EQ(u32At(bmp, 34), 126000u);
    int wrong = 0;
    for (int row = 0; row < cardHeight; ++row) {
        const int y = cardHeight - 1 - row;
        const auto* pixel = reinterpret_cast<const uchar*>(bmp.constData()) + 54 + row * 900;
        for (int x = 0; x < cardWidth; ++x, pixel += 3) {
            const QRgb p = card.pixel(x, y);
            wrong += (pixel[0] != qBlue(p) || pixel[1] != qGreen(p) || pixel[2] != qRed(p)) ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}

class SaveCardTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }

    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = QDir(dir_.path()).canonicalPath();
        startDirectory_ = QDir::currentPath();
        window_ = std::make_unique<CardWindow>();
    }

    void TearDown() override {
        window_.reset();
        QDir::setCurrent(startDirectory_);
    }

    QString path(const QString& name) const { return folder_ + u'/' + name; }

    // Saves through the dialog, typing `name` and answering a replace question with `replace`.
    void saveAs(const QString& name, QMessageBox::StandardButton replace = QMessageBox::Yes) {
        FileDialogDriver driver;
        driver.whenFileDialogShown([&](QFileDialog* dialog) {
            driver.whenMessageBoxShown(
                [replace](QMessageBox* box) { FileDialogDriver::press(box, replace); });
            FileDialogDriver::typeAndConfirm(dialog, name);
        });
        window_->main().saveCard();
    }

    void cancelSave() {
        FileDialogDriver driver;
        driver.whenFileDialogShown([](QFileDialog* dialog) { FileDialogDriver::cancel(dialog); });
        window_->main().saveCard();
        EXPECT_EQ(driver.stepsRun(), 1);
    }

    std::unique_ptr<CardWindow> window_;
    QTemporaryDir dir_;
    QString folder_;
    QString startDirectory_;
};

TEST_F(SaveCardTest, SavedFileOfEveryTemplateIsItsPreviewAsBmp) {
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE(number);
        window_->selectTemplate(number);
        const QString file = path(QStringLiteral("card%1.bmp").arg(number));
        saveAs(file);
        EXPECT_EQ(window_->main().fileDialog().fileName, file);
        const QByteArray bmp = readBytes(file);
        expectBmpOf(bmp, window_->card());

        const auto decoded = pictures::loadPicture(file.toStdString());
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(differingPixels(toImage(*decoded), window_->card(), wholeCard), 0);
    }
}

TEST_F(SaveCardTest, TypedNameGetsBmpOnlyWhenItHasNoExtension) {
    struct NameCase {
        QString typed;
        QString written;
    };
    const NameCase cases[] = {
        {QStringLiteral("plain"), QStringLiteral("plain.bmp")},
        {QStringLiteral("other.png"), QStringLiteral("other.png")},
        {QStringLiteral("名片"), QStringLiteral("名片.bmp")},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        saveAs(path(c.typed));
        EXPECT_EQ(window_->main().fileDialog().fileName, path(c.written));
        expectBmpOf(readBytes(path(c.written)), window_->card());
    }
}

TEST_F(SaveCardTest, ReplacingALongerFileLeavesNoTraceOfIt) {
    const QString file = path(QStringLiteral("old.bmp"));
    ASSERT_TRUE(writeBytes(file, QByteArray(200000, 'x')));
    saveAs(file, QMessageBox::Yes);
    expectBmpOf(readBytes(file), window_->card());
}

TEST_F(SaveCardTest, CancellingWritesNothingAndKeepsTheLastName) {
    const QString first = path(QStringLiteral("first.bmp"));
    saveAs(first);
    ASSERT_EQ(window_->main().fileDialog().fileName, first);
    window_->setTexts({QStringLiteral("changed"), {}, {}, {}, {}});
    const QByteArray before = readBytes(first);

    cancelSave();
    EXPECT_EQ(window_->main().fileDialog().fileName, first);
    EXPECT_EQ(readBytes(first), before);
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files), QStringList{QStringLiteral("first.bmp")});
}

// A folder that refuses writing, even to root: a read-only file system when we are root, else
// a folder without write permission.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(folder) {}
    ~ReadOnlyFolder() {
        if (mounted_) {
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder_});
        } else {
            QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // Makes the folder read-only with `file` (holding `bytes`) in it; false when that is
    // impossible here.
    bool make(const QString& file, const QByteArray& bytes) {
        if (geteuid() != 0) {
            return writeBytes(file, bytes) &&
                   QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
        }
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=1m"), QStringLiteral("tmpfs"), folder_}) != 0) {
            return false;
        }
        mounted_ = true;
        return writeBytes(file, bytes) &&
               QProcess::execute(QStringLiteral("mount"),
                                 {QStringLiteral("-o"), QStringLiteral("remount,ro"), folder_}) ==
                   0;
    }

  private:
    QString folder_;
    bool mounted_ = false;
};

TEST_F(SaveCardTest, UnwritableTargetWritesNothingAndKeepsTheOldFile) {
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("locked")));
    const QString existing = locked + QStringLiteral("/old.bmp");
    const QByteArray oldBytes("an old file that must survive");
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.make(existing, oldBytes)) {
        GTEST_SKIP() << "no way to make a read-only folder here";
    }

    saveAs(existing, QMessageBox::Yes);
    EXPECT_EQ(readBytes(existing), oldBytes);
    saveAs(locked + QStringLiteral("/new.bmp"));
    EXPECT_FALSE(QFileInfo::exists(locked + QStringLiteral("/new.bmp")));
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("old.bmp")});
}

TEST_F(SaveCardTest, ChosenAvatarIsTheSaveDialogsFirstNameAndCanBeReplacedByTheCard) {
    const QString avatar = path(QStringLiteral("face.bmp"));
    ASSERT_TRUE(solidImage(50, 50, qRgb(10, 200, 90)).save(avatar, "BMP"));
    {
        FileDialogDriver driver;
        driver.whenFileDialogShown([&](QFileDialog* dialog) {
            EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
            FileDialogDriver::typeAndConfirm(dialog, avatar);
        });
        window_->main().chooseAvatar();
        ASSERT_EQ(driver.stepsRun(), 1);
    }
    EXPECT_EQ(window_->editBox("编辑框5").content(), avatar);
    EXPECT_TRUE(allNear(window_->card(), avatarBox, qRgb(10, 200, 90), 2));

    // Confirming the offered name unchanged replaces the avatar file with the card.
    FileDialogDriver driver;
    QStringList offered;
    QString shownName;
    driver.whenFileDialogShown([&](QFileDialog* dialog) {
        offered = dialog->selectedFiles();
        shownName = FileDialogDriver::nameBoxText(dialog);
        driver.whenMessageBoxShown(
            [](QMessageBox* box) { FileDialogDriver::press(box, QMessageBox::Yes); });
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")),
                        Qt::Key_Return);
    });
    window_->main().saveCard();
    EXPECT_EQ(offered, QStringList{avatar});
    EXPECT_EQ(shownName, QStringLiteral("face.bmp"));
    expectBmpOf(readBytes(avatar), window_->card());
}

TEST_F(SaveCardTest, AfterASaveTheAvatarDialogAddsBmpToAnExtensionlessName) {
    const QString card = path(QStringLiteral("mine.bmp"));
    saveAs(card);
    EXPECT_EQ(window_->main().fileDialog().defaultExtension, QStringLiteral("bmp"));

    FileDialogDriver driver;
    QString suffix;
    QStringList offered;
    driver.whenFileDialogShown([&](QFileDialog* dialog) {
        suffix = dialog->defaultSuffix();
        offered = dialog->selectedFiles();
        FileDialogDriver::typeAndConfirm(dialog, path(QStringLiteral("mine")));
    });
    window_->main().chooseAvatar();
    EXPECT_EQ(suffix, QStringLiteral("bmp"));
    EXPECT_EQ(offered, QStringList{card});
    EXPECT_EQ(window_->editBox("编辑框5").content(), card);
    // The saved card, read back as the avatar, is drawn shrunk into the box.
    EXPECT_EQ(differingPixels(window_->card(), composeCard(1, initialTexts(), card), wholeCard), 0);
}

TEST_F(SaveCardTest, CancellingTheAvatarDialogLeavesTheAvatarBox) {
    window_->setAvatar(QStringLiteral("typed by hand"));
    FileDialogDriver driver;
    driver.whenFileDialogShown([](QFileDialog* dialog) { FileDialogDriver::cancel(dialog); });
    window_->main().chooseAvatar();
    EXPECT_EQ(driver.stepsRun(), 1);
    EXPECT_EQ(window_->editBox("编辑框5").content(), QStringLiteral("typed by hand"));
    EXPECT_TRUE(window_->main().fileDialog().fileName.isEmpty());
}

}  // namespace
