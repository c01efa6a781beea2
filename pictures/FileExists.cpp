#include "pictures/FileExists.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QList>
#include <memory>

namespace pictures {

namespace {

bool hasWildcard(const QString& text) {
    return text.contains(u'*') || text.contains(u'?');
}

bool entryExists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Matches code point by code point, so that "?" stands for one character outside the BMP too.
bool matchCodePoints(const QList<uint>& mask, const QList<uint>& name) {
    qsizetype m = 0;
    qsizetype n = 0;
    qsizetype starMask = -1;  // position after the last "*" seen, for backtracking
    qsizetype starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = ++m;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*') {
        ++m;
    }
    return m == mask.size();
}

bool folderHasMatch(const QString& folder, const QString& mask) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(folder).constData()),
                                                  &::closedir);
    if (!dir) {
        return false;
    }
    const QList<uint> maskPoints = mask.toUcs4();
    while (const dirent* entry = ::readdir(dir.get())) {
        const QString name = QFile::decodeName(entry->d_name);
        // The folder itself and its parent are no entries of the folder.
        if (name == u"." || name == u"..") {
            continue;
        }
        if (matchCodePoints(maskPoints, name.toUcs4())) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool matchesWildcard(const QString& mask, const QString& name) {
    return matchCodePoints(mask.toUcs4(), name.toUcs4());
}

bool fileExists(const QString& path) {
    // The system cuts a path at a NUL character; such a text names nothing.
    if (path.isEmpty() || path.contains(QChar(u'\0'))) {
        return false;
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString last = path.mid(slash + 1);
    if (!hasWildcard(last)) {
        return entryExists(path);
    }
    // A wildcard anywhere before the last component is an ordinary character of a folder name.
    const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash == 0 ? 1 : slash);
    return folderHasMatch(folder, last);
}

}  // namespace pictures
