#include "iscc/Console.h"

#include "platform/Cp1250.h"

#include <cerrno>
#include <unistd.h>

namespace tornavel::iscc {
namespace {

// Writes everything; a reader that has gone away loses the rest.
void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

Console::Console()
    : outputIsTerminal_(::isatty(STDOUT_FILENO) == 1),
      errorIsTerminal_(::isatty(STDERR_FILENO) == 1) {}

void Console::compilerOutput(std::string_view bytes) {
    writeAll(STDOUT_FILENO, outputIsTerminal_ ? fromCp1250(bytes) : std::string(bytes));
}

void Console::notice(const std::string& line) {
    writeLine(STDOUT_FILENO, outputIsTerminal_, line);
}

void Console::error(const std::string& line) {
    writeLine(STDERR_FILENO, errorIsTerminal_, line);
}

void Console::writeLine(int fd, bool terminal, const std::string& line) {
    if (terminal) {
        writeAll(fd, line + "\n");
        return;
    }
    // A path with a character outside the code page keeps the message in
    // UTF-8 rather than losing the character.
    writeAll(fd, (isCp1250Encodable(line) ? toCp1250(line) : line) + "\r\n");
}

} // namespace tornavel::iscc
