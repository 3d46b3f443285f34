// Projects built by the real tornavel-cli through the adapter and Inno Setup
// 5.5.9 under wine: what the adapter changes, what it refuses, and what the
// user sees of the compiler's errors.
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "project/ProjectFile.h"
#include "project/ProjectSettings.h"
#include "support/FileSizeLimit.h"
#include "support/RealCompiler.h"
#include "support/ScopedVariable.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

class Compile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::realCompilerInstalled());
        NewProject(project_);
        sourceFolder_ = scratch_.makeDir("Můj projekt/Zdroj č. 1 (nový)");
        scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/Program.exe", "program");
        scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/Data/Čtěte mě.txt", "text");
    }

    // The project saved where a user keeps it, then built.
    test::ProgramRun build(const std::vector<std::string>& options = {},
                           const std::vector<std::string>& variables = {},
                           const std::function<void(pid_t)>& meanwhile = {}) {
        const fs::path file = scratch_.makeDir("Projekty (staré)") / "Nový projekt.ipr";
        SaveProject(project_, file.string(), SaveOrder::SaveAs);
        return test::buildWithCli(file, sourceFolder_, scratch_, options, variables, meanwhile);
    }
    // Everything the build printed: the compiler's output (decoded) on
    // standard output, the program's own messages on standard error.
    static std::string everything(const test::ProgramRun& r) { return r.out + r.err; }
    std::string script() const { return test::readFileBytes(sourceFolder_ / "ISS"); }

    test::TempDir scratch_;
    fs::path sourceFolder_;
    ProjectSettings project_;
};

TEST_F(Compile, NewProjectCompilesWithTheMinVersionLineAdapted) {
    // What a killed script write and an earlier adapter left is not the user's.
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/ISS.tmp-x7Rq2Z",
                       ";Tento soubor je vytvořen pro Inno Setup 5.1.12");
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/.tornavel-iscc/ISS", "[Setup]");
    const test::ProgramRun r = build();
    ASSERT_EQ(r.status, 0) << everything(r);
    EXPECT_TRUE(fs::exists(sourceFolder_ / "Output" / "Můj program verze 1.0.exe"));
    EXPECT_EQ(r.err.find("Složky vynechané"), std::string::npos) << r.err;

    // ISS stays as written; the copy the compiler got is gone.
    const std::string written = script();
    const auto line = written.find("MinVersion=4.1.2222,4.0.1381 \r\n");
    ASSERT_NE(line, std::string::npos) << written;
    const auto number = 1 + std::count(written.begin(), written.begin() + line, '\n');
    EXPECT_NE(r.out.find("řádek " + std::to_string(number) +
                         " „MinVersion=4.1.2222,4.0.1381“ jako „MinVersion=0,5.0“"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(
        test::installerContents(sourceFolder_ / "Output" / "Můj program verze 1.0.exe", scratch_),
        (std::set<std::string>{"app/Program.exe", "app/Data/Čtěte mě.txt"}));
}

TEST_F(Compile, CompilerErrorNamesTheScriptAndItsLine) {
    // Accepted by the checks, refused by the compiler: an INI constant
    // without its section and key (the checks leave its inside to the compiler).
    project_.AppCopyright = "{ini:x}";
    const test::ProgramRun r = build();
    EXPECT_EQ(r.status, 3);

    const std::string written = script();
    const auto line = written.find("AppCopyright={ini:x}\r\n");
    ASSERT_NE(line, std::string::npos);
    const auto number = 1 + std::count(written.begin(), written.begin() + line, '\n');
    std::string expected = "Error on line " + std::to_string(number) +
                           " in Z:" + sourceFolder_.string() + "/ISS: Invalid INI constant";
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_NE(everything(r).find(expected), std::string::npos) << everything(r);
    EXPECT_NE(r.err.find("Kompilace se nezdařila: kompilátor skončil s chybovým kódem 2."),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(sourceFolder_ / ".tornavel-iscc"));
}

TEST_F(Compile, ProjectThatAllowsNoSupportedWindowsIsRefusedBeforeTheScript) {
    project_.Win = 1; // "Windows 98" only, as the window allows it
    project_.WinNT = 4;
    const test::ProgramRun r = build();
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Chyba: Ve skupině „Minimální verze Win NT“ je zvoleno „zakázat“"),
              std::string::npos)
        << everything(r);
    EXPECT_FALSE(fs::exists(sourceFolder_ / "ISS"));
}

TEST_F(Compile, FoldersWithBracesAreInstalledAsTheyAreNamed) {
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/a{b/x.txt", "x");
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/Verze {2}/r{o}t.txt", "r");
    // No preprocessor: "{#1}" is not evaluated into "1".
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/a{#1}.txt", "#");
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/a1.txt", "1");
    const test::ProgramRun r = build();
    ASSERT_EQ(r.status, 0) << everything(r);
    EXPECT_EQ(
        test::installerContents(sourceFolder_ / "Output" / "Můj program verze 1.0.exe", scratch_),
        (std::set<std::string>{"app/Program.exe", "app/Data/Čtěte mě.txt", "app/a{b/x.txt",
                               "app/Verze {2}/r{o}t.txt", "app/a{#1}.txt", "app/a1.txt"}));
}

// Names Windows cannot hold stop the build before anything is touched; their
// neighbours, which it can hold, build exactly the tree.
TEST_F(Compile, TreeIsCheckedAsWindowsSeesItBeforeAnythingIsTouched) {
    const auto put = [&](const std::string& name) {
        return scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/" + name, name);
    };
    for (const char* name : {"Readme.txt", "README.txt", "Obrázky/Čtěte.txt", "Obrázky/čtěte.txt",
                             "x:y.txt", "konec.", "aux.log", "Data/Jinak/日本.txt"}) {
        put(name);
    }
    const fs::path pipe = sourceFolder_ / "roura";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    put("Output/starý.exe");
    put("ISS");
    put("OUTPUT/x.txt"); // the compiler would put the installer there
    put("p\\q/x.txt");   // a folder the compiler would read as p, then q
    const test::ProgramRun refused = build();
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Zdrojový adresář obsahuje jména, která Windows nedokáže uložit, "
                               "celkem 9: "),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find(" Readme.txt: liší se od „README.txt“ jen velikostí písmen "),
              std::string::npos);
    EXPECT_NE(refused.err.find("Data/Jinak/日本.txt: obsahuje znak „日“"), std::string::npos);
    EXPECT_EQ(script(), "ISS");
    EXPECT_TRUE(fs::exists(sourceFolder_ / "Output/starý.exe"));

    for (const char* name : {"README.txt", "Obrázky/čtěte.txt", "x:y.txt", "konec.", "aux.log",
                             "Data/Jinak/日本.txt"}) {
        fs::remove(sourceFolder_ / name);
    }
    fs::remove(pipe);
    fs::remove(sourceFolder_ / "Data/Jinak");
    fs::remove_all(sourceFolder_ / "OUTPUT");
    fs::remove_all(sourceFolder_ / "p\\q");
    put("konec");         // the name without its dot
    put("auxiliary.log"); // a device name only as a whole
    put("Obrázky/Ctete.txt");
    const test::ProgramRun r = build();
    ASSERT_EQ(r.status, 0) << everything(r);
    const fs::path installer = scratch_.path() / "installer.exe";
    fs::rename(sourceFolder_ / "Output" / "Můj program verze 1.0.exe", installer);
    fs::remove_all(sourceFolder_ / "Output");
    EXPECT_EQ(test::installerContents(installer, scratch_), test::expectedContents(sourceFolder_));
}

TEST_F(Compile, WorkingFolderWithQuoteBackslashAndTrailingBlankBuilds) {
    // Names Windows cannot hold: the compiler reaches the folder through a
    // link of plain characters, and the arguments reach it unsplit.
    sourceFolder_ = scratch_.makeDir("Má \"verze\" 2\\nová ");
    scratch_.writeFile("Má \"verze\" 2\\nová /Program.exe", "program");
    const test::ProgramRun r = build();
    ASSERT_EQ(r.status, 0) << everything(r);
    EXPECT_NE(r.out.find(WindowsFormOfPath(sourceFolder_.string()) + "\\Output\\"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(
        test::installerContents(sourceFolder_ / "Output" / "Můj program verze 1.0.exe", scratch_),
        (std::set<std::string>{"app/Program.exe"}));
}

// The texts just inside the limits of the checks, in one project: it builds
// and installs silently (on a display, in a prefix of its own) what each row
// describes. Then the largest slice with the largest reserve in the smallest
// project: it builds.
TEST_F(Compile, TextsJustInsideTheChecksLimitsBuildAndInstall) {
    const test::ScopedVariable prefix("TORNAVEL_WINEPREFIX", WinePrefixFolder() + "-texts");
    const test::VirtualDisplay display;
    const test::ScopedVariable displayVariable("DISPLAY", display.name());
    std::string installer(145, 'x');
    while (installer.size() < 247) {
        installer += "Ř";
    }
    installer += " 1.0"; // 200 characters, 251 bytes
    const std::string folder(217, 'd');
    std::string deepFile = "x.txt";
    for (int level = 19; level >= 1; --level) {
        deepFile = "d" + std::to_string(level) + "\\" + deepFile;
    }
    const fs::path drive = fs::path(WinePrefixFolder()) / "drive_c";
    const fs::path app = drive / "Program Files (x86)" / folder;
    const fs::path group = drive / "ProgramData/Microsoft/Windows/Start Menu/Programs/Skupina";
    struct Row {
        std::function<void(ProjectSettings&)> change;
        fs::path installed;
        std::string holds{};
    };
    const std::vector<Row> rows = {
        {[&](auto& p) { p.AppVerName = installer; }, scratch_.path() / (installer + ".exe")},
        {[&](auto& p) { p.DefaultDirName = folder; }, app / "Data" / "Čtěte mě.txt"},
        {[](auto& p) {
             p.DefaultGroupName = "Skupina{\\}{{1} {%TORNAVEL_NIC|x}";
             p.Icons[0].Name = "Podsložka\\CONSOLE";
             p.Icons[0].FileName = "Program.exe";
         },
         group / "{1} x" / "Podsložka" / "CONSOLE.lnk"},
        {[](auto& p) {
             p.IniFileName = "nastaveni.ini";
             p.IniSection = "[sekce;1";
             p.IniKey1 = "klic;[1]";
             p.IniValue1 = "{app}";
         },
         app / "nastaveni.ini", "[[sekce;1]\r\nklic;[1]=C:\\Program Files (x86)\\" + folder},
        {[](auto& p) { p.Password = "tajné heslo"; }, app / "Program.exe"},
        // Icons that differ in more than letter case, one starting a file at
        // the deepest installed level; ".." and a tab where no name is made.
        {[&](auto& p) {
             p.Icons[1].Name = "Podsložka\\CONSOLE 2";
             p.Icons[1].FileName = deepFile;
             p.LicenceFile = "Data\\..\\Licence.txt";
             p.AppCopyright = "Já\tty";
         },
         group / "{1} x" / "Podsložka" / "CONSOLE 2.lnk"},
        {[](auto&) {}, app / toNativeSeparators(deepFile)},
    };
    for (const std::string& name : {std::string("Licence.txt"), deepFile}) {
        scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/" + toNativeSeparators(name), "x");
    }
    for (const Row& row : rows) {
        row.change(project_);
    }
    fs::remove_all(app);
    fs::remove_all(group);
    const test::ProgramRun r = build();
    ASSERT_EQ(r.status, 0) << everything(r);
    // Started from a folder of a usual depth: no program starts from a path
    // of more than 259 characters, and Output lies deep here.
    fs::rename(sourceFolder_ / "Output" / (installer + ".exe"), rows[0].installed);
    test::runProgram({FindInPath("wine"), rows[0].installed.string(), "/VERYSILENT",
                      "/SUPPRESSMSGBOXES", "/NORESTART", "/PASSWORD=tajné heslo"},
                     scratch_, WineVariables(WinePrefixFolder()));
    for (const Row& row : rows) {
        EXPECT_TRUE(fs::exists(row.installed)) << row.installed;
        EXPECT_NE(test::readFileBytes(row.installed).find(row.holds), std::string::npos);
    }

    fs::remove_all(sourceFolder_ / "d1");
    fs::remove(sourceFolder_ / "Licence.txt");
    NewProject(project_);
    project_.DiskSpanning = true;
    project_.DiskSize = "2100000000";
    project_.ReserveBytes = "2099465728";
    const test::ProgramRun spanned = build();
    ASSERT_EQ(spanned.status, 0) << everything(spanned);
    EXPECT_EQ(
        test::installerContents(sourceFolder_ / "Output" / "Můj program verze 1.0.exe", scratch_),
        (std::set<std::string>{"app/Program.exe", "app/Data/Čtěte mě.txt"}));
}

// A prefix wine cannot start (its registry or its system damaged, or another
// user's) is named with what to do; --recreate-prefix sets it aside and
// builds anew.
TEST_F(Compile, PrefixWineCannotStartIsNamedAndMadeAnew) {
    ASSERT_EQ(build().status, 0); // the shared prefix exists from here on
    const auto copyOfPrefix = [&](const std::string& name) {
        const fs::path copy = scratch_.path() / name;
        fs::copy(WinePrefixFolder(), copy,
                 fs::copy_options::recursive | fs::copy_options::create_hard_links |
                     fs::copy_options::copy_symlinks);
        return copy;
    };
    const fs::path broken = copyOfPrefix("poškozené prostředí");
    fs::remove(broken / "system.reg"); // a new file: the shared one is a hard link
    scratch_.writeFile("poškozené prostředí/system.reg", "garbage");
    const fs::path foreign = copyOfPrefix("cizí prostředí");
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    // Its set-up cut short by a full disk: not marked ready, its system gone.
    const fs::path halfMade = copyOfPrefix("nedokončené prostředí");
    fs::remove(halfMade / kWinePrefixReadyMarker);
    for (const char* system : {"system32", "syswow64"}) {
        fs::remove(halfMade / "drive_c/windows" / system / "kernel32.dll");
    }

    for (const fs::path& prefix : {broken, foreign, halfMade}) {
        const test::ScopedVariable variable("TORNAVEL_WINEPREFIX", prefix.string());
        const test::ProgramRun r = build();
        EXPECT_EQ(r.status, 3);
        EXPECT_NE(r.err.find("iscc: Chyba: Prostředí wine v " + prefix.string() +
                             " nelze spustit (wine: "),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("--recreate-prefix"), std::string::npos);
        EXPECT_FALSE(fs::exists(sourceFolder_ / "Output"));
    }

    const test::ScopedVariable variable("TORNAVEL_WINEPREFIX", broken.string());
    const test::ProgramRun r = build({"--recreate-prefix"});
    ASSERT_EQ(r.status, 0) << everything(r);
    const std::string aside = broken.string() + ".poskozene-";
    EXPECT_NE(r.err.find("Prostředí wine " + broken.string() + " bylo přejmenováno na " + aside),
              std::string::npos)
        << r.err;
    EXPECT_EQ(test::readFileBytes(r.err.substr(r.err.find(aside)).substr(0, aside.size() + 15) +
                                  "/system.reg"),
              "garbage");
    // The new prefix keeps test installations away from the home folder.
    for (const auto& entry : fs::directory_iterator(broken / "drive_c/users")) {
        for (const auto& folder : fs::directory_iterator(entry.path())) {
            EXPECT_FALSE(fs::is_symlink(folder.symlink_status())) << folder.path();
        }
    }
}

// A stopped or killed build leaves no installer, nothing of its compile
// running and its folder free: SIGTERM to the CLI stops the compile of a
// large tree cleanly (143), and the compiler ends with a killed CLI.
TEST_F(Compile, StoppedOrKilledBuildLeavesNoInstallerNorCompiler) {
    std::string noise(std::size_t{48} << 20, '\0'); // packed for a minute
    std::ifstream("/dev/urandom", std::ios::binary).read(noise.data(), std::ssize(noise));
    scratch_.writeFile("Můj projekt/Zdroj č. 1 (nový)/šum.bin", noise);
    const std::string marker = "TORNAVEL_TEST_BUILD=" + scratch_.folder();
    for (const int signal : {SIGTERM, SIGKILL}) {
        const test::ProgramRun r = build({"--linger", "0"}, {marker}, [&](pid_t cli) {
            for (int i = 0;
                 i < 600 &&
                 test::readFileBytes(scratch_.path() / "stdout.txt").find("Compressing: ") ==
                     std::string::npos;
                 ++i) {
                ::usleep(100000);
            }
            ::kill(cli, signal);
        });
        EXPECT_EQ(r.status, 128 + signal) << everything(r);
        EXPECT_TRUE(test::noProcessWithin(marker, std::chrono::seconds(30)));
        EXPECT_FALSE(fs::exists(sourceFolder_ / "Output")) << signal;
        EXPECT_FALSE(FolderLock(sourceFolder_.string()).busy());
    }
}

// What keeps the adapter from compiling reaches the build's message (a
// missing temporary folder, a full disk); a killed adapter's work folder goes.
TEST_F(Compile, AdapterReasonsReachTheBuildsMessage) {
    const fs::path temporary = scratch_.makeDir("tmp");
    scratch_.writeFile("tmp/tornavel-iscc-k1LLed/ISS", "[Setup]");
    ASSERT_EQ(build({}, {"TMPDIR=" + temporary.string()}).status, 0);
    EXPECT_FALSE(fs::exists(temporary / "tornavel-iscc-k1LLed"));
    test::ProgramRun r = build({}, {"TMPDIR=/nonexistent"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("kódem 1. iscc: Chyba: Pracovní složku kompilátoru nelze vytvořit v "
                         "/nonexistent: File not found."),
              std::string::npos)
        << r.err;
    {
        const test::FileSizeLimit fullDisk(400000); // wine's server runs on from the first build
        r = build();
    }
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("iscc: Chyba: Instalační soubor " +
                         (sourceFolder_ / "Output/Můj program verze 1.0.exe").string() +
                         " se nepodařilo zapsat celý: na disku došlo místo"),
              std::string::npos)
        << r.err;
}

} // namespace
} // namespace tornavel
