#include "platform/Paths.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tornavel {

std::string toNativeSeparators(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', kNativeSeparator);
    return out;
}

std::string toScriptSeparators(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string withTrailingSeparator(std::string path) {
    if (path.empty() || (path.back() != kNativeSeparator && path.back() != '/')) {
        path += kNativeSeparator;
    }
    return path;
}

std::string fileNameOf(std::string_view path) {
    const auto pos = path.find_last_of("/\\");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        return pw->pw_dir;
    }
    return "/";
}

std::string UserBaseFolder(const char* variable, std::string_view underHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') {
        return withTrailingSeparator(value);
    }
    return withTrailingSeparator(withTrailingSeparator(HomeFolder()) + std::string(underHome));
}

std::string CurrentProgramFolder() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return withTrailingSeparator(HomeFolder());
    }
    buffer.resize(static_cast<std::size_t>(n));
    return buffer.substr(0, buffer.find_last_of('/') + 1);
}

} // namespace tornavel
