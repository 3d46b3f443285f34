// The example project built by the real tornavel-cli, the adapter, wine and
// Inno Setup 5.5.9, and its installer run silently under wine the way the
// test run starts it.
#include "installer/BuildDriver.h"
#include "platform/AppExec.h"
#include "platform/Wine.h"
#include "support/RealCompiler.h"
#include "support/ScopedVariable.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

const std::string kInstaller = "Zpěvník 1.2.exe";

class Example : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::realCompilerInstalled());
        const fs::path examples = TORNAVEL_EXAMPLES_DIR;
        fs::copy(examples / "zpevnik", source.path(), fs::copy_options::recursive);
        project = examples / "zpevnik.ipr";
    }

    test::TempDir source;
    test::TempDir scratch;
    fs::path project;
};

TEST_F(Example, BuildsAnInstallerThatHoldsExactlyTheTree) {
    const auto expected = test::expectedContents(source.path());
    ASSERT_EQ(expected.count("fonts/DejaVuSansMono.ttf"), 1u);
    const test::ProgramRun r = test::buildWithCli(project, source.path(), scratch);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Successful compile"), std::string::npos) << r.out;
    EXPECT_EQ(test::installerContents(source.path() / "Output" / kInstaller, scratch), expected);
}

TEST_F(Example, InstallerRunsSilentlyUnderWineThroughTheTestRunsLauncher) {
    // A wine session takes its display from the program that starts it, and
    // the compilers of the other tests start theirs without one: this test
    // has a prefix of its own, and a display from the compile on, as in the
    // window.
    const test::ScopedVariable prefix("TORNAVEL_WINEPREFIX", WinePrefixFolder() + "-display");
    const test::VirtualDisplay display;
    const test::ScopedVariable displayVariable("DISPLAY", display.name());
    const auto expected = test::expectedContents(source.path());
    ASSERT_EQ(test::buildWithCli(project, source.path(), scratch).status, 0);
    const fs::path target = scratch.path() / "Zpěvník";
    AppExec exec;
    exec.setWaits(true);
    const fs::path fonts = fs::path(WinePrefixFolder()) / "drive_c/windows/Fonts";
    fs::remove(fonts / "DejaVuSansMono.ttf"); // left by an earlier run
    exec.execute({InstallerPath(source.folder(), "Zpěvník 1.2"), "/VERYSILENT", "/SUPPRESSMSGBOXES",
                  "/NORESTART", "/DIR=" + WindowsFormOfPath(target.string())});

    // Without a display the installer ends with 0 and installs nothing: look
    // at the files, not at the exit code.
    for (const std::string& file : expected) {
        const bool font = file.starts_with("fonts/");
        const fs::path installed = font ? fonts / file.substr(6) : target / file.substr(4);
        const fs::path original = source.path() / file.substr(font ? 6 : 4);
        EXPECT_TRUE(fs::exists(installed)) << installed;
        EXPECT_TRUE(test::readFileBytes(installed) == test::readFileBytes(original)) << file;
    }
}

} // namespace
} // namespace tornavel
