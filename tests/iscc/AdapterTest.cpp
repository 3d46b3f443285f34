// The adapter's own failures, run as the build driver runs it. None of them
// reaches wine's set-up or the compiler, so a stand-in ISCC.exe serves.
#include "platform/Cp1250.h"
#include "platform/Wine.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

class Adapter : public ::testing::Test {
protected:
    Adapter() {
        compilerDir.writeFile("ISCC.exe", "MZ stand-in");
        script = source.writeFile("ISS", "[Setup]\r\nAppName=A\r\nMinVersion=4,0 \r\n").string();
    }
    test::ProgramRun run(std::vector<std::string> variables) {
        variables.push_back("TORNAVEL_COMPILER_DIR=" + compilerDir.folder());
        variables.push_back("TORNAVEL_WINEPREFIX=" + prefix());
        return test::runProgram({TORNAVEL_ISCC_PATH, script}, scratch, variables);
    }
    std::string prefix() const { return (scratch.path() / "wine").string(); }

    test::TempDir compilerDir;
    test::TempDir source;
    test::TempDir scratch;
    std::string script;
};

TEST_F(Adapter, MissingPiecesNameTheInstallScript) {
    const test::TempDir emptyFolder;
    // No wine in PATH.
    test::ProgramRun r = run({"PATH=" + emptyFolder.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Program wine nebyl nalezen (PATH). Kompilátor je program pro Windows a běží "
              "přes wine; nainstalujte ho skriptem scripts/install-compiler.\r\n");

    // No ISCC.exe.
    fs::remove(compilerDir.path() / "ISCC.exe");
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(fromCp1250(r.err).find(
                  "iscc: Kompilátor Inno Setup nebyl nalezen: " + compilerDir.folder() +
                  "ISCC.exe neexistuje. Nainstalujte "
                  "ho skriptem scripts/install-compiler"),
              std::string::npos)
        << r.err;
    compilerDir.writeFile("ISCC.exe", "MZ");

    // No Czech locale.
    r = run({"LOCPATH=" + emptyFolder.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(fromCp1250(r.err).find("Chybí národní prostředí cs_CZ.UTF-8"), std::string::npos);
    EXPECT_NE(r.err.find("scripts/install-compiler"), std::string::npos);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(prefix()));
}

TEST_F(Adapter, ScriptThatAllowsNoSupportedWindowsIsRefusedBeforeWine) {
    const test::ProgramRun r = run({});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Projekt nepovoluje žádnou verzi Windows", 0), 0u)
        << r.err;
    EXPECT_NE(fromCp1250(r.err).find("(řádek 3 „MinVersion=4,0“)"), std::string::npos);
    EXPECT_FALSE(fs::exists(prefix()));
    EXPECT_FALSE(fs::exists(source.path() / ".tornavel-iscc"));
}

TEST_F(Adapter, PrefixThatCannotBeCreatedIsReported) {
    source.writeFile("ISS", "[Setup]\r\nMinVersion=0,5.0\r\n");
    const auto blocker = scratch.writeFile("file");
    const test::ProgramRun r =
        test::runProgram({TORNAVEL_ISCC_PATH, script}, scratch,
                         {"TORNAVEL_COMPILER_DIR=" + compilerDir.folder(),
                          "TORNAVEL_WINEPREFIX=" + (blocker / "wine").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Prostředí wine v " + (blocker / "wine").string() +
                                     " nelze vytvořit: Not a directory.\r\n");
}

TEST_F(Adapter, UnreadableScriptAndMissingArgument) {
    test::ProgramRun r = test::runProgram({TORNAVEL_ISCC_PATH}, scratch);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Použití: iscc [VOLBY KOMPILÁTORU...] SKRIPT\r\n");

    fs::remove(script);
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Skript " + script + " nelze přečíst: File not found.\r\n");
}

} // namespace
} // namespace tornavel
