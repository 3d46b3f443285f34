#pragma once

#include "platform/Process.h"

#include <string>
#include <vector>

namespace tornavel {

// Running Windows programs (the installer compiler, a test installation) on
// systems other than Windows: through wine, in a wine prefix of the program's
// own and, where the system has it, under a Czech UTF-8 locale, so that
// wine's ANSI code page is 1250: the installer's Czech texts show as they
// should and the compiler's messages keep their Czech letters. Without it
// they run under C.UTF-8 (code page 1252); the compiler reads its copy of the
// script as UTF-8 either way.

// The locale the Windows programs run under when the system has it.
inline constexpr const char* kWineLocale = "cs_CZ.UTF-8";

// kWineLocale when the system has it, else "C.UTF-8".
std::string WineLocale();

// The script that installs wine, the locale and the compiler; the messages
// about a missing piece name it.
inline constexpr const char* kInstallCompilerScript = "scripts/install-compiler";

// A Windows program was to be started, but wine is not there. The message is
// Czech and names scripts/install-compiler; code() is 2, a missing program.
class WineMissingError : public ProcessError {
public:
    explicit WineMissingError(const std::string& program);
};

// The full path of an executable file named name in the folders of PATH;
// empty when there is none.
std::string FindInPath(const std::string& name);

// The wine prefix the program's Windows programs run in:
// $TORNAVEL_WINEPREFIX when set (made absolute), else
// $XDG_DATA_HOME/tornavel/wine, else
// ~/.local/share/tornavel/wine. Never the user's own ~/.wine.
std::string WinePrefixFolder();

// The variables a wine process gets on top of this program's environment:
// the prefix, the locale (LC_ALL and LANG: WineLocale()), no debugging output, no Mono or
// Gecko installer prompts, and no menu entries or desktop files made on the
// host for programs the test installation installs.
std::vector<std::string> WineVariables(const std::string& prefix);

// This program's environment ("NAME=value" each) with the variables replaced
// or added.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& variables);

// Whether a Windows program started now can show its windows: always on
// Windows, elsewhere only with a display (DISPLAY or WAYLAND_DISPLAY); an
// installer without one ends at once with code 1.
bool CanShowWindows();

// What the compiler adapter says while the prefix is being made, the one
// slow step of a first build.
inline constexpr const char* kPreparingPrefixNotice = "Připravuji prostředí wine, jen poprvé…";

// Whether the prefix has been made and set up: the compiler adapter writes
// this marker into it once wineboot has finished.
inline constexpr const char* kWinePrefixReadyMarker = ".tornavel-ready";
bool WinePrefixReady(const std::string& prefix);

// The exit code of the compiler adapter (iscc) when wine cannot start in the
// prefix at all: it is damaged, or it belongs to another user.
inline constexpr int kBrokenWinePrefixExitCode = 4;

// True when the file begins with the "MZ" signature of a DOS or Windows program.
bool IsWindowsProgram(const std::string& path);

// The path by which a Windows program under wine reaches a file of this
// system: the absolute path on drive Z:, with "\" separators.
std::string WindowsFormOfPath(const std::string& path);

// What Process::start runs for a requested argument list: unchanged, or on
// systems other than Windows, for a program given by its path that begins
// with "MZ", wine with the program and its arguments, in the environment of
// WineVariables. Throws WineMissingError when wine is needed and missing.
struct LaunchCommand {
    std::vector<std::string> args;
    std::vector<std::string> environment; // empty: this program's own
};
LaunchCommand CommandForProgram(const std::vector<std::string>& args);

} // namespace tornavel
