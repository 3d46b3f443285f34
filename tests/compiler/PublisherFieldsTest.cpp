// The fields of "Vydání" through the real tornavel-cli, the adapter and Inno
// Setup 5.5.9, the installers run silently under wine and looked at where
// Windows keeps what they say.
#include "platform/FileSystem.h"
#include "platform/PeIcons.h"
#include "project/ProjectFile.h"
#include "support/IconSamples.h"
#include "support/RealCompiler.h"
#include "support/ScopedVariable.h"
#include "wine/Wine.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

// The lines of an uninstall entry in a registry file of the prefix.
std::string uninstallEntry(const std::string& registryFile, const std::string& name) {
    const std::string text = test::readFileBytes(fs::path(WinePrefixFolder()) / registryFile);
    const auto at =
        text.find(R"([Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\)" + name + "_is1]");
    return at == std::string::npos ? std::string() : text.substr(at, text.find("\n\n", at) - at);
}

TEST(PublisherFields, InstallersAreListedNamedAndPlacedAsThePublisherChose) {
    ASSERT_TRUE(test::realCompilerInstalled());
    const test::ScopedVariable prefix("TORNAVEL_WINEPREFIX", WinePrefixFolder() + "-publisher");
    fs::remove_all(WinePrefixFolder()); // no installation of an earlier run
    const test::VirtualDisplay display;
    const test::ScopedVariable displayVariable("DISPLAY", display.name());
    const test::TempDir scratch;
    const fs::path source = scratch.makeDir("Zdroj");
    scratch.writeFile("Zdroj/Program.exe", "program");
    const test::SampleImage image{32, 0xFF12AB34u};
    scratch.writeFile("Zdroj/instalace.ico", test::sampleIcoFile({image}));
    ProjectSettings project;
    NewProject(project);
    project.AppName = project.DefaultDirName = project.DefaultGroupName = "Zpevnik";
    project.Icons[0] = {"Zpevnik", "Program.exe", "", "", "0", 0, true, false};
    project.AppVersion = "1.2.3";
    project.AppPublisher = "Firma Test";
    project.AppPublisherURL = "https://www.example.cz/";
    project.SetupIconFile = "instalace.ico";
    project.OutputBaseFilename = "zpevnik-setup";
    project.RunAfterInstall = 1;
    project.DesktopIconOptional = project.Install64Bit = project.UninstallDisplayIcon = true;
    const auto buildAndInstall = [&] {
        SaveProject(project, (scratch.path() / "p.ipr").string(), SaveOrder::SaveAs);
        const test::ProgramRun r =
            test::buildWithCli(scratch.path() / "p.ipr", source, scratch, {"--linger", "0"});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(ListEntries((source / "Output").string(), "*", EntryFilter::AllFiles),
                  std::vector<std::string>{"zpevnik-setup.exe"});
        const std::string installer = (source / "Output" / "zpevnik-setup.exe").string();
        const std::vector<std::string> wine = WineVariables(WinePrefixFolder());
        test::runProgram({FindWine(), installer, "/VERYSILENT"}, scratch, wine);
        test::runProgram({FindWineServer(), "-w"}, scratch, wine); // writes the registry
        return test::readFileBytes(installer);
    };

    // 64-bit, for all users: "Program Files", the machine's list of programs.
    const std::string installer = buildAndInstall();
    const std::string machine = uninstallEntry("system.reg", "Zpevnik");
    for (const char* value :
         {R"("DisplayVersion"="1.2.3")", R"("Publisher"="Firma Test")",
          R"("URLInfoAbout"="https://www.example.cz/")",
          R"("DisplayIcon"="C:\\Program Files\\Zpevnik\\Program.exe,0")",
          R"("Inno Setup: Deselected Tasks"="desktopicon")"}) { // offered unticked
        EXPECT_NE(machine.find(value), std::string::npos) << value << "\n" << machine;
    }
    EXPECT_TRUE(fs::exists(fs::path(WinePrefixFolder()) / "drive_c/Program Files/Zpevnik"));
    const std::string script = test::readFileBytes(source / "ISS");
    EXPECT_NE(script.find("\r\n[Tasks]\r\n"), std::string::npos);
    EXPECT_NE(script.find("\r\n[Run]\r\n"), std::string::npos);
    // The installer's own icon and version info (file version 1.2.3.0; texts in UTF-16).
    EXPECT_NE(IconSource(installer).image(0).value_or("").find(test::sampleBitmap(image)),
              std::string::npos);
    EXPECT_NE(installer.find(std::string("\xBD\x04\xEF\xFE\0\0\1\0\2\0\1\0\0\0\3\0", 16)),
              std::string::npos);
    using namespace std::literals;
    for (const auto text : {"F\0i\0r\0m\0a\0 \0T\0e\0s\0t\0"sv, "Z\0p\0e\0v\0n\0i\0k\0"sv}) {
        EXPECT_NE(installer.find(text), std::string::npos);
    }

    // Per user: the user's own programs folder, registry and Start menu.
    project.AppName = project.DefaultGroupName = "Zpevnik pro uzivatele";
    project.Install64Bit = false;
    project.PerUserInstall = true;
    buildAndInstall();
    const std::string user = uninstallEntry("user.reg", "Zpevnik pro uzivatele");
    EXPECT_NE(user.find(R"("DisplayVersion"="1.2.3")"), std::string::npos) << user;
    EXPECT_NE(user.find(R"(\\AppData\\Local\\Programs\\Zpevnik\\Program.exe,0")"),
              std::string::npos);
    EXPECT_EQ(uninstallEntry("system.reg", "Zpevnik pro uzivatele"), "");
    int installed = 0;
    for (const auto& home :
         fs::directory_iterator(fs::path(WinePrefixFolder()) / "drive_c/users")) {
        installed += fs::exists(home.path() / "AppData/Local/Programs/Zpevnik/Program.exe") &&
                     fs::exists(home.path() / "AppData/Roaming/Microsoft/Windows/Start Menu/"
                                              "Programs/Zpevnik pro uzivatele/Zpevnik.lnk");
    }
    EXPECT_EQ(installed, 1);
}

} // namespace
} // namespace tornavel
