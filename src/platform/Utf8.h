#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tornavel {

// What the decoder makes of bytes that are not well-formed UTF-8: a stray
// continuation byte, a cut-off sequence, an overlong form, an encoded
// surrogate or a value above U+10FFFF.
enum class Utf8Mode {
    Strict,  // they are an error: the text cannot be decoded
    Lenient, // each byte of them stands for itself, as rawByteCodePoint(byte)
};

// The value a byte that starts no well-formed sequence decodes to in lenient
// mode: above the Unicode range, one per byte value, so that such a text still
// compares and matches consistently and no byte equals a character.
constexpr char32_t rawByteCodePoint(unsigned char byte) {
    return 0x110000 + byte;
}

// Decodes the character that starts at pos (pos < s.size()) and moves pos past
// it. Gives nullopt only in strict mode, for bytes that are not well-formed;
// pos then stays where it was.
std::optional<char32_t> decodeUtf8(std::string_view s, std::size_t& pos, Utf8Mode mode);

// UTF-16 of either byte order, as UTF-8. A broken surrogate becomes U+FFFD
// (appendUtf8 writes no surrogate), which Windows-1250 cannot hold, so such a
// text is refused later rather than kept wrong; an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// How many characters UTF-8 text holds: its bytes that start one. Windows
// counts a Czech letter once, where its UTF-8 form has two bytes.
std::size_t CountUtf8Characters(std::string_view text);

// Appends the UTF-8 form of a Unicode scalar value. Anything else (a surrogate,
// a value above U+10FFFF) appends U+FFFD, so the result is always well-formed.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace tornavel
