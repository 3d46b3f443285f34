#pragma once

#include "iscc/Console.h"

#include <string>
#include <string_view>
#include <utility>

namespace tornavel::iscc {

// Makes sure the wine prefix exists and is set up, creating it quietly
// (wineboot, no Mono or Gecko prompts) on first use. Several adapters started
// at once wait for each other: the set-up runs under a lock inside the
// prefix, and a marker file written after a successful set-up tells the next
// one that nothing is left to do. wine's own messages of the set-up go to a
// log file in the prefix and are quoted when it fails.
//
// Throws AdapterFailure when the prefix cannot be made.
void EnsureWinePrefix(const std::string& wine, const std::string& prefix, Console& console);

// Starts the prefix's wine server to stay up for seconds after its last
// program ends, unless one runs already (which then keeps its own time).
// Best effort: a server that cannot start only costs the next build its start.
void StartLingeringServer(const std::string& prefix, int seconds);

// Watches the output of a Windows program run under wine for the sign that
// wine could not start it at all: wine's own line ("wine: could not load
// kernel32.dll…", "wine: '…' is not owned by you") before any output of the
// program, which shows itself by programMark (the compiler's banner).
class WineStartWatch {
public:
    explicit WineStartWatch(std::string programMark) : programMark_(std::move(programMark)) {}
    void feed(std::string_view bytes);

    // wine's line when the program never spoke; empty once it did.
    std::string failureLine() const { return programSeen_ ? std::string() : wineLine_; }

private:
    std::string programMark_;
    std::string pending_; // the line not yet ended
    std::string wineLine_;
    bool programSeen_ = false;
};

// The failure of a prefix that wine cannot start, naming it and what to do;
// its exit code is kBrokenWinePrefixExitCode.
AdapterFailure BrokenPrefixFailure(const std::string& prefix, const std::string& wineLine);

} // namespace tornavel::iscc
