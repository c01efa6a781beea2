#include "pictures/WriteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>

namespace pictures {

namespace {

bool isSpecialEntry(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool writeAll(int fd, QByteArrayView bytes) {
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        at += written;
        left -= written;
    }
    return true;
}

// A device or FIFO: renaming a new file over it would destroy it, so it gets the bytes itself.
bool writeInPlace(const QByteArray& path, std::initializer_list<QByteArrayView> pieces) {
    const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    for (QByteArrayView piece : pieces) {
        if (ok && !piece.isEmpty()) {
            ok = writeAll(fd, piece);
        }
    }
    const bool closed = ::close(fd) == 0;
    return ok && closed;
}

bool writeReplacing(const QString& fileName, std::initializer_list<QByteArrayView> pieces) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (QByteArrayView piece : pieces) {
        if (!piece.isEmpty() && file.write(piece.data(), piece.size()) != piece.size()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();  // also false when the data could not all reach the disk
}

}  // namespace

bool writeFileBytes(const QString& fileName, std::initializer_list<QByteArrayView> pieces) {
    if (fileName.isEmpty()) {
        return false;
    }
    const QByteArray path = QFile::encodeName(fileName);
    if (path.contains('\0')) {
        return false;
    }
    if (isSpecialEntry(path)) {
        return writeInPlace(path, pieces);
    }
    return writeReplacing(fileName, pieces);
}

}  // namespace pictures
