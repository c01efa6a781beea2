// Qt's own texts (file dialogs, message box buttons) in the user's language.
#pragma once

class QCoreApplication;

namespace app {

// Installs Qt's translations for the system locale when they are there; English otherwise.
void installQtTranslations(QCoreApplication& application);

}  // namespace app
