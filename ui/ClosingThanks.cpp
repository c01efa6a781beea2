#include "ui/ClosingThanks.h"

#include <QMessageBox>

#include "toolkit/DesktopOpen.h"
#include "ui/WebAddresses.h"

namespace ui {

void thankAndOpenHomePage() {
    // No owner: the main window has already left the screen when this runs.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："),
                    QStringLiteral("感谢您的使用,Tarnwick(") + forumHost + QStringLiteral(")！"),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("thankYouBox"));
    box.setWindowModality(Qt::ApplicationModal);
    // Enter, Esc and the close box all dismiss it as OK does; the answer is not used.
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    // No fallback here, and a refusal stays silent.
    toolkit::openInBrowser(homePageUrl);
}

}  // namespace ui
