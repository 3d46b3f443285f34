#include "platform/ProgramLayout.h"

#include "support/ScopedVariable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::ScopedVariable;
using test::TempDir;

TEST(ProgramLayout, BuildTreeKeepsEverythingInTheProgramFolder) {
    TempDir dir;
    const std::string bin = dir.makeDir("build/bin").string() + "/";
    const ScopedVariable compilerDir("TORNAVEL_COMPILER_DIR", std::nullopt);
    const ProgramLayout layout = LayoutOfProgram(bin);
    EXPECT_FALSE(layout.installed);
    EXPECT_EQ(layout.settings.folder, bin);
    EXPECT_EQ(layout.settings.fallbackFolder, "");
    EXPECT_EQ(layout.archiveFolder, bin + "Archiv");
    EXPECT_EQ(layout.helpFile, bin + "Tornavel.hlp");
    EXPECT_EQ(layout.compilerAdapter, bin + "iscc");
    EXPECT_EQ(CompilerFolderOf(bin), bin + "compiler/");
    EXPECT_EQ(CompilerFolderOf(bin, "compiler-6"), bin + "compiler-6/");
    const ScopedVariable own("TORNAVEL_COMPILER_DIR", "/opt/inno");
    EXPECT_EQ(CompilerFolderOf(bin), "/opt/inno/");
    EXPECT_EQ(CompilerFolderOf(bin, "compiler-6"), "/opt/inno/");
}

TEST(ProgramLayout, InstalledProgramReadsTheInstallationAndWritesTheUsersFolders) {
    TempDir dir;
    const std::string prefix = dir.folder() + "usr/";
    dir.makeDir("usr/share/tornavel/compiler");
    const std::string bin = dir.makeDir("usr/bin").string() + "/";
    const ScopedVariable home("HOME", "/home/jana");
    const ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
    const ScopedVariable data("XDG_DATA_HOME", "relativni/data"); // only absolute ones count
    const ScopedVariable compilerDir("TORNAVEL_COMPILER_DIR", std::nullopt);

    const ProgramLayout layout = LayoutOfProgram(bin);
    EXPECT_TRUE(layout.installed);
    EXPECT_EQ(layout.settings.folder, "/home/jana/.config/tornavel/");
    EXPECT_EQ(layout.settings.fallbackFolder, bin);
    EXPECT_EQ(layout.archiveFolder, "/home/jana/.local/share/tornavel/Archiv");
    EXPECT_EQ(layout.helpFile, prefix + "share/tornavel/Tornavel.hlp");
    EXPECT_EQ(layout.compilerAdapter, prefix + "libexec/tornavel/iscc");
    EXPECT_EQ(CompilerFolderOf(prefix + "libexec/tornavel/"), prefix + "share/tornavel/compiler/");
    EXPECT_EQ(CompilerFolderOf(prefix + "libexec/tornavel/", "compiler-6"),
              prefix + "share/tornavel/compiler-6/");

    const ScopedVariable ownConfig("XDG_CONFIG_HOME", "/srv/nastaveni");
    const ScopedVariable ownData("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(LayoutOfProgram(bin).settings.folder, "/srv/nastaveni/tornavel/");
    EXPECT_EQ(LayoutOfProgram(bin).archiveFolder, "/srv/data/tornavel/Archiv");
}

} // namespace
} // namespace tornavel
