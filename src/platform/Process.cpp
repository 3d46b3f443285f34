#include "platform/Process.h"

#include "platform/BackgroundProcess.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A descriptor that becomes readable when the process ends; an invalid one
// where the system has none (a wait then sleeps in short slices instead).
UniqueFd openProcessHandle(pid_t pid) {
#ifdef SYS_pidfd_open
    return UniqueFd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
#else
    (void)pid;
    return UniqueFd();
#endif
}

// The exit code of a program waitpid reported as ended: its own code, or 128
// plus the number of the signal that ended it.
int exitCodeFromStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Reads what the non-blocking pipe fd holds now into sink (which may be
// empty), stopping once limit bytes or more have been read. False when the
// pipe has ended: every writer closed it, or reading it failed.
bool readAvailable(int fd, const OutputSink& sink, std::size_t limit) {
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

// The most a wait reads from the pipe before the pump runs again, so that a
// program writing without pause cannot starve the user interface.
constexpr std::size_t kOutputPerRound = 1u << 20;
// What is read after the program has ended: at most what a pipe can hold (and
// then some), so a program it started that keeps writing cannot hold us.
constexpr std::size_t kOutputAfterEnd = 4u << 20;

constexpr std::array<int, 4> kStopSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

volatile std::sig_atomic_t receivedSignal = 0; // the last one, kept
volatile std::sig_atomic_t unpassedSignal = 0; // until RunAndWait passes it on
int stopSignalsDepth = 0;
std::array<struct sigaction, kStopSignals.size()> handlersBefore{};

extern "C" void noteStopSignal(int signal) {
    receivedSignal = signal;
    unpassedSignal = signal;
}

} // namespace

Process Process::startWith(const ProcessOptions& options, OutputSink output,
                           ProcessPriority priority) {
    StartedProcess started = StartProcess(options);
    applyPriority(started.pid, priority);
    return Process(started.pid, std::move(started.output), std::move(output));
}

Process Process::start(const std::vector<std::string>& args, ProcessPriority priority) {
    // Like a Windows program started without handle inheritance, the program
    // gets the standard streams and none of our other open files.
    return startWith(args, {}, priority);
}

Process Process::startCapturingOutput(const std::vector<std::string>& args, OutputSink output,
                                      ProcessPriority priority) {
    ProcessOptions options(args);
    options.output = ChildStream::Kind::Pipe;
    options.error = ChildStream::Kind::Output;
    return startWith(options, std::move(output), priority);
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
        // Watched until it ends, then reaped; nobody waits for it.
        (void)BackgroundProcess(std::exchange(pid_, -1));
    }
}

void Process::signal(int signal) const {
    if (pid_ > 0) {
        ::kill(pid_, signal);
    }
}

std::uint32_t Process::wait(const std::function<void()>& pump, std::chrono::milliseconds slice) {
    if (pid_ <= 0) {
        throw ProcessError(winerror::InvalidHandle, describe(ECHILD));
    }
    const UniqueFd handle = openProcessHandle(pid_);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            // Everything it wrote is in the pipe by now.
            readOutput(kOutputAfterEnd);
            output_.reset();
            endingSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
            return static_cast<std::uint32_t>(exitCodeFromStatus(status));
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
    if (output_.valid() && !readAvailable(output_.get(), sink_, limit)) {
        output_.reset(); // the end of the output (or a pipe that failed)
    }
}

StopSignals::StopSignals() {
    if (stopSignalsDepth++ > 0) {
        return;
    }
    receivedSignal = 0;
    unpassedSignal = 0;
    struct sigaction action {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
        ::sigaction(kStopSignals[i], &action, &handlersBefore[i]);
    }
}

StopSignals::~StopSignals() {
    if (--stopSignalsDepth > 0) {
        return;
    }
    for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
        ::sigaction(kStopSignals[i], &handlersBefore[i], nullptr);
    }
}

int StopSignals::received() {
    return receivedSignal;
}

void StopSignals::throwIfReceived() {
    if (const int signal = receivedSignal; signal != 0) {
        throw StoppedBySignal(signal);
    }
}

int StopSignals::takeUnpassed() {
    const int signal = unpassedSignal;
    unpassedSignal = 0;
    return signal;
}

StoppedBySignal::StoppedBySignal(int signal)
    : Error(Kind::ProcessFailed, "Zastaveno signálem " + std::to_string(signal)), signal_(signal) {}

int RunAndWait(const std::vector<std::string>& args,
               const std::vector<std::string>& environmentChanges, const ChildOutput& output,
               int* endingSignal) {
    ProcessOptions options(args, environmentChanges);
    options.input = ChildStream::Kind::Null;
    return RunAndWait(std::move(options), output, endingSignal);
}

int RunAndWait(ProcessOptions options, const ChildOutput& output, int* endingSignal) {
    options.output = output.sink ? ChildStream::Kind::Pipe : ChildStream::file(output.outputFile);
    options.error = ChildStream::Kind::Output;
    // Nothing of ours runs on once we are gone, however we end.
    options.deathSignal = SIGTERM;
    const StopSignals noted;
    Process process = Process::startWith(options, output.sink);
    // A signal that arrives just before the poll waits for the next slice.
    const int code = static_cast<int>(process.wait(
        [&process] {
            if (const int signal = StopSignals::takeUnpassed(); signal != 0) {
                process.signal(signal);
            }
        },
        std::chrono::milliseconds(50)));
    if (endingSignal) {
        *endingSignal = process.endingSignal();
    }
    return code;
}

} // namespace tornavel
