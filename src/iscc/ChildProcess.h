#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel::iscc {

// Runs a program (never through a shell) with the given environment and
// standard input from /dev/null, and waits for it. Its standard output and
// error, merged in order, go either through a pipe to sink as they arrive or,
// without a sink, into the file outputFile.
//
// The wait ends when the program ends, not when its output does: a wine
// server the program started keeps the pipe open for seconds after, and
// whatever the program wrote before it ended is still read. SIGINT, SIGTERM
// and SIGHUP sent to this process are passed on to the program, so the
// caller still cleans up after it.
//
// Returns the exit code, or 128 + the signal for a program ended by one
// (the signal's number also goes to *endingSignal when given, 0 otherwise).
// Throws std::system_error when the program cannot be started.
struct ChildOutput {
    std::function<void(std::string_view)> sink;
    std::string outputFile;
};
int RunAndWait(const std::vector<std::string>& args, const std::vector<std::string>& environment,
               const ChildOutput& output, int* endingSignal = nullptr);

} // namespace tornavel::iscc
