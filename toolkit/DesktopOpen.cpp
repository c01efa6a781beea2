#include "toolkit/DesktopOpen.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace toolkit {

namespace {

DesktopOpener& desktopOpener() {
    static DesktopOpener opener;
    return opener;
}

ProgramStarter& programStarter() {
    static ProgramStarter starter;
    return starter;
}

// Splits a command line into words the way a user writes one in BROWSER: blanks separate,
// double or single quotes group. No other shell syntax means anything.
QStringList splitCommandLine(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (const QChar c : line) {
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            } else {
                word += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}

}  // namespace

bool openInBrowser(const QString& address) {
    if (address.isEmpty()) {
        return false;
    }
    if (desktopOpener()) {
        return desktopOpener()(address);
    }
    return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

QList<QStringList> browserCommandsFor(const QString& browserVariable, const QString& address) {
    QList<QStringList> commands;
    for (const QString& entry : browserVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        QStringList words = splitCommandLine(entry);
        if (words.isEmpty()) {
            continue;
        }
        bool substituted = false;
        for (QString& word : words) {
            if (word.contains(QLatin1String("%s"))) {
                word.replace(QLatin1String("%s"), address);
                substituted = true;
            }
        }
        if (!substituted) {
            words << address;
        }
        commands << words;
    }
    return commands;
}

bool openInBrowserWithFallback(const QString& address) {
    if (address.isEmpty()) {
        return false;
    }
    if (openInBrowser(address)) {
        return true;
    }
    for (QStringList command : browserCommandsFor(qEnvironmentVariable("BROWSER"), address)) {
        const QString program = command.takeFirst();
        const bool started = programStarter() ? programStarter()(program, command)
                                              : QProcess::startDetached(program, command);
        if (started) {
            return true;
        }
    }
    return false;
}

void setDesktopOpener(DesktopOpener opener) {
    desktopOpener() = std::move(opener);
}
void setProgramStarter(ProgramStarter starter) {
    programStarter() = std::move(starter);
}

}  // namespace toolkit
