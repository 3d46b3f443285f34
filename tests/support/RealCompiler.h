#pragma once

#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tornavel::test {

struct TestCertificate;

// Tests with the real compiler: the program folder (TORNAVEL_PROGRAM_DIR) with
// tornavel-cli, the adapter iscc and the compiler that scripts/install-compiler
// put there, wine and innoextract. They run in a wine prefix and home folder
// of the build's own (TORNAVEL_WINEPREFIX, HOME), never the user's.

std::filesystem::path programFolder();

// The text with its ASCII letters in lower case, as the compiler and Windows
// compare section, key and file names.
std::string lowerCase(std::string text);

// Success when everything the real-compiler tests need is there (both
// compilers among it); otherwise a
// failure that names what is missing and scripts/install-compiler. Tests
// assert it: they fail, never skip, without the compiler.
::testing::AssertionResult realCompilerInstalled();

// tornavel-cli build PROJECT --source SOURCE [OPTIONS...], as a user runs it,
// with the environment variables ("NAME=value") added; meanwhile as
// runProgram has it.
ProgramRun buildWithCli(const std::filesystem::path& project, const std::filesystem::path& source,
                        const TempDir& scratch, const std::vector<std::string>& options = {},
                        const std::vector<std::string>& variables = {},
                        const std::function<void(pid_t)>& meanwhile = {});

// The files an installer holds, as innoextract lists them: "app/Písně/a.txt",
// "fonts/x.ttf". Fails the test when innoextract cannot read it.
std::set<std::string> installerContents(const std::filesystem::path& installer,
                                        const TempDir& scratch);

// What the installer of a source folder must hold: every file of the folder
// itself but the script ISS, its TrueType fonts under fontsFolder ("fonts/";
// innoextract names Inno Setup 6's "commonfonts/"), the rest under "app/",
// and every file below its sub-folders, except in folders whose name holds a
// dot, which are never installed.
std::set<std::string> expectedContents(const std::filesystem::path& source,
                                       const std::string& fontsFolder = "fonts/");

// Whether osslsigncode finds a valid signature by the certificate on the
// Windows program.
::testing::AssertionResult signatureVerifies(const std::filesystem::path& program,
                                             const TestCertificate& certificate,
                                             const TempDir& scratch);

// The programs (their executables' paths) of the running processes whose
// environment holds the entry ("NAME=value"): a build's programs, given a
// variable of the test's own, or a prefix's wine processes.
std::vector<std::string> processesWith(const std::string& environmentEntry);
// Whether no process holds the entry any more, waiting at most limit.
bool noProcessWithin(const std::string& environmentEntry, std::chrono::seconds limit);

// An installer running in its wizard under wine (in WinePrefixFolder(), on
// the DISPLAY of the test), for a probe in its [Code] to report on. Ended,
// with everything of its prefix, when the object goes.
class WizardRun {
public:
    WizardRun(const std::filesystem::path& installer, const TempDir& scratch);
    ~WizardRun();
    WizardRun(const WizardRun&) = delete;
    WizardRun& operator=(const WizardRun&) = delete;

    // The file's text once it ends with `last` (within a minute), or what it
    // held by then.
    std::string waitForPages(const std::filesystem::path& file, const std::string& last) const;

private:
    const TempDir& scratch_;
};

// An X server of the test's own (Xvfb on a free display), for installers
// under wine, which install nothing without a display. Ended with the object.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

} // namespace tornavel::test
