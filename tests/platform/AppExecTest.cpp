#include "platform/AppExec.h"

#include "support/FakeCompiler.h"
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
    void TearDown() override { AppExec().setLanguage(Language::Czech); }

    // The stand-in compiler in the test's own folder, ending with code.
    std::string programEndingWith(int code) {
        return test::installFakeCompiler(dir_.path(), code).string();
    }

    // ErrNo and ErrorText after waiting for a program that ends with code.
    std::pair<std::uint32_t, std::string> outcomeOfExit(AppExec& exec, int code) {
        exec.setExeName(programEndingWith(code));
        exec.setWaits(true);
        exec.execute();
        return {exec.resultCode(), exec.errorText()};
    }

    test::TempDir dir_;
};

TEST_F(AppExecTest, InitialValues) {
    AppExec exec;
    EXPECT_EQ(exec.exeName(), "");
    EXPECT_TRUE(exec.exeParams().empty());
    EXPECT_EQ(exec.exePath(), "");
    EXPECT_TRUE(exec.changesFolder());
    EXPECT_FALSE(exec.waits());
    EXPECT_EQ(exec.windowState(), WindowState::Normal);
    EXPECT_EQ(exec.showCommand(), 1);
    EXPECT_EQ(exec.priority(), ProcessPriority::Normal);
    EXPECT_EQ(exec.language(), Language::Czech);
    EXPECT_EQ(exec.resultCode(), 32u);
    EXPECT_EQ(exec.errorText(), "Error");
}

TEST_F(AppExecTest, CommandLineJoinsParametersWithSingleSpaces) {
    AppExec exec;
    exec.setExeName("C:\\Tools\\app.exe \"x\"");
    EXPECT_EQ(exec.commandLine(), "C:\\Tools\\app.exe \"x\"");
    std::vector<std::string> params{"a", "b"};
    exec.setExeParams(params);
    params.push_back("c"); // the launcher keeps its own copy
    EXPECT_EQ(exec.commandLine(), "C:\\Tools\\app.exe \"x\" a b");
    exec.setExeParams({" padded ", ""});
    EXPECT_EQ(exec.commandLine(), "C:\\Tools\\app.exe \"x\"  padded  ");
}

TEST_F(AppExecTest, ExePathDropsTheFinalSeparatorExceptAtRoots) {
    AppExec exec;
    exec.setExePath("C:\\Tools\\");
    EXPECT_EQ(exec.exePath(), "C:\\Tools");
    exec.setExePath("C:\\");
    EXPECT_EQ(exec.exePath(), "C:\\");
    exec.setExePath("\\");
    EXPECT_EQ(exec.exePath(), "\\");
    exec.setExePath("C:\\Tools\\\\");
    EXPECT_EQ(exec.exePath(), "C:\\Tools\\");
    exec.setExePath("D:");
    EXPECT_EQ(exec.exePath(), "D:");
    exec.setExePath("/opt/tools/");
    EXPECT_EQ(exec.exePath(), "/opt/tools");
    exec.setExePath("/");
    EXPECT_EQ(exec.exePath(), "/");
    exec.setExePath("");
    EXPECT_EQ(exec.exePath(), "");
}

TEST_F(AppExecTest, WindowStateSetsTheShowCommand) {
    AppExec exec;
    exec.setWindowState(WindowState::Maximized);
    EXPECT_EQ(exec.showCommand(), 3);
    exec.setWindowState(WindowState::Minimized);
    EXPECT_EQ(exec.showCommand(), 2);
    exec.setWindowState(WindowState::Normal);
    EXPECT_EQ(exec.showCommand(), 1);
    EXPECT_EQ(exec.windowState(), WindowState::Normal);
}

TEST_F(AppExecTest, WithoutWaitReturnsAtOnceWithErrNoZero) {
    AppExec exec;
    exec.setExeName("sleep 1");
    const auto start = std::chrono::steady_clock::now();
    exec.execute();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 800ms);
    EXPECT_EQ(exec.resultCode(), 0u);
}

TEST_F(AppExecTest, WaitKeepsTheExitCodeAndRunsThePump) {
    AppExec exec;
    int pumped = 0;
    exec.setEventPump([&] { ++pumped; });
    EXPECT_EQ(outcomeOfExit(exec, 1).first, 1u);
    EXPECT_GE(pumped, 2); // before the wait, whatever the program's speed

    exec.setExeName("sleep 0.2");
    pumped = 0;
    exec.execute();
    EXPECT_EQ(exec.resultCode(), 0u);
    EXPECT_GT(pumped, 3);
}

TEST_F(AppExecTest, CommandLineIsSplitByWindowsRulesWithoutShell) {
    AppExec exec;
    const std::string program = programEndingWith(0);
    fs::remove(dir_.path() / "iscc.exitcode");
    exec.setExeName(program + " \"" + dir_.folder() + "ISS\" $HOME;x");
    exec.setExeParams({"a\\\"b"});
    exec.setWaits(true);
    exec.execute();
    EXPECT_EQ(test::readFileBytes(dir_.path() / "iscc.log"), dir_.folder() + "ISS $HOME;x a\"b\n");
}

TEST_F(AppExecTest, MissingProgramRaisesWinExecWithCzechText) {
    AppExec exec;
    exec.setExeName(dir_.folder() + "iscc \"" + dir_.folder() + "ISS\"");
    try {
        exec.execute();
        FAIL() << "a missing program must raise";
    } catch (const AppExecStartError& e) {
        EXPECT_STREQ(e.what(), "Soubor nelze najít");
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
    }
    EXPECT_EQ(exec.resultCode(), 2u);
}

TEST_F(AppExecTest, BadFormatGivesTheLastSlot) {
    const auto junk = dir_.writeFile("setup.exe", "not really a program");
    fs::permissions(junk, fs::perms::owner_all);
    AppExec exec;
    exec.setExeName(junk.string());
    EXPECT_THROW(
        {
            try {
                exec.execute();
            } catch (const AppExecStartError& e) {
                EXPECT_STREQ(e.what(), "Error");
                throw;
            }
        },
        AppExecError);
    EXPECT_EQ(exec.resultCode(), 193u);
}

TEST_F(AppExecTest, ErrorTextSlotsAndGaps) {
    AppExec exec;
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
    AppExec first;
    AppExec second;
    EXPECT_EQ(outcomeOfExit(second, 2).second, "Soubor nelze najít");
    first.setLanguage(Language::Italian);
    EXPECT_EQ(second.language(), Language::Czech);
    EXPECT_EQ(second.errorText(), "File non trovato");
    EXPECT_EQ(outcomeOfExit(second, 11).second,
              "File eseguibile invalido. Potrebbe non essere un'applicazione per Windows o c'e' "
              "un errore nell'immagine .EXE ");
    EXPECT_EQ(outcomeOfExit(second, 40).second, "Nessun errore");

    first.setLanguage(Language::French);
    EXPECT_EQ(second.errorText(), "Pas d'erreur");
    EXPECT_EQ(outcomeOfExit(second, 2).second, "Fichier non trouvé");

    // A new instance fills the table with Czech again.
    AppExec third;
    EXPECT_EQ(second.errorText(), "Soubor nelze najít");
}

TEST_F(AppExecTest, ChangeDirMovesTheProgramIntoExePath) {
    const fs::path before = fs::current_path();
    AppExec exec;
    exec.setExeName(programEndingWith(0));
    exec.setExePath(dir_.folder());
    exec.setWaits(true);
    exec.execute();
    EXPECT_EQ(fs::current_path(), fs::canonical(dir_.path()));
    fs::current_path(before);

    exec.setChangesFolder(false);
    exec.execute();
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(AppExecTest, UnreachableExePathRaisesChDirAndStartsNothing) {
    AppExec exec;
    exec.setExeName(programEndingWith(0));
    exec.setExePath(dir_.folder() + "missing");
    EXPECT_THROW(exec.execute(), AppExecFolderError);
    EXPECT_EQ(exec.resultCode(), 32u);
    EXPECT_FALSE(fs::exists(dir_.path() / "iscc.log"));
}

TEST_F(AppExecTest, OverlongCommandLineIsRefusedClearly) {
    AppExec exec;
    exec.setExeName(programEndingWith(0) + " " + std::string(kMaxCommandLineLength, 'x'));
    try {
        exec.execute();
        FAIL() << "an over-long command line must be refused";
    } catch (const AppExecStartError& e) {
        EXPECT_NE(std::string(e.what()).find("příliš dlouhý"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(dir_.path() / "iscc.log"));

    // A line of exactly the limit still starts.
    const std::string head = programEndingWith(0) + " ";
    exec.setExeName(head + std::string(kMaxCommandLineLength - head.size(), 'x'));
    exec.setWaits(true);
    exec.execute();
    EXPECT_EQ(exec.resultCode(), 0u);
}

} // namespace
} // namespace tornavel
