#include "platform/CommandLine.h"

namespace tornavel {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && isBlank(line[i])) {
        ++i;
    }
    if (i == n) {
        return args;
    }

    // The program follows simpler rules than the arguments: no escapes at all.
    std::string program;
    if (line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"') {
            program += line[i++];
        }
        if (i < n) {
            ++i; // the closing quote
        }
    } else {
        while (i < n && !isBlank(line[i])) {
            program += line[i++];
        }
    }
    args.push_back(std::move(program));
    // Text glued to the program's closing quote ("a"b) starts the first argument.

    while (i < n && isBlank(line[i])) {
        ++i;
    }
    if (i == n) {
        return args;
    }

    std::string current;
    bool inArgument = true;
    int quotes = 0; // odd while inside a quoted part
    std::size_t backslashes = 0;
    while (i < n) {
        const char c = line[i];
        if (isBlank(c) && quotes == 0) {
            args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            while (i < n && isBlank(line[i])) {
                ++i;
            }
            if (i < n) {
                inArgument = true;
            }
            backslashes = 0;
            continue;
        }
        if (c == '\\') {
            current += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c == '"') {
            // The backslashes already copied are halved; an odd one escapes the quote.
            current.resize(current.size() - backslashes / 2);
            if (backslashes % 2 == 1) {
                current.back() = '"';
            } else {
                ++quotes;
            }
            backslashes = 0;
            ++i;
            // Further quotes in a row: every third one of the run is a literal quote.
            while (i < n && line[i] == '"') {
                if (++quotes == 3) {
                    current += '"';
                    quotes = 0;
                }
                ++i;
            }
            if (quotes == 2) {
                quotes = 0;
            }
            continue;
        }
        current += c;
        backslashes = 0;
        ++i;
    }
    if (inArgument) {
        args.push_back(std::move(current));
    }
    return args;
}

std::string QuoteProgramPath(std::string_view path) {
    if (path.find_first_of(" \t") == std::string_view::npos) {
        return std::string(path);
    }
    return "\"" + std::string(path) + "\"";
}

} // namespace tornavel
