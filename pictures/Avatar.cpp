#include "pictures/Avatar.h"

#include <QFile>

#include "assets/Assets.h"
#include "pictures/FileExists.h"
#include "pictures/decoders/LoadPicture.h"

namespace pictures {

std::optional<toolkit::Picture> loadAvatar(const QString& path) {
    // The default stands in only when nothing of that name exists: an entry that does not
    // decode (a folder, a wildcard mask, a damaged file) gives none, and the box stays empty.
    if (fileExists(path)) {
        return loadPicture(QFile::encodeName(path).toStdString());
    }
    return loadPicture(assets::defaultAvatar());
}

}  // namespace pictures
