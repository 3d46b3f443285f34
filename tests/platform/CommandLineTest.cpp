#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace tornavel {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlankLineGivesNoEntries) {
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine(" \t "), Args{});
}

TEST(SplitCommandLine, ProgramEndsAtBlankOrClosingQuote) {
    EXPECT_EQ(SplitCommandLine("iscc"), (Args{"iscc"}));
    EXPECT_EQ(SplitCommandLine("  C:\\Tornavel\\iscc   a\tb  "),
              (Args{"C:\\Tornavel\\iscc", "a", "b"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Tornavel\\iscc\" x"),
              (Args{"C:\\Program Files\\Tornavel\\iscc", "x"}));
    // Backslashes are literal in the program, even before its closing quote.
    EXPECT_EQ(SplitCommandLine("\"C:\\dir\\\" x"), (Args{"C:\\dir\\", "x"}));
    // Text glued to the closing quote starts the first argument.
    EXPECT_EQ(SplitCommandLine("\"a b\"c d"), (Args{"a b", "c", "d"}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(SplitCommandLine("\"a b"), (Args{"a b"}));
}

TEST(SplitCommandLine, CompilerLineKeepsScriptPathWhole) {
    EXPECT_EQ(SplitCommandLine("/opt/Torna vel/iscc \"/home/jan/Můj projekt/ISS\""),
              (Args{"/opt/Torna", "vel/iscc", "/home/jan/Můj projekt/ISS"}));
    EXPECT_EQ(SplitCommandLine("\"/opt/Torna vel/iscc\" \"/home/jan/Můj projekt/ISS\""),
              (Args{"/opt/Torna vel/iscc", "/home/jan/Můj projekt/ISS"}));
    EXPECT_EQ(SplitCommandLine("C:\\Tornavel\\iscc \"C:\\Projekt\\ISS\""),
              (Args{"C:\\Tornavel\\iscc", "C:\\Projekt\\ISS"}));
}

TEST(SplitCommandLine, BackslashesBeforeQuotesInArguments) {
    // Not before a quote: literal.
    EXPECT_EQ(SplitCommandLine("p a\\\\b c\\"), (Args{"p", "a\\\\b", "c\\"}));
    // 2n backslashes and a quote: n backslashes, the quote delimits.
    EXPECT_EQ(SplitCommandLine("p \"a\\\\\\\\\" b"), (Args{"p", "a\\\\", "b"}));
    // 2n+1 backslashes and a quote: n backslashes and a literal quote.
    EXPECT_EQ(SplitCommandLine("p a\\\\\\\"b c"), (Args{"p", "a\\\"b", "c"}));
    EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Args{"p", "a\"b"}));
    // A folder ending in a backslash before the closing quote escapes the
    // quote: the rest of the line joins the argument.
    EXPECT_EQ(SplitCommandLine("p \"C:\\dir\\\" x"), (Args{"p", "C:\\dir\" x"}));
    EXPECT_EQ(SplitCommandLine("p \"C:\\dir\\\\\" x"), (Args{"p", "C:\\dir\\", "x"}));
    // A POSIX folder ends in "/", which is never special.
    EXPECT_EQ(SplitCommandLine("p \"/tmp/dir/\" x"), (Args{"p", "/tmp/dir/", "x"}));
}

TEST(SplitCommandLine, QuotedPartsAndDoubledQuotes) {
    EXPECT_EQ(SplitCommandLine("p a\\\\b d\"e f\"g h"), (Args{"p", "a\\\\b", "de fg", "h"}));
    EXPECT_EQ(SplitCommandLine("p \"\" x"), (Args{"p", "", "x"}));
    EXPECT_EQ(SplitCommandLine("p \"\""), (Args{"p", ""}));
    // Inside quotes, "" is a literal quote and ends the quoted part.
    EXPECT_EQ(SplitCommandLine("p a\"b\"\" c d"), (Args{"p", "ab\"", "c", "d"}));
    EXPECT_EQ(SplitCommandLine("p \"a\"\"b c\""), (Args{"p", "a\"b", "c"}));
    // Three quotes in a row outside a quoted part give one literal quote.
    EXPECT_EQ(SplitCommandLine("p \"\"\"x\"\"\" y"), (Args{"p", "\"x\"", "y"}));
}

TEST(QuoteProgramPath, QuotesOnlyPathsWithBlanks) {
    EXPECT_EQ(QuoteProgramPath("/opt/tornavel/iscc"), "/opt/tornavel/iscc");
    EXPECT_EQ(QuoteProgramPath("C:\\Program Files\\Tornavel\\iscc"),
              "\"C:\\Program Files\\Tornavel\\iscc\"");
    const std::string quoted = QuoteProgramPath("/opt/Torna vel/iscc");
    EXPECT_EQ(SplitCommandLine(quoted + " \"/x y/ISS\""),
              (Args{"/opt/Torna vel/iscc", "/x y/ISS"}));
}

} // namespace
} // namespace tornavel
