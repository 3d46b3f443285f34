#pragma once

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

#include <cstdint>
#include <string>
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

// Where one of the standard streams of a started program leads.
struct ChildStream {
    enum class Kind {
        Inherit, // ours
        Null,    // /dev/null
        // A pipe whose reading end the starter hands back; standard output
        // and standard error that both say Pipe share it, so their order
        // survives. Not for standard input.
        Pipe,
        // The file at path: read for standard input, else made anew (0644).
        File,
        // Standard error only: wherever standard output leads.
        Output,
        // Standard input only: the bytes of text through a pipe of its own,
        // which ends after them. Nothing of them touches a file (a password
        // for a program that reads it from "/dev/fd/0"); at most what a pipe
        // holds at once (64 KiB).
        Text,
    };
    // Implicit: a stream set to a kind reads as such ("output = Kind::Pipe").
    ChildStream(Kind streamKind = Kind::Inherit) : kind(streamKind) {}
    static ChildStream file(std::string filePath) {
        ChildStream stream(Kind::File);
        stream.path = std::move(filePath);
        return stream;
    }
    static ChildStream text(std::string bytes) {
        ChildStream stream(Kind::Text);
        stream.bytes = std::move(bytes);
        return stream;
    }

    Kind kind;
    std::string path;  // for File
    std::string bytes; // for Text
};

// What a program is started with.
struct ProcessOptions {
    ProcessOptions(std::vector<std::string> programAndArguments,
                   std::vector<std::string> changes = {})
        : arguments(std::move(programAndArguments)), environmentChanges(std::move(changes)) {}

    // The program and its arguments. A program name without "/" is looked
    // up in PATH (our own, as execvp does; without PATH in the system's
    // default folders).
    std::vector<std::string> arguments;
    // Changes to our environment: "NAME=value" sets NAME, a bare "NAME"
    // removes it; everything else is passed on as it is.
    std::vector<std::string> environmentChanges;
    // The program's current folder; empty: ours.
    std::string workingFolder;
    ChildStream input;
    ChildStream output;
    ChildStream error;
    // A process group of its own, so that a terminal's Ctrl+C meant for us
    // does not reach the program.
    bool ownProcessGroup = false;
    // The signal the program gets when the thread that started it ends (the
    // kernel ties it to that thread, not to the process: start such a
    // program from the thread that owns it for its whole life); 0 for none.
    // A starter that ended before the program could arm it sends it at once.
    int deathSignal = 0;
};

// A started program: its id, which its owner must reap, and our end of its
// output pipe (non-blocking) when a stream said Pipe.
struct StartedProcess {
    pid_t pid = -1;
    UniqueFd output;
};

// The one place where programs start. Never through a shell; the program
// gets the standard streams as options say and no other descriptor of ours
// (descriptors opened without close-on-exec included). Throws ProcessError
// with the Windows error code, naming the program or the file, when the
// program cannot run: nothing is left running then.
StartedProcess StartProcess(const ProcessOptions& options);

// The full path of an executable file named name in the folders of PATH
// (without PATH, the system's default folders); empty when there is none.
std::string FindInPath(const std::string& name);

} // namespace tornavel
