// The avatar a card shows.
#pragma once

#include <QString>
#include <optional>

#include "toolkit/Picture.h"

namespace pictures {

// The picture named by `path` (taken unchanged) when the file system has an entry of that
// name, which may give none; otherwise the built-in default avatar.
std::optional<toolkit::Picture> loadAvatar(const QString& path);

}  // namespace pictures
