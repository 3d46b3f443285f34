// Inno Setup 6.2 beside 5.5.9: the example and a project that uses every
// field, built by the real tornavel-cli through the adapter with each
// compiler. 6 compiles them without a warning, innoextract (which reads 6.2's
// installers) lists the same files, and installed silently under wine they
// leave the same files, INI entries and shortcuts.
#include "platform/Cp1250.h"
#include "project/ProjectFile.h"
#include "project/ProjectSettings.h"
#include "support/RealCompiler.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

// The regular files under a folder (not through links), each with its size
// and time, by their paths below it.
using Listing = std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>;

Listing listing(const fs::path& folder) {
    Listing files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && !it->is_symlink(ec)) {
            files[fs::relative(it->path(), folder).string()] = {it->file_size(ec),
                                                                it->last_write_time(ec)};
        }
    }
    return files;
}

// What an installation added or changed: each file by its path, with its
// bytes; shortcuts and the uninstaller's files by name only (they hold
// times and the compiler's own code).
using Installed = std::map<std::string, std::string>;

void addChanges(const fs::path& folder, const std::string& name, const Listing& before,
                Installed& out) {
    for (const auto& [path, signature] : listing(folder)) {
        const auto old = before.find(path);
        if (old != before.end() && old->second == signature) {
            continue;
        }
        const std::string file = fs::path(path).filename().string();
        const bool byName = file.ends_with(".lnk") || file.starts_with("unins");
        out[name + "/" + path] = byName ? "" : test::readFileBytes(folder / path);
    }
}

class InnoSetup6 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::realCompilerInstalled()); }

    // A copy of the example's tree for one build.
    fs::path exampleTree(const std::string& name) const {
        const fs::path folder = scratch_.makeDir(name);
        fs::copy(fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik", folder, fs::copy_options::recursive);
        return folder;
    }

    // tornavel-cli build with the compiler ("5" or "6"), signed when a
    // certificate is given; fails the test when the build does, or when 6
    // warns (5.5.9 warns of ShowUndisplayableLanguages, which it no longer
    // knows either).
    void build(const fs::path& project, const fs::path& source, const std::string& compiler,
               const test::TestCertificate* certificate = nullptr) {
        std::vector<std::string> options{"--inno-setup", compiler};
        if (certificate) {
            options.insert(options.end(), {"--sign-certificate", certificate->pkcs12.string()});
        }
        const test::ProgramRun r = test::buildWithCli(project, source, scratch_, options,
                                                      {"TORNAVEL_SIGN_PASSWORD=tajne"});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        if (compiler == "6") {
            EXPECT_EQ(r.out.find("Warning: "), std::string::npos) << r.out;
        }
        EXPECT_NE(r.out.find("Compiler engine version: Inno Setup " +
                             std::string(compiler == "6" ? "6.2.0" : "5.5.9")),
                  std::string::npos);
    }

    // The installer run silently under wine in a prefix and home folder of
    // its own, on a display, as a user installs it; what it left there.
    Installed install(const fs::path& installer, const std::string& name,
                      const test::VirtualDisplay& display) const {
        const fs::path home = scratch_.makeDir("home-" + name);
        fs::create_directory(home / "Desktop"); // the prefix's desktop then
        const std::string prefix = (home / "wine").string();
        std::vector<std::string> variables = WineVariables(prefix);
        variables.insert(variables.end(), {"HOME=" + home.string(), "DISPLAY=" + display.name()});
        EXPECT_EQ(test::runProgram({FindInPath("wine"), "wineboot", "--init"}, scratch_, variables)
                      .status,
                  0);
        const fs::path drive = fs::path(prefix) / "drive_c";
        const Listing driveBefore = listing(drive);
        const Listing desktopBefore = listing(home / "Desktop");
        test::runProgram({FindInPath("wine"), installer.string(), "/VERYSILENT",
                          "/SUPPRESSMSGBOXES", "/NORESTART", "/PASSWORD=tajné heslo"},
                         scratch_, variables);
        test::runProgram({FindInPath("wineserver"), "-w"}, scratch_, variables);
        Installed installed;
        addChanges(drive, "C:", driveBefore, installed);
        addChanges(home / "Desktop", "Desktop", desktopBefore, installed);
        return installed;
    }

    test::TempDir scratch_;
};

TEST_F(InnoSetup6, ExampleHoldsTheTreeWithItsFontAmongTheCommonFonts) {
    const fs::path source = exampleTree("zdroj");
    const auto expected = test::expectedContents(source, "commonfonts/");
    build(fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik.ipr", source, "6");
    EXPECT_EQ(test::installerContents(source / "Output" / "Zpěvník 1.2.exe", scratch_), expected);
}

// Signed, as a project to publish is.
TEST_F(InnoSetup6, ProjectWithEveryFieldInstallsWhatInnoSetup559Installs) {
    ProjectSettings project;
    NewProject(project);
    LoadProject((fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik.ipr").string(), project);
    project.Password = "tajné heslo";
    project.ShowLanguageDialog = true;
    project.DisableDirPage = true;
    project.DisableProgramGroupPage = true;
    project.DiskSpanning = true;
    project.DiskSize = "2100000";
    project.ReserveBytes = "1024";
    project.WinNT = 3;
    project.AlwaysRestart = true;
    project.BackColorDirection = true;
    project.Icons[0].OnDesktop = true;
    project.Icons[0].InStartup = true;
    project.Icons[1].InStartup = true;
    project.IniLocation = 1; // Windows' folder
    const fs::path file = scratch_.path() / "všechno.ipr";
    SaveProject(project, file.string(), SaveOrder::SaveAs);

    const test::VirtualDisplay display;
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch_.path(), "Tornavel test", "tajne");
    std::map<std::string, Installed> installed;
    for (const std::string compiler : {"5", "6"}) {
        const fs::path source = exampleTree("zdroj " + compiler);
        const auto expected =
            test::expectedContents(source, compiler == "6" ? "commonfonts/" : "fonts/");
        build(file, source, compiler, &certificate);
        if (HasFailure()) {
            return;
        }
        const fs::path installer = source / "Output" / "Zpěvník 1.2.exe";
        EXPECT_EQ(test::installerContents(installer, scratch_), expected);
        EXPECT_TRUE(test::signatureVerifies(installer, certificate, scratch_));
        installed[compiler] = install(installer, compiler, display);
        EXPECT_TRUE(test::signatureVerifies(scratch_.path() / ("home-" + compiler) /
                                                "wine/drive_c/Program Files (x86)/Zpěvník/"
                                                "unins000.exe",
                                            certificate, scratch_));
    }
    const Installed& five = installed["5"];
    EXPECT_EQ(installed["6"], five);
    // What the comparison covers: the files, the INI entry in Windows'
    // folder, the shortcuts in the group, on the desktop and in Startup.
    const std::string app = "C:/Program Files (x86)/Zpěvník/";
    const std::string startup =
        "C:/users/root/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp/";
    for (const std::string& path :
         {app + "Písně/Skákal pes.txt", std::string("C:/windows/Fonts/DejaVuSansMono.ttf"),
          std::string("C:/ProgramData/Microsoft/Windows/Start Menu/Programs/Zpěvník/Zpěvník.lnk"),
          std::string("Desktop/Zpěvník.lnk"), startup + "Zpěvník.lnk",
          startup + "Jak zpěvník používat.lnk"}) {
        EXPECT_EQ(five.count(path), 1u) << path;
    }
    ASSERT_EQ(five.count("C:/windows/zpevnik.ini"), 1u);
    EXPECT_NE(
        five.at("C:/windows/zpevnik.ini").find(toCp1250("Složka=C:\\Program Files (x86)\\Zpěvník")),
        std::string::npos);
}

} // namespace
} // namespace tornavel
