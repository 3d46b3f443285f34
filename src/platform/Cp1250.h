#pragma once

#include <string>
#include <string_view>

namespace tornavel {

// Windows-1250 exists only at the file boundary: project files, the settings
// file and the installer script. Inside the program every text is UTF-8.
//
// Every byte value decodes to exactly one character; the five bytes the code
// page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control
// characters of the same value, so decoding and encoding round-trip.

// Decodes Windows-1250 bytes to UTF-8. Never fails.
std::string fromCp1250(std::string_view bytes);

// Encodes UTF-8 to Windows-1250. Throws EncodingError naming the text when a
// character has no Windows-1250 byte or the input is not valid UTF-8.
std::string toCp1250(std::string_view utf8);

// Whether toCp1250 would succeed.
bool isCp1250Encodable(std::string_view utf8);

// Throws EncodingError naming the text unless toCp1250 would succeed.
void requireCp1250Encodable(std::string_view utf8);

// Whether one Unicode code point has a Windows-1250 byte.
bool isCp1250Character(char32_t codePoint);

// Windows-1250 bytes with every letter turned to lower case (A-Z and the
// accented letters of the code page), for matching names without regard to
// letter case as Windows does.
std::string foldCaseCp1250(std::string_view bytes);

// Whether two Windows-1250 names are equal without regard to letter case.
bool equalIgnoringCaseCp1250(std::string_view a, std::string_view b);

} // namespace tornavel
