#include "platform/Utf8.h"

#include <algorithm>

namespace tornavel {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

// The code point of the well-formed sequence at pos and its length; length 0
// when the bytes there are not well-formed.
struct Sequence {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Sequence readSequence(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return {};
    }
    if (length > s.size() - pos) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            return {};
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // The shortest form only: an overlong one would let other bytes pass for
    // the same character.
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[length] || cp > 0x10FFFF || isSurrogate(cp)) {
        return {};
    }
    return {cp, length};
}

} // namespace

std::optional<char32_t> decodeUtf8(std::string_view s, std::size_t& pos, Utf8Mode mode) {
    const Sequence sequence = readSequence(s, pos);
    if (sequence.length == 0) {
        if (mode == Utf8Mode::Strict) {
            return std::nullopt;
        }
        return rawByteCodePoint(static_cast<unsigned char>(s[pos++]));
    }
    pos += sequence.length;
    return sequence.codePoint;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || isSurrogate(cp)) {
        cp = kReplacement;
    }
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string utf8;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(utf8, c);
    }
    return utf8;
}

std::size_t CountUtf8Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace tornavel
