#include "cli/CliConsole.h"

#include "wine/AdapterProtocol.h"

#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tornavel::cli {
namespace {

// Message texts may hold line breaks (CR, CR LF); on standard error each
// message is one line.
std::string oneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::size_t terminalColumns() {
    winsize size{};
    return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

// The leading part of UTF-8 text that fits in columns characters.
std::string fitted(const std::string& text, std::size_t columns) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && ++characters > columns) {
            return text.substr(0, i);
        }
    }
    return text;
}

} // namespace

void Report(const std::string& text) {
    std::cerr << oneLine(text) << '\n' << std::flush;
}

CliConsole::CliConsole() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void CliConsole::notice(const std::string& text) {
    clearProgress();
    Report(text);
}

void CliConsole::compilerStarted(const std::string&) {}

void CliConsole::compilerLine(const std::string& line) {
    clearProgress();
    if (line == kPreparingPrefixNotice) {
        Report(line); // ours, not the compiler's
    } else {
        std::cout << line << '\n' << std::flush;
    }
    drawProgress();
}

void CliConsole::compilerFinished(std::uint32_t, const std::string&) {
    clearProgress();
    progress_.clear();
}

void CliConsole::compilerFailed(const std::string&) {
    compilerFinished(0, {});
}

void CliConsole::compilerProgress(const PackingProgress& progress) {
    if (!terminal_) {
        return;
    }
    clearProgress();
    progress_ = progress.file.empty() ? "Zkomprimováno " + progress.bytesText()
                                      : "Komprimuji " + progress.bytesText() + ": " + progress.file;
    drawProgress();
}

void CliConsole::compilerStopped() {
    compilerFinished(0, {});
}

void CliConsole::clearProgress() {
    if (terminal_ && !progress_.empty()) {
        std::cerr << "\r\x1b[K" << std::flush;
    }
}

void CliConsole::drawProgress() {
    if (terminal_ && !progress_.empty()) {
        // One column short of the width, so the line never wraps.
        std::cerr << fitted(progress_, terminalColumns() - 1) << std::flush;
    }
}

} // namespace tornavel::cli
