// Inno Setup 6.2 beside 5.5.9: a signed project on the example's tree that
// uses every field, built by the real tornavel-cli with each compiler. 6
// compiles it without a warning, innoextract (which reads 6.2's installers)
// lists the tree, and installed silently under wine both installers leave
// the same files, INI entries and shortcuts.
#include "platform/Cp1250.h"
#include "project/ProjectFile.h"
#include "support/RealCompiler.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

// The files under a folder, not through links.
std::set<std::string> filesUnder(const fs::path& folder) {
    std::set<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink()) {
            out.insert(fs::relative(entry.path(), folder).string());
        }
    }
    return out;
}

// What the installer, run silently on a display in a new prefix and home
// folder of its own (the desktop is $HOME/Desktop), added to drive C: and
// the desktop: each file with its bytes, shortcuts and the uninstaller's
// files (times, the compiler's own code) by name only.
std::map<std::string, std::string> install(const fs::path& installer, const fs::path& home,
                                           const test::VirtualDisplay& display,
                                           const test::TempDir& scratch) {
    fs::create_directories(home / "Desktop");
    std::vector<std::string> variables = WineVariables((home / "wine").string());
    variables.insert(variables.end(), {"HOME=" + home.string(), "DISPLAY=" + display.name()});
    test::runProgram({FindInPath("wine"), "wineboot", "--init"}, scratch, variables);
    const std::set<std::string> before = filesUnder(home);
    test::runProgram({FindInPath("wine"), installer.string(), "/VERYSILENT", "/SUPPRESSMSGBOXES",
                      "/NORESTART", "/PASSWORD=tajné heslo"},
                     scratch, variables);
    test::runProgram({FindInPath("wineserver"), "-w"}, scratch, variables);
    std::map<std::string, std::string> added;
    for (const std::string& path : filesUnder(home)) {
        const std::string name = fs::path(path).filename().string();
        const bool drive = path.starts_with("wine/drive_c/");
        if ((drive || path.starts_with("Desktop/")) && before.count(path) == 0) {
            const bool byName = name.ends_with(".lnk") || name.starts_with("unins");
            added[drive ? path.substr(13) : path] = byName ? "" : test::readFileBytes(home / path);
        }
    }
    return added;
}

TEST(InnoSetup6, ProjectWithEveryFieldInstallsWhatInnoSetup559Installs) {
    ASSERT_TRUE(test::realCompilerInstalled());
    const test::TempDir scratch;
    ProjectSettings project;
    NewProject(project);
    LoadProject(TORNAVEL_EXAMPLES_DIR "/zpevnik.ipr", project);
    project.Password = "tajné heslo";
    project.ShowLanguageDialog = project.DisableDirPage = project.DisableProgramGroupPage = true;
    project.DiskSpanning = project.AlwaysRestart = project.BackColorDirection = true;
    project.DiskSize = "2100000";
    project.ReserveBytes = "1024";
    project.WinNT = 3;
    project.Icons[0].OnDesktop = project.Icons[0].InStartup = project.Icons[1].InStartup = true;
    project.IniLocation = 1; // Windows' folder
    const fs::path file = scratch.path() / "všechno.ipr";
    SaveProject(project, file.string(), SaveOrder::SaveAs);
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch.path(), "Tornavel test", "tajne");
    const test::VirtualDisplay display;

    std::map<std::string, std::map<std::string, std::string>> installed;
    for (const std::string compiler : {"5", "6"}) {
        const fs::path source = scratch.makeDir("zdroj " + compiler);
        fs::copy(TORNAVEL_EXAMPLES_DIR "/zpevnik", source, fs::copy_options::recursive);
        const auto expected =
            test::expectedContents(source, compiler == "6" ? "commonfonts/" : "fonts/");
        const test::ProgramRun r = test::buildWithCli(
            file, source, scratch,
            {"--inno-setup", compiler, "--sign-certificate", certificate.pkcs12.string()},
            {"TORNAVEL_SIGN_PASSWORD=tajne"});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        // 5.5.9 warns of ShowUndisplayableLanguages, which it ignores too.
        EXPECT_TRUE(compiler == "5" || r.out.find("Warning: ") == std::string::npos) << r.out;
        const fs::path installer = source / "Output" / "Zpěvník 1.2.exe";
        EXPECT_EQ(test::installerContents(installer, scratch), expected);
        EXPECT_TRUE(test::signatureVerifies(installer, certificate, scratch));
        const fs::path home = scratch.path() / ("home " + compiler);
        installed[compiler] = install(installer, home, display, scratch);
        EXPECT_TRUE(test::signatureVerifies(
            home / "wine/drive_c/Program Files (x86)/Zpěvník/unins000.exe", certificate, scratch));
    }
    const auto& five = installed["5"];
    EXPECT_EQ(installed["6"], five);
    // What the comparison covers: the files, the font, the shortcuts in the
    // group, on the desktop and in Startup, the INI entry in Windows' folder.
    for (const std::string path :
         {"Program Files (x86)/Zpěvník/Písně/Skákal pes.txt", "windows/Fonts/DejaVuSansMono.ttf",
          "ProgramData/Microsoft/Windows/Start Menu/Programs/Zpěvník/Zpěvník.lnk",
          "Desktop/Zpěvník.lnk",
          "users/root/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp/"
          "Jak zpěvník používat.lnk"}) {
        EXPECT_EQ(five.count(path), 1u) << path;
    }
    EXPECT_NE(
        five.at("windows/zpevnik.ini").find(toCp1250("Složka=C:\\Program Files (x86)\\Zpěvník")),
        std::string::npos);
}

} // namespace
} // namespace tornavel
