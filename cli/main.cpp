// namecard-cli: the name card maker's work without its window.
//   namecard-cli decode INPUT OUTPUT.png
//   namecard-cli render [options] -o OUT.bmp|OUT.png
//   namecard-cli tune --midi OUT.mid | --wav OUT.wav --seconds N
#include <cstdio>
#include <cstring>
#include <string_view>

#include "cli/Commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(int argc, char** argv);
};

// Each command parses its own arguments (argv[0] is the command's name) and returns the
// process's exit status: 0 done, 1 failed, 2 bad usage.
constexpr Command commands[] = {
    {"decode", cli::runDecode},
    {"render", cli::runRender},
    {"tune", cli::runTune},
};

int usage() {
    std::fputs(
        "usage: namecard-cli decode INPUT OUTPUT.png\n"
        "       namecard-cli render [--template N] [--nickname T] [--forum T] [--title T]\n"
        "                           [--qq T] [--signature T] [--avatar PATH] -o OUT.bmp|OUT.png\n"
        "       namecard-cli tune --midi OUT.mid\n"
        "       namecard-cli tune --wav OUT.wav --seconds N\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usage();
    }
    for (const Command& command : commands) {
        if (command.name == argv[1]) {
            return command.run(argc - 1, argv + 1);
        }
    }
    return usage();
}
