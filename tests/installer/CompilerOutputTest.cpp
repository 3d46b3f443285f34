#include "installer/CompilerOutput.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tornavel {
namespace {

using Lines = std::vector<std::string>;

// Feeds the pieces one after another and returns the lines, finished.
Lines linesOf(const std::vector<std::string>& pieces) {
    Lines lines;
    CompilerOutputLines splitter([&lines](const std::string& line) { lines.push_back(line); });
    for (const auto& piece : pieces) {
        splitter.feed(piece);
    }
    splitter.finish();
    return lines;
}

TEST(CompilerOutputLines, EveryKindOfLineEndAlsoAcrossPieces) {
    EXPECT_EQ(linesOf({"a\r\nb\r\n"}), (Lines{"a", "b"}));
    // A CR LF torn apart by the pipe is still one line end.
    EXPECT_EQ(linesOf({"a\r", "\nb\r", "", "\n"}), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf({"lone\rcr\nlf\n\r\n"}), (Lines{"lone", "cr", "lf", ""}));
    EXPECT_EQ(linesOf({"\r\n\r\n"}), (Lines{"", ""}));
    // The last line needs no line end; nothing after a final line end.
    EXPECT_EQ(linesOf({"abc", "def"}), (Lines{"abcdef"}));
    EXPECT_EQ(linesOf({}), Lines{});
}

TEST(CompilerOutputLines, DecodesWindows1250AndShowsWhatCannotBeShown) {
    // "Příliš" in Windows-1250, then bytes the code page leaves undefined,
    // control characters and a NUL: each becomes U+FFFD; a tab stays.
    EXPECT_EQ(linesOf({"P\xF8\xEDli\x9A\t\x81\x98\x1B\x7F", std::string("x\0y\r\n", 5)}),
              (Lines{"Příliš\t\uFFFD\uFFFD\uFFFD\uFFFDx\uFFFDy"}));
}

TEST(CompilerOutputLines, ErrorLinesOfTheCompiler) {
    EXPECT_TRUE(IsCompilerErrorLine("Error on line 5 in Z:\\tmp\\ISS: Minimum Windows version"));
    EXPECT_TRUE(IsCompilerErrorLine("Error: Script file name specified does not exist."));
    EXPECT_FALSE(IsCompilerErrorLine("Compile aborted."));
    EXPECT_FALSE(IsCompilerErrorLine("  Error on line 5"));
    EXPECT_FALSE(IsCompilerErrorLine("Errors: 0"));
}

TEST(PackingProgress, SizesForAPersonAndTheShareDone) {
    EXPECT_EQ(ReadableByteSize(0), "0 B");
    EXPECT_EQ(ReadableByteSize(999), "999 B");
    EXPECT_EQ(ReadableByteSize(1500), "1,5 kB");
    EXPECT_EQ(ReadableByteSize(9'960'000), "10 MB");
    EXPECT_EQ(ReadableByteSize(999'600'000), "1,0 GB");
    EXPECT_EQ(ReadableByteSize(UINT64_MAX), "18 EB");
    // Files without bytes are counted instead.
    EXPECT_EQ((PackingProgress{"", 1, 4, 0, 0}.fraction()), 0.25);
    EXPECT_EQ((PackingProgress{"x", 1, 2, 300'000'000, 300'000'000}.bytesText()),
              "300 MB z 300 MB");
}

} // namespace
} // namespace tornavel
