#include "wine/Wine.h"

#include "platform/Paths.h"
#include "platform/ProgramLayout.h"
#include "wine/AdapterProtocol.h"

#include <cstdlib>
#include <fstream>
#include <locale.h>
#include <unistd.h>

namespace tornavel {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') {
        return path;
    }
    std::string cwd(4096, '\0');
    if (::getcwd(cwd.data(), cwd.size()) == nullptr) {
        return "/" + path;
    }
    cwd.resize(cwd.find('\0'));
    return withTrailingSeparator(cwd) + path;
}

} // namespace

std::string WineInstallAdvice() {
    if (RunningFromInstallation()) {
        return "znovu s balíčkem Tornavel: sudo apt install --reinstall tornavel wine wine32 "
               "(wine32 potřebuje architekturu i386: sudo dpkg --add-architecture i386 && sudo "
               "apt update)";
    }
    return std::string("skriptem ") + kInstallCompilerScript;
}

WineMissingError::WineMissingError(const std::string& program)
    : ProcessError(winerror::FileNotFound,
                   "Program " + program +
                       " je pro Windows a na tomto systému se spouští přes wine, který není "
                       "nainstalován. Nainstalujte ho " +
                       WineInstallAdvice()) {}

std::string FindWine() {
    return FindInPath("wine");
}

std::string FindWineServer() {
    return FindInPath("wineserver");
}

std::string WinePrefixFolder() {
    // wine takes only an absolute prefix.
    if (const std::string own = environmentValue("TORNAVEL_WINEPREFIX"); !own.empty()) {
        return absolutePath(own);
    }
    return UserBaseFolder("XDG_DATA_HOME", ".local/share") + "tornavel/wine";
}

std::string WineLocale() {
    const locale_t czech = ::newlocale(LC_ALL_MASK, kWineLocale, nullptr);
    if (czech == nullptr) {
        return "C.UTF-8";
    }
    ::freelocale(czech);
    return kWineLocale;
}

std::vector<std::string> WineVariables(const std::string& prefix) {
    const std::string locale = WineLocale();
    return {
        "WINEPREFIX=" + prefix,
        "LC_ALL=" + locale,
        "LANG=" + locale,
        "WINEDEBUG=-all",
        "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=",
        kSignPasswordVariable,
    };
}

bool CanShowWindows() {
    return !environmentValue("DISPLAY").empty() || !environmentValue("WAYLAND_DISPLAY").empty();
}

bool IsWindowsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char signature[2] = {};
    return in.read(signature, 2) && signature[0] == 'M' && signature[1] == 'Z';
}

std::string WindowsFormOfPath(const std::string& path) {
    return "Z:" + toScriptSeparators(absolutePath(path));
}

WineCommand CommandUnderWine(const std::vector<std::string>& windowsProgramAndArguments) {
    const std::string wine = FindWine();
    if (wine.empty()) {
        throw WineMissingError(windowsProgramAndArguments.empty()
                                   ? std::string()
                                   : windowsProgramAndArguments.front());
    }
    WineCommand command{{wine}, WineVariables(WinePrefixFolder())};
    command.arguments.insert(command.arguments.end(), windowsProgramAndArguments.begin(),
                             windowsProgramAndArguments.end());
    return command;
}

} // namespace tornavel
