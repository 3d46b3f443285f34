#pragma once

#include "platform/AsciiCase.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace tornavel::iscc {

// The pieces of an installer script the adapter reads line by line.

// One line of a script: its text without the line end, the end itself
// ("\r\n", "\n" or nothing for a last line without one), its number from 1.
struct ScriptLine {
    std::string_view text;
    std::string_view end;
    std::size_t number = 0;
};

// Calls visit(ScriptLine) for every line of the script, in order.
template <class Visit> void ForEachLine(std::string_view script, Visit visit) {
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < script.size()) {
        const std::size_t newline = script.find('\n', start);
        const std::size_t next = newline == std::string_view::npos ? script.size() : newline + 1;
        std::string_view line = script.substr(start, next - start);
        std::size_t endLength = line.ends_with('\n') ? 1 : 0;
        if (endLength == 1 && line.size() > 1 && line[line.size() - 2] == '\r') {
            endLength = 2;
        }
        visit(ScriptLine{line.substr(0, line.size() - endLength),
                         line.substr(line.size() - endLength), ++number});
        start = next;
    }
}

// The text without blanks and tabs at either end.
std::string_view Trimmed(std::string_view text);

// "[Setup]" and the like: the section's name; nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line);

// A directive line "Name=value" of [Setup]: the name, trimmed; nothing for a
// comment, a blank line or anything else.
std::optional<std::string_view> DirectiveName(std::string_view line);

// The value of a directive line, trimmed.
std::string_view DirectiveValue(std::string_view line);

// Calls visit(name, value) for every directive of the script's [Setup]
// sections, in order.
template <class Visit> void ForEachSetupDirective(std::string_view script, Visit visit) {
    bool inSetup = false;
    ForEachLine(script, [&](const ScriptLine& line) {
        if (const auto section = SectionOf(line.text)) {
            inSetup = EqualIgnoringAsciiCase(*section, "Setup");
        }
        if (const auto name = inSetup ? DirectiveName(line.text) : std::nullopt) {
            visit(*name, DirectiveValue(line.text));
        }
    });
}

} // namespace tornavel::iscc
