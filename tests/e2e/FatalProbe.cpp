// The real program with a failed check forced after start-up: the card is asked for with no
// template chosen, which the renderer treats as a fatal error.
#include "app/Program.h"
#include "toolkit/ComboBox.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    app::ProgramHooks hooks;
    hooks.afterLoad = [](ui::MainWindow& mainWindow) {
        mainWindow.window()
            .find<toolkit::ComboBox>(QStringLiteral("组合框1"))
            ->setCurrentSelection(-1);
        mainWindow.renderCard();
    };
    return app::runProgram(argc, argv, hooks);
}
