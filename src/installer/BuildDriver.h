#pragma once

#include "installer/Prompts.h"
#include "installer/appexec.h"
#include "project/ProjectSettings.h"

#include <functional>
#include <string>

namespace tornavel {

struct BuildEnvironment {
    std::string SourceFolder;  // native, trailing separator
    std::string ProgramFolder; // native, trailing separator; the compiler is ProgramFolder + "iscc"
    std::function<void()> pumpEvents; // run between short waits on started programs; may be empty
    std::string
        CompilerPath; // when not empty, the compiler to run instead of ProgramFolder + "iscc"
};

enum class BuildOutcome {
    Refused,  // the validation found problems (or a build was already running)
    Declined, // the script is written; the user did not want to compile
    Compiled, // the installer is made; no test run
    Tested,   // the installer is made and was run for a test
};

// The build of an installer from the project: validation, the output folder
// emptied and removed, the script ISS written, the confirmation, the compiler
// run and awaited, the disk note, the offer of a test run.
class BuildDriver {
public:
    explicit BuildDriver(Prompts& prompts);

    // The whole build. Fields it changes (filled-in icon files, AppVerName,
    // Font) are logged in order, also when it ends with an exception. Throws
    // tornavel::Error when the build ends with an error; a compiler that ends
    // with a non-zero code gives a Czech error that names the code
    // (Kind::ProcessFailed), and neither the disk note nor the success
    // question follows.
    BuildOutcome BuildInstaller(ProjectSettings& project, const BuildEnvironment& env,
                                ChangeLog* log);

    // Validation, ClearOutputFolder and the script ISS; no questions, no
    // compiler. False when the validation refused the project.
    bool WriteScript(ProjectSettings& project, const BuildEnvironment& env, ChangeLog* log);

    // True while a build runs (it waits for the user or for a started program
    // with the event pump running); a second BuildInstaller then does nothing
    // and returns Refused.
    bool isRunning() const { return running_; }

private:
    Prompts& prompts_;
    TAppExec appExec1_;
    bool running_ = false;
};

// The compiler's command line: the compiler path (quoted when it holds a
// blank), then the script path SourceFolder + "ISS" in double quotes.
std::string CompilerCommandLine(const BuildEnvironment& env);

// The test run's command line: SourceFolder + "Output" + separator +
// AppVerName + ".exe", quoted when it holds a blank.
std::string InstallerCommandLine(const std::string& sourceFolder, const std::string& appVerName);

// The note on copying a split installer onto disks.
std::string DiskNote(const std::string& appVerName);

// Deletes the visible files of SourceFolder + "Output" (one that cannot be
// deleted, or a read-only one, stays) and removes the folder; nothing when
// there is no such folder. Throws InOutError when the folder cannot be removed
// ("I/O error 145" when it is not empty), and Error naming it when "Output" is
// a file, where the compiler needs its folder.
void ClearOutputFolder(const std::string& sourceFolder);

} // namespace tornavel
