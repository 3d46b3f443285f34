#include "platform/Cp1250.h"

#include "platform/Errors.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tornavel {
namespace {

// Unicode code points of the bytes 0x80..0xFF; the bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

// Reverse of kHighHalf, indexed by code point; 0 where the code page has no
// byte (the highest code point of the code page is U+2122).
constexpr char32_t kHighestCodePoint = 0x2122;
const std::array<unsigned char, kHighestCodePoint + 1>& reverseTable() {
    static const auto table = [] {
        std::array<unsigned char, kHighestCodePoint + 1> t{};
        for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
            t[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
        }
        return t;
    }();
    return table;
}

std::optional<unsigned char> byteFor(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<unsigned char>(cp);
    }
    if (cp > kHighestCodePoint || reverseTable()[cp] == 0) {
        return std::nullopt;
    }
    return reverseTable()[cp];
}

char32_t toLower(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) {
        return cp + 0x20;
    }
    // Latin Extended-A pairs upper and lower case as neighbours.
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) {
        return (cp % 2 == 0) ? cp + 1 : cp;
    }
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) {
        return (cp % 2 == 1) ? cp + 1 : cp;
    }
    return cp;
}

// Each byte's lower-case byte, built once: names are compared often.
const std::array<char, 256>& foldTable() {
    static const auto table = [] {
        std::array<char, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b) {
            const char32_t cp = b < 0x80 ? char32_t(b) : char32_t{kHighHalf[b - 0x80]};
            const auto lower = byteFor(toLower(cp));
            t[b] = static_cast<char>(lower ? *lower : b);
        }
        return t;
    }();
    return table;
}

} // namespace

std::string foldCaseCp1250(std::string_view bytes) {
    const auto& fold = foldTable();
    std::string out(bytes);
    for (char& c : out) {
        c = fold[static_cast<unsigned char>(c)];
    }
    return out;
}

bool equalIgnoringCaseCp1250(std::string_view a, std::string_view b) {
    const auto& fold = foldTable();
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&fold](char x, char y) {
               return fold[static_cast<unsigned char>(x)] == fold[static_cast<unsigned char>(y)];
           });
}

std::string fromCp1250(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kHighHalf[b - 0x80]});
    }
    return out;
}

std::string toCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // Runs of ASCII, most of every text here, are the same bytes in both.
        std::size_t end = pos;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
            ++end;
        }
        out.append(utf8.substr(pos, end - pos));
        pos = end;
        if (pos == utf8.size()) {
            break;
        }
        const auto cp = decodeUtf8(utf8, pos, Utf8Mode::Strict);
        const auto byte = cp ? byteFor(*cp) : std::nullopt;
        if (!byte) {
            throw EncodingError(std::string(utf8));
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

bool isCp1250Encodable(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = decodeUtf8(utf8, pos, Utf8Mode::Strict);
        if (!cp || !byteFor(*cp)) {
            return false;
        }
    }
    return true;
}

void requireCp1250Encodable(std::string_view utf8) {
    if (!isCp1250Encodable(utf8)) {
        throw EncodingError(std::string(utf8));
    }
}

bool isCp1250Character(char32_t codePoint) {
    return byteFor(codePoint).has_value();
}

} // namespace tornavel
