#include "platform/Wine.h"

#include "platform/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <locale.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace tornavel {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string_view nameOf(std::string_view assignment) {
    return assignment.substr(0, assignment.find('='));
}

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
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

WineMissingError::WineMissingError(const std::string& program)
    : ProcessError(winerror::FileNotFound,
                   "Program " + program +
                       " je pro Windows a na tomto systému se spouští přes wine, který není "
                       "nainstalován. Nainstalujte ho skriptem " +
                       kInstallCompilerScript) {}

std::string FindInPath(const std::string& name) {
    const std::string path = environmentValue("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        // An empty entry of PATH means the current folder, as for execvp.
        const std::string folder = end == start ? "." : path.substr(start, end - start);
        const std::string candidate = withTrailingSeparator(folder) + name;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return "";
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
    };
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& variables) {
    std::vector<std::string> out;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view assignment(*entry);
        const bool replaced =
            std::any_of(variables.begin(), variables.end(),
                        [&](const std::string& v) { return nameOf(v) == nameOf(assignment); });
        if (!replaced) {
            out.emplace_back(assignment);
        }
    }
    out.insert(out.end(), variables.begin(), variables.end());
    return out;
}

bool WinePrefixReady(const std::string& prefix) {
    struct stat st {};
    return ::stat((prefix + "/" + kWinePrefixReadyMarker).c_str(), &st) == 0;
}

bool CanShowWindows() {
#ifdef _WIN32
    return true;
#else
    return !environmentValue("DISPLAY").empty() || !environmentValue("WAYLAND_DISPLAY").empty();
#endif
}

bool IsWindowsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char signature[2] = {};
    return in.read(signature, 2) && signature[0] == 'M' && signature[1] == 'Z';
}

std::string WindowsFormOfPath(const std::string& path) {
    return "Z:" + toScriptSeparators(absolutePath(path));
}

LaunchCommand CommandForProgram(const std::vector<std::string>& args) {
#ifdef _WIN32
    return {args, {}};
#else
    // Only a program named by its path: one found in PATH is a program of
    // this system.
    if (args.empty() || args.front().find('/') == std::string::npos ||
        !IsWindowsProgram(args.front())) {
        return {args, {}};
    }
    const std::string wine = FindInPath("wine");
    if (wine.empty()) {
        throw WineMissingError(args.front());
    }
    LaunchCommand command;
    command.args.push_back(wine);
    command.args.insert(command.args.end(), args.begin(), args.end());
    command.environment = EnvironmentWith(WineVariables(WinePrefixFolder()));
    return command;
#endif
}

} // namespace tornavel
