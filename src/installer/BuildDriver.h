#pragma once

#include "installer/BuildConsole.h"
#include "installer/Prompts.h"
#include "installer/Publishing.h"
#include "platform/AppExec.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "project/ProjectSettings.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tornavel {

struct BuildEnvironment {
    std::string sourceFolder;  // native, trailing separator
    std::string programFolder; // native, trailing separator; the compiler is ProgramFolder + "iscc"
    std::function<void()> pumpEvents; // run between short waits on started programs; may be empty
    // Run every 20 ms or so while the source folder is walked, where a front
    // end may call stop() (the CLI's signals); may be empty.
    std::function<void()> pumpDuringWalk;
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
    // folder when another build has it. ISS is the build's own file: a
    // symbolic link of that name is refused (Error naming it and where it
    // leads) before anything is read or written, and the script temporary
    // files of killed builds are removed. A script holding the installer's
    // password is written 0600.
    bool writeScript(ProjectSettings& project, const BuildEnvironment& env, ChangeLog* log);

    // True while a build runs (it waits for the user or for a started program
    // with the event pump running); a second buildInstaller then does nothing
    // and returns Refused.
    bool isRunning() const { return running_; }
    // True while the compiler runs, which stop() can end.
    bool isCompiling() const { return compiling_; }

    // Stops the build, for the event pump (a stop button, Ctrl+C): during the
    // walk of the source folder at once, touching nothing (ISS and Output as
    // they were); during a compile the compiler and everything it started
    // under wine end and nothing of the compile stays in Output. Either way
    // buildInstaller (or writeScript) throws BuildStoppedError. During the
    // walk, only BuildEnvironment::pumpDuringWalk can call it.
    void stop();

private:
    // writeScript with the source folder already locked by the caller; the
    // files' sizes are read for a compile's progress.
    bool writeScriptLocked(ProjectSettings& project, const BuildEnvironment& env, ChangeLog* log,
                           FileSizes sizes = FileSizes::Skip);
    // Before each folder of the walk: the walk's pump now and then, and the
    // stop it may have asked for (BuildStoppedError).
    void checkDuringWalk(const BuildEnvironment& env);

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
    std::vector<std::uint64_t> scriptFileSizes_; // of the files the last script installs
    bool compiling_ = false;
    bool stopRequested_ = false;
    std::chrono::steady_clock::time_point lastPump_{};
};

// The build was stopped by the user: "Kompilace byla zastavena", or the
// message of a build stopped before it changed anything.
class BuildStoppedError : public Error {
public:
    explicit BuildStoppedError(const std::string& message = "Kompilace byla zastavena");
};

// The compiler to run: compilerPath, or ProgramFolder + "iscc" without one.
std::string CompilerProgram(const BuildEnvironment& env);

// Whether the compiler is Tornavel's own adapter: the program folder's
// iscc when no compilerPath is given, else a compilerPath that is the same
// file as the adapter of the program's layout (LayoutOfProgram). Only it
// takes the adapter's settings.
bool CompilerIsOwnAdapter(const BuildEnvironment& env);

// What the compiler is started with: the compiler, then the script
// SourceFolder + "ISS", each exactly as it is, as any compiler takes it.
std::vector<std::string> CompilerArguments(const BuildEnvironment& env);

// The compiler's environment changes: for our own adapter the settings of
// publishing and of wine's server (AdapterEnvironment), for any other
// compiler none of them and no password (NoAdapterEnvironment).
std::vector<std::string> CompilerEnvironment(const BuildEnvironment& env);

// Throws Error (InputOutput) naming the compiler when signing or a
// reproducible installer is asked of a compiler that is not our adapter,
// which would silently do neither.
void RefusePublishingWithoutAdapter(const BuildEnvironment& env);

// The compiler's command line as the console shows it: the compiler path
// (quoted when it holds a blank), then the script path in double quotes.
std::string CompilerCommandLine(const BuildEnvironment& env);

// The installer the test run starts: SourceFolder + "Output" + separator +
// the installer's base name (InstallerBaseName) + ".exe".
std::string InstallerPath(const std::string& sourceFolder, const std::string& baseName);

// The failure of a compiler that ended with exitCode, or by the signal when
// that is not 0, quoting the line that says why when there is one.
std::string CompilerFailureText(std::uint32_t exitCode, int signal, const std::string& errorLine);

// The installer the compile wrote: InstallerPath when it is there, else the
// one program in the output folder (the compiler may name it otherwise).
std::string WrittenInstaller(const std::string& sourceFolder, const std::string& baseName);

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

// The note on copying a split installer onto disks; baseName is the
// installer's name without ".exe" (InstallerBaseName).
std::string DiskNote(const std::string& baseName);

// Deletes the visible files of SourceFolder + "Output" (one that cannot be
// deleted, or a read-only one, stays) and removes the folder; nothing when
// there is no such folder. Throws InOutError when the folder cannot be removed
// ("I/O error 145" when it is not empty), and Error naming it when "Output" is
// a file, where the compiler needs its folder, or a symbolic link (emptying it
// would delete files wherever it leads); nothing is deleted then.
void ClearOutputFolder(const std::string& sourceFolder);

} // namespace tornavel
