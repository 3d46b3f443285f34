#include "wine/WinePrefix.h"

#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
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

// What keeps wine from working in a prefix at this path: a character that
// Windows forbids in names, or a name ending in a blank or a dot (measured:
// wineboot then fails with "could not load kernel32.dll"); empty when none.
std::string pathProblem(const std::string& prefix) {
    const std::size_t forbidden = prefix.find_first_of("\\*?\"<>|");
    if (forbidden != std::string::npos) {
        return "wine nepracuje s cestou, ve které je znak „" + prefix.substr(forbidden, 1) +
               "“ (Windows ho ve jménech nedovolí)";
    }
    for (const auto& part : fs::path(prefix)) {
        const std::string name = part.string();
        if (name != "." && name != ".." && !name.empty() &&
            (name.back() == ' ' || name.back() == '.')) {
            return "wine nepracuje s cestou, ve které jméno složky „" + name +
                   "“ končí mezerou nebo tečkou (Windows to ve jménech nedovolí)";
        }
    }
    return {};
}

// Holds an exclusive lock on a file of the prefix for its lifetime, waiting
// for another holder at most kWinePrefixLockSeconds.
class FileLock {
public:
    FileLock(const fs::path& path, const std::string& prefix)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        if (!fd_.valid()) {
            throw std::system_error(errno, std::generic_category());
        }
        // A lock file of older versions was 0644; another user who can open
        // it can hold the lock.
        (void)::fchmod(fd_.get(), 0600);
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(kWinePrefixLockSeconds);
        while (::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EWOULDBLOCK) {
                throw std::system_error(errno, std::generic_category());
            }
            StopSignals::throwIfReceived();
            if (std::chrono::steady_clock::now() > deadline) {
                throw WinePrefixError(
                    "Prostředí wine v " + prefix + " drží už přes " +
                    std::to_string(kWinePrefixLockSeconds) + " s jiné vytváření instalace (zámek " +
                    path.string() +
                    "). Počkejte, až skončí, a zkuste to znovu; pokud žádné neběží, ukončete "
                    "program, který zámek drží (ukáže ho příkaz fuser -v " +
                    path.string() + ").");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

private:
    UniqueFd fd_;
};

// The last line of wine's own in the log ("wine: could not load
// kernel32.dll…"); empty when none.
std::string lastWineLineOf(const fs::path& log) {
    std::ifstream in(log, std::ios::binary);
    std::string last;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("wine: ") || line.starts_with("wineserver: ")) {
            last = line.substr(0, line.find_last_not_of("\r") + 1);
        }
    }
    return last;
}

// Runs wineboot into the new prefix and marks it ready.
void createPrefix(const std::string& wine, const std::string& prefix) {
    const fs::path folder(prefix);
    const fs::path ready = folder / kWinePrefixReadyMarker;
    const fs::path log = folder / ".tornavel-setup.log";
    // A prefix made before, whose set-up a full disk or a kill cut short.
    const bool madeBefore = fs::is_directory(folder / "drive_c");
    const int code =
        RunAndWait({wine, "wineboot", "--init"}, WineVariables(prefix), {nullptr, log.string()});
    StopSignals::throwIfReceived();
    if (code != 0 || !fs::is_directory(folder / "drive_c")) {
        if (const std::string wineLine = lastWineLineOf(log); madeBefore && !wineLine.empty()) {
            throw DamagedWinePrefixError(prefix, wineLine);
        }
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

DamagedWinePrefixError::DamagedWinePrefixError(const std::string& prefix, std::string wineLine)
    : WinePrefixError(prefix, "wine se v něm nespustí (" + wineLine + ")"),
      wineLine_(std::move(wineLine)) {}

void EnsureWinePrefix(const std::string& wine, const std::string& prefix,
                      const std::function<void()>& announce) {
    const fs::path folder(prefix);
    if (const std::string problem = pathProblem(prefix); !problem.empty()) {
        throw WinePrefixError(prefix, problem + ". Zvolte jinou složku proměnnou "
                                                "TORNAVEL_WINEPREFIX.");
    }
    try {
        if (!WinePrefixReady(prefix)) {
            // Said before the lock: another adapter may be making it now.
            announce();
        }
        fs::create_directories(folder);
        // Nobody else may hold its lock or see the test installations in it.
        struct stat st {};
        if (::stat(prefix.c_str(), &st) == 0 && st.st_uid == ::geteuid()) {
            (void)::chmod(prefix.c_str(), 0700);
        }
        const FileLock lock(folder / ".tornavel-lock", prefix);
        if (!WinePrefixReady(prefix)) {
            createPrefix(wine, prefix);
        }
        // wine links the profile folders to the home folder again whenever
        // it updates the prefix; checked on every run.
        KeepProfileFoldersInPrefix(prefix);
    } catch (const WinePrefixError&) {
        throw;
    } catch (const StoppedBySignal&) {
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

ShortCopyInPrefix::ShortCopyInPrefix(const std::string& prefix, const std::string& program) {
    namespace fs = std::filesystem;
    std::string pattern = prefix + "/drive_c/tornavel-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw InOutError::fromErrno(errno, pattern);
    }
    folder_ = pattern;
    const fs::path beside = fs::path(program).parent_path();
    for (const std::string& name : ListEntries(beside, "*", EntryFilter::VisibleFiles)) {
        std::error_code ec;
        fs::create_hard_link(beside / name, folder_ / name, ec);
        if (ec && !fs::copy_file(beside / name, folder_ / name, ec)) {
            throw InOutError::fromErrno(ec.value(), (folder_ / name).string());
        }
    }
    program_ = (folder_ / fs::path(program).filename()).string();
}

ShortCopyInPrefix::~ShortCopyInPrefix() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

} // namespace tornavel
