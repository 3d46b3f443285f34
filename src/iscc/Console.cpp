#include "iscc/Console.h"

#include "platform/Cp1250.h"
#include "platform/FileDescriptor.h"

#include <unistd.h>

namespace tornavel::iscc {

// Every write is whole; a reader that has gone away loses the rest.

Console::Console()
    : outputIsTerminal_(::isatty(STDOUT_FILENO) == 1),
      errorIsTerminal_(::isatty(STDERR_FILENO) == 1) {}

void Console::compilerOutput(std::string_view bytes) {
    (void)WriteAll(STDOUT_FILENO, outputIsTerminal_ ? fromCp1250(bytes) : std::string(bytes));
}

void Console::notice(const std::string& line) {
    writeLine(STDOUT_FILENO, outputIsTerminal_, line);
}

void Console::error(const std::string& line) {
    writeLine(STDERR_FILENO, errorIsTerminal_, line);
}

void Console::writeLine(int fd, bool terminal, const std::string& line) {
    if (terminal) {
        (void)WriteAll(fd, line + "\n");
        return;
    }
    // A path with a character outside the code page keeps the message in
    // UTF-8 rather than losing the character.
    (void)WriteAll(fd, (isCp1250Encodable(line) ? toCp1250(line) : line) + "\r\n");
}

} // namespace tornavel::iscc
