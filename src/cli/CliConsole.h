#pragma once

#include "installer/BuildConsole.h"

#include <string>

namespace tornavel::cli {

// One message on standard error, on one line (line breaks become blanks).
void Report(const std::string& text);

// What a build shows in the terminal: the compiler's lines on standard
// output as they come; the notices (the folders left out, the wine prefix
// being made) among the messages on standard error; and, only when standard
// error is a terminal, a one-line progress of the bytes packed and the file
// being packed that each new state overwrites and that is gone once the
// compiler ends. A compiler
// that fails is reported by the error that ends the build.
class CliConsole : public BuildConsole {
public:
    CliConsole();

    void notice(const std::string& text) override;
    void compilerStarted(const std::string& commandLine) override;
    void compilerLine(const std::string& line) override;
    void compilerFinished(std::uint32_t exitCode, const std::string& errorLine) override;
    void compilerFailed(const std::string& message) override;
    void compilerProgress(const PackingProgress& progress) override;
    void compilerStopped() override;

private:
    void clearProgress();
    void drawProgress();

    bool terminal_;
    std::string progress_; // the progress line shown, empty when none
};

} // namespace tornavel::cli
