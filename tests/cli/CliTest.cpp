#include "platform/Cp1250.h"
#include "project/ProjectFile.h"
#include "project/ProjectSettings.h"
#include "support/FakeCompiler.h"
#include "support/ProgramRun.h"
#include "support/RealCompiler.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

using CliRun = test::ProgramRun;

// Runs a tornavel-cli binary with its standard output and error in files.
CliRun runCli(const fs::path& cli, const std::vector<std::string>& args,
              const test::TempDir& scratch) {
    std::vector<std::string> all{cli.string()};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProgram(all, scratch);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

// A program folder of its own for each test: the CLI, the stand-in compiler
// beside it, and a source folder with a project.
class CliTest : public ::testing::Test {
protected:
    CliTest() {
        fs::copy_file(TORNAVEL_CLI_PATH, programDir_.path() / "tornavel-cli");
        test::installFakeCompiler(programDir_.path());
        source_.writeFile("app.exe", "program");
        source_.writeFile("data/info.txt", "info");
        project_.AppName = "Účetnictví";
        project_.AppVerName = "Účetnictví 2.0";
        project_.Icons[0].Name = "Účetnictví";
        project_.Icons[0].FileName = "app.exe";
    }

    std::string projectFile() {
        const std::string path = (scratch_.path() / "projekt.ipr").string();
        SaveProject(project_, path, SaveOrder::SaveAs);
        return path;
    }
    CliRun run(const std::vector<std::string>& args) {
        return runCli(programDir_.path() / "tornavel-cli", args, scratch_);
    }
    CliRun build() { return run({"build", projectFile(), "--source", source_.folder()}); }
    std::string compilerLog() const { return test::readFileBytes(programDir_.path() / "iscc.log"); }

    test::TempDir programDir_;
    test::TempDir source_;
    test::TempDir scratch_;
    ProjectSettings project_;
};

TEST_F(CliTest, BuildWritesScriptRunsCompilerAndSucceeds) {
    const CliRun r = build();
    EXPECT_EQ(r.status, 0) << r.err;
    // Wine's server stays up a minute unless told otherwise.
    EXPECT_EQ(compilerLog(), "TORNAVEL_ISCC_LINGER=60 " + source_.folder() + "ISS\n");
    EXPECT_TRUE(fs::exists(source_.path() / "Output" / "Účetnictví 2.0.exe"));
    const std::string script = test::readFileBytes(source_.path() / "ISS");
    EXPECT_NE(script.find("Source: \"data\\info.txt\""), std::string::npos);
    // The questions are answered with their defaults, each reported on one line.
    const auto messages = lines(r.err);
    ASSERT_EQ(messages.size(), 2u) << r.err;
    EXPECT_EQ(messages[0].rfind("Vytvoření instalačního souboru: ", 0), 0u);
    EXPECT_NE(messages[0].find("Pokračovat? Ano"), std::string::npos);
    EXPECT_EQ(messages[1].rfind("Kompilace byla úspěšně dokončena: ", 0), 0u);
    EXPECT_NE(messages[1].find("test instalace? Ne"), std::string::npos);
}

// The compiler's lines on standard output, as they came, decoded to UTF-8;
// our own messages on standard error, the failure quoting the error line.
TEST_F(CliTest, CompilerOutputOnStandardOutputMessagesOnStandardError) {
    CliRun r = build();
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string installer = (source_.path() / "Output" / "Účetnictví 2.0.exe").string();
    EXPECT_EQ(r.out, "Náhradní kompilátor iscc pro testy\n\nSkript: " + source_.folder() +
                         "ISS\n   Compressing: app.exe\n   Compressing: data\\info.txt\n"
                         "Successful compile (0.001 sec). Resulting Setup program filename "
                         "is:\n" +
                         installer + "\n");
    EXPECT_EQ(lines(r.err).size(), 2u) << r.err;

    programDir_.writeFile("iscc.error", "Neznámý parametr.");
    r = build();
    EXPECT_EQ(r.status, 3);
    const std::string errorLine =
        "Error on line 5 in " + source_.folder() + "ISS: Neznámý parametr.";
    EXPECT_TRUE(r.out.ends_with(errorLine + "\nCompile aborted.\n")) << r.out;
    EXPECT_EQ(lines(r.err).back(),
              "Kompilace se nezdařila: kompilátor skončil s chybovým kódem 2. " + errorLine)
        << r.err;
}

TEST_F(CliTest, LeftOutFoldersAreOneNoticeOnStandardError) {
    for (int i = 1; i <= 12; ++i) {
        source_.makeDir("stará.verze" + std::to_string(i));
    }
    const CliRun r = run({"script", projectFile(), "--source", source_.folder()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto messages = lines(r.err);
    ASSERT_EQ(messages.size(), 2u) << r.err;
    EXPECT_TRUE(messages[0].starts_with("Složky vynechané z instalace (")) << messages[0];
    EXPECT_NE(messages[0].find("celkem 12: stará.verze"), std::string::npos) << messages[0];
    EXPECT_TRUE(messages[0].ends_with(" a 2 další.")) << messages[0];
    std::size_t named = 0;
    for (auto at = messages[0].find("stará.verze"); at != std::string::npos;
         at = messages[0].find("stará.verze", at + 1)) {
        ++named;
    }
    EXPECT_EQ(named, 10u) << messages[0];
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CliTest, BuildTakesSourceFolderFromTheSettingsFile) {
    std::ofstream(programDir_.path() / "Tornavel.ini", std::ios::binary)
        << "[Nastaveni]\r\nVystupniAdresar=" + source_.folder() + "\r\n";
    const CliRun r = run({"build", projectFile(), "--linger", "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(compilerLog(), source_.folder() + "ISS\n");
}

TEST_F(CliTest, DiskNoteIsOneLine) {
    project_.DiskSpanning = true;
    const CliRun r = build();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Na disketu č.1 nakopírujte soubory \"Účetnictví 2.0.exe\" a "
                         "\"Účetnictví 2.0-1.bin\" Na disketu č.2 nakopírujte soubor "
                         "Účetnictví 2.0-2.bin\" atd.\n"),
              std::string::npos)
        << r.err;
}

TEST_F(CliTest, FailingCompilerExitsWithThree) {
    std::ofstream(programDir_.path() / "iscc.exitcode") << "4";
    const CliRun r = build();
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Kompilace se nezdařila: kompilátor skončil s chybovým kódem 4.\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("Kompilace byla úspěšně dokončena"), std::string::npos);
}

TEST_F(CliTest, MissingCompilerExitsWithThree) {
    fs::remove(programDir_.path() / "iscc");
    const CliRun r = build();
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(lines(r.err).back(),
              "Soubor nelze najít: " + (programDir_.path() / "iscc").string() + ".");
}

TEST_F(CliTest, CompilerOptionReplacesTheProgramFolderCompiler) {
    const fs::path wrapper = scratch_.path() / "iscc wrapper";
    fs::rename(programDir_.path() / "iscc", wrapper);
    const CliRun r =
        run({"build", projectFile(), "--source", source_.folder(), "--compiler", wrapper.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    // Another compiler gets the script alone, as before, and none of our settings.
    EXPECT_EQ(test::readFileBytes(scratch_.path() / "iscc.log"), source_.folder() + "ISS\n");
    // What only our adapter can do is refused rather than silently left out.
    const CliRun refused = run({"build", projectFile(), "--source", source_.folder(), "--compiler",
                                wrapper.string(), "--reproducible"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(lines(refused.err)
                  .back()
                  .rfind("Instalaci nelze udělat reprodukovatelnou: "
                         "kompilátor " +
                             wrapper.string() + " není kompilátor Tornavelu",
                         0),
              0u);
}

// Ctrl+C, SIGTERM, SIGHUP and SIGQUIT to the CLI alone stop the compile (the
// compiler has a process group of its own) and leave Output clean; a killed
// CLI takes the compiler with it.
TEST_F(CliTest, SignalsStopTheCompile) {
    const fs::path partial = source_.path() / "Output" / "Účetnictví 2.0.exe";
    const std::string marker = "TORNAVEL_TEST_BUILD=" + scratch_.folder();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGKILL}) {
        programDir_.writeFile("iscc.hold");
        const CliRun r =
            test::runProgram({(programDir_.path() / "tornavel-cli").string(), "build",
                              projectFile(), "--source", source_.folder()},
                             scratch_, {marker}, [&](pid_t cli) {
                                 for (int i = 0; i < 2000 && !fs::exists(partial); ++i) {
                                     ::usleep(5000);
                                 }
                                 ::kill(cli, signal);
                             });
        EXPECT_EQ(r.status, 128 + signal) << r.err;
        EXPECT_TRUE(test::noProcessWithin(marker, std::chrono::seconds(2))) << signal;
        if (signal != SIGKILL) {
            EXPECT_EQ(lines(r.err).back(), "Kompilace byla zastavena.");
            EXPECT_FALSE(fs::exists(source_.path() / "Output"));
        }
    }
}

// ISS is the build's own file: a link of that name is refused, dangling or
// not, and nothing is written where it leads.
TEST_F(CliTest, LinkedScriptIsRefused) {
    const fs::path outside = scratch_.writeFile("autostart/x.desktop", "moje");
    for (const fs::path& target : {outside, scratch_.path() / "autostart/nový.desktop"}) {
        fs::remove(source_.path() / "ISS");
        fs::create_symlink(target, source_.path() / "ISS");
        const CliRun r = run({"script", projectFile(), "--source", source_.folder()});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("„" + source_.folder() + "ISS“ je symbolický odkaz na „" +
                                  target.string() + "“, ne soubor ve zdrojovém adresáři.",
                              0),
                  0u)
            << r.err;
    }
    EXPECT_EQ(test::readFileBytes(outside), "moje");
    EXPECT_FALSE(fs::exists(scratch_.path() / "autostart/nový.desktop"));
}

TEST_F(CliTest, RefusedProjectExitsWithOne) {
    project_.DefaultDirName.clear();
    project_.Icons[0].FileName = "chybí.exe";
    const CliRun r = build();
    EXPECT_EQ(r.status, 1);
    const auto messages = lines(r.err);
    ASSERT_EQ(messages.size(), 3u) << r.err;
    EXPECT_EQ(messages[0], "Chyba: Jméno adresáře, kam se bude program instalovat zadat musíte!");
    EXPECT_EQ(messages[1], messages[2]);
    EXPECT_FALSE(fs::exists(source_.path() / "ISS"));
    EXPECT_FALSE(fs::exists(programDir_.path() / "iscc.log"));
}

TEST_F(CliTest, BadDiskSizeExitsWithOne) {
    project_.DiskSpanning = true;
    project_.DiskSize = "1,44 MB";
    const CliRun r = build();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err).back(), "'1,44 MB' is not a valid integer value.");
}

TEST_F(CliTest, OutputThatIsNotOursToEmptyExitsWithTwo) {
    source_.makeDir("Output/keep");
    CliRun r = build();
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "I/O error 145 (Directory not empty): " +
                         (source_.path() / "Output").string() + ".\n");
    EXPECT_FALSE(fs::exists(source_.path() / "ISS"));

    // A link is never followed into whatever it leads to.
    fs::remove_all(source_.path() / "Output");
    const fs::path kept = programDir_.writeFile("elsewhere/keep.txt", "kept");
    fs::create_directory_symlink(kept.parent_path(), source_.path() / "Output");
    r = build();
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("„" + (source_.path() / "Output").string() + "“ je symbolický odkaz na „" +
                         kept.parent_path().string() + "“"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(test::readFileBytes(kept), "kept");
    EXPECT_FALSE(fs::exists(source_.path() / "ISS"));
}

TEST_F(CliTest, ScriptStopsAfterTheScript) {
    const CliRun r = run({"script", projectFile(), "--source", source_.folder()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(source_.path() / "ISS"));
    EXPECT_FALSE(fs::exists(programDir_.path() / "iscc.log"));
    EXPECT_EQ(r.err.find("Vytvoření instalačního souboru"), std::string::npos);
}

TEST_F(CliTest, ShowPrintsEveryKeyInFileOrder) {
    project_.Password = "tajné heslo";
    project_.Icons[4].HotKey = 79;
    project_.AppVersion = "2.0";
    const CliRun r = run({"show", projectFile()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 85u) << r.out;
    EXPECT_EQ(out.front(), "AppName=Účetnictví");
    EXPECT_EQ(out[1], "AppVerName=Účetnictví 2.0");
    EXPECT_EQ(out[8], "Password=tajné heslo");
    EXPECT_EQ(out[12], "Font=");
    EXPECT_EQ(out[13], "Win=2");
    EXPECT_EQ(out[19], "Barva nahledu=16711680");
    EXPECT_EQ(out[25], "Ikona1-1=Účetnictví");
    EXPECT_EQ(out[25 + 4 * 8 + 5], "Ikona5-6=79");
    EXPECT_EQ(out[74], "Adresar=0");
    EXPECT_EQ(out[75], "AppVersion=2.0");
    EXPECT_EQ(out.back(), "UninstallDisplayIcon=0");
}

TEST_F(CliTest, ShowLoadsOverTheStartValues) {
    scratch_.writeFile("partial.ipr", toCp1250("[Nastavení]\r\nAppName=Jen jméno\r\n"));
    const CliRun r = run({"show", (scratch_.path() / "partial.ipr").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 85u);
    EXPECT_EQ(out[0], "AppName=Jen jméno");
    EXPECT_EQ(out[1], "AppVerName=Můj program verze 1.0");
    EXPECT_EQ(out[4], "AppCopyright=© Ing. Já a synové");
}

TEST_F(CliTest, MissingProjectIsNamed) {
    const std::string missing = (scratch_.path() / "chybí.ipr").string();
    CliRun r = run({"show", missing});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "File not found: " + missing + ".\n");

    r = run({"show", scratch_.path().string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(": " + scratch_.path().string() + ".\n"), std::string::npos) << r.err;

    r = run({"build", projectFile(), "--source", source_.folder() + "missing"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Zdrojový adresář " + source_.folder() + "missing/ neexistuje.\n");
}

TEST_F(CliTest, BadUsageIsExplainedInCzechAndExitsWithTwo) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "chybí příkaz (script, build nebo show)"},
        {{"compile", "x.ipr"}, "neznámý příkaz \"compile\""},
        {{"show"}, "chybí povinný parametr PROJEKT"},
        {{"show", "a.ipr", "--compiler", "x"}, "nečekané parametry: --compiler x"},
        {{"show", "a.ipr", "b c.ipr"}, "nečekané parametry: b c.ipr"},
        {{"build", "a.ipr", "--source"}, "volbě --source chybí hodnota"},
    };
    for (const auto& [args, problem] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "tornavel-cli: " + problem + " (nápověda: tornavel-cli --help)\n");
    }
}

// The compiler: the option, else TORNAVEL_INNO_SETUP, else the setting.
TEST_F(CliTest, InnoSetupFromOptionElseVariableElseSetting) {
    programDir_.writeFile("Tornavel.ini", "[Nastaveni]\r\nInnoSetup=6\r\n");
    const auto compiled = [&](const std::vector<std::string>& options,
                              const std::string& variable) {
        std::vector<std::string> args{(programDir_.path() / "tornavel-cli").string(), "build",
                                      projectFile(), "--source", source_.folder()};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun r = test::runProgram(args, scratch_, {"TORNAVEL_INNO_SETUP=" + variable});
        return r.status == 0 ? lines(compilerLog()).back() : r.err;
    };
    const std::string script = " " + source_.folder() + "ISS";
    EXPECT_EQ(compiled({}, ""), "TORNAVEL_ISCC_INNO_SETUP=6 TORNAVEL_ISCC_LINGER=60" + script);
    EXPECT_EQ(compiled({}, "5"), "TORNAVEL_ISCC_LINGER=60" + script);
    EXPECT_EQ(compiled({"--inno-setup", "6"}, "5"),
              "TORNAVEL_ISCC_INNO_SETUP=6 TORNAVEL_ISCC_LINGER=60" + script);
    EXPECT_EQ(compiled({}, "6.2"), "Proměnná TORNAVEL_INNO_SETUP musí být 5 (Inno Setup 5.5.9) "
                                   "nebo 6 (Inno Setup 6.2), ne „6.2“.\n");
}

TEST_F(CliTest, HelpExplainsEveryCommand) {
    const CliRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"script", "build", "show", "--source", "--compiler", "--inno-setup"}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word << "\n" << r.out;
    }
}

} // namespace
} // namespace tornavel
