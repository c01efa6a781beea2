// Fatal errors: a failed check in the program's logic ends it at once.
#pragma once

#include <QString>

namespace toolkit {

// Switches event delivery off, shows one modal report naming the error (its number, when it
// has one, and its description), and ends the process with exit status -1 (255) without the
// closing sequence: no handler runs and no shutdown hook.
[[noreturn]] void raiseFatalError(int number, const QString& description);

}  // namespace toolkit
