#include "iscc/WinePrefix.h"

#include "iscc/ChildProcess.h"
#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "platform/FileDescriptor.h"
#include "platform/Wine.h"
#include "platform/WinePrefixUpkeep.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tornavel::iscc {
namespace {

namespace fs = std::filesystem;

constexpr int kSetupFailed = 1;

[[noreturn]] void fail(const std::string& prefix, const std::string& reason) {
    throw AdapterFailure("iscc: Prostředí wine v " + prefix + " nelze vytvořit: " + reason,
                         kSetupFailed);
}

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
    const int code = RunAndWait({wine, "wineboot", "--init"},
                                EnvironmentWith(WineVariables(prefix)), {nullptr, log});
    if (code != 0 || !fs::is_directory(folder / "drive_c")) {
        fail(prefix, "wineboot skončil s kódem " + std::to_string(code) + ". " + lastLinesOf(log));
    }
    try {
        WriteFileAtomically(ready.string(), "wineboot --init\n");
    } catch (const Error&) {
        fail(prefix, "značku " + ready.string() + " nelze zapsat.");
    }
}

} // namespace

void EnsureWinePrefix(const std::string& wine, const std::string& prefix, Console& console) {
    const fs::path folder(prefix);
    try {
        if (!WinePrefixReady(prefix)) {
            // Said before the lock: another adapter may be making it now.
            console.notice(kPreparingPrefixNotice);
        }
        fs::create_directories(folder);
        const FileLock lock(folder / ".tornavel-lock");
        if (!WinePrefixReady(prefix)) {
            createPrefix(wine, prefix);
        }
        // wine links the profile folders to the home folder again whenever
        // it updates the prefix; checked on every run.
        KeepProfileFoldersInPrefix(prefix);
    } catch (const std::system_error& e) {
        fail(prefix, std::string(e.code().message()) + ".");
    } catch (const Error& e) {
        fail(prefix, std::string(e.what()) + ".");
    }
}

void StartLingeringServer(const std::string& prefix, int seconds) {
    const std::string server = FindInPath("wineserver");
    if (server.empty()) {
        return;
    }
    try {
        // It goes into the background once it is up, so this waits only for that.
        (void)RunAndWait({server, "-p" + std::to_string(seconds)},
                         EnvironmentWith(WineVariables(prefix)), {nullptr, "/dev/null"});
    } catch (const std::system_error&) {
        // No server of ours: the compile starts one as it always does.
    }
}

void WineStartWatch::feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (programSeen_) {
            return;
        }
        if (c != '\n' && c != '\r') {
            // A line longer than any of wine's is nobody's failure line.
            if (pending_.size() < 4096) {
                pending_ += c;
            }
            continue;
        }
        if (pending_.find(programMark_) != std::string::npos) {
            programSeen_ = true;
        } else if (wineLine_.empty() &&
                   (pending_.starts_with("wine: ") || pending_.starts_with("wineserver: "))) {
            wineLine_ = pending_;
        }
        pending_.clear();
    }
}

AdapterFailure BrokenPrefixFailure(const std::string& prefix, const std::string& wineLine) {
    return AdapterFailure("iscc: Chyba: Prostředí wine v " + prefix + " nelze spustit (" +
                              wineLine +
                              "): je poškozené, nebo patří jinému uživateli. Vytvořte ho znovu: "
                              "Tornavel to nabídne, tornavel-cli má volbu --recreate-prefix; "
                              "původní složka se nesmaže, jen přejmenuje.",
                          kBrokenWinePrefixExitCode);
}

} // namespace tornavel::iscc
