#include "wine/WinePrefix.h"

#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"
#include "platform/Process.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

// The last lines wine wrote, for the message of a failed set-up.
std::string lastLinesOf(const fs::path& log) {
    std::ifstream in(log, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    std::string out;
    for (std::size_t i = lines.size() > 3 ? lines.size() - 3 : 0; i < lines.size(); ++i) {
        out += (out.empty() ? "" : " | ") + lines[i];
    }
    return out;
}

// Holds an exclusive lock on a file for its lifetime.
class FileLock {
public:
    explicit FileLock(const fs::path& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (!fd_.valid()) {
            throw std::system_error(errno, std::generic_category());
        }
        while (::flock(fd_.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                throw std::system_error(errno, std::generic_category());
            }
        }
    }

private:
    UniqueFd fd_;
};

// Runs wineboot into the new prefix and marks it ready.
void createPrefix(const std::string& wine, const std::string& prefix) {
    const fs::path folder(prefix);
    const fs::path ready = folder / kWinePrefixReadyMarker;
    const fs::path log = folder / ".tornavel-setup.log";
    const int code =
        RunAndWait({wine, "wineboot", "--init"}, WineVariables(prefix), {nullptr, log.string()});
    if (code != 0 || !fs::is_directory(folder / "drive_c")) {
        throw WinePrefixError(prefix, "wineboot skončil s kódem " + std::to_string(code) + ". " +
                                          lastLinesOf(log));
    }
    try {
        WriteFileAtomically(ready.string(), "wineboot --init\n");
    } catch (const Error&) {
        throw WinePrefixError(prefix, "značku " + ready.string() + " nelze zapsat.");
    }
}

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

WinePrefixError::WinePrefixError(const std::string& prefix, const std::string& reason)
    : Error(Kind::ProcessFailed, "Prostředí wine v " + prefix + " nelze vytvořit: " + reason) {}

void EnsureWinePrefix(const std::string& wine, const std::string& prefix,
                      const std::function<void()>& announce) {
    const fs::path folder(prefix);
    try {
        if (!WinePrefixReady(prefix)) {
            // Said before the lock: another adapter may be making it now.
            announce();
        }
        fs::create_directories(folder);
        const FileLock lock(folder / ".tornavel-lock");
        if (!WinePrefixReady(prefix)) {
            createPrefix(wine, prefix);
        }
        // wine links the profile folders to the home folder again whenever
        // it updates the prefix; checked on every run.
        KeepProfileFoldersInPrefix(prefix);
    } catch (const WinePrefixError&) {
        throw;
    } catch (const std::system_error& e) {
        throw WinePrefixError(prefix, e.code().message() + ".");
    } catch (const Error& e) {
        throw WinePrefixError(prefix, std::string(e.what()) + ".");
    }
}

bool WinePrefixReady(const std::string& prefix) {
    struct stat st {};
    return ::stat((prefix + "/" + kWinePrefixReadyMarker).c_str(), &st) == 0;
}

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
