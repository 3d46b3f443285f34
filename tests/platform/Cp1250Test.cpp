#include "platform/Cp1250.h"

#include "platform/Errors.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

namespace tornavel {
namespace {

// The C library's own Windows-1250 decoder, as the reference; nullopt for the
// bytes it leaves undefined.
std::optional<std::string> iconvDecode(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no WINDOWS-1250";
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(out, static_cast<std::size_t>(outPtr - out));
}

TEST(Cp1250, EveryByteDecodesAsIconvDoesAndRoundTrips) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string decoded = fromCp1250(byte);
        const auto reference = iconvDecode(static_cast<unsigned char>(b));
        if (reference) {
            EXPECT_EQ(decoded, *reference) << "byte " << b;
        } else {
            // Undefined in the code page: the C1 control character of the same value.
            ++undefined;
            const std::string c1 = {static_cast<char>(0xC2), static_cast<char>(b)};
            EXPECT_EQ(decoded, c1) << "byte " << b;
        }
        EXPECT_EQ(toCp1250(decoded), byte) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, CzechTextsEncodeToSingleBytes) {
    EXPECT_EQ(toCp1250("Nastavení"), std::string("Nastaven\xED"));
    EXPECT_EQ(toCp1250("Můj program"), std::string("M\xF9j program"));
    EXPECT_EQ(toCp1250("© Ing. Já"), std::string("\xA9 Ing. J\xE1"));
    EXPECT_EQ(fromCp1250(toCp1250("žluťoučký kůň úpěl ďábelské ódy")),
              "žluťoučký kůň úpěl ďábelské ódy");
}

TEST(Cp1250, UnencodableTextIsRefusedWithItsName) {
    EXPECT_FALSE(isCp1250Encodable("日本"));
    EXPECT_FALSE(isCp1250Character(U'€' + 1));
    EXPECT_TRUE(isCp1250Character(U'€'));
    EXPECT_THROW(requireCp1250Encodable("日本"), EncodingError);
    EXPECT_NO_THROW(requireCp1250Encodable("Žluťoučký"));
    try {
        toCp1250("Program 日本");
        FAIL() << "no error";
    } catch (const EncodingError& e) {
        EXPECT_EQ(e.text(), "Program 日本");
        EXPECT_NE(std::string(e.what()).find("Program 日本"), std::string::npos);
    }
}

TEST(Cp1250, MalformedUtf8IsRefused) {
    for (const std::string& bad : {std::string("\xC3"), std::string("\xC0\xAF"),
                                   std::string("\xED\xA0\x80"), std::string("a\xFF")}) {
        EXPECT_FALSE(isCp1250Encodable(bad));
        EXPECT_THROW(toCp1250(bad), EncodingError);
    }
}

TEST(Cp1250, FoldsLetterCaseOfTheCodePage) {
    EXPECT_EQ(foldCaseCp1250(toCp1250("NASTAVENÍ")), toCp1250("nastavení"));
    EXPECT_EQ(foldCaseCp1250(toCp1250("ŽLUŤOUČKÝ ŮĎ")), toCp1250("žluťoučký ůď"));
    EXPECT_EQ(foldCaseCp1250(toCp1250("×÷[]")), toCp1250("×÷[]"));
}

} // namespace
} // namespace tornavel
