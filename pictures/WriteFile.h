// Writing a file in one go, such that a failure never costs the data that was there before.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <initializer_list>

namespace pictures {

// Writes the pieces, in order, as the whole new content of fileName; empty pieces add nothing,
// so no pieces at all leave an empty file. True once everything is written and closed.
//
// A regular file (new, existing, or reached through a symbolic link) is written to a temporary
// file beside it that replaces it only when complete: on any failure (no such folder, no access,
// a full disk) the old file stays as it was and false comes back. An existing entry that is not
// a regular file (a FIFO, a terminal, /dev/stdout) is written in place and never replaced.
// An empty fileName yields false and touches nothing.
bool writeFileBytes(const QString& fileName, std::initializer_list<QByteArrayView> pieces);

}  // namespace pictures
