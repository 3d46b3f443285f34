#pragma once

#include "platform/Errors.h"
#include "platform/Process.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tornavel {

// Failures of the process launcher; each carries its message only.
class AppExecError : public Error {
public:
    explicit AppExecError(const std::string& message) : Error(Kind::ProcessFailed, message) {}
};

// The current folder could not be changed to the launcher's folder.
class AppExecFolderError : public AppExecError {
public:
    using AppExecError::AppExecError;
};

// The program could not be started, or its state could not be read.
class AppExecStartError : public AppExecError {
public:
    using AppExecError::AppExecError;
};

// How the started program's first window is shown (a Windows show command).
enum class WindowState { Normal, Minimized, Maximized };
// The language of the launcher's error texts.
enum class Language { French, Czech, Italian };

// The longest command line the launcher starts, in bytes: the limit of a
// Windows command line (32767 characters with the terminating zero). A longer
// one is refused with a clear message instead of being cut short.
inline constexpr std::size_t kMaxCommandLineLength = 32766;

// Starts an external program, optionally waits for its end while the
// caller's event pump keeps the user interface alive, and reports failures as
// AppExecError exceptions whose texts come from a table of error texts in one
// of three languages.
//
// The program is given either as a command line (exeName and exeParams,
// split by the Windows rules) or as an argument vector that is started as it
// is, so that no quote or backslash of a path is lost on the way.
//
// The table is one per program: setLanguage of any instance refills it for
// all of them, and every instance's errorText reads it.
//
// On POSIX a program's window state has no meaning: the window state and the
// show command are kept as set but do not affect the started program.
// Every program starts in a process group of its own, as a Windows program
// started with a console of its own, and one the launcher waits for gets
// SIGTERM should this program die before it ends.
class AppExec {
public:
    AppExec();

    // Head of the command line: the program's path, possibly followed by
    // arguments. The caller supplies any quotes.
    const std::string& exeName() const { return exeName_; }
    void setExeName(std::string name) { exeName_ = std::move(name); }
    // Appended to exeName, each after one space.
    const std::vector<std::string>& exeParams() const { return exeParams_; }
    void setExeParams(const std::vector<std::string>& params) { exeParams_ = params; }

    const std::string& exePath() const { return exePath_; }
    // Stores the folder without a final "\" (or "/"), except for "\" itself and
    // a drive root such as "C:\" (and "/"). Setting the stored value again does
    // nothing.
    void setExePath(const std::string& path);
    // Change to exePath before the start when exePath is not empty.
    bool changesFolder() const { return changeDir_; }
    void setChangesFolder(bool change) { changeDir_ = change; }

    // Wait until the started program has ended.
    bool waits() const { return wait_; }
    void setWaits(bool wait) { wait_ = wait; }
    // Called between short waits on the started program (the GUI passes its
    // event loop here); may be empty.
    void setEventPump(std::function<void()> pump) { eventPump_ = std::move(pump); }
    // When set and the launcher waits, the program's standard output and
    // standard error are read through one pipe while waiting and handed here
    // as they arrive. When empty, the program writes to this program's own
    // streams.
    void setOutputSink(OutputSink sink) { outputSink_ = std::move(sink); }

    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    // 1 = SW_SHOWNORMAL, 2 = SW_SHOWMINIMIZED, 3 = SW_SHOWMAXIMIZED.
    std::uint16_t showCommand() const { return showCommand_; }

    ProcessPriority priority() const { return priority_; }
    void setPriority(ProcessPriority priority) { priority_ = priority; }

    Language language() const { return language_; }
    void setLanguage(Language language);

    // Result of the last execute: 0 after a start without waiting, the
    // program's exit code after a wait, the Windows error code after a failure.
    std::uint32_t resultCode() const { return resultCode_; }
    // The signal that ended the awaited program (resultCode is then 128 plus
    // it); 0 when it exited, was not awaited or did not start.
    int resultSignal() const { return resultSignal_; }

    // The command line execute() starts: exeName, then each entry of
    // exeParams after one space. Nothing is quoted, trimmed or checked.
    std::string commandLine() const;

    // Starts the command line, split by the Windows rules. Throws
    // AppExecFolderError when the current folder cannot be changed,
    // AppExecStartError (with errorText, or a text that names the limit for an
    // over-long command line) when the program cannot be started or awaited.
    void execute();
    // Starts arguments[0] with the other arguments exactly as given, in our
    // environment with the changes made ("NAME=value" sets, "NAME" removes);
    // exeName and exeParams play no part. Fails as execute() does.
    void execute(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environmentChanges = {});

    // The error table's text for resultCode; empty for codes without a slot.
    std::string errorText() const;

    // Asks the program being awaited to end (SIGTERM, which the compiler
    // adapter passes on to the compiler); for the event pump, while execute
    // waits. Nothing when no program is awaited.
    void terminate();

private:
    void start(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environmentChanges, std::size_t commandLineLength);

    std::string exeName_;
    std::vector<std::string> exeParams_;
    std::string exePath_;
    bool changeDir_ = true;
    bool wait_ = false;
    std::function<void()> eventPump_;
    OutputSink outputSink_;
    WindowState windowState_ = WindowState::Normal;
    std::uint16_t showCommand_ = 1;
    ProcessPriority priority_ = ProcessPriority::Normal;
    Language language_ = Language::Czech;
    std::uint32_t resultCode_ = 32;
    int resultSignal_ = 0;
    const Process* awaited_ = nullptr; // during a wait
};

} // namespace tornavel
