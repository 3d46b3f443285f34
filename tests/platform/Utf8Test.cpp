#include "platform/Utf8.h"

#include <gtest/gtest.h>
#include <vector>

namespace tornavel {
namespace {

std::vector<char32_t> decodeAll(std::string_view s, Utf8Mode mode) {
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < s.size();) {
        const auto cp = decodeUtf8(s, pos, mode);
        if (!cp) {
            break;
        }
        out.push_back(*cp);
    }
    return out;
}

// Bytes that are not well-formed UTF-8.
const std::vector<std::string> kMalformed = {
    "\x80",                 // a continuation byte alone
    "\xC3",                 // cut off at the end
    "\xC3(",                // cut off by another character
    "\xE2\x82",             // cut off after two of three bytes
    "\xC0\xAF",             // overlong "/"
    "\xE0\x80\xAF",         // overlong "/" in three bytes
    "\xED\xA0\x80",         // a surrogate
    "\xF4\x90\x80\x80",     // above U+10FFFF
    "\xF8\x88\x80\x80\x80", // a five-byte form
    "\xFF",                 // no sequence starts with it
};

TEST(Utf8, StrictDecodesWellFormedTextAndRefusesTheRest) {
    EXPECT_EQ(decodeAll("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", Utf8Mode::Strict),
              (std::vector<char32_t>{U'a', 0xE9, 0x20AC, 0x1F600, 0x10FFFF}));
    for (const std::string& bad : kMalformed) {
        std::size_t pos = 0;
        EXPECT_EQ(decodeUtf8(bad, pos, Utf8Mode::Strict), std::nullopt) << bad;
        EXPECT_EQ(pos, 0u) << bad;
    }
}

TEST(Utf8, LenientTakesEachByteOfAMalformedSequenceAsItself) {
    for (const std::string& bad : kMalformed) {
        std::vector<char32_t> expected;
        for (const char c : bad) {
            expected.push_back(c == '(' ? U'(' : rawByteCodePoint(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(decodeAll(bad, Utf8Mode::Lenient), expected) << bad;
    }
    // Decoding goes on with the next well-formed character.
    EXPECT_EQ(decodeAll("\xC3\xA9\xC3", Utf8Mode::Lenient),
              (std::vector<char32_t>{0xE9, rawByteCodePoint(0xC3)}));
    EXPECT_GT(rawByteCodePoint(0), 0x10FFFFu);
}

TEST(Utf8, EncoderWritesScalarValuesAndReplacesTheRest) {
    std::string out;
    for (const char32_t cp : {char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800},
                              char32_t{0xFFFF}, char32_t{0x10000}, char32_t{0x10FFFF}}) {
        appendUtf8(out, cp);
    }
    EXPECT_EQ(decodeAll(out, Utf8Mode::Strict),
              (std::vector<char32_t>{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}));
    out.clear();
    appendUtf8(out, 0xD800);
    appendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
} // namespace tornavel
