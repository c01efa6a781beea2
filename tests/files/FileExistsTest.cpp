// The entry test behind the avatar: exact names, folders, wildcards in the last component.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "pictures/FileExists.h"

namespace {

// A folder with two JPEG names, a sub-folder, a FIFO, a dangling link and a name with brackets.
class FileExistsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        for (const char* name : {"face.jpg", "card.jpg", "UPPER.GIF", "a[1].gif", ".hidden"}) {
            QFile file(path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("pictures/empty")));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
        ASSERT_EQ(::symlink("nowhere", QFile::encodeName(path("dangling")).constData()), 0);
    }

    QString path(const char* name) const { return root_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir root_;
};

struct ExistsCase {
    const char* name;  // below the test folder
    bool expected;
};

TEST_F(FileExistsTest, MatchesEntriesOfTheFolder) {
    const ExistsCase cases[] = {
        {"face.jpg", true},
        {"pictures", true},   // a folder counts
        {"pictures/", true},  // named with its closing slash
        {"pipe", true},       // so does a FIFO
        {"dangling", true},   // the link is an entry, whatever it points to
        {"missing.jpg", false},
        {"face.jpg/x", false},  // a file is no folder
        {"*.jpg", true},        // the avatar edge case: a mask over JPEG names
        {"*.png", false},
        {"*.gif", true},  // a[1].gif
        {"*.GIF", true},
        {"*.JPG", false},  // case counts
        {"?ace.jpg", true},
        {"??ace.jpg", false},  // "?" is exactly one character
        {"face.j?g", true},
        {"face.jpg?", false},
        {"f*e*.jpg", true},
        {"*", true},
        {"a[1].gif", true},           // no wildcard: the plain name
        {"a[1]*", true},              // "[" stands for itself beside a wildcard
        {"a[0-9]*", false},           // it is no set of characters
        {"*hidden", true},            // names with a leading dot count as well
        {"pictures/empty/*", false},  // "." and ".." are no entries of the folder
        {"pictures/*", true},
        {"pic*/empty", false},  // wildcards only in the last component
        {"pic*/*", false},
        {"missing/*.jpg", false},
    };
    for (const ExistsCase& c : cases) {
        EXPECT_EQ(pictures::fileExists(path(c.name)), c.expected) << c.name;
    }
}

TEST_F(FileExistsTest, EmptyTextMatchesNothing) {
    EXPECT_FALSE(pictures::fileExists(QString()));
}

TEST_F(FileExistsTest, TextWithNulMatchesNothing) {
    EXPECT_FALSE(pictures::fileExists(path("face.jpg") + QChar(u'\0') + QStringLiteral("x")));
}

TEST_F(FileExistsTest, RelativePathsStartAtTheCurrentDirectory) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root_.path()));
    const bool plain = pictures::fileExists(QStringLiteral("face.jpg"));
    const bool mask = pictures::fileExists(QStringLiteral("*.jpg"));
    const bool below = pictures::fileExists(QStringLiteral("pictures/*"));
    const bool missing = pictures::fileExists(QStringLiteral("*.png"));
    QDir::setCurrent(before);
    EXPECT_TRUE(plain);
    EXPECT_TRUE(mask);
    EXPECT_TRUE(below);
    EXPECT_FALSE(missing);
}

TEST_F(FileExistsTest, RootFolderMask) {
    EXPECT_TRUE(pictures::fileExists(QStringLiteral("/*")));
    EXPECT_TRUE(pictures::fileExists(QStringLiteral("/")));
}

struct WildcardCase {
    const char* mask;
    const char* name;
    bool expected;
};

TEST(WildcardTest, MatchesWholeNames) {
    const WildcardCase cases[] = {
        {"*", "anything", true},
        {"*.bmp", "card.bmp", true},
        {"*.bmp", "card.bmp.txt", false},
        {"*.bmp", ".bmp", true},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"a*bc", "abcbc", true},  // the star must give back what it took
        {"**x", "x", true},
        {"?", "中", true},  // one character, not one byte
        {"??", "中", false},
        {"?", "😀", true},  // outside the BMP: still one character
        {"头像*.jpg", "头像1.jpg", true},
        {"a?c", "ac", false},
        {"abc", "ABC", false},
    };
    for (const WildcardCase& c : cases) {
        EXPECT_EQ(pictures::matchesWildcard(QString::fromUtf8(c.mask), QString::fromUtf8(c.name)),
                  c.expected)
            << c.mask << " / " << c.name;
    }
}

}  // namespace
