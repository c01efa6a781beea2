// namecard: makes a personal name card for a forum signature.
#include "app/Program.h"

int main(int argc, char** argv) {
    return app::runProgram(argc, argv);
}
