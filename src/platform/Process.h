#pragma once

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace tornavel {

// Windows error codes that the process functions report, so that a failure
// reads the same on every platform.
namespace winerror {
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t TooManyOpenFiles = 4;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t InvalidHandle = 6;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t SharingViolation = 32;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t BadExeFormat = 193;
inline constexpr std::uint32_t FilenameExceedsRange = 206;
inline constexpr std::uint32_t InternalError = 1359;
inline constexpr std::uint32_t CantResolveFilename = 1921;
} // namespace winerror

// The Windows error code a user would get for the failure the C library
// reports as errno (a missing program is 2, a program that may not be run 5,
// a file that is no program 193, ...).
std::uint32_t WindowsCodeFromErrno(int err);

// The texts (arguments, "NAME=value" variables) as the null-terminated array
// of pointers that exec takes; valid while texts is.
std::vector<char*> ExecPointers(const std::vector<std::string>& texts);

// A program could not be started or its end could not be awaited. code() is
// the Windows error code of the failure.
class ProcessError : public Error {
public:
    ProcessError(std::uint32_t code, const std::string& message)
        : Error(Kind::ProcessFailed, message), code_(code) {}
    std::uint32_t code() const { return code_; }

private:
    std::uint32_t code_;
};

// How much processor time the started program gets, in the terms of the
// Windows priority classes. On POSIX it becomes a nice value relative to this
// program's own: Idle is the lowest (19), High and Realtime raise the priority
// by 5 and 10 when the system permits it and are left at Normal otherwise.
enum class ProcessPriority { Normal, Idle, High, Realtime };

// Receives a started program's output as it arrives: the raw bytes of its
// standard output and standard error, merged in the order it wrote them, in
// pieces of any size (a piece may end inside a line or a character).
using OutputSink = std::function<void(std::string_view bytes)>;

// The waiting pieces of Process, for a program started by other means.
//
// A descriptor that becomes readable when the process ends; an invalid one
// where the system has none (a wait then sleeps in short slices instead).
UniqueFd OpenProcessHandle(pid_t pid);

// The exit code of a program waitpid reported as ended: its own code, or 128
// plus the number of the signal that ended it.
int ExitCodeFromStatus(int status);

// Reads what the non-blocking pipe fd holds now into sink (which may be
// empty), stopping once limit bytes or more have been read. False when the
// pipe has ended: every writer closed it, or reading it failed.
bool ReadAvailable(int fd, const OutputSink& sink, std::size_t limit = SIZE_MAX);

// A started program. It is always reaped: by wait, or, when the owner lets it
// go without waiting (release or destruction), in the background once it ends,
// so no finished program lingers as a zombie.
class Process {
public:
    // Starts args[0] with the arguments args[1..], directly, never through a
    // shell. A program name without a separator is looked up in PATH. On
    // systems other than Windows a program path whose file begins with "MZ"
    // runs through wine (platform/Wine). Throws ProcessError with the Windows
    // error code when the program cannot run.
    static Process start(const std::vector<std::string>& args,
                         ProcessPriority priority = ProcessPriority::Normal);

    // Starts the program as start does, but with its standard output and
    // standard error both writing into one pipe. wait reads the pipe while it
    // waits and hands every piece to output; a program nobody waits for loses
    // its output (it writes into a closed pipe).
    static Process startCapturingOutput(const std::vector<std::string>& args, OutputSink output,
                                        ProcessPriority priority = ProcessPriority::Normal);

    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Blocks until the program ends, in waits of at most slice on the process
    // itself (it returns as soon as the program ends), and calls pump (when
    // not empty) between them. A program started with startCapturingOutput
    // also ends a wait when it writes; its output goes to the sink before the
    // next pump, and what it wrote before it ended is delivered before wait
    // returns (output a program it started writes later is not waited for).
    // Returns the exit code; a program ended by a signal gives 128 + the
    // signal's number, as a shell reports it. Throws ProcessError when the
    // process cannot be awaited.
    std::uint32_t wait(const std::function<void()>& pump,
                       std::chrono::milliseconds slice = std::chrono::milliseconds(15));

    // Lets the program run on without waiting for it.
    void release();

    // Sends the signal to the program while it runs (its wait then returns
    // as the program ends); nothing once it has ended.
    void signal(int signal) const;

    // Whether the program has ended, without waiting; an ended one is reaped
    // (a wait after that has nothing to wait for).
    bool hasEnded();

    pid_t id() const { return pid_; }

    // The signal that ended the program wait waited for; 0 when it exited.
    int endingSignal() const { return endingSignal_; }

private:
    explicit Process(pid_t pid) : pid_(pid) {}
    Process(pid_t pid, UniqueFd output, OutputSink sink)
        : pid_(pid), output_(std::move(output)), sink_(std::move(sink)) {}

    // Hands what the pipe holds now to the sink, at most limit bytes; closes
    // the pipe at its end.
    void readOutput(std::size_t limit);

    pid_t pid_ = -1;
    int endingSignal_ = 0;
    UniqueFd output_; // our end of the output pipe, none without capture
    OutputSink sink_;
};

} // namespace tornavel
