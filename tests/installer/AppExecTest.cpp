#include "installer/appexec.h"

#include "platform/Wine.h"
#include "support/FakeCompiler.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The error-text table is one per program: every test leaves it Czech.
class AppExecTest : public ::testing::Test {
protected:
    void TearDown() override { TAppExec().SetLangType(TLangType::ltCzech); }

    // The stand-in compiler in the test's own folder, ending with code.
    std::string programEndingWith(int code) {
        return test::installFakeCompiler(dir.path(), code).string();
    }

    // ErrNo and ErrorText after waiting for a program that ends with code.
    std::pair<std::uint32_t, std::string> outcomeOfExit(TAppExec& exec, int code) {
        exec.ExeName = programEndingWith(code);
        exec.Wait = true;
        exec.Execute();
        return {exec.ErrNo(), exec.ErrorText()};
    }

    test::TempDir dir;
};

TEST_F(AppExecTest, InitialValues) {
    TAppExec exec;
    EXPECT_EQ(exec.ExeName, "");
    EXPECT_TRUE(exec.ExeParams().empty());
    EXPECT_EQ(exec.ExePath(), "");
    EXPECT_TRUE(exec.ChangeDir);
    EXPECT_FALSE(exec.Wait);
    EXPECT_EQ(exec.WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(exec.ShowCommand(), 1);
    EXPECT_EQ(exec.PriorityClass(), TPriorClass::pcNormal);
    EXPECT_EQ(exec.LangType(), TLangType::ltCzech);
    EXPECT_EQ(exec.ErrNo(), 32u);
    EXPECT_EQ(exec.ErrorText(), "Error");
}

TEST_F(AppExecTest, CommandLineJoinsParametersWithSingleSpaces) {
    TAppExec exec;
    exec.ExeName = "C:\\Tools\\app.exe \"x\"";
    EXPECT_EQ(exec.CommandLine(), "C:\\Tools\\app.exe \"x\"");
    std::vector<std::string> params{"a", "b"};
    exec.SetExeParams(params);
    params.push_back("c"); // the launcher keeps its own copy
    EXPECT_EQ(exec.CommandLine(), "C:\\Tools\\app.exe \"x\" a b");
    exec.SetExeParams({" padded ", ""});
    EXPECT_EQ(exec.CommandLine(), "C:\\Tools\\app.exe \"x\"  padded  ");
}

TEST_F(AppExecTest, ExePathDropsTheFinalSeparatorExceptAtRoots) {
    TAppExec exec;
    exec.SetExePath("C:\\Tools\\");
    EXPECT_EQ(exec.ExePath(), "C:\\Tools");
    exec.SetExePath("C:\\");
    EXPECT_EQ(exec.ExePath(), "C:\\");
    exec.SetExePath("\\");
    EXPECT_EQ(exec.ExePath(), "\\");
    exec.SetExePath("C:\\Tools\\\\");
    EXPECT_EQ(exec.ExePath(), "C:\\Tools\\");
    exec.SetExePath("D:");
    EXPECT_EQ(exec.ExePath(), "D:");
    exec.SetExePath("/opt/tools/");
    EXPECT_EQ(exec.ExePath(), "/opt/tools");
    exec.SetExePath("/");
    EXPECT_EQ(exec.ExePath(), "/");
    exec.SetExePath("");
    EXPECT_EQ(exec.ExePath(), "");
}

TEST_F(AppExecTest, WindowStateSetsTheShowCommand) {
    TAppExec exec;
    exec.SetWindowState(TWindowState::wsMaximized);
    EXPECT_EQ(exec.ShowCommand(), 3);
    exec.SetWindowState(TWindowState::wsMinimized);
    EXPECT_EQ(exec.ShowCommand(), 2);
    exec.SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(exec.ShowCommand(), 1);
    EXPECT_EQ(exec.WindowState(), TWindowState::wsNormal);
}

TEST_F(AppExecTest, WithoutWaitReturnsAtOnceWithErrNoZero) {
    TAppExec exec;
    exec.ExeName = "sleep 1";
    const auto start = std::chrono::steady_clock::now();
    exec.Execute();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 800ms);
    EXPECT_EQ(exec.ErrNo(), 0u);
}

TEST_F(AppExecTest, WaitKeepsTheExitCodeAndRunsThePump) {
    TAppExec exec;
    int pumped = 0;
    exec.EventPump = [&] { ++pumped; };
    EXPECT_EQ(outcomeOfExit(exec, 1).first, 1u);
    EXPECT_GE(pumped, 2); // before the wait, whatever the program's speed

    exec.ExeName = "sleep 0.2";
    pumped = 0;
    exec.Execute();
    EXPECT_EQ(exec.ErrNo(), 0u);
    EXPECT_GT(pumped, 3);
}

TEST_F(AppExecTest, CommandLineIsSplitByWindowsRulesWithoutShell) {
    TAppExec exec;
    const std::string program = programEndingWith(0);
    fs::remove(dir.path() / "iscc.exitcode");
    exec.ExeName = program + " \"" + dir.folder() + "ISS\" $HOME;x";
    exec.SetExeParams({"a\\\"b"});
    exec.Wait = true;
    exec.Execute();
    EXPECT_EQ(test::readFileBytes(dir.path() / "iscc.log"), dir.folder() + "ISS $HOME;x a\"b\n");
}

TEST_F(AppExecTest, MissingProgramRaisesWinExecWithCzechText) {
    TAppExec exec;
    exec.ExeName = dir.folder() + "iscc \"" + dir.folder() + "ISS\"";
    try {
        exec.Execute();
        FAIL() << "a missing program must raise";
    } catch (const EAppExecWinExec& e) {
        EXPECT_STREQ(e.what(), "Soubor nelze najít");
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
    }
    EXPECT_EQ(exec.ErrNo(), 2u);
}

TEST_F(AppExecTest, BadFormatGivesTheLastSlot) {
    const auto junk = dir.writeFile("setup.exe", "not really a program");
    fs::permissions(junk, fs::perms::owner_all);
    TAppExec exec;
    exec.ExeName = junk.string();
    EXPECT_THROW(
        {
            try {
                exec.Execute();
            } catch (const EAppExecWinExec& e) {
                EXPECT_STREQ(e.what(), "Error");
                throw;
            }
        },
        EAppExec);
    EXPECT_EQ(exec.ErrNo(), 193u);
}

TEST_F(AppExecTest, WindowsProgramRunsThroughWine) {
    const auto setup = dir.writeFile("Output/Setup 1.exe", "MZ");
    TAppExec exec;
    exec.ExeName = "\"" + setup.string() + "\"";
    exec.SetExeParams({"/VERYSILENT", "\"/DIR=Z:\\a b\""});
    exec.Wait = true;
    {
        const test::ScopedVariable path("PATH", dir.folder() + "none");
        try {
            exec.Execute();
            FAIL() << "no wine, no error";
        } catch (const EAppExecWinExec& e) {
            EXPECT_STREQ(e.what(), WineMissingError(setup.string()).what());
        }
        EXPECT_EQ(exec.ErrNo(), 2u);
    }
    // A stand-in wine that records its arguments.
    test::copyFakeCompiler(dir.path() / "bin" / "wine");
    const test::ScopedVariable path("PATH", dir.folder() + "bin");
    exec.Execute();
    EXPECT_EQ(exec.ErrNo(), 0u);
    EXPECT_EQ(test::readFileBytes(dir.path() / "bin" / "iscc.log"),
              setup.string() + " /VERYSILENT /DIR=Z:\\a b\n");
}

TEST_F(AppExecTest, ErrorTextSlotsAndGaps) {
    TAppExec exec;
    EXPECT_EQ(outcomeOfExit(exec, 0).second, "Systém má málo volné paměti, nebo je soubor vadný.");
    EXPECT_EQ(outcomeOfExit(exec, 3).second, "Cestu nelze najít");
    EXPECT_EQ(outcomeOfExit(exec, 10).second, "Špatná verze Windows");
    EXPECT_EQ(outcomeOfExit(exec, 16).second,
              "Attempt to load second instance of an executable containing multiple data "
              "segments not marked read-only");
    EXPECT_EQ(outcomeOfExit(exec, 20).second, "Dynamická knihovna (DLL) je vadná.");
    EXPECT_EQ(outcomeOfExit(exec, 21).second, "Aplikace vyžaduje 32-bitové Windows");
    EXPECT_EQ(outcomeOfExit(exec, 32).second, "Error");
    EXPECT_EQ(outcomeOfExit(exec, 255).second, "Error");
    for (int gap : {1, 4, 7, 9, 17, 18, 22, 31}) {
        EXPECT_EQ(outcomeOfExit(exec, gap), (std::pair<std::uint32_t, std::string>(gap, "")))
            << gap;
    }
}

TEST_F(AppExecTest, LanguageOfOneInstanceChangesTheTextsOfAll) {
    TAppExec first;
    TAppExec second;
    EXPECT_EQ(outcomeOfExit(second, 2).second, "Soubor nelze najít");
    first.SetLangType(TLangType::ltItalian);
    EXPECT_EQ(second.LangType(), TLangType::ltCzech);
    EXPECT_EQ(second.ErrorText(), "File non trovato");
    EXPECT_EQ(outcomeOfExit(second, 11).second,
              "File eseguibile invalido. Potrebbe non essere un'applicazione per Windows o c'e' "
              "un errore nell'immagine .EXE ");
    EXPECT_EQ(outcomeOfExit(second, 40).second, "Nessun errore");

    first.SetLangType(TLangType::ltFrench);
    EXPECT_EQ(second.ErrorText(), "Pas d'erreur");
    EXPECT_EQ(outcomeOfExit(second, 2).second, "Fichier non trouvé");

    // A new instance fills the table with Czech again.
    TAppExec third;
    EXPECT_EQ(second.ErrorText(), "Soubor nelze najít");
}

TEST_F(AppExecTest, ChangeDirMovesTheProgramIntoExePath) {
    const fs::path before = fs::current_path();
    TAppExec exec;
    exec.ExeName = programEndingWith(0);
    exec.SetExePath(dir.folder());
    exec.Wait = true;
    exec.Execute();
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.path()));
    fs::current_path(before);

    exec.ChangeDir = false;
    exec.Execute();
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(AppExecTest, UnreachableExePathRaisesChDirAndStartsNothing) {
    TAppExec exec;
    exec.ExeName = programEndingWith(0);
    exec.SetExePath(dir.folder() + "missing");
    EXPECT_THROW(exec.Execute(), EAppExecChDir);
    EXPECT_EQ(exec.ErrNo(), 32u);
    EXPECT_FALSE(fs::exists(dir.path() / "iscc.log"));
}

TEST_F(AppExecTest, OverlongCommandLineIsRefusedClearly) {
    TAppExec exec;
    exec.ExeName = programEndingWith(0) + " " + std::string(kMaxCommandLineLength, 'x');
    try {
        exec.Execute();
        FAIL() << "an over-long command line must be refused";
    } catch (const EAppExecWinExec& e) {
        EXPECT_NE(std::string(e.what()).find("příliš dlouhý"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(dir.path() / "iscc.log"));

    // A line of exactly the limit still starts.
    const std::string head = programEndingWith(0) + " ";
    exec.ExeName = head + std::string(kMaxCommandLineLength - head.size(), 'x');
    exec.Wait = true;
    exec.Execute();
    EXPECT_EQ(exec.ErrNo(), 0u);
}

} // namespace
} // namespace tornavel
