#include "platform/WinePrefixUpkeep.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

bool leadsOutOf(const fs::path& link, const fs::path& prefix) {
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(link, ec);
    if (ec) {
        return true;
    }
    const auto [end, unused] =
        std::mismatch(prefix.begin(), prefix.end(), target.begin(), target.end());
    return end != prefix.end();
}

void replaceWithFolder(const fs::path& link) {
    if (::unlink(link.c_str()) != 0 || ::mkdir(link.c_str(), 0755) != 0) {
        throw InOutError::fromErrno(errno, link.string());
    }
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

void KeepProfileFoldersInPrefix(const std::string& prefix) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(prefix, ec);
    for (const auto& user : fs::directory_iterator(root / "drive_c" / "users", ec)) {
        std::error_code entryError;
        if (user.is_symlink(entryError) || !user.is_directory(entryError)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(user.path(), entryError)) {
            std::error_code linkError;
            if (entry.is_symlink(linkError) && leadsOutOf(entry.path(), root)) {
                replaceWithFolder(entry.path());
            }
        }
    }
}

std::string SetWinePrefixAside(const std::string& prefix) {
    struct stat st {};
    if (::lstat(prefix.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            return {};
        }
        throw InOutError::fromErrno(errno, prefix);
    }
    std::string folder = prefix;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    const std::string base = folder + ".poskozene-" + timeStamp();
    std::string aside = base;
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n) {
        aside = base + "-" + std::to_string(n);
    }
    if (::rename(folder.c_str(), aside.c_str()) != 0) {
        throw InOutError::fromErrno(errno, prefix);
    }
    return aside;
}

} // namespace tornavel
