#include "project/ProgramSettings.h"

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <system_error>

namespace tornavel {
namespace {

using test::readFileBytes;
using test::TempDir;

TEST(ProgramSettings, MissingFileGivesTheDefaults) {
    TempDir dir;
    const ProgramSettings s = ReadProgramSettings(dir.folder());
    EXPECT_EQ(s.sourceFolder, DefaultSourceFolder());
    EXPECT_EQ(s.viewStyle, "vsReport");
    EXPECT_EQ(DefaultSourceFolder().back(), '/');
    EXPECT_NE(DefaultSourceFolder().find("Projekt/"), std::string::npos);
}

TEST(ProgramSettings, WrittenSettingsReadBack) {
    TempDir dir;
    WriteProgramSettings(dir.folder(), {"/data/zdroj/", "vsList"});
    EXPECT_EQ(readFileBytes(dir.path() / "Tornavel.ini"),
              "[Nastaveni]\r\nVystupniAdresar=/data/zdroj/\r\ntypView=vsList\r\n");
    WriteSourceFolderSetting(dir.folder(), "/jinde/");
    const ProgramSettings s = ReadProgramSettings(dir.folder());
    EXPECT_EQ(s.sourceFolder, "/jinde/");
    EXPECT_EQ(s.viewStyle, "vsList");
}

TEST(ProgramSettings, FolderAndViewReadBackExactlyAsWritten) {
    TempDir dir;
    for (const std::string folder :
         {" /zdroj s mezerou vpředu/", "\t/tab/", "\"/v uvozovkách/\"/", "'/jednoduché/'/"}) {
        WriteProgramSettings(dir.folder(), {folder, "\"vsList\""});
        const ProgramSettings s = ReadProgramSettings(dir.folder());
        EXPECT_EQ(s.sourceFolder, folder);
        EXPECT_EQ(s.viewStyle, "\"vsList\"");
    }
    try {
        WriteSourceFolderSetting(dir.folder(), "/" + std::string(kMaxProfileValueLength, 'x'));
        FAIL() << "a folder the file could not give back whole was written";
    } catch (const ValueTooLongError& e) {
        EXPECT_NE(std::string(e.what()).find("„Výstupní adresář“"), std::string::npos);
    }
    EXPECT_EQ(ReadProgramSettings(dir.folder()).sourceFolder, "'/jednoduché/'/");
}

TEST(ProgramSettings, HandEditedFolderGetsItsSeparatorButEmptyStaysEmpty) {
    TempDir dir;
    dir.writeFile("Tornavel.ini", "[nastaveni]\r\nvystupniadresar=/bez/lomitka\r\n");
    EXPECT_EQ(ReadProgramSettings(dir.folder()).sourceFolder, "/bez/lomitka/");
    dir.writeFile("Tornavel.ini", "[Nastaveni]\r\nVystupniAdresar=\r\n");
    EXPECT_EQ(ReadProgramSettings(dir.folder()).sourceFolder, "");
}

// An installed program: the user's own file, made by the first write from the
// one beside the program, which it never changes.
TEST(ProgramSettings, InstalledSettingsStartFromTheFileBesideTheProgram) {
    TempDir dir;
    const std::string beside = "[Nastaveni]\r\nVystupniAdresar=/sdilene/\r\ntypView=vsList\r\n";
    dir.writeFile("bin/Tornavel.ini", beside);
    const SettingsLocation location(dir.folder() + "config/tornavel/", dir.folder() + "bin/");
    const ProgramSettings read = ReadProgramSettings(location);
    EXPECT_EQ(read.sourceFolder, "/sdilene/");
    EXPECT_EQ(read.viewStyle, "vsList");

    WriteSourceFolderSetting(location, "/moje/");
    EXPECT_EQ(readFileBytes(dir.path() / "config/tornavel/Tornavel.ini"),
              "[Nastaveni]\r\nVystupniAdresar=/moje/\r\ntypView=vsList\r\n");
    EXPECT_EQ(readFileBytes(dir.path() / "bin/Tornavel.ini"), beside);
    for (const char* made : {"config", "config/tornavel"}) {
        EXPECT_EQ(std::filesystem::status(dir.path() / made).permissions(),
                  std::filesystem::perms::owner_all);
    }
    // From now on only the user's file counts.
    dir.writeFile("bin/Tornavel.ini", "[Nastaveni]\r\ntypView=vsIcon\r\n");
    EXPECT_EQ(ReadProgramSettings(location).viewStyle, "vsList");

    dir.writeFile("soubor");
    const SettingsLocation blocked(dir.folder() + "soubor/tornavel/", dir.folder() + "bin/");
    try {
        WritePublishingSettings(blocked, {});
        FAIL() << "a user's folder that cannot be made was written";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.folder() +
                                             "soubor/tornavel/Tornavel.ini (" +
                                             std::generic_category().message(ENOTDIR) + ")");
    }
}

// A settings file that cannot be read is named, never taken for the defaults;
// one over 1 MiB is not even read.
TEST(ProgramSettings, OversizedOrUnreadableFileIsNamed) {
    TempDir dir;
    const std::string file = dir.writeFile("Tornavel.ini", "[Nastaveni]\r\n").string();
    std::filesystem::resize_file(file, 3LL << 30);
    const auto read = [&dir] {
        try {
            return ReadProgramSettings(dir.folder()).viewStyle;
        } catch (const Error& e) {
            return std::string(e.what());
        }
    };
    EXPECT_EQ(read(), "Soubor „" + file + "“ je větší než 1 MiB, a proto ho Tornavel nečte.");
    std::filesystem::resize_file(file, 13);
    std::filesystem::permissions(file, std::filesystem::perms(0200));
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0777));
    test::requireReachable(dir.path());
    EXPECT_EQ(test::runUnprivileged(read), "File access denied: " + file);
}

TEST(ProgramSettings, SourceFolderIsCreatedOneLevelDeep) {
    TempDir dir;
    const std::string folder = dir.folder() + "Projekt/";
    EnsureSourceFolder(folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EnsureSourceFolder(folder); // already there: nothing to do

    const std::string deep = dir.folder() + "chybi/Projekt/";
    try {
        EnsureSourceFolder(deep);
        FAIL() << "created a folder whose parent is missing";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Adresář " + deep + " nebyl vytvořen.");
    }
    try {
        EnsureSourceFolder("");
        FAIL() << "an empty folder passed";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Adresář  nebyl vytvořen.");
    }
    const auto file = dir.writeFile("soubor");
    EXPECT_THROW(EnsureSourceFolder(file.string() + "/"), Error);
}

TEST(ProgramSettings, ProgramFolderIsTheExecutablesFolder) {
    const std::string folder = CurrentProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "project_tests"));
}

} // namespace
} // namespace tornavel
