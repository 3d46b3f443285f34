#include "iscc/WorkFolder.h"

#include "iscc/Console.h"
#include "platform/AsciiCase.h"
#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>
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

} // namespace

WorkFolder::WorkFolder(const fs::path& script) : userFolder_(script.parent_path()) {
    std::string pattern = temporaryFolder() + "/tornavel-iscc-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw AdapterFailure("iscc: Pracovní složku kompilátoru nelze vytvořit v " +
                                 temporaryFolder() + ": " + InOutError::fromErrno(errno).what() +
                                 ".",
                             kAdapterCannotRunExitCode);
    }
    folder_ = buffer.data();
    copy_ = folder_ / script.filename();
    std::error_code ec;
    fs::create_directory_symlink(userFolder_, folder_ / kSourceLink, ec);
    if (ec) {
        fs::remove_all(folder_, ec);
        throw AdapterFailure("iscc: Odkaz na složku " + userFolder_.string() +
                                 " nelze vytvořit: " + ec.message() + ".",
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
        throw AdapterFailure("iscc: Soubor " + file.string() + " nelze zapsat: " + e.what() + ".",
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
        throw AdapterFailure("iscc: Kompilátor nelze připravit v " + links.string() + ": " +
                                 ec.message() + ".",
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
