#include "installer/BuildDriver.h"

#include "platform/Errors.h"
#include "platform/FolderLock.h"
#include "support/FakeCompiler.h"
#include "support/FakePrompts.h"
#include "support/RecordingConsole.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"
#include "wine/Wine.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace tornavel {
namespace {

namespace fs = std::filesystem;
using test::copyFakeCompiler;
using test::FakePrompts;
using Kind = FakePrompts::Call::Kind;
using Answer = Prompts::Answer;

const std::string kConfirmCaption = "Vytvoření instalačního souboru";
const std::string kConfirmText =
    "Vámi zadané údaje byly zkontrolovány a nebyla nalezena žádná chyba. Proto bude zahájeno "
    "vytváření instalačního souboru. Vyčkejte zobrazení informace o úspěšném ukončení "
    "kompilace.\r\rPokračovat?";
const std::string kDoneCaption = "Kompilace byla úspěšně dokončena";
std::string doneText(const std::string& installer) {
    return "Instalační soubory byly úspěšně vytvořeny ve výstupním adresáři:\r" + installer +
           "\r\rChcete nyní provést test instalace?";
}

// FakePrompts that can act while a question is on screen, and that answers
// with the default button unless told otherwise.
class HookedPrompts : public FakePrompts {
public:
    Answer ask(const std::string& caption, const std::string& text, Icon icon,
               Answer defaultAnswer) override {
        if (onAsk) {
            onAsk(caption);
        }
        const bool scripted = !answers.empty();
        const Answer answer = FakePrompts::ask(caption, text, icon, defaultAnswer);
        return scripted ? answer : defaultAnswer;
    }
    std::function<void(const std::string&)> onAsk;
};

class BuildDriverTest : public ::testing::Test {
protected:
    BuildDriverTest() {
        copyFakeCompiler(program_.path() / "iscc");
        env_.sourceFolder = source_.folder();
        env_.programFolder = program_.folder();
        source_.writeFile("readme.txt", "hello");
    }

    BuildOutcome build() { return driver_.buildInstaller(project_, env_, &log_); }
    fs::path output() const { return source_.path() / "Output"; }
    bool scriptWritten() const { return fs::exists(source_.path() / "ISS"); }
    std::string compilerLog() const { return test::readFileBytes(program_.path() / "iscc.log"); }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& c : prompts_.calls) {
            if (c.kind == Kind::Question) {
                out.push_back(c.caption);
            }
        }
        return out;
    }

    test::TempDir source_;
    test::TempDir program_;
    BuildEnvironment env_;
    ProjectSettings project_;
    HookedPrompts prompts_;
    test::RecordingConsole console_;
    BuildDriver driver_{prompts_, &console_};
    ChangeLog log_;
};

TEST_F(BuildDriverTest, RefusedProjectTouchesNothing) {
    source_.writeFile("Output/old.exe", "old");
    project_.AppName.clear();
    EXPECT_EQ(build(), BuildOutcome::Refused);
    EXPECT_TRUE(fs::exists(output() / "old.exe"));
    EXPECT_FALSE(scriptWritten());
    EXPECT_EQ(prompts_.texts(Kind::ErrorDialog),
              std::vector<std::string>{"Jméno aplikace zadat musíte!"});
    EXPECT_TRUE(captions().empty());
    EXPECT_FALSE(fs::exists(program_.path() / "iscc.log"));
}

TEST_F(BuildDriverTest, FirstBuildAsksCompilesAndOffersTestRun) {
    EXPECT_EQ(build(), BuildOutcome::Compiled); // the second question defaults to No
    ASSERT_EQ(prompts_.calls.size(), 2u);
    EXPECT_EQ(prompts_.calls[0].caption, kConfirmCaption);
    EXPECT_EQ(prompts_.calls[0].text, kConfirmText);
    EXPECT_EQ(prompts_.calls[0].icon, Prompts::Icon::Question);
    EXPECT_EQ(prompts_.calls[0].defaultAnswer, Answer::Yes);
    EXPECT_EQ(prompts_.calls[1].caption, kDoneCaption);
    EXPECT_EQ(prompts_.calls[1].text, doneText((output() / "Můj program verze 1.0.exe").string()));
    EXPECT_EQ(prompts_.calls[1].defaultAnswer, Answer::No);

    EXPECT_EQ(compilerLog(), source_.folder() + "ISS\n");
    EXPECT_TRUE(fs::exists(output() / "Můj program verze 1.0.exe"));
    const std::string script = test::readFileBytes(source_.path() / "ISS");
    EXPECT_NE(script.find("Source: \"readme.txt\"; DestDir: \"{app}\"; Flags: ignoreversion\r\n"),
              std::string::npos);
    EXPECT_TRUE(log_.empty());
}

TEST_F(BuildDriverTest, OldOutputIsClearedAndNotInstalled) {
    source_.writeFile("Output/old.exe", "old");
    source_.writeFile("Output/old-1.bin", "old");
    prompts_.queueAnswer(Answer::No);
    EXPECT_EQ(build(), BuildOutcome::Declined);
    EXPECT_FALSE(fs::exists(output()));
    const std::string script = test::readFileBytes(source_.path() / "ISS");
    EXPECT_EQ(script.find("old"), std::string::npos);
}

TEST_F(BuildDriverTest, OutputWithSubFolderStopsBeforeTheScript) {
    source_.writeFile("Output/old.exe", "old");
    source_.makeDir("Output/sub");
    try {
        build();
        FAIL() << "a sub-folder in Output must stop the build";
    } catch (const InOutError& e) {
        EXPECT_EQ(e.what(), "I/O error 145 (Directory not empty): " + output().string());
    }
    EXPECT_FALSE(fs::exists(output() / "old.exe"));
    EXPECT_TRUE(fs::exists(output() / "sub"));
    EXPECT_FALSE(scriptWritten());
    EXPECT_TRUE(captions().empty());
}

TEST_F(BuildDriverTest, FilesWindowsWouldNotDeleteKeepTheOutputFolder) {
    source_.writeFile("Output/.hidden", "x");
    EXPECT_THROW(ClearOutputFolder(source_.folder()), InOutError);

    fs::remove(output() / ".hidden");
    const auto locked = source_.writeFile("Output/locked.exe", "x");
    fs::permissions(locked, fs::perms::owner_read);
    EXPECT_THROW(ClearOutputFolder(source_.folder()), InOutError);
    EXPECT_TRUE(fs::exists(locked));

    fs::remove(locked);
    ClearOutputFolder(source_.folder());
    EXPECT_FALSE(fs::exists(output()));
    ClearOutputFolder(source_.folder()); // nothing to do
}

TEST_F(BuildDriverTest, NoToTheFirstQuestionKeepsTheScript) {
    prompts_.queueAnswer(Answer::No);
    EXPECT_EQ(build(), BuildOutcome::Declined);
    EXPECT_TRUE(scriptWritten());
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_FALSE(fs::exists(program_.path() / "iscc.log"));
    EXPECT_EQ(captions(), std::vector<std::string>{kConfirmCaption});
}

TEST_F(BuildDriverTest, MissingCompilerFailsAfterTheFirstQuestion) {
    fs::remove(program_.path() / "iscc");
    project_.AppVerName.clear();
    project_.DiskSpanning = true;
    try {
        build();
        FAIL() << "a missing compiler must end the build";
    } catch (const AppExecStartError& e) {
        EXPECT_STREQ(e.what(), "Soubor nelze najít");
    }
    EXPECT_EQ(console_.calls.back(), "failed: Soubor nelze najít");
    EXPECT_EQ(captions(), std::vector<std::string>{kConfirmCaption});
    EXPECT_TRUE(prompts_.texts(Kind::Message).empty());
    EXPECT_TRUE(scriptWritten());
    // The fill-in of the version name is logged although the build failed.
    EXPECT_EQ(log_, ChangeLog{FieldId::AppVerName});
    EXPECT_EQ(project_.AppVerName, project_.AppName);
    EXPECT_FALSE(driver_.isRunning());
}

TEST_F(BuildDriverTest, FailingCompilerIsReportedWithItsCode) {
    program_.writeFile("iscc.exitcode", "2");
    project_.DiskSpanning = true;
    try {
        build();
        FAIL() << "a failing compiler must end the build";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
        EXPECT_STREQ(e.what(), "Kompilace se nezdařila: kompilátor skončil s chybovým kódem 2");
    }
    EXPECT_EQ(captions(), std::vector<std::string>{kConfirmCaption});
    EXPECT_TRUE(prompts_.texts(Kind::Message).empty());
}

TEST_F(BuildDriverTest, CompilerKilledMidwayLeavesNoInstaller) {
    program_.writeFile("iscc.signal", std::to_string(SIGKILL)); // after its first pieces
    project_.DiskSpanning = true;
    try {
        build();
        FAIL() << "a killed compiler must end the build";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
        EXPECT_STREQ(e.what(), "Kompilace se nezdařila: kompilátor byl ukončen signálem 9");
    }
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_EQ(captions(), std::vector<std::string>{kConfirmCaption});
    EXPECT_FALSE(driver_.isRunning());
}

TEST_F(BuildDriverTest, OneBuildPerSourceFolder) {
    source_.writeFile("Output/first.exe", "the other build's");
    // Another build (another window, or tornavel-cli) holds the folder.
    std::optional<FolderLock> other(std::in_place, source_.folder());
    for (const auto& run : std::vector<std::function<void()>>{
             [&] { build(); }, [&] { driver_.writeScript(project_, env_, &log_); }}) {
        try {
            run();
            ADD_FAILURE() << "a second build must not start";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("Ve zdrojovém adresáři " + source_.folder() +
                                                 " už probíhá jiné vytváření instalace"),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_EQ(test::readFileBytes(output() / "first.exe"), "the other build's");
    EXPECT_FALSE(scriptWritten());
    EXPECT_TRUE(prompts_.calls.empty());
    other.reset();
    EXPECT_EQ(build(), BuildOutcome::Compiled);
}

TEST_F(BuildDriverTest, OutputThatIsAFileStopsBeforeTheScript) {
    source_.writeFile("Output", "not a folder");
    try {
        build();
        FAIL() << "a file named Output must stop the build";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::InputOutput);
        EXPECT_EQ(std::string(e.what()), "„" + output().string() +
                                             "“ je soubor, ale kompilátor potřebuje složku "
                                             "tohoto jména pro instalační soubory. Soubor "
                                             "přejmenujte nebo přesuňte.");
    }
    EXPECT_EQ(test::readFileBytes(output()), "not a folder");
    EXPECT_FALSE(scriptWritten());
    EXPECT_TRUE(captions().empty());
}

// Line by line, and the files the compiler packs weighed by the scan's sizes:
// each is done when the compiler writes its next line.
TEST_F(BuildDriverTest, CompilerOutputReachesTheConsoleLineByLine) {
    source_.writeFile("Data/a.txt", "thirteen byte");
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    const std::string script = source_.folder() + "ISS";
    EXPECT_EQ(
        console_.calls,
        (std::vector<std::string>{
            "started: " + CompilerCommandLine(env_), "line: Náhradní kompilátor iscc pro testy",
            "line: ", "line: Skript: " + script, "progress: 0/2 0/18 readme.txt",
            "line:    Compressing: readme.txt", "progress: 1/2 5/18 Data\\a.txt",
            "line:    Compressing: Data\\a.txt", "progress: 2/2 18/18 ",
            "line: Successful compile (0.001 sec). Resulting Setup program filename is:",
            "line: " + (output() / "Můj program verze 1.0.exe").string(), "finished: 0: "}));
}

TEST_F(BuildDriverTest, StopEndsTheCompileAndLeavesNoInstaller) {
    program_.writeFile("iscc.hold");
    env_.pumpEvents = [&] {
        if (fs::exists(output() / "Můj program verze 1.0.exe")) {
            driver_.stop();
        }
    };
    EXPECT_THROW(build(), BuildStoppedError);
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_EQ(console_.calls.back(), "stopped");
    EXPECT_EQ(captions(), std::vector<std::string>{kConfirmCaption});
    driver_.stop(); // nothing runs: nothing happens
}

// A stop during the walk ends the build at once: ISS and Output as they were.
TEST_F(BuildDriverTest, StopDuringTheWalkTouchesNothing) {
    source_.writeFile("ISS", "starý skript");
    source_.writeFile("Output/old.exe", "old");
    source_.writeFile("Data/Více/a.txt", "a");
    env_.pumpDuringWalk = [this] { driver_.stop(); };
    EXPECT_THROW(build(), BuildStoppedError);
    EXPECT_EQ(test::readFileBytes(source_.path() / "ISS"), "starý skript");
    EXPECT_TRUE(fs::exists(output() / "old.exe"));
    EXPECT_EQ(std::distance(fs::directory_iterator(source_.path()), {}), 4); // no temporary
    EXPECT_TRUE(captions().empty());
}

// What killed builds left of the script goes, a user's file of such a name
// stays, and a script with the installer's password is the user's alone.
TEST_F(BuildDriverTest, ScriptLeftOversGoAndAPasswordStaysPrivate) {
    source_.writeFile("ISS.tmp-k1LLed", "");
    source_.writeFile("ISS.tmp-mine12", "moje poznámky");
    project_.Password = "tajné";
    EXPECT_TRUE(driver_.writeScript(project_, env_, &log_));
    EXPECT_FALSE(fs::exists(source_.path() / "ISS.tmp-k1LLed"));
    EXPECT_TRUE(fs::exists(source_.path() / "ISS.tmp-mine12"));
    EXPECT_EQ(fs::status(source_.path() / "ISS").permissions(), fs::perms(0600));
}

TEST_F(BuildDriverTest, CompilerErrorLineIsQuotedInTheFailure) {
    program_.writeFile("iscc.error", "Minimální verze není platná.");
    const std::string errorLine =
        "Error on line 5 in " + source_.folder() + "ISS: Minimální verze není platná.";
    try {
        build();
        FAIL() << "a failing compiler must end the build";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
        EXPECT_EQ(e.what(),
                  "Kompilace se nezdařila: kompilátor skončil s chybovým kódem 2.\r\n" + errorLine);
    }
    ASSERT_GE(console_.calls.size(), 3u);
    const auto end = console_.calls.end();
    EXPECT_EQ(std::vector<std::string>(end - 3, end),
              (std::vector<std::string>{"line: " + errorLine, "line: Compile aborted.",
                                        "finished: 2: " + errorLine}));
}

TEST_F(BuildDriverTest, LeftOutFoldersAndLinksLeadingOutAreNoticedAfterTheScript) {
    source_.writeFile("Data.old/a.txt");
    source_.writeFile(".git/config");
    // Links inside the tree that lead out of it are packed, and named; so is
    // a licence reached through one in a folder the installer leaves out.
    const fs::path elsewhere = fs::canonical(program_.path());
    fs::create_symlink(elsewhere, source_.path() / "Jinde");
    fs::create_symlink(elsewhere, source_.path() / "Data.old" / "jinde");
    fs::create_symlink(source_.path() / "readme.txt", source_.path() / "uvnitř.txt");
    project_.LicenceFile = "Data.old\\jinde\\iscc";
    prompts_.queueAnswer(Answer::No);
    EXPECT_EQ(build(), BuildOutcome::Declined);
    ASSERT_EQ(console_.calls.size(), 3u);
    EXPECT_TRUE(console_.calls[0].starts_with("notice: Složky vynechané z instalace"));
    EXPECT_TRUE(console_.calls[0].ends_with(", celkem 2: .git, Data.old.") ||
                console_.calls[0].ends_with(", celkem 2: Data.old, .git."))
        << console_.calls[0];
    EXPECT_EQ(console_.calls[1],
              "notice: Odkaz mimo zdrojový adresář: Jinde → " + elsewhere.string());
    EXPECT_EQ(console_.calls[2], "notice: Odkaz mimo zdrojový adresář: Data.old/jinde/iscc → " +
                                     (elsewhere / "iscc").string());

    // Without a console the notices are one plain message.
    FakePrompts alone;
    BuildDriver withoutConsole(alone);
    ASSERT_TRUE(withoutConsole.writeScript(project_, env_, nullptr));
    EXPECT_EQ(alone.texts(Kind::Message),
              std::vector<std::string>{console_.calls[0].substr(8) + "\r\n" +
                                       console_.calls[1].substr(8) + "\r\n" +
                                       console_.calls[2].substr(8)});
}

TEST_F(BuildDriverTest, DiskSpanningGivesTheExactDiskNote) {
    project_.DiskSpanning = true;
    project_.AppVerName = "Hra 2";
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    EXPECT_EQ(prompts_.texts(Kind::Message),
              std::vector<std::string>{"Na disketu č.1 nakopírujte soubory \"Hra 2.exe\" a "
                                       "\"Hra 2-1.bin\"\rNa disketu č.2 nakopírujte soubor "
                                       "Hra 2-2.bin\"\ratd."});
    EXPECT_EQ(captions(), (std::vector<std::string>{kConfirmCaption, kDoneCaption}));
    EXPECT_TRUE(fs::exists(output() / "Hra 2-2.bin"));
}

TEST_F(BuildDriverTest, YesToTheTestRunStartsTheInstallerAndWaits) {
    prompts_.onAsk = [&](const std::string& caption) {
        if (caption == kDoneCaption) {
            // Put a runnable stand-in where the installer is, recording its start.
            copyFakeCompiler(output() / "Můj program verze 1.0.exe");
            source_.writeFile("Output/iscc.exitcode", "7");
        }
    };
    prompts_.queueAnswer(Answer::Yes);
    prompts_.queueAnswer(Answer::Yes);
    const test::ScopedVariable display("DISPLAY", ":99");
    EXPECT_EQ(build(), BuildOutcome::Tested);
    EXPECT_EQ(test::readFileBytes(output() / "iscc.log"), "\n");
    EXPECT_EQ(prompts_.texts(Kind::Message),
              std::vector<std::string>{"Test instalace neskončil úspěšně: instalační program "
                                       "skončil s kódem 7 (příprava instalace zjistila, že "
                                       "instalace nemůže pokračovat)."});
}

// The compiler made a Windows program: the test run asks for wine itself.
TEST_F(BuildDriverTest, WindowsInstallerIsTestedThroughWine) {
    const fs::path installer = output() / "Můj program verze 1.0.exe";
    prompts_.onAsk = [&](const std::string& caption) {
        if (caption == kDoneCaption) {
            source_.writeFile("Output/Můj program verze 1.0.exe", "MZ");
        }
    };
    const test::ScopedVariable display("DISPLAY", ":99");
    const test::TempDir tools;
    const test::ScopedVariable path("PATH", tools.folder());
    prompts_.answers = {Answer::Yes, Answer::Yes};
    EXPECT_THROW(build(), WineMissingError);

    copyFakeCompiler(tools.path() / "wine"); // records what it was given
    prompts_.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(build(), BuildOutcome::Tested);
    EXPECT_EQ(test::readFileBytes(tools.path() / "iscc.log"), installer.string() + "\n");
}

TEST_F(BuildDriverTest, TestRunThatCannotWorkStartsNothing) {
    prompts_.onAsk = [&](const std::string& caption) {
        if (caption == kDoneCaption) {
            copyFakeCompiler(output() / "Můj program verze 1.0.exe");
        }
    };
    prompts_.queueAnswer(Answer::Yes);
    prompts_.queueAnswer(Answer::Yes);
    {
        const test::ScopedVariable display("DISPLAY", std::nullopt);
        const test::ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
        EXPECT_EQ(build(), BuildOutcome::Compiled);
    }
    EXPECT_FALSE(fs::exists(output() / "iscc.log"));
    ASSERT_EQ(prompts_.texts(Kind::Message).size(), 1u);
    EXPECT_TRUE(prompts_.texts(Kind::Message)[0].starts_with(
        "Test instalace nelze spustit: není k dispozici žádná obrazovka"));

    // Nor from a path longer than Windows starts a program from.
    env_.sourceFolder = source_.makeDir(std::string(60, 's')).string() + "/";
    project_.AppVerName = std::string(200, 'v');
    prompts_.calls.clear();
    prompts_.queueAnswer(Answer::Yes);
    prompts_.queueAnswer(Answer::Yes);
    const test::ScopedVariable display("DISPLAY", ":99");
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    ASSERT_EQ(prompts_.texts(Kind::Message).size(), 1u);
    const std::size_t length = env_.sourceFolder.size() + std::string("Output/.exe").size() + 200;
    EXPECT_NE(prompts_.texts(Kind::Message)[0].find(" má " + std::to_string(length) + " znaků "),
              std::string::npos)
        << prompts_.texts(Kind::Message)[0];
}

TEST_F(BuildDriverTest, InstallerTooDeepForWindowsRunsFromAShortCopyInThePrefix) {
    // A stand-in for wine records what it is asked to start.
    const fs::path wine = copyFakeCompiler(program_.path() / "bin" / "wine");
    program_.writeFile("bin/iscc.exitcode", "0");
    const test::ScopedVariable path("PATH",
                                    wine.parent_path().string() + ":" + std::getenv("PATH"));
    const fs::path prefix = program_.makeDir("prefix/drive_c").parent_path();
    const test::ScopedVariable prefixVariable("TORNAVEL_WINEPREFIX", prefix.string());
    const std::string deep(230, 's');
    env_.sourceFolder = source_.makeDir(deep).string() + "/";
    prompts_.onAsk = [&](const std::string& caption) {
        if (caption == kDoneCaption) {
            source_.writeFile(deep + "/Output/Můj program verze 1.0.exe", "MZ");
        }
    };
    prompts_.queueAnswer(Answer::Yes);
    prompts_.queueAnswer(Answer::Yes);
    const test::ScopedVariable display("DISPLAY", ":99");
    EXPECT_EQ(build(), BuildOutcome::Tested);
    const std::string started = test::readFileBytes(program_.path() / "bin" / "iscc.log");
    EXPECT_TRUE(started.starts_with((prefix / "drive_c" / "tornavel-test-").string())) << started;
    EXPECT_TRUE(started.ends_with("/Můj program verze 1.0.exe\n")) << started;
    EXPECT_FALSE(fs::exists(fs::path(started).parent_path())); // removed after the run
    EXPECT_TRUE(prompts_.texts(Kind::Message).empty());
}

TEST_F(BuildDriverTest, TestRunOfMissingInstallerFailsWithLauncherText) {
    prompts_.onAsk = [&](const std::string& caption) {
        if (caption == kDoneCaption) {
            fs::remove_all(output());
        }
    };
    prompts_.queueAnswer(Answer::Yes);
    prompts_.queueAnswer(Answer::Yes);
    const test::ScopedVariable display("DISPLAY", ":99");
    EXPECT_THROW(
        {
            try {
                build();
            } catch (const AppExecStartError& e) {
                EXPECT_STREQ(e.what(), "Soubor nelze najít");
                throw;
            }
        },
        AppExecStartError);
}

TEST_F(BuildDriverTest, PathsWithBlanksStartTheRightProgram) {
    test::TempDir other;
    // A decoy at the prefix an unquoted path would start.
    copyFakeCompiler(other.path() / "Torna");
    copyFakeCompiler(other.path() / "Torna vel" / "iscc");
    env_.programFolder = other.folder() + "Torna vel/";
    env_.sourceFolder = other.folder() + "Můj zdroj/";
    other.writeFile("Můj zdroj/a.txt", "a");
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    EXPECT_FALSE(fs::exists(other.path() / "iscc.log"));
    EXPECT_EQ(test::readFileBytes(other.path() / "Torna vel" / "iscc.log"),
              env_.sourceFolder + "ISS\n");
    EXPECT_TRUE(fs::exists(other.path() / "Můj zdroj" / "Output" / "Můj program verze 1.0.exe"));
}

TEST_F(BuildDriverTest, CompilerPathOverridesTheProgramFolder) {
    test::TempDir other;
    env_.compilerPath = copyFakeCompiler(other.path() / "wrapper").string();
    fs::remove(program_.path() / "iscc");
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    EXPECT_EQ(test::readFileBytes(other.path() / "iscc.log"), source_.folder() + "ISS\n");
}

TEST_F(BuildDriverTest, SecondBuildIsRefusedWhileOneRuns) {
    int pumped = 0;
    BuildOutcome nested = BuildOutcome::Compiled;
    env_.pumpEvents = [&] {
        if (pumped++ == 0) {
            nested = driver_.buildInstaller(project_, env_, &log_);
        }
    };
    prompts_.onAsk = [&](const std::string& caption) {
        EXPECT_TRUE(driver_.isRunning());
        if (caption == kConfirmCaption) {
            EXPECT_EQ(driver_.buildInstaller(project_, env_, &log_), BuildOutcome::Refused);
        }
    };
    EXPECT_EQ(build(), BuildOutcome::Compiled);
    EXPECT_GT(pumped, 0);
    EXPECT_EQ(nested, BuildOutcome::Refused);
    EXPECT_EQ(captions(), (std::vector<std::string>{kConfirmCaption, kDoneCaption}));
    EXPECT_FALSE(driver_.isRunning());
    EXPECT_EQ(build(), BuildOutcome::Compiled);
}

TEST_F(BuildDriverTest, WriteScriptAsksNothingAndRunsNothing) {
    source_.writeFile("Output/old.exe");
    project_.Icons[0].Name = "Čti";
    project_.Icons[0].FileName = "readme.txt";
    EXPECT_TRUE(driver_.writeScript(project_, env_, &log_));
    EXPECT_TRUE(scriptWritten());
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_TRUE(prompts_.calls.empty());
    EXPECT_FALSE(fs::exists(program_.path() / "iscc.log"));
    EXPECT_EQ(log_, ChangeLog{iconField(0, IconPart::IconFile)});

    project_.DefaultDirName.clear();
    EXPECT_FALSE(driver_.writeScript(project_, env_, &log_));
}

TEST(BuildCommandLines, AsTheCompilerAndTheInstallerExpectThem) {
    BuildEnvironment env;
    env.programFolder = "C:\\Tornavel\\";
    env.sourceFolder = "C:\\Projekt\\";
    EXPECT_EQ(CompilerCommandLine(env), "C:\\Tornavel\\iscc \"C:\\Projekt\\ISS\"");
    env.programFolder = "C:\\Program Files\\Tornavel\\";
    EXPECT_EQ(CompilerCommandLine(env),
              "\"C:\\Program Files\\Tornavel\\iscc\" \"C:\\Projekt\\ISS\"");
    env.compilerPath = "/usr/local/bin/iscc-wine";
    env.sourceFolder = "/home/jan/Projekt/";
    EXPECT_EQ(CompilerCommandLine(env), "/usr/local/bin/iscc-wine \"/home/jan/Projekt/ISS\"");

    EXPECT_EQ(CompilerArguments(env),
              std::vector<std::string>({"/usr/local/bin/iscc-wine", "/home/jan/Projekt/ISS"}));
    EXPECT_EQ(InstallerPath("/p/", "Hra 2"), "/p/Output/Hra 2.exe");
}

} // namespace
} // namespace tornavel
