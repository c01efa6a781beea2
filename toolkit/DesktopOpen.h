// The desktop's "open" action for web addresses.
#pragma once

#include <QString>
#include <functional>

namespace toolkit {

// Asks the desktop to open `address` in the user's default browser; true when the desktop
// accepted the request. Returns without waiting for the browser.
bool openInBrowser(const QString& address);

// openInBrowser, and when the desktop refuses, the command named by the BROWSER environment
// variable (the desktop's convention for the user's browser): "%s" in it is replaced by the
// address, else the address is appended; it runs as an argument list, never through a shell.
bool openInBrowserWithFallback(const QString& address);

// Replaces the desktop's opener (tests record the addresses instead); an empty function
// restores the real one.
using DesktopOpener = std::function<bool(const QString& address)>;
void setDesktopOpener(DesktopOpener opener);

// Replaces how the fallback starts a program (tests record the argument list instead).
using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
void setProgramStarter(ProgramStarter starter);

// The argument list the BROWSER command gives for `address`: empty when BROWSER is unset or
// empty. Only the first command of a ":"-separated list is used.
QStringList browserCommandFor(const QString& browserVariable, const QString& address);

}  // namespace toolkit
