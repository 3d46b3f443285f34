// Feeds arbitrary text to the Windows command-line splitter, as a program path
// and the parameters typed for it reach the launcher. Seeds:
// fuzz/corpus/commandline.
#include "platform/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Splitting only drops quotes, backslashes and blanks: every argument's bytes
// appear in the line in the same order.
bool isSubsequence(std::string_view part, std::string_view line) {
    std::size_t at = 0;
    for (const char c : part) {
        at = line.find(c, at);
        if (at == std::string_view::npos) {
            return false;
        }
        ++at;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto args = tornavel::SplitCommandLine(line);
    std::size_t total = 0;
    for (const auto& arg : args) {
        total += arg.size();
        if (!isSubsequence(arg, line)) {
            std::abort();
        }
    }
    if (total > size) {
        std::abort();
    }

    // A program path without quotes, quoted for the head of a line, comes back
    // whole, and a parameter after it stays a parameter of its own.
    std::string path;
    for (const char c : line) {
        if (c != '"') {
            path += c;
        }
    }
    if (!path.empty()) {
        const auto again = tornavel::SplitCommandLine(tornavel::QuoteProgramPath(path) + " x");
        if (again.size() != 2 || again[0] != path || again[1] != "x") {
            std::abort();
        }
    }
    return 0;
}
