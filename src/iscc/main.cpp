// iscc: the installer compiler as Tornavel starts it on systems other than
// Windows. It runs the Windows compiler Inno Setup (5.5 or later) under wine
// and passes its output through, returning its exit code:
//
//   iscc [COMPILER OPTIONS...] SCRIPT
//
// The compiler is ISCC.exe in the folder "compiler" beside this program, or
// in the folder $TORNAVEL_COMPILER_DIR. It runs in a wine prefix of our own
// (platform/Wine) under the locale cs_CZ.UTF-8, so that wine's ANSI code page
// is 1250, the script's. The one line of a script for 5.1.12 that these
// compilers refuse, MinVersion, is adapted in a copy; the script itself stays
// as it is.
//
// Exit codes of our own: 1 the compiler cannot be run (wine, ISCC.exe, the
// locale or the prefix missing, the script unreadable), 2 the script allows no
// Windows version the compiler supports. Otherwise the compiler's: 0 success,
// 1 bad options, 2 the compilation failed.
#include "iscc/ChildProcess.h"
#include "iscc/Console.h"
#include "iscc/MinVersion.h"
#include "iscc/ReplacingStream.h"
#include "iscc/WinePrefix.h"
#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Wine.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale.h>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tornavel::iscc::AdapterFailure;
using tornavel::iscc::Console;

constexpr int kCannotRun = 1;
constexpr int kNoSupportedVersion = 2;

// The adapted copy lives in this hidden folder beside the script. The scan of
// the source folder never enters a folder whose name holds a dot, so not even
// a copy left behind by a killed adapter can become part of an installer.
constexpr const char* kCopyFolder = ".tornavel-iscc";

std::string requireWine() {
    const std::string wine = tornavel::FindInPath("wine");
    if (wine.empty()) {
        throw AdapterFailure(std::string("iscc: Program wine nebyl nalezen (PATH). Kompilátor je "
                                         "program pro Windows a běží přes wine; nainstalujte ho "
                                         "skriptem ") +
                                 tornavel::kInstallCompilerScript + ".",
                             kCannotRun);
    }
    return wine;
}

std::string requireCompiler() {
    const char* own = std::getenv("TORNAVEL_COMPILER_DIR");
    const std::string folder = own && *own ? tornavel::withTrailingSeparator(own)
                                           : tornavel::CurrentProgramFolder() + "compiler/";
    const std::string compiler = folder + "ISCC.exe";
    if (!fs::is_regular_file(compiler)) {
        throw AdapterFailure("iscc: Kompilátor Inno Setup nebyl nalezen: " + compiler +
                                 " neexistuje. Nainstalujte ho skriptem " +
                                 tornavel::kInstallCompilerScript +
                                 " a program sestavte znovu (nebo v proměnné "
                                 "TORNAVEL_COMPILER_DIR uveďte jeho složku).",
                             kCannotRun);
    }
    return compiler;
}

void requireLocale() {
    const locale_t czech = ::newlocale(LC_ALL_MASK, tornavel::kWineLocale, nullptr);
    if (czech == nullptr) {
        throw AdapterFailure(std::string("iscc: Chybí národní prostředí ") + tornavel::kWineLocale +
                                 ", v němž kompilátor čte skript v kódové stránce 1250. Vytvořte "
                                 "ho skriptem " +
                                 tornavel::kInstallCompilerScript + ".",
                             kCannotRun);
    }
    ::freelocale(czech);
}

std::string readScript(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    const int openError = errno;
    std::string bytes;
    char buffer[65536];
    while (in && in.read(buffer, sizeof buffer).gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (!in.eof() || in.bad()) {
        throw AdapterFailure(
            "iscc: Skript " + path + " nelze přečíst: " +
                tornavel::InOutError::fromErrno(openError ? openError : EIO).what() + ".",
            kCannotRun);
    }
    return bytes;
}

// The adapted script in the hidden folder beside the original, removed with
// the object however the compilation ends. Its extra last lines make the
// script's own folder the source folder again, so every relative name (files,
// licence, Output) means what it meant; they come after the last line, so
// every line keeps its number.
class AdaptedCopy {
public:
    AdaptedCopy(const fs::path& script, std::string text)
        : path_(script.parent_path() / kCopyFolder / script.filename()) {
        std::error_code ec;
        fs::create_directory(path_.parent_path(), ec);
        if (ec) {
            throw AdapterFailure("iscc: Upravenou kopii skriptu nelze vytvořit ve složce " +
                                     path_.parent_path().string() + ": " + ec.message() + ".",
                                 kCannotRun);
        }
        if (!text.empty() && text.back() != '\n') {
            text += "\r\n";
        }
        text += "[Setup]\r\nSourceDir=..\r\n";
        try {
            tornavel::WriteFileAtomically(path_.string(), text);
        } catch (const tornavel::Error& e) {
            remove();
            throw AdapterFailure("iscc: Upravenou kopii skriptu " + path_.string() +
                                     " nelze zapsat: " + e.what() + ".",
                                 kCannotRun);
        }
    }
    ~AdaptedCopy() { remove(); }
    AdaptedCopy(const AdaptedCopy&) = delete;
    AdaptedCopy& operator=(const AdaptedCopy&) = delete;

    const fs::path& path() const { return path_; }

private:
    void remove() {
        std::error_code ec;
        fs::remove(path_, ec);
        fs::remove(path_.parent_path(), ec); // only when empty
    }

    fs::path path_;
};

int compile(const std::vector<std::string>& args, Console& console) {
    const std::string wine = requireWine();
    const std::string compiler = requireCompiler();
    requireLocale();

    const fs::path script = fs::absolute(args.back()).lexically_normal();
    const tornavel::iscc::MinVersionBridge bridge =
        tornavel::iscc::BridgeMinVersion(readScript(script.string()));
    using Verdict = tornavel::iscc::MinVersionBridge::Verdict;
    if (bridge.verdict == Verdict::NoSupportedVersion) {
        console.error(tornavel::iscc::RefusalMessage(bridge.line));
        return kNoSupportedVersion;
    }

    const std::string prefix = tornavel::WinePrefixFolder();
    tornavel::iscc::EnsureWinePrefix(wine, prefix, console);

    std::optional<AdaptedCopy> copy;
    if (bridge.verdict == Verdict::Adapted) {
        copy.emplace(script, bridge.script);
        console.notice(tornavel::iscc::AdaptedNotice(bridge.line));
    }
    // The compiler names the script by the path it was given: the copy's
    // path turns back into the script's.
    tornavel::iscc::ReplacingStream output(
        bridge.verdict == Verdict::Adapted ? std::string("\\") + kCopyFolder + "\\" : "", "\\");

    std::vector<std::string> command{wine, compiler};
    command.insert(command.end(), args.begin(), args.end() - 1);
    command.push_back(tornavel::WindowsFormOfPath(copy ? copy->path().string() : script.string()));
    int code = kCannotRun;
    try {
        code = tornavel::iscc::RunAndWait(
            command, tornavel::EnvironmentWith(tornavel::WineVariables(prefix)),
            {[&](std::string_view bytes) { console.compilerOutput(output.feed(bytes)); }, {}});
    } catch (const std::system_error& e) {
        console.error("iscc: Program wine nelze spustit: " + std::string(e.what()) + ".");
    }
    console.compilerOutput(output.finish());
    return code;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    Console console;
    if (argc < 2) {
        console.error("iscc: Použití: iscc [VOLBY KOMPILÁTORU...] SKRIPT");
        return kCannotRun;
    }
    try {
        return compile(std::vector<std::string>(argv + 1, argv + argc), console);
    } catch (const AdapterFailure& e) {
        console.error(e.what());
        return e.exitCode();
    } catch (const std::exception& e) {
        console.error(std::string("iscc: ") + e.what());
        return kCannotRun;
    }
}
