#include "support/ProgramRun.h"

#include "platform/Process.h"
#include "platform/Wine.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

namespace tornavel::test {

ProgramRun runProgram(const std::vector<std::string>& args, const TempDir& scratch,
                      const std::vector<std::string>& variables,
                      const std::function<void(pid_t)>& meanwhile) {
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
    // A group of its own, as a terminal's foreground job has.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) {
        throw std::runtime_error("cannot start " + args.front());
    }
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
