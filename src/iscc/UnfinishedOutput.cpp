#include "iscc/UnfinishedOutput.h"

#include "iscc/Console.h"
#include "platform/Errors.h"
#include "wine/AdapterProtocol.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace tornavel::iscc {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what, const fs::path& path, int err) {
    throw AdapterFailure(std::string(kAdapterErrorMark) + what + " " + path.string() +
                             " nelze vytvořit: " + InOutError::fromErrno(err).what() + ".",
                         kAdapterCannotRunExitCode);
}

} // namespace

UnfinishedOutput::UnfinishedOutput(fs::path installerFolder, const std::string& name)
    : installerFolder_(std::move(installerFolder)), folder_(installerFolder_ / name) {
    std::error_code ec;
    madeInstallerFolder_ = fs::create_directories(installerFolder_, ec);
    if (ec) {
        fail("Složku pro instalační soubory", installerFolder_, ec.value());
    }
    if (::mkdir(folder_.c_str(), 0700) != 0) {
        const int err = errno;
        if (madeInstallerFolder_) {
            fs::remove(installerFolder_, ec);
        }
        folder_.clear(); // not ours to remove
        fail("Složku pro nedokončené instalační soubory", installerFolder_ / name, err);
    }
}

UnfinishedOutput::~UnfinishedOutput() {
    std::error_code ec;
    if (!folder_.empty()) {
        fs::remove_all(folder_, ec);
    }
    if (madeInstallerFolder_) {
        fs::remove(installerFolder_, ec); // only when nothing else went there
    }
}

void UnfinishedOutput::publish(const std::string& installerName) const {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (entry.path().filename() != installerName) {
            files.push_back(entry.path());
        }
    }
    files.push_back(folder_ / installerName);
    for (const fs::path& file : files) {
        fs::rename(file, installerFolder_ / file.filename(), ec);
        if (ec) {
            throw AdapterFailure(std::string(kAdapterErrorMark) + "Instalační soubor " +
                                     (installerFolder_ / file.filename()).string() +
                                     " nelze uložit: " + ec.message() + ".",
                                 kAdapterCannotRunExitCode);
        }
    }
}

} // namespace tornavel::iscc
