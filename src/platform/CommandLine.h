#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// Splits a command line the way Windows hands it to a program
// (CommandLineToArgvW), so that the same text starts the same program with the
// same arguments on every platform:
//
// - The first entry, the program, ends at the next double quote when the line
//   starts with one, else at the first blank; backslashes in it are literal.
// - The other entries are separated by blanks (space, tab) outside quotes.
//   2n backslashes before a double quote give n backslashes and the quote opens
//   or closes a quoted part; 2n+1 backslashes before it give n backslashes and
//   a literal quote; backslashes before anything else are literal. Inside a
//   quoted part, two double quotes in a row give one literal quote and end the
//   quoted part.
//
// An empty or blank line gives an empty list.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The text a program path stands as at the head of a command line: enclosed in
// double quotes when it holds a blank, so that the line can only start that
// program and never one at a shorter prefix of its path.
std::string QuoteProgramPath(std::string_view path);

} // namespace tornavel
