#include "iscc/ReplacingStream.h"

#include <gtest/gtest.h>

namespace tornavel::iscc {
namespace {

TEST(ReplacingStream, ReplacesOccurrencesSplitAnywhere) {
    const std::string input = "Error on line 5 in Z:\\p\\.x\\ISS: bad\r\nZ:\\p\\.x\\.x\\\r\n\\.x";
    // Occurrences do not overlap: the second ".x" has lost its backslash.
    const std::string expected = "Error on line 5 in Z:\\p\\ISS: bad\r\nZ:\\p\\.x\\\r\n\\.x";
    for (std::size_t a = 0; a <= input.size(); ++a) {
        for (std::size_t b = a; b <= input.size(); ++b) {
            ReplacingStream stream("\\.x\\", "\\");
            std::string out = stream.feed(input.substr(0, a));
            out += stream.feed(input.substr(a, b - a));
            out += stream.feed(input.substr(b));
            out += stream.finish();
            ASSERT_EQ(out, expected) << a << " " << b;
        }
    }
}

TEST(ReplacingStream, HoldsBackOnlyWhatMayBeginAnOccurrence) {
    ReplacingStream stream("\\.x\\", "\\");
    EXPECT_EQ(stream.feed("Compiling\r\n"), "Compiling\r\n");
    EXPECT_EQ(stream.feed("Z:\\p\\."), "Z:\\p");
    EXPECT_EQ(stream.feed("y"), "\\.y");
    EXPECT_EQ(stream.finish(), "");

    ReplacingStream nothing("", "x");
    EXPECT_EQ(nothing.feed("abc\\"), "abc\\");
}

} // namespace
} // namespace tornavel::iscc
