#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tornavel {

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

} // namespace tornavel
