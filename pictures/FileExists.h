// The entry test behind the avatar: does any file-system entry match a path?
#pragma once

#include <QString>

namespace pictures {

// True when at least one entry (file, folder, or any other kind) matches path. Only the last
// component may hold wildcards: "*" stands for any run of characters, "?" for exactly one; every
// other character, "[" included, stands for itself, and case counts. A path without wildcards
// names the entry itself, not what a symbolic link points to, so a dangling link still counts.
// A relative path is looked up against the current directory; an empty one matches nothing.
bool fileExists(const QString& path);

// Whether name matches mask, with the wildcards of fileExists.
bool matchesWildcard(const QString& mask, const QString& name);

}  // namespace pictures
