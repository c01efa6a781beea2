// The forum's web addresses: every one is on forumHost.
#pragma once

#include <QString>

namespace ui {

// A reserved name: the program never sends traffic to somebody else's site.
inline const QString forumHost = QStringLiteral("bbs.tarnwick.example");
// The home page: no path and no closing slash.
inline const QString homePageUrl = QStringLiteral("http://") + forumHost;
inline const QString dailySignInUrl = homePageUrl + QStringLiteral("/hack.php?H_name=qiandao");
inline const QString homeAreaUrl = homePageUrl + QStringLiteral("/index.php?m=area");

}  // namespace ui
