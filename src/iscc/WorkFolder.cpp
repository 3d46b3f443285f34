#include "iscc/WorkFolder.h"

#include "iscc/Console.h"
#include "platform/AsciiCase.h"
#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "platform/FileDescriptor.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tornavel::iscc {
namespace {

namespace fs = std::filesystem;

// A folder for temporary files whose path the compiler can take as it is.
std::string temporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp == '/') {
        const std::string_view path(tmp);
        if (path.find_first_of("\\:*?\"<>| ") == std::string_view::npos) {
            return std::string(path);
        }
    }
    return "/tmp";
}

constexpr std::string_view kWorkFolderPrefix = "tornavel-iscc-";

// Work folders of adapters that were killed: ours, named as ours are, and
// locked by nobody (a live adapter holds its folder's lock while it runs).
void removeLeftOvers(const std::string& temporary) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(temporary, ec)) {
        const std::string name = entry.path().filename().string();
        struct stat st {};
        if (!name.starts_with(kWorkFolderPrefix) || name.size() != kWorkFolderPrefix.size() + 6 ||
            ::lstat(entry.path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid()) {
            continue;
        }
        const UniqueFd folder(
            ::open(entry.path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.valid() && ::flock(folder.get(), LOCK_EX | LOCK_NB) == 0) {
            std::error_code removal;
            fs::remove_all(entry.path(), removal);
        }
    }
}

[[noreturn]] void failToMake(const std::string& temporary, int err) {
    throw AdapterFailure(std::string(kAdapterErrorMark) +
                             "Pracovní složku kompilátoru nelze vytvořit v " + temporary + ": " +
                             InOutError::fromErrno(err).what() +
                             ". Složku pro dočasné soubory určuje proměnná TMPDIR.",
                         kAdapterCannotRunExitCode);
}

} // namespace

WorkFolder::WorkFolder(const fs::path& script) : userFolder_(script.parent_path()) {
    const std::string temporary = temporaryFolder();
    removeLeftOvers(temporary);
    // Made hidden and locked, and only then given the name under which
    // others take an unlocked folder for a killed adapter's.
    std::string pattern = temporary + "/." + std::string(kWorkFolderPrefix) + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        failToMake(temporary, errno);
    }
    lock_ = UniqueFd(::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    folder_ = temporary + "/" + pattern.substr(temporary.size() + 2);
    if (!lock_.valid() || ::flock(lock_.get(), LOCK_EX) != 0 ||
        ::rename(pattern.c_str(), folder_.c_str()) != 0) {
        const int err = errno;
        ::rmdir(pattern.c_str());
        failToMake(temporary, err);
    }
    copy_ = folder_ / script.filename();
    std::error_code ec;
    fs::create_directory_symlink(userFolder_, folder_ / kSourceLink, ec);
    if (ec) {
        fs::remove_all(folder_, ec);
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Odkaz na složku " +
                                 userFolder_.string() + " nelze vytvořit: " + ec.message() + ".",
                             kAdapterCannotRunExitCode);
    }
}

WorkFolder::~WorkFolder() {
    std::error_code ec;
    fs::remove_all(folder_, ec); // the link goes, not what it leads to
}

void WorkFolder::writeScript(const std::string& text) const {
    writeFile(copy_.filename().string(), text);
}

fs::path WorkFolder::writeFile(const std::string& name, const std::string& bytes) const {
    const fs::path file = folder_ / name;
    try {
        WriteFileAtomically(file.string(), bytes);
    } catch (const Error& e) {
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Soubor " + file.string() +
                                 " nelze zapsat: " + e.what() + ".",
                             kAdapterCannotRunExitCode);
    }
    return file;
}

fs::path WorkFolder::compilerWithoutPreprocessor(const fs::path& compiler) const {
    const fs::path links = folder_ / kCompilerLinks;
    std::error_code ec;
    fs::create_directory(links, ec);
    for (const auto& entry : fs::directory_iterator(compiler.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (EqualIgnoringAsciiCase(name, "ISPP.dll") ||
            EqualIgnoringAsciiCase(name, "ISPPBuiltins.iss")) {
            continue;
        }
        fs::create_symlink(entry.path(), links / entry.path().filename(), ec);
        if (ec) {
            break;
        }
    }
    if (ec) {
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Kompilátor nelze připravit v " +
                                 links.string() + ": " + ec.message() + ".",
                             kAdapterCannotRunExitCode);
    }
    return links / compiler.filename();
}

std::string WorkFolder::workPathPrefix() const {
    return WindowsFormOfPath(folder_.string()) + "\\";
}

std::string WorkFolder::userPathPrefix() const {
    return WindowsFormOfPath(userFolder_.string()) + "\\";
}

} // namespace tornavel::iscc
