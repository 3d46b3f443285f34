#pragma once

#include "installer/CompilerOutput.h"

#include <cstdint>
#include <string>

namespace tornavel {

// Where a build shows what happens besides its questions: the notice about
// folders the installer leaves out, and the compiler's command line, output
// and end. The GUI shows them in its window "Kompilace", the CLI on its
// standard streams, the tests record them.
class BuildConsole {
public:
    virtual ~BuildConsole() = default;

    // A notice for the user, shown with those the build gave before: the
    // folders it leaves out, each link that leads out of the source folder.
    virtual void notice(const std::string& text) = 0;

    // The compiler is about to be started with this command line.
    virtual void compilerStarted(const std::string& commandLine) = 0;

    // One line of the compiler's output as it arrives: UTF-8, without its line
    // end; what cannot be shown is shown as U+FFFD.
    virtual void compilerLine(const std::string& line) = 0;

    // The compiler has ended with exitCode. errorLine is the first line of its
    // output that reports an error ("Error on line …"), empty when none did.
    virtual void compilerFinished(std::uint32_t exitCode, const std::string& errorLine) = 0;

    // The compiler could not be started or awaited; message says why.
    virtual void compilerFailed(const std::string& message) = 0;

    // The compiler has begun to pack the next of the script's files, or has
    // packed the last one (progress.file empty). Front ends without a
    // progress display ignore it.
    virtual void compilerProgress(const PackingProgress& progress) { (void)progress; }

    // The compile was stopped at the user's request (stop()).
    virtual void compilerStopped() {}
};

} // namespace tornavel
