#include "toolkit/FatalError.h"

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "toolkit/Events.h"

namespace toolkit {

void raiseFatalError(int number, const QString& description) {
    EventGate::close();
    const QString text = number != 0
                             ? QStringLiteral("运行时错误 %1：%2").arg(number).arg(description)
                             : description;
    std::fprintf(stderr, "namecard: fatal error: %s\n", qPrintable(text));
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox report(QMessageBox::Critical, QStringLiteral("致命错误"), text,
                           QMessageBox::Ok);
        report.setObjectName(QStringLiteral("fatalErrorReport"));
        report.setWindowModality(Qt::ApplicationModal);
        report.exec();
    }
    std::fflush(nullptr);
    // Nothing of the normal end may run: no closing sequence, no shutdown hook, no destructor
    // of a window that might still raise events.
    _exit(255);
}

}  // namespace toolkit
