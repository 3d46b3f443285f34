#pragma once

#include "platform/Errors.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tornavel {

// The prefix could not be made (or used); the message names it and why.
class WinePrefixError : public Error {
public:
    WinePrefixError(const std::string& prefix, const std::string& reason);
    explicit WinePrefixError(const std::string& message) : Error(Kind::ProcessFailed, message) {}
};

// A prefix that was made once, but wine no longer starts in it (its files
// damaged, e.g. by a full disk): it is to be set aside (SetWinePrefixAside)
// and made anew. wineLine is what wine said.
class DamagedWinePrefixError : public WinePrefixError {
public:
    DamagedWinePrefixError(const std::string& prefix, std::string wineLine);
    const std::string& wineLine() const { return wineLine_; }

private:
    std::string wineLine_;
};

// How long a build waits for another to release the prefix's lock.
inline constexpr int kWinePrefixLockSeconds = 30;

// Makes sure the wine prefix exists and is set up, creating it quietly
// (wineboot, no Mono or Gecko prompts) on first use; announce is called first
// when it is not ready yet (the one slow step). Several adapters started at
// once wait for each other: the set-up runs under a lock inside the prefix
// (the prefix and the lock are the user's alone, 0700 and 0600, so nobody
// else can hold it), and a marker file (kWinePrefixReadyMarker) written after
// a successful set-up tells the next one that nothing is left to do. wine's
// own messages of the set-up go to a log file in the prefix and are quoted
// when it fails. The profile folders are kept in the prefix on every call.
//
// Throws WinePrefixError when the prefix cannot be made: its path holds what
// wine cannot work with (a character Windows forbids in names, a name ending
// in a blank or a dot), or another build has held its lock for
// kWinePrefixLockSeconds, or wineboot failed (DamagedWinePrefixError when
// wine could not start in a prefix made before); StoppedBySignal when a
// signal of StopSignals came while it waited.
void EnsureWinePrefix(const std::string& wine, const std::string& prefix,
                      const std::function<void()>& announce);

// Whether the prefix has been made and set up (EnsureWinePrefix marked it).
bool WinePrefixReady(const std::string& prefix);

// wine links a new prefix's profile folders (Desktop, Documents, Music, ...)
// to the user's home folder, so a test installation would put its shortcuts
// and files there. Each such link that leads out of the prefix becomes an
// empty folder of the prefix instead; links inside it and real folders stay.
// Nothing when the prefix has no profiles yet. Throws InOutError naming the
// link that cannot be replaced.
void KeepProfileFoldersInPrefix(const std::string& prefix);

// Moves a prefix that wine cannot start out of the way, so that the next
// start makes a new one; nothing of it is deleted. It is renamed in its own
// folder to "<prefix>.poskozene-YYYYMMDD-HHMMSS" (a number added when that
// exists). Returns the new name, or empty when there was no prefix. Throws
// InOutError naming the prefix when it cannot be renamed.
std::string SetWinePrefixAside(const std::string& prefix);

// A Windows program and the files beside it (an installer's slices) in a
// new folder of the prefix's drive C: ("C:\tornavel-test-XXXXXX"), linked
// where the file system allows it, else copied; removed with the object. No
// program starts from a path of more than 259 characters, and an installer
// in a deep working folder has a longer one: its short copy starts. Throws
// InOutError naming what cannot be made.
class ShortCopyInPrefix {
public:
    ShortCopyInPrefix(const std::string& prefix, const std::string& program);
    ~ShortCopyInPrefix();
    ShortCopyInPrefix(const ShortCopyInPrefix&) = delete;
    ShortCopyInPrefix& operator=(const ShortCopyInPrefix&) = delete;

    // The copy of the program.
    const std::string& program() const { return program_; }

private:
    std::filesystem::path folder_;
    std::string program_;
};

} // namespace tornavel
