#include "platform/Process.h"

#include "platform/Wine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

// A file descriptor that becomes readable when the process ends, or -1 where
// the system has none (the wait then sleeps in short slices instead).
int openProcessHandle(pid_t pid) {
#ifdef SYS_pidfd_open
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    return fd >= 0 ? static_cast<int>(fd) : -1;
#else
    (void)pid;
    return -1;
#endif
}

class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

void blockOnProcess(int handle, std::chrono::milliseconds slice) {
    const int timeout =
        static_cast<int>(std::max<std::chrono::milliseconds::rep>(slice.count(), 1));
    if (handle >= 0) {
        pollfd entry{handle, POLLIN, 0};
        (void)::poll(&entry, 1, timeout);
    } else {
        (void)::poll(nullptr, 0, timeout);
    }
}

class FileActions {
public:
    FileActions() {
        if (::posix_spawn_file_actions_init(&actions_) != 0) {
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

Process Process::Start(const std::vector<std::string>& requested, ProcessPriority priority) {
    // A Windows program may have to run through wine.
    const LaunchCommand launch = CommandForProgram(requested);
    const std::vector<std::string>& args = launch.args;
    if (args.empty()) {
        throw ProcessError(winerror::FileNotFound, describe(ENOENT));
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& a : args) {
        // A zero byte would silently cut the argument short.
        if (a.find('\0') != std::string::npos) {
            throw ProcessError(winerror::InvalidParameter, describe(EINVAL));
        }
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    const std::vector<char*> envp = ExecPointers(launch.environment);
    char* const* const environment = launch.environment.empty() ? environ : envp.data();

    // Like a Windows program started without handle inheritance, the program
    // gets the standard streams and none of our other open files.
    FileActions actions;
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
    return Process(pid);
}

Process::Process(Process&& other) noexcept : pid_(other.pid_) {
    other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Release();
        pid_ = other.pid_;
        other.pid_ = -1;
    }
    return *this;
}

Process::~Process() {
    Release();
}

void Process::Release() {
    if (pid_ > 0) {
        reapInBackground(pid_);
        pid_ = -1;
    }
}

std::uint32_t Process::Wait(const std::function<void()>& pump, std::chrono::milliseconds slice) {
    if (pid_ <= 0) {
        throw ProcessError(winerror::InvalidHandle, describe(ECHILD));
    }
    const FdCloser handle(openProcessHandle(pid_));
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            if (WIFEXITED(status)) {
                return static_cast<std::uint32_t>(WEXITSTATUS(status));
            }
            return 128u + static_cast<std::uint32_t>(WTERMSIG(status));
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
        blockOnProcess(handle.get(), slice);
    }
}

} // namespace tornavel
