#include "wine/Wine.h"

#include "support/ScopedVariable.h"
#include "support/TempDir.h"
#include "wine/AdapterProtocol.h"
#include "wine/WinePrefix.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;
using test::ScopedVariable;

TEST(Wine, PrefixIsOursNeverTheUsersOwn) {
    const ScopedVariable home("HOME", "/home/jana");
    const ScopedVariable wineprefix("WINEPREFIX", "/home/jana/.wine");
    {
        const ScopedVariable own("TORNAVEL_WINEPREFIX", std::nullopt);
        const ScopedVariable data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(WinePrefixFolder(), "/home/jana/.local/share/tornavel/wine");
        const ScopedVariable relative("XDG_DATA_HOME", "data");
        EXPECT_EQ(WinePrefixFolder(), "/home/jana/.local/share/tornavel/wine");
        const ScopedVariable absolute("XDG_DATA_HOME", "/srv/data/");
        EXPECT_EQ(WinePrefixFolder(), "/srv/data/tornavel/wine");
    }
    const ScopedVariable own("TORNAVEL_WINEPREFIX", "/tmp/p");
    EXPECT_EQ(WinePrefixFolder(), "/tmp/p");
    const ScopedVariable relative("TORNAVEL_WINEPREFIX", "p");
    EXPECT_EQ(WinePrefixFolder(), (fs::current_path() / "p").string());
}

// Links out of the prefix, however short their target, become folders of it;
// links inside it stay; a prefix set aside keeps everything.
TEST(Wine, PrefixProfilesStayInThePrefixAndBrokenPrefixesAreKept) {
    test::TempDir dir;
    const auto profile = dir.path() / "prefix/drive_c/users/u";
    std::filesystem::create_directories(profile / "AppData");
    std::filesystem::create_directory_symlink("/", profile / "Desktop");
    std::filesystem::create_directory_symlink(dir.path(), profile / "Documents");
    std::filesystem::create_directory_symlink("AppData", profile / "Music");
    KeepProfileFoldersInPrefix((dir.path() / "prefix").string());
    for (const char* name : {"Desktop", "Documents"}) {
        EXPECT_FALSE(std::filesystem::is_symlink(profile / name)) << name;
        EXPECT_TRUE(std::filesystem::is_directory(profile / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(profile / "Music"));

    const std::string aside = SetWinePrefixAside((dir.path() / "prefix").string());
    EXPECT_TRUE(aside.starts_with((dir.path() / "prefix.poskozene-").string())) << aside;
    EXPECT_TRUE(std::filesystem::is_directory(aside + "/drive_c/users/u/AppData"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "prefix"));
    EXPECT_EQ(SetWinePrefixAside((dir.path() / "prefix").string()), "");
}

TEST(Wine, PathsOnDriveZ) {
    EXPECT_EQ(WindowsFormOfPath("/home/jana/Můj projekt/ISS"), "Z:\\home\\jana\\Můj projekt\\ISS");
    EXPECT_EQ(WindowsFormOfPath(fs::current_path().string() + "/a"), WindowsFormOfPath("a"));
}

TEST(Wine, WindowsProgramsBeginWithMZ) {
    const test::TempDir dir;
    EXPECT_TRUE(IsWindowsProgram(dir.writeFile("setup.exe", "MZ\x90").string()));
    EXPECT_FALSE(IsWindowsProgram(dir.writeFile("M", "M").string()));
    EXPECT_FALSE(IsWindowsProgram(dir.writeFile("elf", "\x7f"
                                                       "ELF")
                                      .string()));
    EXPECT_FALSE(IsWindowsProgram((dir.path() / "missing").string()));
    EXPECT_FALSE(IsWindowsProgram(dir.folder()));
}

TEST(Wine, WindowsProgramsRunThroughWineInOurEnvironment) {
    const test::TempDir dir;
    const std::string setup = dir.writeFile("Output/Setup.exe", "MZ").string();
    const ScopedVariable prefix("TORNAVEL_WINEPREFIX", "/tmp/p");
    const ScopedVariable locale("LC_ALL", "C.UTF-8");

    {
        const ScopedVariable path("PATH", dir.path().string());
        try {
            CommandUnderWine({setup});
            ADD_FAILURE() << "no wine, no error";
        } catch (const WineMissingError& e) {
            EXPECT_EQ(e.code(), 2u);
            EXPECT_EQ(std::string(e.what()),
                      "Program " + setup +
                          " je pro Windows a na tomto systému se spouští přes wine, který není "
                          "nainstalován. Nainstalujte ho skriptem scripts/install-compiler");
        }
    }

    const std::string wine = dir.writeFile("bin/wine").string();
    fs::permissions(wine, fs::perms::owner_all);
    const ScopedVariable path("PATH", "/nonexistent:" + dir.folder() + "bin");
    const WineCommand command = CommandUnderWine({setup, "/VERYSILENT", "/DIR=Z:\\a b"});
    EXPECT_EQ(command.arguments,
              (std::vector<std::string>{wine, setup, "/VERYSILENT", "/DIR=Z:\\a b"}));
    EXPECT_EQ(
        command.environmentChanges,
        (std::vector<std::string>{
            "WINEPREFIX=/tmp/p", "LC_ALL=cs_CZ.UTF-8", "LANG=cs_CZ.UTF-8", "WINEDEBUG=-all",
            "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=", "TORNAVEL_SIGN_PASSWORD"}));
}

// What the build writes the adapter reads back from its environment; what is
// not asked for is removed, the password unless the adapter signs with it;
// a value that is no number is refused in Czech.
TEST(Wine, AdapterReadsBackWhatTheBuildAsks) {
    std::vector<std::string> environment;
    const auto lookup = [&environment](const char* name) -> const char* {
        for (const std::string& entry : environment) {
            if (entry.starts_with(std::string(name) + "=")) {
                return entry.c_str() + std::strlen(name) + 1;
            }
        }
        return nullptr;
    };
    const AdapterSettings asked{"/c.p12",  "", "/heslo",      "http://tsa",
                                946684800, 60, InnoSetup::Six};
    environment = AdapterEnvironment(asked);
    EXPECT_EQ(environment, (std::vector<std::string>{
                               "TORNAVEL_ISCC_SIGN_CERTIFICATE=/c.p12", "TORNAVEL_ISCC_SIGN_KEY",
                               "TORNAVEL_ISCC_SIGN_PASSWORD_FILE=/heslo",
                               "TORNAVEL_ISCC_TIMESTAMP_URL=http://tsa",
                               "TORNAVEL_ISCC_REPRODUCIBLE=946684800", "TORNAVEL_ISCC_LINGER=60",
                               "TORNAVEL_ISCC_INNO_SETUP=6", "TORNAVEL_SIGN_PASSWORD"}));
    EXPECT_EQ(AdapterEnvironment(ReadAdapterSettings(lookup)), environment);
    // Signing with the password in its variable keeps it for the adapter.
    EXPECT_EQ(AdapterEnvironment({"/c.p12", "", "", "", std::nullopt, 0}).back(),
              "TORNAVEL_ISCC_INNO_SETUP");
    EXPECT_EQ(AdapterEnvironment({"", "/k.pem", "", "", std::nullopt, 0}), NoAdapterEnvironment());

    for (const char* wrong : {"TORNAVEL_ISCC_REPRODUCIBLE=včera", "TORNAVEL_ISCC_LINGER=86401",
                              "TORNAVEL_ISCC_INNO_SETUP=6.2"}) {
        environment = {wrong};
        EXPECT_THROW(ReadAdapterSettings(lookup), Error) << wrong;
    }
}

} // namespace
} // namespace tornavel
