// Writing the card file: new files, replaced files, special files, and failures that must
// leave an existing file as it was.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <future>

#include "pictures/WriteFile.h"
#include "tests/files/QtPrinters.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class WriteFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QStringList entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    QTemporaryDir dir_;
};

TEST_F(WriteFileTest, EmptyNameFailsAndTouchesNothing) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    const bool written = pictures::writeFileBytes(QString(), {QByteArrayView("data")});
    QDir::setCurrent(before);
    EXPECT_FALSE(written);
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(WriteFileTest, NewFileHoldsThePiecesInOrder) {
    ASSERT_TRUE(pictures::writeFileBytes(path("card.bmp"), {"BM", "", "header", "pixels"}));
    EXPECT_EQ(readAll(path("card.bmp")), QByteArray("BMheaderpixels"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("card.bmp")});  // no temporary file left
}

TEST_F(WriteFileTest, NewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    const bool written = pictures::writeFileBytes(path("card.bmp"), {"x"});
    ::umask(mask);
    ASSERT_TRUE(written);
    EXPECT_EQ(modeOf(path("card.bmp")), 0644);
}

TEST_F(WriteFileTest, ReplacesALongerFileWholly) {
    putFile(path("card.bmp"), QByteArray(5000, 'o'));
    ASSERT_TRUE(pictures::writeFileBytes(path("card.bmp"), {"new"}));
    EXPECT_EQ(readAll(path("card.bmp")), QByteArray("new"));
}

TEST_F(WriteFileTest, NoBytesLeaveAnEmptyFile) {
    putFile(path("old.bmp"), QByteArray("old content"));
    EXPECT_TRUE(pictures::writeFileBytes(path("old.bmp"), {QByteArrayView()}));
    EXPECT_TRUE(pictures::writeFileBytes(path("new.bmp"), {}));
    EXPECT_EQ(QFileInfo(path("old.bmp")).size(), 0);
    ASSERT_TRUE(QFileInfo::exists(path("new.bmp")));
    EXPECT_EQ(QFileInfo(path("new.bmp")).size(), 0);
}

TEST_F(WriteFileTest, KeepsThePermissionsOfAReplacedFile) {
    putFile(path("card.bmp"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("card.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(pictures::writeFileBytes(path("card.bmp"), {"new"}));
    EXPECT_EQ(modeOf(path("card.bmp")), 0600);
}

TEST_F(WriteFileTest, WritesThroughASymbolicLink) {
    putFile(path("target.bmp"), "old");
    ASSERT_TRUE(QFile::link(path("target.bmp"), path("link.bmp")));
    ASSERT_TRUE(pictures::writeFileBytes(path("link.bmp"), {"new"}));
    EXPECT_TRUE(QFileInfo(path("link.bmp")).isSymLink());
    EXPECT_EQ(readAll(path("target.bmp")), QByteArray("new"));
}

TEST_F(WriteFileTest, UnreachablePlacesFailAndCreateNothing) {
    putFile(path("plain"), "file");
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder")));
    const char* targets[] = {"missing/card.bmp", "plain/card.bmp", "folder"};
    for (const char* target : targets) {
        EXPECT_FALSE(pictures::writeFileBytes(path(target), {"data"})) << target;
    }
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("folder"), QStringLiteral("plain")}));
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
    EXPECT_EQ(readAll(path("plain")), QByteArray("file"));
}

TEST_F(WriteFileTest, FifoIsWrittenInPlace) {
    const QByteArray fifo = QFile::encodeName(path("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Both ends open before the write: the writer's open then never waits, and the reader sees
    // the end of the data only once our own write end closes, whatever the writer did.
    const int readEnd = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    ASSERT_EQ(::fcntl(readEnd, F_SETFL, 0), 0);
    const int holdEnd = ::open(fifo.constData(), O_WRONLY);
    ASSERT_GE(holdEnd, 0);
    auto reader = std::async(std::launch::async, [readEnd] {
        QByteArray received;
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(readEnd, buffer, sizeof buffer)) > 0) {
            received.append(buffer, got);
        }
        ::close(readEnd);
        return received;
    });
    const QByteArray big(100000, 'b');  // more than a pipe holds at once
    const bool written = pictures::writeFileBytes(path("pipe"), {"head", big});
    ::close(holdEnd);
    EXPECT_TRUE(written);
    EXPECT_EQ(reader.get(), QByteArray("head") + big);
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("pipe")});
}

// A 64 KiB file system of its own, for failures that permission bits cannot cause for root.
class SmallFileSystemTest : public WriteFileTest {
  protected:
    void SetUp() override {
        WriteFileTest::SetUp();
        if (::geteuid() != 0) {
            GTEST_SKIP() << "mounting a file system needs root";
        }
        mountPoint_ = QFile::encodeName(dir_.path());
        if (::mount("tmpfs", mountPoint_.constData(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here";
        }
        mounted_ = true;
    }

    void TearDown() override {
        if (mounted_) {
            ::umount2(mountPoint_.constData(), MNT_DETACH);
        }
    }

    QByteArray mountPoint_;
    bool mounted_ = false;
};

TEST_F(SmallFileSystemTest, FullDiskKeepsTheOldFile) {
    const QByteArray old(1000, 'o');
    putFile(path("card.bmp"), old);
    const QByteArray card(126054, 'c');
    EXPECT_FALSE(pictures::writeFileBytes(path("card.bmp"), {card}));
    EXPECT_EQ(readAll(path("card.bmp")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("card.bmp")});
}

TEST_F(SmallFileSystemTest, ReadOnlyFolderKeepsTheOldFile) {
    putFile(path("card.bmp"), "old");
    ASSERT_EQ(::mount(nullptr, mountPoint_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    EXPECT_FALSE(pictures::writeFileBytes(path("card.bmp"), {"new"}));
    EXPECT_FALSE(pictures::writeFileBytes(path("other.bmp"), {"new"}));
    EXPECT_EQ(readAll(path("card.bmp")), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("card.bmp")});
}

}  // namespace
