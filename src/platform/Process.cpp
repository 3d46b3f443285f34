#include "platform/Process.h"

#include "platform/Wine.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tornavel {
namespace {

std::string describe(int err) {
    return std::strerror(err);
}

// The nice value the started program gets, relative to ours; 0 leaves it.
int niceIncrement(ProcessPriority priority) {
    switch (priority) {
    case ProcessPriority::Idle:
        return 19;
    case ProcessPriority::High:
        return -5;
    case ProcessPriority::Realtime:
        return -10;
    case ProcessPriority::Normal:
        break;
    }
    return 0;
}

void applyPriority(pid_t pid, ProcessPriority priority) {
    const int increment = niceIncrement(priority);
    if (increment == 0) {
        return;
    }
    errno = 0;
    const int own = ::getpriority(PRIO_PROCESS, 0);
    if (own == -1 && errno != 0) {
        return;
    }
    // Raising the priority needs a privilege most users lack; the program then
    // runs at normal priority, as Windows does with a refused realtime class.
    const int wanted = std::clamp(own + increment, -20, 19);
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(pid), wanted);
}

// Sleeps for at most slice, waking early when the process ends or, when
// output is not -1, when the output pipe has something to read.
void blockOnProcess(int handle, int output, std::chrono::milliseconds slice) {
    const int timeout =
        static_cast<int>(std::max<std::chrono::milliseconds::rep>(slice.count(), 1));
    pollfd entries[2];
    nfds_t count = 0;
    for (const int fd : {handle, output}) {
        if (fd >= 0) {
            entries[count++] = pollfd{fd, POLLIN, 0};
        }
    }
    (void)::poll(count > 0 ? entries : nullptr, count, timeout);
}

// The pipe a captured program writes into. Both ends are close-on-exec and
// above the standard streams (were one of those closed in this program, the
// pipe could otherwise take its number and the child's redirection would
// clash with it); our end does not block.
class OutputPipe {
public:
    OutputPipe() {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            const int err = errno;
            throw ProcessError(WindowsCodeFromErrno(err), describe(err));
        }
        read_ = aboveStandardStreams(fds[0]);
        write_ = aboveStandardStreams(fds[1]);
        if (!read_.valid() || !write_.valid() || ::fcntl(read_.get(), F_SETFL, O_NONBLOCK) != 0) {
            const int err = errno;
            throw ProcessError(WindowsCodeFromErrno(err), describe(err));
        }
    }

    int writeEnd() const { return write_.get(); }
    // Our end, now owned by the caller; the write end is closed, so that the
    // pipe ends when the program (and whatever inherited it) has closed it.
    UniqueFd takeReadEnd() {
        write_.reset();
        return std::move(read_);
    }

private:
    static UniqueFd aboveStandardStreams(int fd) {
        UniqueFd owned(fd);
        if (fd < 0 || fd > 2) {
            return owned;
        }
        return UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 3));
    }

    UniqueFd read_;
    UniqueFd write_;
};

class FileActions {
public:
    // With an output pipe, the program's standard output and standard error
    // both become it.
    explicit FileActions(int output = -1) {
        if (::posix_spawn_file_actions_init(&actions_) != 0) {
            throw ProcessError(winerror::NotEnoughMemory, describe(ENOMEM));
        }
        // Before the closing below, which would close the pipe too.
        if (output >= 0 && (::posix_spawn_file_actions_adddup2(&actions_, output, 1) != 0 ||
                            ::posix_spawn_file_actions_adddup2(&actions_, output, 2) != 0)) {
            ::posix_spawn_file_actions_destroy(&actions_);
            throw ProcessError(winerror::NotEnoughMemory, describe(ENOMEM));
        }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        (void)::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
#endif
    }
    ~FileActions() {
        ::posix_spawn_file_actions_destroy(&actions_);
    }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    const posix_spawn_file_actions_t* get() const {
        return &actions_;
    }

private:
    posix_spawn_file_actions_t actions_{};
};

// Reaps a program that nobody waits for once it ends.
void reapInBackground(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) != 0) {
        return; // already ended (now reaped) or not ours
    }
    try {
        std::thread([pid] {
            int s = 0;
            while (::waitpid(pid, &s, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the program stays unreaped until ours ends.
    }
}

} // namespace

std::vector<char*> ExecPointers(const std::vector<std::string>& texts) {
    std::vector<char*> out;
    out.reserve(texts.size() + 1);
    for (const auto& text : texts) {
        out.push_back(const_cast<char*>(text.c_str()));
    }
    out.push_back(nullptr);
    return out;
}

std::uint32_t WindowsCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return winerror::FileNotFound;
    case ENOTDIR:
        return winerror::PathNotFound;
    case EMFILE:
    case ENFILE:
        return winerror::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
        return winerror::AccessDenied;
    case ENOMEM:
    case EAGAIN:
        return winerror::NotEnoughMemory;
    case ETXTBSY:
        return winerror::SharingViolation;
    case EINVAL:
        return winerror::InvalidParameter;
    case ENOEXEC:
    case ELIBBAD:
        return winerror::BadExeFormat;
    case E2BIG:
    case ENAMETOOLONG:
        return winerror::FilenameExceedsRange;
    case ELOOP:
        return winerror::CantResolveFilename;
    case ECHILD:
    case ESRCH:
        return winerror::InvalidHandle;
    default:
        return winerror::InternalError;
    }
}

namespace {

// Starts the program with the given file actions; see Process::start. A
// Windows program may have to run through wine.
pid_t spawnProgram(const std::vector<std::string>& requested, const FileActions& actions,
                   ProcessPriority priority) {
    const LaunchCommand launch = CommandForProgram(requested);
    const std::vector<std::string>& args = launch.args;
    if (args.empty()) {
        throw ProcessError(winerror::FileNotFound, describe(ENOENT));
    }
    // A zero byte would silently cut an argument short.
    for (const auto& a : args) {
        if (a.find('\0') != std::string::npos) {
            throw ProcessError(winerror::InvalidParameter, describe(EINVAL));
        }
    }
    const std::vector<char*> argv = ExecPointers(args);
    const std::vector<char*> envp = ExecPointers(launch.environment);
    char* const* const environment = launch.environment.empty() ? environ : envp.data();

    const std::string& program = args.front();
    pid_t pid = -1;
    // glibc's posix_spawn reports a failed exec as its result and never falls
    // back to a shell for a file that is no program.
    const int rc =
        program.find('/') != std::string::npos
            ? ::posix_spawn(&pid, program.c_str(), actions.get(), nullptr, argv.data(), environment)
            : ::posix_spawnp(&pid, program.c_str(), actions.get(), nullptr, argv.data(),
                             environment);
    if (rc != 0) {
        throw ProcessError(WindowsCodeFromErrno(rc), describe(rc));
    }
    applyPriority(pid, priority);
    return pid;
}

// The most a wait reads from the pipe before the pump runs again, so that a
// program writing without pause cannot starve the user interface.
constexpr std::size_t kOutputPerRound = 1u << 20;
// What is read after the program has ended: at most what a pipe can hold (and
// then some), so a program it started that keeps writing cannot hold us.
constexpr std::size_t kOutputAfterEnd = 4u << 20;

} // namespace

Process Process::start(const std::vector<std::string>& args, ProcessPriority priority) {
    // Like a Windows program started without handle inheritance, the program
    // gets the standard streams and none of our other open files.
    const FileActions actions;
    return Process(spawnProgram(args, actions, priority));
}

Process Process::startCapturingOutput(const std::vector<std::string>& args, OutputSink output,
                                      ProcessPriority priority) {
    OutputPipe pipe;
    const FileActions actions(pipe.writeEnd());
    const pid_t pid = spawnProgram(args, actions, priority);
    return Process(pid, pipe.takeReadEnd(), std::move(output));
}

Process::Process(Process&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), endingSignal_(other.endingSignal_),
      output_(std::move(other.output_)), sink_(std::move(other.sink_)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        release();
        pid_ = std::exchange(other.pid_, -1);
        endingSignal_ = other.endingSignal_;
        output_ = std::move(other.output_);
        sink_ = std::move(other.sink_);
    }
    return *this;
}

Process::~Process() {
    release();
}

void Process::release() {
    output_.reset();
    if (pid_ > 0) {
        reapInBackground(pid_);
        pid_ = -1;
    }
}

void Process::signal(int signal) const {
    if (pid_ > 0) {
        ::kill(pid_, signal);
    }
}

bool Process::hasEnded() {
    if (pid_ <= 0) {
        return true;
    }
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == 0 || (r < 0 && errno == EINTR)) {
        return false;
    }
    if (r == pid_) {
        endingSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    pid_ = -1;
    output_.reset();
    return true;
}

std::uint32_t Process::wait(const std::function<void()>& pump, std::chrono::milliseconds slice) {
    if (pid_ <= 0) {
        throw ProcessError(winerror::InvalidHandle, describe(ECHILD));
    }
    const UniqueFd handle = OpenProcessHandle(pid_);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            // Everything it wrote is in the pipe by now.
            readOutput(kOutputAfterEnd);
            output_.reset();
            endingSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
            return static_cast<std::uint32_t>(ExitCodeFromStatus(status));
        }
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            pid_ = -1; // not ours any more: someone else has reaped it
            throw ProcessError(WindowsCodeFromErrno(err), describe(err));
        }
        if (pump) {
            pump();
        }
        blockOnProcess(handle.get(), output_.get(), slice);
        readOutput(kOutputPerRound);
    }
}

void Process::readOutput(std::size_t limit) {
    if (output_.valid() && !ReadAvailable(output_.get(), sink_, limit)) {
        output_.reset(); // the end of the output (or a pipe that failed)
    }
}

UniqueFd OpenProcessHandle(pid_t pid) {
#ifdef SYS_pidfd_open
    return UniqueFd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
#else
    (void)pid;
    return UniqueFd();
#endif
}

int ExitCodeFromStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool ReadAvailable(int fd, const OutputSink& sink, std::size_t limit) {
    char buffer[65536];
    std::size_t total = 0;
    while (total < limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            total += static_cast<std::size_t>(n);
            if (sink) {
                sink(std::string_view(buffer, static_cast<std::size_t>(n)));
            }
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
    return true;
}

} // namespace tornavel
