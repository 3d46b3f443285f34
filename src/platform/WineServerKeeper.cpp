#include "platform/WineServerKeeper.h"

#include "platform/Process.h"
#include "platform/Wine.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace tornavel {

WineServerKeeper::~WineServerKeeper() {
    stop();
}

bool WineServerKeeper::running() {
    if (pid_ <= 0) {
        return false;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
        return true;
    }
    pid_ = -1; // ended: another server had the prefix, or it was ended
    return false;
}

namespace {

// Starts wineserver with the arguments in the prefix, in a process group of
// its own (a terminal's Ctrl+C meant for us does not reach it) and with its
// streams on /dev/null. -1 when it cannot start.
pid_t startServer(const std::string& prefix, const std::vector<std::string>& options) {
    const std::string server = FindInPath("wineserver");
    if (server.empty()) {
        return -1;
    }
    std::vector<std::string> args{server};
    args.insert(args.end(), options.begin(), options.end());
    const std::vector<std::string> environment = EnvironmentWith(WineVariables(prefix));
    const std::vector<char*> argv = ExecPointers(args);
    const std::vector<char*> envp = ExecPointers(environment);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    for (const int fd : {0, 1, 2}) {
        ::posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                           0);
    }
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    if (::posix_spawn(&pid, server.c_str(), &actions, &attributes, argv.data(), envp.data()) != 0) {
        pid = -1;
    }
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

void WineServerKeeper::ensureRunning() {
    if (!running()) {
        pid_ = startServer(prefix_, {"-f", "-p"});
    }
}

void EndWinePrograms(const std::string& prefix) {
    const pid_t pid = startServer(prefix, {"-k"});
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

void WineServerKeeper::stop() {
    if (!running()) {
        return;
    }
    // As "wineserver -k" asks it: SIGINT makes the server end every program
    // of the prefix (wine's own services too, which a SIGTERM would leave
    // running without it), save the registry and end.
    ::kill(pid_, SIGINT);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
}

} // namespace tornavel
