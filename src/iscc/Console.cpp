#include "iscc/Console.h"

#include "platform/Cp1250.h"
#include "platform/FileDescriptor.h"
#include "platform/Utf8.h"

#include <array>
#include <unistd.h>

namespace tornavel::iscc {

namespace {

// Code page 1252 at 0x80..0x9F; above that it is Latin-1, below ASCII.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::array<char, 256> makeCp1252To1250() {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c = byte < 0x80   ? static_cast<char32_t>(byte)
                           : byte < 0xA0 ? kCp1252High[byte - 0x80]
                                         : static_cast<char32_t>(byte);
        std::string utf8;
        if (c != 0 || byte == 0) {
            appendUtf8(utf8, c);
        }
        table[static_cast<std::size_t>(byte)] =
            !utf8.empty() && isCp1250Character(c) ? toCp1250(utf8).front() : '?';
    }
    return table;
}

} // namespace

std::string Cp1252ToCp1250(std::string_view bytes) {
    static const std::array<char, 256> table = makeCp1252To1250();
    std::string out(bytes.size(), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[i] = table[static_cast<unsigned char>(bytes[i])];
    }
    return out;
}

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
