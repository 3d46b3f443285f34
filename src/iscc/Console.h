#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tornavel::iscc {

// A failure of the adapter itself: a Czech message (UTF-8) and the exit code.
class AdapterFailure : public std::runtime_error {
public:
    AdapterFailure(const std::string& message, int exitCode)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }

private:
    int exitCode_;
};

// Output of the compiler running without the Czech locale (code page 1252)
// in the code page 1250 its readers expect: each character as its 1250 byte,
// "?" for those 1250 does not have.
std::string Cp1252ToCp1250(std::string_view bytes);

// The adapter's standard output and error. It speaks the compiler's code
// page, Windows-1250 with CR LF line ends, so whoever reads the compiler's
// output reads the adapter's lines the same way; only to a terminal it writes
// UTF-8, compiler output included.
class Console {
public:
    Console();

    // Bytes of the compiler's output (Windows-1250), to standard output.
    void compilerOutput(std::string_view bytes);
    // One line of our own (UTF-8), to standard output or standard error.
    void notice(const std::string& line);
    void error(const std::string& line);

private:
    void writeLine(int fd, bool terminal, const std::string& line);

    bool outputIsTerminal_;
    bool errorIsTerminal_;
};

} // namespace tornavel::iscc
