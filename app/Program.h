// The program frame: start-up, the event loop, and the end.
#pragma once

#include <functional>

namespace ui {
class MainWindow;
}

namespace app {

// Ways in for test programs only; the real program passes none.
struct ProgramHooks {
    // Runs after the main window has been loaded, before the event loop.
    std::function<void(ui::MainWindow&)> afterLoad;
};

// Runs the whole program and returns its exit status: 0 after a normal end. (A fatal error
// ends the process with 255 and does not return.)
int runProgram(int argc, char** argv, const ProgramHooks& hooks = {});

}  // namespace app
