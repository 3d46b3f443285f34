#include "iscc/MinVersion.h"

#include <gtest/gtest.h>

namespace tornavel::iscc {
namespace {

using Verdict = MinVersionBridge::Verdict;

// A script as the generator writes it, with the given [Setup] line at line 5
// and a MinVersion parameter in another section that no one may touch.
std::string scriptWith(const std::string& line) {
    return ";Tento soubor je vytvořen pro Inno Setup 5.1.12\r\n \r\n[Setup]\r\nAppName=X\r\n" +
           line + "\r\nDiskSpanning=yes\r\n\r\n[Files]\r\nMinVersion=4,4\r\n";
}

struct Case {
    std::string line;
    Verdict verdict;
    std::string adapted; // for Adapted
    InnoSetup compiler = InnoSetup::Five;
};

TEST(MinVersion, AdaptsOnlyWhatTheNewCompilerRefuses) {
    const Case cases[] = {
        // A new project: Windows 98 SE and NT 4.
        {"MinVersion=4.1.2222,4.0.1381 ", Verdict::Adapted, "MinVersion=0,5.0 "},
        {"MinVersion=4,3 ", Verdict::Adapted, "MinVersion=0,5.0 "},
        {"MinVersion=4.9.3000,5.01.2600 ", Verdict::Adapted, "MinVersion=0,5.01.2600 "},
        {"MinVersion=0,4.0.1381 ", Verdict::Adapted, "MinVersion=0,5.0 "},
        {"  minversion = 4.1.1998 , 5.0.2195", Verdict::Adapted, "  minversion =0,5.0.2195"},
        // Nothing the compiler refuses.
        {"MinVersion=0,5.0.2195 ", Verdict::Unchanged, ""},
        {"MinVersion=0,5.01.2600 ", Verdict::Unchanged, ""},
        // No NT piece (a hand-edited project): one version for both families.
        {"MinVersion=4.1.2222 ", Verdict::Adapted, "MinVersion=0,5.0 "},
        {"MinVersion=5.0 ", Verdict::Unchanged, ""},
        // No 9x piece.
        {"MinVersion=,4.0.1381 ", Verdict::Adapted, "MinVersion=0,5.0 "},
        // NT refused: with 9x gone nothing remains.
        {"MinVersion=0,0 ", Verdict::NoSupportedVersion, ""},
        {"MinVersion=4.1.2222,0 ", Verdict::NoSupportedVersion, ""},
        {"MinVersion=0 ", Verdict::NoSupportedVersion, ""},
        // Not made of versions, or no directive at all: left to the compiler.
        {",4.0.1381 ", Verdict::Unchanged, ""},
        {"MinVersion=", Verdict::Unchanged, ""},
        {"MinVersion=4.1.x,4.0", Verdict::Unchanged, ""},
        {"MinVersion=4,4..0", Verdict::Unchanged, ""},
        {"MinVersion=4,4,4", Verdict::Unchanged, ""},
        {"MinVersionX=4,4", Verdict::Unchanged, ""},
        // Inno Setup 6 refuses every NT version a project can write; its own
        // programs need Windows 7 SP1.
        {"MinVersion=4.1.2222,4.0.1381 ", Verdict::Adapted, "MinVersion=6.1sp1 ", InnoSetup::Six},
        {"MinVersion=5.0", Verdict::Adapted, "MinVersion=6.1sp1", InnoSetup::Six},
        {"MinVersion=4,6.1 ", Verdict::Adapted, "MinVersion=0,6.1 ", InnoSetup::Six},
        {"MinVersion=10.0 ", Verdict::Unchanged, "", InnoSetup::Six},
        {"MinVersion=4.1.2222,0 ", Verdict::NoSupportedVersion, "", InnoSetup::Six},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string script = scriptWith(c.line);
        const MinVersionBridge bridge = BridgeMinVersion(script, c.compiler);
        ASSERT_EQ(bridge.verdict, c.verdict);
        switch (c.verdict) {
        case Verdict::Unchanged:
            EXPECT_EQ(bridge.script, script);
            break;
        case Verdict::Adapted:
            EXPECT_EQ(bridge.script, scriptWith(c.adapted));
            EXPECT_EQ(bridge.line.number, 5u);
            EXPECT_EQ(bridge.line.original, c.line);
            EXPECT_EQ(bridge.line.adapted, c.adapted);
            break;
        case Verdict::NoSupportedVersion:
            EXPECT_EQ(bridge.line.number, 5u);
            EXPECT_EQ(bridge.line.original, c.line);
            break;
        }
    }
}

TEST(MinVersion, KeepsEveryOtherByteAndLineEnd) {
    // LF-only lines, a last line without line end, a second [Setup] section.
    const std::string script = "[Setup]\nAppName=A\n[Icons]\nMinVersion=4\n[setup]\nMinVersion=4,4";
    const MinVersionBridge bridge = BridgeMinVersion(script);
    ASSERT_EQ(bridge.verdict, Verdict::Adapted);
    EXPECT_EQ(bridge.script,
              "[Setup]\nAppName=A\n[Icons]\nMinVersion=4\n[setup]\nMinVersion=0,5.0");
    EXPECT_EQ(bridge.line.number, 6u);

    EXPECT_EQ(BridgeMinVersion("").script, "");
    EXPECT_EQ(BridgeMinVersion("\r\n\n[Setup\r\nMinVersion=4,4\r\n").verdict, Verdict::Unchanged);
}

TEST(MinVersion, MessagesQuoteTheLine) {
    const MinVersionLine line{29, "MinVersion=4.1.2222,4.0.1381 ", "MinVersion=0,5.0 "};
    EXPECT_EQ(AdaptedLine(line),
              "řádek 29 „MinVersion=4.1.2222,4.0.1381“ jako „MinVersion=0,5.0“ (Inno Setup 5.5 a "
              "novější nepodporuje Windows 95/98/Me ani Windows NT starší než 2000)");
    EXPECT_NE(RefusalMessage({7, "MinVersion=0,0 ", ""}).find("(řádek 7 „MinVersion=0,0“)"),
              std::string::npos);
    EXPECT_TRUE(AdaptedLine({29, "MinVersion=5.0", "MinVersion=6.1sp1", InnoSetup::Six})
                    .ends_with("(Inno Setup 6 podporuje jen Windows 7 SP1 a novější)"));
    EXPECT_NE(
        RefusalMessage({7, "MinVersion=0,0", "", InnoSetup::Six}).find("Inno Setup 6 (Windows 7"),
        std::string::npos);
}

} // namespace
} // namespace tornavel::iscc
