#pragma once

#include "installer/BuildConsole.h"
#include "installer/Prompts.h"
#include "installer/Publishing.h"
#include "platform/AppExec.h"
#include "platform/Errors.h"
#include "project/ProjectSettings.h"

#include <functional>
#include <string>
#include <vector>

namespace tornavel {

struct BuildEnvironment {
    std::string sourceFolder;  // native, trailing separator
    std::string programFolder; // native, trailing separator; the compiler is ProgramFolder + "iscc"
    std::function<void()> pumpEvents; // run between short waits on started programs; may be empty
    std::string
        compilerPath; // when not empty, the compiler to run instead of ProgramFolder + "iscc"
    PublishingOptions publishing; // signing and reproducibility, carried out by the compiler
    int wineLingerSeconds = 0; // keep wine's server up this long after the compile; 0: wine's own
    InnoSetup innoSetup = InnoSetup::Five; // the compiler the adapter runs
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
//
// The compiler's output is captured and shown on the console line by line;
// the notice about folders the installer leaves out goes there too (without a
// console, the notice is a plain message and the output is only searched for
// the error line).
class BuildDriver {
public:
    explicit BuildDriver(Prompts& prompts, BuildConsole* console = nullptr);

    // The whole build. Fields it changes (filled-in icon files, AppVerName,
    // Font) are logged in order, also when it ends with an exception. Throws
    // tornavel::Error when the build ends with an error; a compiler that ends
    // with a non-zero code gives a Czech error that names the code and quotes
    // the compiler's error line (Kind::ProcessFailed; BrokenWinePrefixError
    // when wine cannot start), nothing of the failed compile stays in the
    // output folder, and neither the disk note nor the success question
    // follows. The success question names the installer written
    // (WrittenInstaller), which the test run starts.
    BuildOutcome buildInstaller(ProjectSettings& project, const BuildEnvironment& env,
                                ChangeLog* log);

    // Validation, ClearOutputFolder and the script ISS, then the notice of
    // the folders left out; no questions, no compiler. False when the
    // validation refused the project. Like buildInstaller, it holds the
    // source folder's FolderLock while it works, and throws Error naming the
    // folder when another build has it.
    bool writeScript(ProjectSettings& project, const BuildEnvironment& env, ChangeLog* log);

    // True while a build runs (it waits for the user or for a started program
    // with the event pump running); a second buildInstaller then does nothing
    // and returns Refused.
    bool isRunning() const { return running_; }

    // Ends a running compile, for the event pump (a stop button, Ctrl+C): the
    // compiler and everything it started under wine end, nothing of the
    // compile stays in Output, and buildInstaller throws BuildStoppedError.
    // Nothing when no compiler runs.
    void stop();

private:
    // writeScript with the source folder already locked by the caller.
    bool writeScriptLocked(ProjectSettings& project, const BuildEnvironment& env, ChangeLog* log);

    // Runs the compiler and waits for it, its output going to the console.
    // Returns the line that says why it failed: its first error line, else
    // wine's last line of its own (empty when none).
    std::string runCompiler(const BuildEnvironment& env);

    // Runs the installer and waits for it, telling the user when it could
    // not show itself (nothing is started then: false) or when it ended with
    // a code other than 0. An installer under wine whose path is too long
    // for Windows to start it runs from a short copy in the prefix; elsewhere
    // such a path is refused with a message (false).
    bool runTestInstallation(const std::string& installer);
    // Starts the installer, waits and reports a failure.
    void runInstaller(const std::string& installer, bool underWine);

    Prompts& prompts_;
    BuildConsole* console_;
    AppExec launcher_;
    bool running_ = false;
    std::size_t scriptFiles_ = 0; // the files the last script installs
    bool compiling_ = false;
    bool stopRequested_ = false;
};

// The compile was stopped by the user: "Kompilace byla zastavena".
class BuildStoppedError : public Error {
public:
    BuildStoppedError();
};

// The compiler to run: compilerPath, or ProgramFolder + "iscc" without one.
std::string CompilerProgram(const BuildEnvironment& env);

// What the compiler is started with: the compiler, the options of
// publishing and of wine's server, then the script SourceFolder + "ISS",
// each exactly as it is.
std::vector<std::string> CompilerArguments(const BuildEnvironment& env);

// The compiler's command line as the console shows it: the compiler path
// (quoted when it holds a blank), the options of publishing, then the script
// path in double quotes.
std::string CompilerCommandLine(const BuildEnvironment& env);

// The installer the test run starts: SourceFolder + "Output" + separator +
// AppVerName + ".exe".
std::string InstallerPath(const std::string& sourceFolder, const std::string& appVerName);

// The failure of a compiler that ended with exitCode, or by the signal when
// that is not 0, quoting the line that says why when there is one.
std::string CompilerFailureText(std::uint32_t exitCode, int signal, const std::string& errorLine);

// The installer the compile wrote: InstallerPath when it is there, else the
// one program in the output folder (the compiler may name it otherwise).
std::string WrittenInstaller(const std::string& sourceFolder, const std::string& appVerName);

// The compile failed because wine cannot start in its prefix (damaged, or
// another user's); the front end may offer to set it aside (SetWinePrefixAside)
// and build again.
class BrokenWinePrefixError : public Error {
public:
    BrokenWinePrefixError(const std::string& message, std::string prefix);
    const std::string& prefix() const { return prefix_; }

private:
    std::string prefix_;
};

// The note on copying a split installer onto disks.
std::string DiskNote(const std::string& appVerName);

// Deletes the visible files of SourceFolder + "Output" (one that cannot be
// deleted, or a read-only one, stays) and removes the folder; nothing when
// there is no such folder. Throws InOutError when the folder cannot be removed
// ("I/O error 145" when it is not empty), and Error naming it when "Output" is
// a file, where the compiler needs its folder, or a symbolic link (emptying it
// would delete files wherever it leads); nothing is deleted then.
void ClearOutputFolder(const std::string& sourceFolder);

} // namespace tornavel
