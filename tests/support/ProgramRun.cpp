#include "support/ProgramRun.h"

#include "platform/Process.h"
#include "platform/Wine.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

namespace tornavel::test {

ProgramRun runProgram(const std::vector<std::string>& args, const TempDir& scratch,
                      const std::vector<std::string>& variables) {
    const auto outFile = scratch.path() / "stdout.txt";
    const auto errFile = scratch.path() / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const std::vector<std::string> environment = EnvironmentWith(variables);
    const std::vector<char*> argv = ExecPointers(args);
    const std::vector<char*> envp = ExecPointers(environment);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        throw std::runtime_error("cannot start " + args.front());
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
