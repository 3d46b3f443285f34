#pragma once

#include <algorithm>
#include <string_view>

namespace tornavel {

// Letter case of ASCII only: for names whose letters are ASCII by definition
// (the compiler's sections, directives and constants, device names, file
// extensions); bytes beyond ASCII stay as they are.

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

} // namespace tornavel
