// iscc: the installer compiler as Tornavel starts it on systems other than
// Windows. It runs the Windows compiler Inno Setup (5.5 or later) under wine
// and passes its output through, returning its exit code:
//
//   iscc [OPTIONS...] [COMPILER OPTIONS...] SCRIPT
//   iscc --prepare-prefix      only makes the wine prefix, ahead of a build
//
// The compiler is ISCC.exe in the folder "compiler" beside this program (in
// the data folder when installed), Inno Setup 5.5.9, or with --inno-setup=6
// in "compiler-6", Inno Setup 6; or in the folder $TORNAVEL_COMPILER_DIR
// (iscc/CompilerVersion). It runs in a wine prefix of our own
// (wine/WinePrefix). It gets a copy of the script in a work folder of its own
// (iscc/WorkFolder), made for it by iscc/CompilerCopy: UTF-8 with a byte-order
// mark, so no locale is needed to read it; the MinVersion line these compilers
// refuse adapted (iscc/MinVersion); the directives whose default changed
// since 5.1.12 set as 5.1.12 had them; for 6 what it refuses or renamed
// mapped; and a licence or information file written in UTF-8 without a
// byte-order mark named by a copy with one. The script and the user's files
// stay as they are.
//
// The options of the adapter itself (signing, reproducible times, the wine
// server's linger, the compiler; the others go to the compiler) and its exit
// codes are those of wine/AdapterProtocol.h: 1 the compiler cannot be run
// (wine, ISCC.exe or the prefix missing, the script unreadable, another
// compiler than the one chosen) or the installer cannot be signed, 2 the
// script allows no Windows version the compiler supports, 4 wine cannot
// start in the prefix (damaged, or another user's), 5 the disks are too small
// for Inno Setup 6's setup program. Otherwise the compiler's: 0 success,
// 1 bad options, 2 the compilation failed. A compiler ended by a signal ends
// the adapter by the same signal.
#include "iscc/CompilerCopy.h"
#include "iscc/CompilerVersion.h"
#include "iscc/Console.h"
#include "iscc/MinVersion.h"
#include "iscc/ReplacingStream.h"
#include "iscc/Signing.h"
#include "iscc/WorkFolder.h"
#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/ProgramLayout.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"
#include "wine/WineServer.h"
#include "wine/WineStartWatch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tornavel::iscc::AdapterFailure;
using tornavel::iscc::Console;

constexpr int kCannotRun = tornavel::kAdapterCannotRunExitCode;

std::string requireWine() {
    const std::string wine = tornavel::FindWine();
    if (wine.empty()) {
        throw AdapterFailure(std::string("iscc: Program wine nebyl nalezen (PATH). Kompilátor je "
                                         "program pro Windows a běží přes wine; nainstalujte ho "
                                         "skriptem ") +
                                 tornavel::kInstallCompilerScript + ".",
                             kCannotRun);
    }
    return wine;
}

tornavel::iscc::ChosenCompiler requireCompiler(tornavel::InnoSetup chosen) {
    return tornavel::iscc::FindChosenCompiler(tornavel::CurrentProgramFolder(), chosen);
}

std::string readScript(const std::string& path) {
    try {
        return tornavel::ReadWholeFile(path);
    } catch (const tornavel::InOutError& e) {
        throw AdapterFailure("iscc: Skript " + path + " nelze přečíst: " +
                                 tornavel::InOutError::fromErrno(e.systemError()).what() + ".",
                             kCannotRun);
    }
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
    PathsInOutput(const tornavel::iscc::WorkFolder& work, const std::string& compiler)
        : source_(work.workPathPrefix() + "source\\", inCompilerCodePage(work.userPathPrefix())),
          compiler_(
              work.workPathPrefix() + tornavel::iscc::WorkFolder::kCompilerLinks + "\\",
              inCompilerCodePage(
                  tornavel::WindowsFormOfPath(fs::path(compiler).parent_path().string()) + "\\")),
          rest_(work.workPathPrefix(), inCompilerCodePage(work.userPathPrefix())) {}
    std::string feed(std::string_view bytes) {
        return rest_.feed(compiler_.feed(source_.feed(bytes)));
    }
    std::string finish() {
        std::string out = rest_.feed(compiler_.feed(source_.finish()));
        out += rest_.feed(compiler_.finish());
        return out + rest_.finish();
    }

private:
    tornavel::iscc::ReplacingStream source_;
    tornavel::iscc::ReplacingStream compiler_; // the links of the compiler's files
    tornavel::iscc::ReplacingStream rest_;
};

// The prefix made if need be, saying so while it is made.
void ensurePrefix(const std::string& wine, const std::string& prefix, Console& console) {
    tornavel::EnsureWinePrefix(wine, prefix,
                               [&console] { console.notice(tornavel::kPreparingPrefixNotice); });
}

// The failure of a prefix that wine cannot start, naming it and what to do.
AdapterFailure brokenPrefixFailure(const std::string& prefix, const std::string& wineLine) {
    return AdapterFailure("iscc: Chyba: Prostředí wine v " + prefix + " nelze spustit (" +
                              wineLine +
                              "): je poškozené, nebo patří jinému uživateli. Vytvořte ho znovu: "
                              "Tornavel to nabídne, tornavel-cli má volbu --recreate-prefix; "
                              "původní složka se nesmaže, jen přejmenuje.",
                          tornavel::kBrokenWinePrefixExitCode);
}

// What the command line asks for.
struct Request {
    std::vector<std::string> compilerOptions;
    fs::path script;
    std::optional<tornavel::iscc::SigningRequest> signing;
    std::optional<std::int64_t> reproducibleEpoch;
    int lingerSeconds = 0; // the wine server's life after the compile; 0 wine's own
    tornavel::InnoSetup innoSetup = tornavel::InnoSetup::Five;
};

Request parseArguments(const std::vector<std::string>& args) {
    tornavel::AdapterCommandLine options;
    try {
        options = tornavel::ReadAdapterOptions({args.begin(), args.end() - 1});
    } catch (const tornavel::Error& e) {
        throw AdapterFailure(std::string("iscc: Chyba: ") + e.what(), kCannotRun);
    }
    const tornavel::AdapterSettings& settings = options.settings;
    Request request;
    request.compilerOptions = std::move(options.compilerOptions);
    request.reproducibleEpoch = settings.reproducibleEpoch;
    request.lingerSeconds = settings.lingerSeconds;
    request.innoSetup = settings.innoSetup;
    if (!settings.signCertificate.empty()) {
        request.signing = tornavel::iscc::SigningRequest{
            settings.signCertificate, settings.signKey, settings.signPasswordFile,
            settings.timestampUrl, settings.reproducibleEpoch};
    }
    request.script = fs::absolute(args.back()).lexically_normal();
    return request;
}

// A file the script names relative to its folder, looked up as wine looks it
// up for the compiler: the name as written, else one that differs in letter
// case only. Empty when there is none.
fs::path findUserFile(const fs::path& folder, const std::string& name) {
    fs::path path = folder;
    std::string part;
    std::error_code ec;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '\\' && name[i] != '/') {
            part += name[i];
            continue;
        }
        if (!part.empty() && !fs::exists(path / part, ec)) {
            const auto entry = std::find_if(
                fs::directory_iterator(path, ec), fs::directory_iterator(),
                [&](const fs::directory_entry& e) {
                    return tornavel::SameNameIgnoringCase(e.path().filename().string(), part);
                });
            if (entry == fs::directory_iterator()) {
                return {};
            }
            part = entry->path().filename().string();
        }
        path /= part;
        part.clear();
    }
    return path;
}

// The licence and information files that the compiler would show garbled
// (UTF-8 without a byte-order mark): each gets a copy with the mark in the
// work folder, which the copy of the script names instead. The user's files
// stay as they are; one that cannot be read is left to the compiler to name.
// Their names as the script gives them go to names.
std::vector<std::pair<std::string, std::string>>
markedTextFiles(const std::string& script, const tornavel::iscc::WorkFolder& work,
                std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> replaced;
    for (const auto& [directive, name] : tornavel::iscc::WizardTextFilesOf(script)) {
        const bool relative = !name.empty() && name.find(':') == std::string::npos &&
                              name.front() != '\\' && name.front() != '/';
        const fs::path file = relative ? findUserFile(work.userFolder(), name) : fs::path();
        std::string bytes;
        try {
            bytes = file.empty() ? std::string() : tornavel::ReadWholeFile(file.string());
        } catch (const tornavel::Error&) {
            continue;
        }
        if (const auto marked = tornavel::iscc::WithByteOrderMark(name, bytes)) {
            const fs::path copy = work.writeFile(directive + ".txt", *marked);
            replaced.emplace_back(directive, tornavel::WindowsFormOfPath(copy.string()));
            names.push_back(name);
        }
    }
    return replaced;
}

// One line that says what the compiler's copy has beyond the script.
std::string copyNotice(const tornavel::iscc::MinVersionBridge& minVersion,
                       const tornavel::iscc::CompilerCopy& copy, const Request& request,
                       const std::vector<std::string>& markedFiles) {
    std::vector<std::string> parts;
    if (minVersion.verdict == tornavel::iscc::MinVersionBridge::Verdict::Adapted) {
        parts.push_back(tornavel::iscc::AdaptedLine(minVersion.line));
    }
    for (const std::string& file : markedFiles) {
        parts.push_back("soubor „" + file +
                        "“ v UTF-8 jako kopie s označením kódování (BOM), aby se v průvodci "
                        "zobrazil správně");
    }
    if (!copy.bridged.empty()) {
        std::string list;
        for (const std::string& line : copy.bridged) {
            list += (list.empty() ? "" : ", ") + line;
        }
        parts.push_back("výchozí hodnoty verze 5.1.12, které novější kompilátor změnil: " + list);
    }
    if (!copy.changedForSix.empty()) {
        std::string list;
        for (const std::string& change : copy.changedForSix) {
            list += (list.empty() ? "" : ", ") + change;
        }
        parts.push_back("pro Inno Setup 6: " + list);
    }
    if (request.reproducibleEpoch) {
        parts.push_back("pevný čas " + tornavel::iscc::TouchDateOf(*request.reproducibleEpoch) +
                        " " + tornavel::iscc::TouchTimeOf(*request.reproducibleEpoch) +
                        " UTC všech instalovaných souborů (reprodukovatelná instalace)");
    }
    if (request.signing) {
        parts.push_back("podpis instalačního a odinstalačního programu certifikátem „" +
                        request.signing->certificate + "“");
    }
    if (parts.empty()) {
        return {};
    }
    std::string notice = "iscc: Kompilátor dostal kopii skriptu se změnami: ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        notice += (i == 0 ? "" : "; ") + parts[i];
    }
    return notice + "; soubor ISS zůstal beze změny.";
}

// The refusal of disk spanning onto a first disk too small for Inno Setup 6's
// setup program.
std::string tooSmallFirstDiskMessage(std::int64_t room) {
    return "iscc: Chyba: Inno Setup 6 neumí rozdělit instalaci na tak malé disky: na prvním disku "
           "je " +
           std::to_string(room) +
           " bajtů (velikost disku bez rezervy) a jeho instalační program potřebuje nejméně " +
           std::to_string(tornavel::iscc::kSmallestFirstDiskForSix) +
           " bajtů. Zadejte na stránce „Diskety“ větší velikost disku nebo menší rezervu, nebo "
           "zvolte kompilátor Inno Setup 5.5.9.";
}

// How a run of the compiler ended: its exit code, and the signal that ended
// it (0 when it exited).
struct CompilerEnd {
    int code = kCannotRun;
    int signal = 0;
};

// Runs the compiler on the work folder's copy; its output, with the work
// folder's paths turned into the user's, goes to sink. Throws the broken
// prefix's failure when wine could not start the compiler at all.
CompilerEnd runCompiler(const std::string& wine, const std::string& compiler,
                        const Request& request, const tornavel::iscc::WorkFolder& work,
                        const std::string& prefix,
                        const std::function<void(std::string_view)>& sink, Console& console) {
    const bool codePage1252 = tornavel::WineLocale() != tornavel::kWineLocale;
    std::error_code ec;
    const fs::path realCompiler = fs::canonical(compiler, ec); // where its links lead
    PathsInOutput paths(work, ec ? compiler : realCompiler.string());
    tornavel::WineStartWatch watch("Inno Setup");
    std::vector<std::string> command{wine, compiler};
    command.insert(command.end(), request.compilerOptions.begin(), request.compilerOptions.end());
    command.push_back(tornavel::WindowsFormOfPath(work.scriptCopy().string()));
    CompilerEnd end;
    try {
        end.code = tornavel::RunAndWait(
            command, tornavel::WineVariables(prefix),
            {[&](std::string_view bytes) {
                 watch.feed(bytes);
                 sink(paths.feed(codePage1252 ? tornavel::iscc::Cp1252ToCp1250(bytes)
                                              : std::string(bytes)));
             },
             {}},
            &end.signal);
    } catch (const tornavel::ProcessError& e) {
        console.error("iscc: Chyba: Program wine nelze spustit: " + std::string(e.what()) + ".");
    }
    sink(paths.finish());
    watch.feed("\n");
    if (end.code != 0 && end.signal == 0 && !watch.failureLine().empty()) {
        throw brokenPrefixFailure(prefix, watch.failureLine());
    }
    return end;
}

// The installer the compiler made, by the copy's OutputDir and OutputBaseFilename.
fs::path setupProgram(const tornavel::iscc::WorkFolder& work,
                      const tornavel::iscc::CompilerCopy& copy) {
    std::string folder = copy.outputDir;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    const fs::path base = folder.size() > 1 && folder[1] == ':' ? fs::path(folder.substr(2))
                                                                : work.userFolder() / folder;
    return base / (copy.outputBaseFilename + ".exe");
}

// Signing needs the uninstaller in advance: a first compile (stopped by the
// compiler itself) leaves it in the folder; signed there, the real compile
// embeds its signature.
void signUninstallers(const std::string& wine, const std::string& compiler, const Request& request,
                      const tornavel::iscc::WorkFolder& work, const std::string& prefix,
                      const std::string& password, const fs::path& folder, Console& console) {
    std::string firstOutput;
    runCompiler(
        wine, compiler, request, work, prefix,
        [&](std::string_view bytes) { firstOutput.append(bytes); }, console);
    bool found = false;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".e32") {
            tornavel::iscc::SignProgram(entry.path(), *request.signing, password, work.folder());
            found = true;
        }
    }
    if (!found) {
        // The script stopped the compiler before it made the uninstaller:
        // its errors are the compile's own.
        console.compilerOutput(firstOutput);
        throw AdapterFailure("iscc: Chyba: Kompilátor nepřipravil odinstalační program k podpisu.",
                             kCannotRun);
    }
}

CompilerEnd compile(const std::vector<std::string>& args, Console& console) {
    const Request request = parseArguments(args);
    // A certificate that cannot sign is the user's to mend: said first.
    std::string password;
    if (request.signing) {
        password = tornavel::iscc::SigningPassword(*request.signing);
        tornavel::iscc::CheckSigningCertificate(*request.signing, password);
    }
    const std::string wine = requireWine();
    const tornavel::iscc::ChosenCompiler chosen = requireCompiler(request.innoSetup);
    const std::string& compiler = chosen.program;

    const tornavel::iscc::MinVersionBridge minVersion =
        tornavel::iscc::BridgeMinVersion(readScript(request.script.string()), chosen.version);
    using Verdict = tornavel::iscc::MinVersionBridge::Verdict;
    if (minVersion.verdict == Verdict::NoSupportedVersion) {
        console.error(tornavel::iscc::RefusalMessage(minVersion.line));
        return {tornavel::kNoSupportedWindowsExitCode, 0};
    }
    if (const auto room = chosen.version == tornavel::InnoSetup::Six
                              ? tornavel::iscc::TooSmallFirstDiskForSix(minVersion.script)
                              : std::nullopt) {
        console.error(tooSmallFirstDiskMessage(*room));
        return {tornavel::kDisksTooSmallExitCode, 0};
    }

    const std::string prefix = tornavel::WinePrefixFolder();
    ensurePrefix(wine, prefix, console);
    if (request.lingerSeconds > 0) {
        tornavel::StartLingeringServer(prefix, request.lingerSeconds);
    }

    const tornavel::iscc::WorkFolder work(request.script);
    // The script's version had no preprocessor: "{#" and a line ending in
    // "\" are plain text to it.
    const std::string compilerRun = work.compilerWithoutPreprocessor(compiler).string();
    const fs::path uninstallers = work.folder() / "uninstallers";
    if (request.signing) {
        fs::create_directory(uninstallers);
    }
    tornavel::iscc::CopyOptions options;
    options.sourceDir = tornavel::iscc::WorkFolder::kSourceLink;
    options.reproducibleEpoch = request.reproducibleEpoch;
    options.compiler = chosen.version;
    std::vector<std::string> markedFiles;
    options.replaced = markedTextFiles(minVersion.script, work, markedFiles);
    if (request.signing) {
        options.signedUninstallerDir = tornavel::WindowsFormOfPath(uninstallers.string());
    }
    const tornavel::iscc::CompilerCopy copy = MakeCompilerCopy(minVersion.script, options);
    work.writeScript(copy.text);
    if (const std::string notice = copyNotice(minVersion, copy, request, markedFiles);
        !notice.empty()) {
        console.notice(notice);
    }

    if (request.signing) {
        signUninstallers(wine, compilerRun, request, work, prefix, password, uninstallers, console);
    }
    const CompilerEnd end = runCompiler(
        wine, compilerRun, request, work, prefix,
        [&](std::string_view bytes) { console.compilerOutput(bytes); }, console);
    if (end.code == 0 && request.signing) {
        const fs::path setup = setupProgram(work, copy);
        try {
            tornavel::iscc::SignProgram(setup, *request.signing, password, work.folder());
        } catch (const AdapterFailure&) {
            // An unsigned installer must not pass for the finished one.
            std::error_code ec;
            fs::remove(setup, ec);
            throw;
        }
    }
    return end;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    Console console;
    if (argc < 2) {
        console.error("iscc: Použití: iscc [VOLBY...] [VOLBY KOMPILÁTORU...] SKRIPT");
        return kCannotRun;
    }
    try {
        if (argc == 2 && argv[1] == tornavel::kPreparePrefixOption) {
            // Only for a compiler that can run: a prefix is large.
            const std::string wine = requireWine();
            requireCompiler(tornavel::InnoSetup::Five);
            ensurePrefix(wine, tornavel::WinePrefixFolder(), console);
            return 0;
        }
        const CompilerEnd end = compile(std::vector<std::string>(argv + 1, argv + argc), console);
        if (end.signal != 0) {
            // Ended the way the compiler ended, so that the caller can tell
            // a killed compile from a failed one; the work folder is gone.
            std::signal(end.signal, SIG_DFL);
            std::raise(end.signal);
        }
        return end.code;
    } catch (const AdapterFailure& e) {
        console.error(e.what());
        return e.exitCode();
    } catch (const std::exception& e) {
        console.error(std::string("iscc: ") + e.what());
        return kCannotRun;
    }
}
