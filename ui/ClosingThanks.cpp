#include "ui/ClosingThanks.h"

#include <QMessageBox>

#include "toolkit/DesktopOpen.h"
#include "ui/WebAddresses.h"

namespace ui {

void thankAndOpenHomePage() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："),
                    QStringLiteral("感谢您的使用,Tarnwick(") + forumHost + QStringLiteral(")！"),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("thankYouBox"));
    box.setWindowModality(Qt::ApplicationModal);
    // Esc and the close box dismiss it as OK does.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    toolkit::openInBrowser(homePageUrl);
}

}  // namespace ui
