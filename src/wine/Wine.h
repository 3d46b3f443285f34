#pragma once

#include "platform/ProcessStarter.h"

#include <string>
#include <vector>

namespace tornavel {

// Running Windows programs (the installer compiler, a test installation)
// through wine, in a wine prefix of the program's own and, where the system
// has it, under a Czech UTF-8 locale, so that wine's ANSI code page is 1250:
// the installer's Czech texts show as they should and the compiler's messages
// keep their Czech letters. Without it they run under C.UTF-8 (code page
// 1252); the compiler reads its copy of the script as UTF-8 either way.

// The locale the Windows programs run under when the system has it.
inline constexpr const char* kWineLocale = "cs_CZ.UTF-8";

// kWineLocale when the system has it, else "C.UTF-8".
std::string WineLocale();

// The script that installs wine, the locale and the compiler; the messages
// about a missing piece name it, unless the program is installed.
inline constexpr const char* kInstallCompilerScript = "scripts/install-compiler";

// How to get wine: run from the build tree, kInstallCompilerScript; installed
// (RunningFromInstallation), the packages to install again. A sentence that
// follows "Nainstalujte ho" ("Install it"), without its full stop.
std::string WineInstallAdvice();

// wine and its server in PATH; empty when missing.
std::string FindWine();
std::string FindWineServer();

// A Windows program was to be started, but wine is not there. The message is
// Czech and says how to install it (WineInstallAdvice); code() is 2, a
// missing program.
class WineMissingError : public ProcessError {
public:
    explicit WineMissingError(const std::string& program);
};

// The wine prefix the program's Windows programs run in:
// $TORNAVEL_WINEPREFIX when set (made absolute), else
// $XDG_DATA_HOME/tornavel/wine, else
// ~/.local/share/tornavel/wine. Never the user's own ~/.wine.
std::string WinePrefixFolder();

// The environment changes of a wine process: the prefix, the locale (LC_ALL
// and LANG: WineLocale()), no debugging output, no Mono or Gecko installer
// prompts, no menu entries or desktop files made on the host for programs
// the test installation installs, and no signing password (no Windows
// program needs it).
std::vector<std::string> WineVariables(const std::string& prefix);

// Whether a Windows program started now can show its windows: only with a
// display (DISPLAY or WAYLAND_DISPLAY); an installer without one ends at once
// with code 1.
bool CanShowWindows();

// True when the file begins with the "MZ" signature of a DOS or Windows program.
bool IsWindowsProgram(const std::string& path);

// The path by which a Windows program under wine reaches a file of this
// system: the absolute path on drive Z:, with "\" separators.
std::string WindowsFormOfPath(const std::string& path);

// How a Windows program and its arguments run: wine with the program and its
// arguments, in our prefix with the environment changes of WineVariables.
// Throws WineMissingError when wine is missing.
struct WineCommand {
    std::vector<std::string> arguments;
    std::vector<std::string> environmentChanges;
};
WineCommand CommandUnderWine(const std::vector<std::string>& windowsProgramAndArguments);

} // namespace tornavel
