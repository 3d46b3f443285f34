#include "platform/ProcessStarter.h"

#include "platform/Paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <string_view>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tornavel {
namespace {

[[noreturn]] void failWith(int err, const std::string& what) {
    throw ProcessError(WindowsCodeFromErrno(err),
                       what.empty() ? std::strerror(err) : what + ": " + std::strerror(err));
}

// PATH, or the default folders execvp searches without it.
std::string searchPath() {
    if (const char* path = std::getenv("PATH")) {
        return path;
    }
    const std::size_t size = ::confstr(_CS_PATH, nullptr, 0);
    if (size <= 1) {
        return "/bin:/usr/bin";
    }
    std::string path(size, '\0');
    ::confstr(_CS_PATH, path.data(), size);
    path.pop_back(); // the terminating zero
    return path;
}

// The file a program name means, or the errno execvp would give: ENOENT when
// the search path has no such file, EACCES when it has one that may not run.
struct ResolvedProgram {
    std::string path;
    int error = 0;
};

ResolvedProgram resolveProgram(const std::string& name) {
    if (name.empty()) {
        return {{}, ENOENT};
    }
    if (name.find('/') != std::string::npos) {
        return {name, 0};
    }
    const std::string path = searchPath();
    int error = ENOENT;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        // An empty entry means the current folder, as for execvp.
        const std::string folder = end == start ? "." : path.substr(start, end - start);
        const std::string candidate = withTrailingSeparator(folder) + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            if (::access(candidate.c_str(), X_OK) == 0) {
                return {candidate, 0};
            }
            error = EACCES;
        }
        start = end + 1;
    }
    return {{}, error};
}

// The texts as the null-terminated array of pointers exec takes; valid while
// texts is.
std::vector<char*> execPointers(const std::vector<std::string>& texts) {
    std::vector<char*> out;
    out.reserve(texts.size() + 1);
    for (const auto& text : texts) {
        out.push_back(const_cast<char*>(text.c_str()));
    }
    out.push_back(nullptr);
    return out;
}

std::string_view nameOf(std::string_view assignment) {
    return assignment.substr(0, assignment.find('='));
}

// Our environment with the changes made.
std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::vector<std::string> out;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view assignment(*entry);
        const bool changed = std::any_of(changes.begin(), changes.end(), [&](const std::string& c) {
            return nameOf(c) == nameOf(assignment);
        });
        if (!changed) {
            out.emplace_back(assignment);
        }
    }
    std::copy_if(changes.begin(), changes.end(), std::back_inserter(out),
                 [](const std::string& c) { return c.find('=') != std::string::npos; });
    return out;
}

// fd moved above the standard streams, close-on-exec: were one of those
// closed in this program, a new descriptor could take its number and clash
// with the child's redirections.
UniqueFd aboveStandardStreams(int fd, const std::string& what) {
    if (fd < 0) {
        failWith(errno, what);
    }
    UniqueFd owned(fd);
    if (fd > 2) {
        return owned;
    }
    UniqueFd moved(::fcntl(fd, F_DUPFD_CLOEXEC, 3));
    if (!moved.valid()) {
        failWith(errno, what);
    }
    return moved;
}

std::array<UniqueFd, 2> makePipe(const std::string& what) {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        failWith(errno, what);
    }
    UniqueFd read(fds[0]);
    UniqueFd write(fds[1]);
    return {aboveStandardStreams(read.release(), what),
            aboveStandardStreams(write.release(), what)};
}

// What the child does before exec, in the stages its failure report names.
enum class Stage : int { Exec, Folder, Setup };

// Everything the child needs, made before the fork: between fork and exec
// only async-signal-safe calls are allowed (another thread of ours may have
// held a lock of the allocator when we forked).
struct ChildPlan {
    const char* program = nullptr;
    char* const* argv = nullptr;
    char* const* envp = nullptr;
    const char* folder = nullptr; // null: ours
    std::array<int, 3> streams{}; // the descriptor each stream becomes; -1: as it is
    bool errorToOutput = false;
    bool ownProcessGroup = false;
    int deathSignal = 0;
    pid_t parent = -1;
    int report = -1;           // where a failure before exec is written
    int highestDescriptor = 0; // for closing without close_range
    sigset_t mask{};           // the starting thread's, restored before exec
};

[[noreturn]] void reportAndExit(const ChildPlan& plan, Stage stage) noexcept {
    const std::array<int, 2> report{static_cast<int>(stage), errno};
    (void)!::write(plan.report, report.data(), sizeof report);
    ::_exit(127);
}

void closeOtherDescriptors(int keep, int highest) noexcept {
    const bool below = keep == 3 || ::close_range(3, static_cast<unsigned>(keep) - 1, 0) == 0;
    if (below && ::close_range(static_cast<unsigned>(keep) + 1, ~0U, 0) == 0) {
        return;
    }
    for (int fd = 3; fd <= highest; ++fd) {
        if (fd != keep) {
            ::close(fd);
        }
    }
}

[[noreturn]] void runChild(const ChildPlan& plan) noexcept {
    // Our handlers must not run in the child; ignored signals stay ignored,
    // as they would across exec.
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN &&
            current.sa_handler != SIG_DFL) {
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            sigemptyset(&standard.sa_mask);
            ::sigaction(signal, &standard, nullptr);
        }
    }
    ::sigprocmask(SIG_SETMASK, &plan.mask, nullptr);
    if (plan.ownProcessGroup && ::setpgid(0, 0) != 0) {
        reportAndExit(plan, Stage::Setup);
    }
    if (plan.deathSignal != 0) {
        if (::prctl(PR_SET_PDEATHSIG, plan.deathSignal) != 0) {
            reportAndExit(plan, Stage::Setup);
        }
        if (::getppid() != plan.parent) {
            ::raise(plan.deathSignal); // the parent ended before the signal was armed
        }
    }
    for (int stream = 0; stream < 3; ++stream) {
        if (plan.streams[stream] >= 0 && ::dup2(plan.streams[stream], stream) < 0) {
            reportAndExit(plan, Stage::Setup);
        }
    }
    if (plan.errorToOutput && ::dup2(1, 2) < 0) {
        reportAndExit(plan, Stage::Setup);
    }
    closeOtherDescriptors(plan.report, plan.highestDescriptor);
    if (plan.folder != nullptr && ::chdir(plan.folder) != 0) {
        reportAndExit(plan, Stage::Folder);
    }
    ::execve(plan.program, plan.argv, plan.envp);
    reportAndExit(plan, Stage::Exec);
}

// The reading end of a pipe that holds text and ends after it: the whole
// text is in the pipe before the program starts, so nobody has to feed it.
UniqueFd textPipe(const std::string& text, int& target) {
    std::array<UniqueFd, 2> ends = makePipe("/dev/fd/0");
    if (text.size() > static_cast<std::size_t>(::fcntl(ends[1].get(), F_GETPIPE_SZ))) {
        failWith(E2BIG, "/dev/fd/0");
    }
    if (const int err = WriteAll(ends[1].get(), text); err != 0) {
        failWith(err, "/dev/fd/0");
    }
    target = ends[0].get();
    return std::move(ends[0]);
}

// The descriptor a standard stream becomes (-1: left as it is); pipeEnd is
// the writing end of the output pipe for a stream that says Pipe.
UniqueFd openStream(int stream, const ChildStream& setup, int pipeEnd, int& target) {
    target = -1;
    switch (setup.kind) {
    case ChildStream::Kind::Inherit:
        return {};
    case ChildStream::Kind::Null: {
        UniqueFd fd = aboveStandardStreams(
            ::open("/dev/null", (stream == 0 ? O_RDONLY : O_WRONLY) | O_CLOEXEC), "/dev/null");
        target = fd.get();
        return fd;
    }
    case ChildStream::Kind::File: {
        UniqueFd fd = aboveStandardStreams(
            stream == 0
                ? ::open(setup.path.c_str(), O_RDONLY | O_CLOEXEC)
                : ::open(setup.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644),
            setup.path);
        target = fd.get();
        return fd;
    }
    case ChildStream::Kind::Pipe:
        target = pipeEnd;
        return {};
    case ChildStream::Kind::Output:
        return {};
    case ChildStream::Kind::Text:
        return textPipe(setup.bytes, target);
    }
    return {};
}

int highestDescriptor() {
    const long limit = ::sysconf(_SC_OPEN_MAX);
    return static_cast<int>(std::clamp(limit, 256L, 1L << 20));
}

} // namespace

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

std::string FindInPath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return {};
    }
    return resolveProgram(name).path;
}

StartedProcess StartProcess(const ProcessOptions& options) {
    const std::vector<std::string>& args = options.arguments;
    if (args.empty()) {
        failWith(ENOENT, {});
    }
    const std::string& name = args.front();
    // A zero byte would silently cut an argument short.
    for (const auto& a : args) {
        if (a.find('\0') != std::string::npos) {
            failWith(EINVAL, name);
        }
    }
    if (options.input.kind == ChildStream::Kind::Pipe ||
        options.input.kind == ChildStream::Kind::Output ||
        options.output.kind == ChildStream::Kind::Output ||
        options.output.kind == ChildStream::Kind::Text ||
        options.error.kind == ChildStream::Kind::Text) {
        failWith(EINVAL, name);
    }
    const ResolvedProgram program = resolveProgram(name);
    if (program.error != 0) {
        failWith(program.error, name);
    }
    const std::vector<char*> argv = execPointers(args);
    const std::vector<std::string> environment = options.environmentChanges.empty()
                                                     ? std::vector<std::string>{}
                                                     : environmentWith(options.environmentChanges);
    const std::vector<char*> envp = execPointers(environment);

    std::array<UniqueFd, 2> outputPipe;
    if (options.output.kind == ChildStream::Kind::Pipe ||
        options.error.kind == ChildStream::Kind::Pipe) {
        outputPipe = makePipe(name);
        if (::fcntl(outputPipe[0].get(), F_SETFL, O_NONBLOCK) != 0) {
            failWith(errno, name);
        }
    }
    ChildPlan plan;
    std::array<UniqueFd, 3> streamFiles;
    const std::array<const ChildStream*, 3> setups = {&options.input, &options.output,
                                                      &options.error};
    for (int stream = 0; stream < 3; ++stream) {
        streamFiles[stream] =
            openStream(stream, *setups[stream], outputPipe[1].get(), plan.streams[stream]);
    }
    std::array<UniqueFd, 2> report = makePipe(name);

    plan.program = program.path.c_str();
    plan.argv = argv.data();
    plan.envp = options.environmentChanges.empty() ? environ : envp.data();
    plan.folder = options.workingFolder.empty() ? nullptr : options.workingFolder.c_str();
    plan.errorToOutput = options.error.kind == ChildStream::Kind::Output;
    plan.ownProcessGroup = options.ownProcessGroup;
    plan.deathSignal = options.deathSignal;
    plan.parent = ::getpid();
    plan.report = report[1].get();
    plan.highestDescriptor = highestDescriptor();

    // No handler of ours may run in the child before it has reset them.
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &plan.mask);
    const pid_t pid = ::fork();
    if (pid == 0) {
        runChild(plan);
    }
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &plan.mask, nullptr);
    if (pid < 0) {
        failWith(forkError, name);
    }

    // The child's ends are the child's alone now; the report pipe ends with
    // the exec (close-on-exec) or carries why there was none.
    report[1].reset();
    outputPipe[1].reset();
    std::array<int, 2> failure{};
    ssize_t n = 0;
    do {
        n = ::read(report[0].get(), failure.data(), sizeof failure);
    } while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(sizeof failure)) {
        return {pid, std::move(outputPipe[0])};
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    failWith(failure[1],
             static_cast<Stage>(failure[0]) == Stage::Folder ? options.workingFolder : name);
}

} // namespace tornavel
