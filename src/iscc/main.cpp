// iscc: the installer compiler as Tornavel starts it on systems other than
// Windows. It runs the Windows compiler Inno Setup (5.5 or later) under wine
// and passes its output through, returning its exit code:
//
//   iscc [COMPILER OPTIONS...] SCRIPT
//
// The compiler is ISCC.exe in the folder "compiler" beside this program, or
// in the folder $TORNAVEL_COMPILER_DIR. It runs in a wine prefix of our own
// (platform/Wine) under the locale cs_CZ.UTF-8, so that wine's ANSI code page
// is 1250, the script's. The compiler gets a copy of the script in a work
// folder of its own (iscc/WorkFolder), with the one line of a script for
// 5.1.12 that these compilers refuse, MinVersion, adapted; the script itself
// stays as it is.
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
#include "iscc/WorkFolder.h"
#include "platform/Cp1250.h"
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

// The user's folder as the compiler's messages print it: in its code page,
// each character it cannot hold as "?", as the compiler itself would.
std::string inCompilerCodePage(const std::string& utf8) {
    if (tornavel::isCp1250Encodable(utf8)) {
        return tornavel::toCp1250(utf8);
    }
    std::string out;
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte >= 0xC0) {
            out += '?'; // one for each character, at its first byte
        }
    }
    return out;
}

// The compiler's output with the work folder's paths turned into the user's.
class PathsInOutput {
public:
    explicit PathsInOutput(const tornavel::iscc::WorkFolder& work)
        : source_(work.workPathPrefix() + "source\\", inCompilerCodePage(work.userPathPrefix())),
          rest_(work.workPathPrefix(), inCompilerCodePage(work.userPathPrefix())) {}
    std::string feed(std::string_view bytes) { return rest_.feed(source_.feed(bytes)); }
    std::string finish() {
        std::string out = rest_.feed(source_.finish());
        return out + rest_.finish();
    }

private:
    tornavel::iscc::ReplacingStream source_;
    tornavel::iscc::ReplacingStream rest_;
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

    const tornavel::iscc::WorkFolder work(script);
    work.writeScript(bridge.script);
    if (bridge.verdict == Verdict::Adapted) {
        console.notice(tornavel::iscc::AdaptedNotice(bridge.line));
    }
    PathsInOutput output(work);

    std::vector<std::string> command{wine, compiler};
    command.insert(command.end(), args.begin(), args.end() - 1);
    command.push_back(tornavel::WindowsFormOfPath(work.scriptCopy().string()));
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
