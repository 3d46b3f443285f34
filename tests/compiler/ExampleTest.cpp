// The example project built by the real tornavel-cli, the adapter, wine and
// Inno Setup 5.5.9, and its installer run silently under wine the way the
// test run starts it.
#include "installer/BuildDriver.h"
#include "platform/AppExec.h"
#include "platform/Cp1250.h"
#include "support/RealCompiler.h"
#include "support/ScopedVariable.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <filesystem>
#include <fstream>
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
        fs::copy(examples / "zpevnik", source_.path(), fs::copy_options::recursive);
        project_ = examples / "zpevnik.ipr";
    }

    test::TempDir source_;
    test::TempDir scratch_;
    fs::path project_;
};

TEST_F(Example, BuildsAnInstallerThatHoldsExactlyTheTree) {
    const auto expected = test::expectedContents(source_.path());
    ASSERT_EQ(expected.count("fonts/DejaVuSansMono.ttf"), 1u);
    const test::ProgramRun r = test::buildWithCli(project_, source_.path(), scratch_);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Successful compile"), std::string::npos) << r.out;
    EXPECT_EQ(test::installerContents(source_.path() / "Output" / kInstaller, scratch_), expected);
}

TEST_F(Example, SignedInstallerAndItsUninstallerInstallSilentlyThroughTheTestRunsLauncher) {
    // A wine session takes its display from the program that starts it, and
    // the compilers of the other tests start theirs without one: this test
    // has a prefix of its own, and a display from the compile on, as in the
    // window.
    const test::ScopedVariable prefix("TORNAVEL_WINEPREFIX", WinePrefixFolder() + "-display");
    const test::VirtualDisplay display;
    const test::ScopedVariable displayVariable("DISPLAY", display.name());
    const auto expected = test::expectedContents(source_.path());
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch_.path(), "Tornavel test", "tajne");
    const test::ProgramRun build = test::runProgram(
        {(test::programFolder() / "tornavel-cli").string(), "build", project_.string(), "--source",
         source_.path().string(), "--sign-certificate", certificate.pkcs12.string()},
        scratch_, {"TORNAVEL_SIGN_PASSWORD=tajne"});
    ASSERT_EQ(build.status, 0) << build.out << build.err;
    const fs::path installer = InstallerPath(source_.folder(), "Zpěvník 1.2");
    EXPECT_TRUE(test::signatureVerifies(installer, certificate, scratch_));

    const fs::path target = scratch_.path() / "Zpěvník";
    AppExec exec;
    exec.setWaits(true);
    const fs::path fonts = fs::path(WinePrefixFolder()) / "drive_c/windows/Fonts";
    fs::remove(fonts / "DejaVuSansMono.ttf"); // left by an earlier run
    const WineCommand command =
        CommandUnderWine({installer.string(), "/VERYSILENT", "/SUPPRESSMSGBOXES", "/NORESTART",
                          "/DIR=" + WindowsFormOfPath(target.string())});
    exec.execute(command.arguments, command.environmentChanges);

    // Without a display the installer ends with 0 and installs nothing: look
    // at the files, not at the exit code.
    for (const std::string& file : expected) {
        const bool font = file.starts_with("fonts/");
        const fs::path installed = font ? fonts / file.substr(6) : target / file.substr(4);
        const fs::path original = source_.path() / file.substr(font ? 6 : 4);
        EXPECT_TRUE(fs::exists(installed)) << installed;
        EXPECT_TRUE(test::readFileBytes(installed) == test::readFileBytes(original)) << file;
    }
    // The uninstaller the installation wrote carries the signature too.
    EXPECT_TRUE(test::signatureVerifies(target / "unins000.exe", certificate, scratch_));
}

TEST_F(Example, WizardShowsThePagesOfInnoSetup512AndTheTextsAsWritten) {
    // The example's own script with a probe that notes every page shown and
    // moves on, run twice in a prefix of its own: installed silently, then
    // shown again, as a user reinstalls. Inno Setup 5.5.9 on its own would
    // skip the welcome page, and on the reinstall the folder and group pages.
    // The probe also keeps the texts of the licence page, whose file is
    // UTF-8 without a byte-order mark as Linux editors write it, and of the
    // information page, whose file is Windows-1250.
    const test::ScopedVariable prefix("TORNAVEL_WINEPREFIX", WinePrefixFolder() + "-wizard");
    const test::VirtualDisplay display;
    const test::ScopedVariable displayVariable("DISPLAY", display.name());
    const std::string licence = fromCp1250(test::readFileBytes(source_.path() / "Licence.txt"));
    std::ofstream(source_.path() / "Licence.txt", std::ios::binary) << licence;
    const test::ProgramRun script =
        test::runProgram({(test::programFolder() / "tornavel-cli").string(), "script",
                          project_.string(), "--source", source_.path().string()},
                         scratch_);
    ASSERT_EQ(script.status, 0) << script.err;
    const fs::path probe = source_.path() / "ISS.probe";
    fs::copy_file(source_.path() / "ISS", probe);
    std::ofstream(probe, std::ios::app | std::ios::binary)
        << "[Code]\r\n"
           "procedure CurPageChanged(CurPageID: Integer);\r\n"
           "var Shown: TArrayOfString;\r\n"
           "begin\r\n"
           "  SetArrayLength(Shown, 2);\r\n"
           "  Shown[0] := WizardForm.LicenseMemo.Text;\r\n"
           "  Shown[1] := WizardForm.InfoBeforeMemo.Text;\r\n"
           "  if CurPageID = wpInfoBefore then "
           "SaveStringsToUTF8File(ExpandConstant('{src}\\texts.txt'), Shown, False);\r\n"
           "  SaveStringToFile(ExpandConstant('{src}\\pages.txt'), IntToStr(CurPageID) + ' ', "
           "True);\r\n"
           "  if CurPageID = wpLicense then WizardForm.LicenseAcceptedRadio.Checked := True;\r\n"
           "  if CurPageID <> wpReady then PostMessage(WizardForm.NextButton.Handle, $F5, 0, "
           "0);\r\n"
           "end;\r\n";
    const test::ProgramRun compile =
        test::runProgram({(test::programFolder() / "iscc").string(), probe.string()}, scratch_);
    ASSERT_EQ(compile.status, 0) << compile.out << compile.err;
    const fs::path installer = InstallerPath(source_.folder(), "Zpěvník 1.2");
    const fs::path pages = source_.path() / "Output" / "pages.txt";
    const std::string target = WindowsFormOfPath((scratch_.path() / "Zpěvník").string());
    // The first installation, silently: the probe notes nothing.
    ASSERT_EQ(test::runProgram({FindInPath("wine"), installer.string(), "/VERYSILENT",
                                "/SUPPRESSMSGBOXES", "/NORESTART", "/DIR=" + target},
                               scratch_, WineVariables(WinePrefixFolder()))
                  .status,
              0);
    fs::remove(pages);
    test::WizardRun wizard(installer, scratch_);
    const std::string shown = wizard.waitForPages(pages, "10 ");
    // Welcome, licence, information, folder, Start menu group, ready.
    EXPECT_EQ(shown, "1 2 4 6 8 10 ");
    // Both texts as written (the memos end their lines with CR LF); the
    // user's licence stays without its mark.
    const auto withoutLineEnds = [](std::string text) {
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        return text;
    };
    EXPECT_EQ(withoutLineEnds(test::readFileBytes(source_.path() / "Output" / "texts.txt")),
              withoutLineEnds("\xEF\xBB\xBF" + licence +
                              fromCp1250(test::readFileBytes(source_.path() / "Čtěte.txt"))));
    EXPECT_EQ(test::readFileBytes(source_.path() / "Licence.txt"), licence);
}

} // namespace
} // namespace tornavel
