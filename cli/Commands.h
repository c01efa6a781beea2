// The subcommands of namecard-cli. Each takes its own argument vector (argv[0] is the
// command's name) and returns the exit status: 0 done, 1 failed, 2 bad usage.
#pragma once

namespace cli {

int runDecode(int argc, char** argv);
int runRender(int argc, char** argv);
int runTune(int argc, char** argv);

}  // namespace cli
