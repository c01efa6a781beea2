// The desktop's "open" action for web addresses.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace toolkit {

// Asks the desktop to open `address` in the user's default browser; true when the desktop
// accepted the request. Returns without waiting for the browser.
bool openInBrowser(const QString& address);

// openInBrowser, and when the desktop refuses, the commands named by the BROWSER environment
// variable (the free desktops' stand-in for the registered handler of web pages), tried in
// turn until one starts. Gives back whether the last attempt succeeded.
bool openInBrowserWithFallback(const QString& address);

// Replaces the desktop's opener (tests record the addresses instead); an empty function
// restores the real one.
using DesktopOpener = std::function<bool(const QString& address)>;
void setDesktopOpener(DesktopOpener opener);

// Replaces how the fallback starts a program (tests record the argument list instead).
using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
void setProgramStarter(ProgramStarter starter);

// The argument lists that a BROWSER value gives for `address`, one per command of its
// ":"-separated list: "%s" in a word is replaced by the address, else the address is appended
// as one more word. Words are separated by blanks and grouped by quotes; nothing else is
// special, as the list runs as a program and its arguments, never through a shell.
QList<QStringList> browserCommandsFor(const QString& browserVariable, const QString& address);

}  // namespace toolkit
