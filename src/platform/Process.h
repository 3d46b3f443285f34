#pragma once

#include "platform/FileDescriptor.h"
#include "platform/ProcessStarter.h"

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

// How much processor time the started program gets, in the terms of the
// Windows priority classes. On POSIX it becomes a nice value relative to this
// program's own: Idle is the lowest (19), High and Realtime raise the priority
// by 5 and 10 when the system permits it and are left at Normal otherwise.
enum class ProcessPriority { Normal, Idle, High, Realtime };

// Receives a started program's output as it arrives: the raw bytes of its
// standard output and standard error, merged in the order it wrote them, in
// pieces of any size (a piece may end inside a line or a character).
using OutputSink = std::function<void(std::string_view bytes)>;

// A started program. It is always reaped: by wait, or, when the owner lets it
// go without waiting (release or destruction), in the background once it ends,
// so no finished program lingers as a zombie.
class Process {
public:
    // Starts the program as options say (StartProcess). When a stream says
    // Pipe, wait reads the pipe while it waits and hands every piece to
    // output; a program nobody waits for loses its output (it writes into a
    // closed pipe). Throws ProcessError with the Windows error code when the
    // program cannot run.
    static Process startWith(const ProcessOptions& options, OutputSink output = {},
                             ProcessPriority priority = ProcessPriority::Normal);

    // Starts args[0] with the arguments args[1..] and our standard streams.
    static Process start(const std::vector<std::string>& args,
                         ProcessPriority priority = ProcessPriority::Normal);

    // Starts the program as start does, but with its standard output and
    // standard error both writing into one pipe, read into output by wait.
    static Process startCapturingOutput(const std::vector<std::string>& args, OutputSink output,
                                        ProcessPriority priority = ProcessPriority::Normal);

    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Blocks until the program ends, in waits of at most slice on the process
    // itself (it returns as soon as the program ends), and calls pump (when
    // not empty) between them. A program whose output is captured also ends
    // a wait when it writes; its output goes to the sink before the next
    // pump, and what it wrote before it ended is delivered before wait
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

    pid_t id() const { return pid_; }

    // The signal that ended the program wait waited for; 0 when it exited.
    int endingSignal() const { return endingSignal_; }

private:
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

// While an object of it lives (objects nest), SIGINT, SIGTERM, SIGHUP and
// SIGQUIT do not end this program: each is noted, so that the program stops
// where it can and cleans up after itself (a front end stops its build, the
// adapter its compile). RunAndWait passes each on to the program it waits
// for. The outermost object forgets what an earlier one noted and restores
// the handlers it found.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The last signal noted; 0 when none came.
    static int received();
    // Throws StoppedBySignal when a signal was noted.
    static void throwIfReceived();
    // The signal noted since the last call, for passing on; 0 when none.
    static int takeUnpassed();
};

// The program stops because of a signal StopSignals noted; whoever catches it
// ends the program by that signal once everything is cleaned up.
class StoppedBySignal : public Error {
public:
    explicit StoppedBySignal(int signal);
    int signal() const { return signal_; }

private:
    int signal_;
};

// Runs a program to its end for a program without an event loop of its own
// (the compiler adapter): standard input from /dev/null, standard output and
// error merged in order either through a pipe to sink as they arrive or,
// without a sink, into the file outputFile; the environment is ours with the
// changes made. The program gets SIGTERM when this program dies first.
//
// The wait ends when the program ends, not when its output does: a wine
// server the program started keeps the pipe open for seconds after, and
// whatever the program wrote before it ended is still read. The signals of
// StopSignals sent to this process meanwhile are passed on to the program,
// so the caller still cleans up after it.
//
// Returns the exit code, or 128 + the signal for a program ended by one
// (the signal's number also goes to *endingSignal when given, 0 otherwise).
// Throws ProcessError when the program cannot be started.
struct ChildOutput {
    OutputSink sink;
    std::string outputFile;
};
int RunAndWait(const std::vector<std::string>& args,
               const std::vector<std::string>& environmentChanges, const ChildOutput& output,
               int* endingSignal = nullptr);
// The same with the arguments, environment changes and standard input of
// options (its other streams, process group and death signal are set as
// above).
int RunAndWait(ProcessOptions options, const ChildOutput& output, int* endingSignal = nullptr);

} // namespace tornavel
