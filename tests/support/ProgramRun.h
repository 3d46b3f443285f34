#pragma once

#include "support/TempDir.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tornavel::test {

struct ProgramRun {
    int status = -1; // the exit code, or 128 + the signal that ended the program
    std::string out;
    std::string err;
};

// Runs args[0] (a path) with the arguments args[1..], directly, never through
// a shell, in a process group of its own, with its standard output and error
// in files of scratch, and waits for it (after meanwhile, when given, has
// done with its process id). The environment is this process's with the
// "NAME=value" entries of variables set.
ProgramRun runProgram(const std::vector<std::string>& args, const TempDir& scratch,
                      const std::vector<std::string>& variables = {},
                      const std::function<void(pid_t)>& meanwhile = {});

} // namespace tornavel::test
