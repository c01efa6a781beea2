// What the avatar box shows for what 编辑框5 names.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "assets/Assets.h"
#include "tests/card/CardPixels.h"
#include "tests/card/CardWindow.h"
#include "tests/card/PictureFiles.h"

namespace {

using namespace cardtest;

class AvatarTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { window_ = std::make_unique<CardWindow>(); }
    static void TearDownTestSuite() { window_.reset(); }

    void SetUp() override {
        window_->reset();
        ASSERT_TRUE(dir_.isValid());
        folder_ = QDir(dir_.path()).canonicalPath();
        const assets::Bytes gif = assets::defaultAvatar();
        ASSERT_TRUE(
            writeBytes(path("default.gif"), QByteArray(reinterpret_cast<const char*>(gif.data()),
                                                       static_cast<qsizetype>(gif.size()))));
        ASSERT_TRUE(writeBytes(path("notes.txt"), "not a picture\n"));
        ASSERT_TRUE(solidImage(40, 40, qRgb(200, 30, 60)).save(path("red.png"), "PNG"));
        ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("photos")));
        for (const char* name : {"photos/a.jpg", "photos/b.jpg"}) {
            ASSERT_TRUE(solidImage(60, 60, qRgb(20, 120, 220)).save(path(name), "JPEG"));
        }
        ASSERT_TRUE(writeBytes(path("face.ico"), halfTransparentIcon(qRgb(0, 160, 0))));
    }

    QString path(const char* name) const { return folder_ + u'/' + QString::fromUtf8(name); }

    // The card with the default avatar, read from a file of its own bytes.
    QImage defaultAvatarCard() {
        window_->setAvatar(path("default.gif"));
        return window_->card().copy();
    }

    static std::unique_ptr<CardWindow> window_;
    QTemporaryDir dir_;
    QString folder_;
};

std::unique_ptr<CardWindow> AvatarTest::window_;

enum class BoxShows { DefaultAvatar, TemplateFrame };

struct AvatarCase {
    const char* what;
    QString avatar;
    BoxShows shows;
};

TEST_F(AvatarTest, NamedEntryDecidesBetweenDefaultAvatarPictureAndEmptyFrame) {
    const QImage withDefault = defaultAvatarCard();
    const QImage background = templateImage(1);
    ASSERT_GT(differingPixels(withDefault, background, avatarBox), 0);

    const AvatarCase cases[] = {
        {"nothing named", QString(), BoxShows::DefaultAvatar},
        {"a missing file", path("missing.jpg"), BoxShows::DefaultAvatar},
        {"an existing file's name after a space (taken untrimmed)", u' ' + path("notes.txt"),
         BoxShows::DefaultAvatar},
        {"a folder", folder_, BoxShows::TemplateFrame},
        {"a text file", path("notes.txt"), BoxShows::TemplateFrame},
        {"a PNG picture", path("red.png"), BoxShows::TemplateFrame},
        {"a mask matching JPEG files", path("photos/*.jpg"), BoxShows::TemplateFrame},
        {"a mask with ? matching a JPEG file", path("photos/?.jpg"), BoxShows::TemplateFrame},
        {"a mask matching nothing", path("photos/*.gif"), BoxShows::DefaultAvatar},
    };
    for (const AvatarCase& c : cases) {
        SCOPED_TRACE(c.what);
        window_->setAvatar(c.avatar);
        const QImage& shown = window_->card();
        const QImage& expected = c.shows == BoxShows::DefaultAvatar ? withDefault : background;
        EXPECT_EQ(differingPixels(shown, expected, avatarBox), 0);
        EXPECT_EQ(differingPixelsOutside(shown, withDefault, {avatarBox}), 0);
    }
}

TEST_F(AvatarTest, EachKeystrokeInThePathDecidesAfresh) {
    const QImage withDefault = defaultAvatarCard();
    const QImage background = templateImage(1);
    window_->setAvatar(QString());
    QLineEdit* edit = window_->editBox("编辑框5").lineEdit();
    ASSERT_NE(edit, nullptr);

    struct Step {
        QString typed;  // what the box holds after these keys
        BoxShows shows;
    };
    const QString photos = folder_ + QStringLiteral("/photos");
    const Step steps[] = {
        {folder_ + QStringLiteral("/pho"), BoxShows::DefaultAvatar},
        {photos, BoxShows::TemplateFrame},
        {photos + QStringLiteral("/a"), BoxShows::DefaultAvatar},
    };
    QString typedSoFar;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed.toStdString());
        QTest::keyClicks(edit, step.typed.mid(typedSoFar.size()));
        typedSoFar = step.typed;
        ASSERT_EQ(window_->editBox("编辑框5").content(), step.typed);
        const QImage& expected = step.shows == BoxShows::DefaultAvatar ? withDefault : background;
        EXPECT_EQ(differingPixels(window_->card(), expected, avatarBox), 0);
    }
    QTest::keyClicks(edit, QStringLiteral(".jpg"));
    EXPECT_TRUE(allNear(window_->card(), avatarBox, qRgb(20, 120, 220), 8));
}

struct StretchCase {
    int width;
    int height;
    const char* format;
};

TEST_F(AvatarTest, AnyPictureFillsExactlyTheBox) {
    const StretchCase cases[] = {
        {10, 300, "BMP"},  {500, 20, "BMP"}, {1, 1, "BMP"},      {90, 90, "BMP"},
        {300, 140, "BMP"}, {7, 3, "JPEG"},   {640, 480, "JPEG"},
    };
    const QImage background = templateImage(1);
    const QRgb colour = qRgb(200, 30, 60);
    // The pixels just outside the box, all round.
    const QRect around[] = {QRect(11, 31, 92, 1), QRect(11, 122, 92, 1), QRect(11, 31, 1, 92),
                            QRect(102, 31, 1, 92)};
    for (const StretchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " " << c.format);
        const QString file = path("avatar") + u'.' + QString::fromLatin1(c.format).toLower();
        ASSERT_TRUE(solidImage(c.width, c.height, colour).save(file, c.format));
        window_->setAvatar(file);
        const QImage& shown = window_->card();
        const int tolerance = QByteArray(c.format) == "JPEG" ? 8 : 2;
        EXPECT_TRUE(allNear(shown, avatarBox, colour, tolerance));
        for (const QRect& edge : around) {
            EXPECT_EQ(differingPixels(shown, background, edge), 0);
        }
    }
}

TEST_F(AvatarTest, PictureIsStretchedTheRightWayUp) {
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    ASSERT_TRUE(quarteredImage(180, 60, colours).save(path("quarters.bmp"), "BMP"));
    window_->setAvatar(path("quarters.bmp"));
    const QImage& shown = window_->card();
    // Away from the middle lines, where smoothing mixes the quarters.
    EXPECT_TRUE(allNear(shown, QRect(12, 32, 40, 40), colours[0], 2));
    EXPECT_TRUE(allNear(shown, QRect(62, 32, 40, 40), colours[1], 2));
    EXPECT_TRUE(allNear(shown, QRect(12, 82, 40, 40), colours[2], 2));
    EXPECT_TRUE(allNear(shown, QRect(62, 82, 40, 40), colours[3], 2));
}

TEST_F(AvatarTest, IconShowsTheTemplateThroughItsTransparentPart) {
    const QImage background = templateImage(1);
    window_->setAvatar(path("face.ico"));
    const QImage& shown = window_->card();
    // The left half of the icon is transparent, its right half green.
    EXPECT_EQ(differingPixels(shown, background, QRect(12, 32, 40, 90)), 0);
    EXPECT_TRUE(allNear(shown, QRect(62, 32, 40, 90), qRgb(0, 160, 0), 2));
}

}  // namespace
