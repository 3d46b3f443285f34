#include "support/ProgramRun.h"

#include "platform/ProcessStarter.h"

#include <sys/wait.h>

namespace tornavel::test {

ProgramRun runProgram(const std::vector<std::string>& args, const TempDir& scratch,
                      const std::vector<std::string>& variables,
                      const std::function<void(pid_t)>& meanwhile) {
    const auto outFile = scratch.path() / "stdout.txt";
    const auto errFile = scratch.path() / "stderr.txt";
    ProcessOptions options(args, variables);
    options.output = ChildStream::file(outFile.string());
    options.error = ChildStream::file(errFile.string());
    options.ownProcessGroup = true; // as a terminal's foreground job has
    const pid_t pid = StartProcess(options).pid;
    if (meanwhile) {
        meanwhile(pid);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readFileBytes(outFile);
    run.err = readFileBytes(errFile);
    return run;
}

} // namespace tornavel::test
