#include "iscc/ChildProcess.h"

#include "platform/FileDescriptor.h"
#include "platform/Process.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace tornavel::iscc {
namespace {

volatile std::sig_atomic_t pendingSignal = 0;
int signalWakeFd = -1;

extern "C" void rememberSignal(int signal) {
    pendingSignal = signal;
    if (signalWakeFd >= 0) {
        const char byte = 0;
        (void)!::write(signalWakeFd, &byte, 1);
    }
}

[[noreturn]] void failWith(int err, const char* what) {
    throw std::system_error(err, std::generic_category(), what);
}

// A pipe whose both ends close on exec; the child gets an end only through dup2.
std::array<UniqueFd, 2> makePipe(int extraFlags) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | extraFlags) != 0) {
        failWith(errno, "pipe");
    }
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// While alive, SIGINT, SIGTERM and SIGHUP are remembered and wake the wait.
class SignalForwarding {
public:
    explicit SignalForwarding(int wakeFd) {
        signalWakeFd = wakeFd;
        pendingSignal = 0;
        struct sigaction action {};
        action.sa_handler = rememberSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            ::sigaction(kSignals[i], &action, &previous_[i]);
        }
    }
    ~SignalForwarding() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            ::sigaction(kSignals[i], &previous_[i], nullptr);
        }
        signalWakeFd = -1;
    }
    SignalForwarding(const SignalForwarding&) = delete;
    SignalForwarding& operator=(const SignalForwarding&) = delete;

private:
    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> previous_{};
};

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            int outputFd) {
    const UniqueFd devNull(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (devNull.get() < 0) {
        failWith(errno, "/dev/null");
    }
    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0) {
        failWith(ENOMEM, "posix_spawn");
    }
    ::posix_spawn_file_actions_adddup2(&actions, devNull.get(), 0);
    ::posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    ::posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    const std::vector<char*> argv = ExecPointers(args);
    const std::vector<char*> envp = ExecPointers(environment);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    ::posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        failWith(rc, args.front().c_str());
    }
    return pid;
}

} // namespace

int RunAndWait(const std::vector<std::string>& args, const std::vector<std::string>& environment,
               const ChildOutput& output, int* endingSignal) {
    std::array<UniqueFd, 2> outputPipe;
    UniqueFd file;
    if (output.sink) {
        outputPipe = makePipe(0);
        if (::fcntl(outputPipe[0].get(), F_SETFL, O_NONBLOCK) != 0) {
            failWith(errno, "fcntl");
        }
    } else {
        file.reset(
            ::open(output.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (file.get() < 0) {
            failWith(errno, output.outputFile.c_str());
        }
    }
    const std::array<UniqueFd, 2> wake = makePipe(O_NONBLOCK);
    const SignalForwarding forwarding(wake[1].get());

    const pid_t pid = spawn(args, environment, output.sink ? outputPipe[1].get() : file.get());
    outputPipe[1].reset();
    file.reset();
    const UniqueFd ended = OpenProcessHandle(pid);

    bool outputOpen = static_cast<bool>(output.sink);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (outputOpen) {
                ReadAvailable(outputPipe[0].get(), output.sink);
            }
            if (endingSignal) {
                *endingSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
            }
            return ExitCodeFromStatus(status);
        }
        if (r < 0 && errno != EINTR) {
            failWith(errno, "waitpid");
        }
        if (const int signal = pendingSignal; signal != 0) {
            pendingSignal = 0;
            ::kill(pid, signal);
        }
        std::array<pollfd, 3> watched{};
        nfds_t count = 0;
        watched[count++] = {wake[0].get(), POLLIN, 0};
        if (ended.get() >= 0) {
            watched[count++] = {ended.get(), POLLIN, 0};
        }
        if (outputOpen) {
            watched[count++] = {outputPipe[0].get(), POLLIN, 0};
        }
        // Without a process descriptor the end is noticed in short slices.
        (void)::poll(watched.data(), count, ended.get() >= 0 ? -1 : 20);
        if (outputOpen) {
            outputOpen = ReadAvailable(outputPipe[0].get(), output.sink);
        }
        char drained[64];
        while (::read(wake[0].get(), drained, sizeof drained) > 0) {
        }
    }
}

} // namespace tornavel::iscc
