#pragma once

#include "platform/Errors.h"
#include "platform/Process.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tornavel {

// Failures of the process launcher; each carries its message only.
class EAppExec : public Error {
public:
    explicit EAppExec(const std::string& message) : Error(Kind::ProcessFailed, message) {}
};

// The current folder could not be changed to ExePath.
class EAppExecChDir : public EAppExec {
public:
    using EAppExec::EAppExec;
};

// The program could not be started, or its state could not be read.
class EAppExecWinExec : public EAppExec {
public:
    using EAppExec::EAppExec;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TPriorClass { pcHigh, pcIdle, pcNormal, pcRealtime };
enum class TLangType { ltFrench, ltCzech, ltItalian };

// The longest command line the launcher starts, in bytes: the limit of a
// Windows command line (32767 characters with the terminating zero). A longer
// one is refused with a clear message instead of being cut short.
inline constexpr std::size_t kMaxCommandLineLength = 32766;

// Starts an external program from a command line, optionally waits for its
// end while the caller's event pump keeps the user interface alive, and
// reports failures as EAppExec exceptions whose texts come from a table of
// error texts in one of three languages.
//
// The table is one per program: SetLangType of any instance refills it for
// all of them, and every instance's ErrorText reads it.
//
// On POSIX a program's window state has no meaning: WindowState and the show
// command are kept as set but do not affect the started program.
class TAppExec {
public:
    TAppExec();

    // Head of the command line: the program's path, possibly followed by
    // arguments. The caller supplies any quotes.
    std::string ExeName;
    // Change to ExePath before the start when ExePath is not empty.
    bool ChangeDir = true;
    // Wait until the started program has ended.
    bool Wait = false;
    // Called between short waits on the started program (the GUI passes its
    // event loop here); may be empty.
    std::function<void()> EventPump;
    // When set and Wait is true, the program's standard output and standard
    // error are read through one pipe while waiting and handed here as they
    // arrive. When empty, the program writes to this program's own streams.
    OutputSink OnOutput;

    const std::vector<std::string>& ExeParams() const { return exeParams_; }
    void SetExeParams(const std::vector<std::string>& params) { exeParams_ = params; }

    const std::string& ExePath() const { return exePath_; }
    // Stores the folder without a final "\" (or "/"), except for "\" itself and
    // a drive root such as "C:\" (and "/"). Setting the stored value again does
    // nothing.
    void SetExePath(const std::string& path);

    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    // 1 = SW_SHOWNORMAL, 2 = SW_SHOWMINIMIZED, 3 = SW_SHOWMAXIMIZED.
    std::uint16_t ShowCommand() const { return showCommand_; }

    TPriorClass PriorityClass() const { return priorityClass_; }
    void SetPriorityClass(TPriorClass priority) { priorityClass_ = priority; }

    TLangType LangType() const { return langType_; }
    void SetLangType(TLangType lang);

    // Result of the last Execute: 0 after a start without waiting, the
    // program's exit code after a wait, the Windows error code after a failure.
    std::uint32_t ErrNo() const { return errNo_; }

    // The command line Execute starts: ExeName, then each entry of ExeParams
    // after one space. Nothing is quoted, trimmed or checked.
    std::string CommandLine() const;

    // Starts the program. Throws EAppExecChDir when the current folder cannot
    // be changed, EAppExecWinExec (with ErrorText, or a text that names the
    // limit for an over-long command line) when the program cannot be started
    // or awaited.
    void Execute();

    // The error table's text for ErrNo; empty for codes without a slot.
    std::string ErrorText() const;

private:
    std::vector<std::string> exeParams_;
    std::string exePath_;
    TWindowState windowState_ = TWindowState::wsNormal;
    std::uint16_t showCommand_ = 1;
    TPriorClass priorityClass_ = TPriorClass::pcNormal;
    TLangType langType_ = TLangType::ltCzech;
    std::uint32_t errNo_ = 32;
};

} // namespace tornavel
