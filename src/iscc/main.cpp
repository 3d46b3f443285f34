// iscc: the installer compiler as Tornavel starts it on systems other than
// Windows. It runs the Windows compiler Inno Setup (5.5 or later) under wine
// and passes its output through, returning its exit code:
//
//   iscc [COMPILER OPTIONS...] SCRIPT
//   iscc --prepare-prefix      only makes the wine prefix, ahead of a build
//   iscc --help
//
// The compiler is ISCC.exe in the folder "compiler" beside this program (in
// the data folder when installed), Inno Setup 5.5.9, or with TORNAVEL_ISCC_INNO_SETUP=6
// in "compiler-6", Inno Setup 6; or in the folder $TORNAVEL_COMPILER_DIR
// (iscc/CompilerVersion). It runs in a wine prefix of our own
// (wine/WinePrefix). It gets a copy of the script in a work folder of its own
// (iscc/WorkFolder), made for it by iscc/CompilerCopy: UTF-8 with a byte-order
// mark, so no locale is needed to read it; the MinVersion line these compilers
// refuse adapted (iscc/MinVersion); the directives whose default changed
// since 5.1.12 set as 5.1.12 had them; for 6 what it refuses or renamed
// mapped; and a licence or information file written in UTF-8 without a
// byte-order mark named by a copy with one. The script and the user's files
// stay as they are. The installer is written into a folder of its own inside
// its folder (iscc/UnfinishedOutput) and moved to its name only once it is
// complete and signed.
//
// The settings of the adapter itself (signing, reproducible times, the wine
// server's linger, the compiler) come in its environment, and its exit codes
// are those of wine/AdapterProtocol.h: 1 the compiler cannot be run (wine,
// ISCC.exe or the prefix missing, the script unreadable, another compiler
// than the one chosen) or the installer cannot be signed, 2 the script allows
// no Windows version the compiler supports, 4 wine cannot start in the prefix
// (damaged, or another user's), 5 the disks are too small for Inno Setup 6's
// setup program. Otherwise the compiler's: 0 success, 1 bad options, 2 the
// compilation failed. A compiler ended by a signal ends the adapter by the
// same signal, and so do SIGINT, SIGTERM, SIGHUP and SIGQUIT sent to the
// adapter, once it has cleaned up.
#include "iscc/CompilerCopy.h"
#include "iscc/CompilerVersion.h"
#include "iscc/Console.h"
#include "iscc/MinVersion.h"
#include "iscc/ReplacingStream.h"
#include "iscc/Signing.h"
#include "iscc/UnfinishedOutput.h"
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
#include <random>
#include <string>
#include <sys/statvfs.h>
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
        throw AdapterFailure(std::string(tornavel::kAdapterErrorMark) +
                                 "Program wine nebyl nalezen (PATH). Kompilátor je program pro "
                                 "Windows a běží přes wine; nainstalujte ho " +
                                 tornavel::WineInstallAdvice() + ".",
                             kCannotRun);
    }
    return wine;
}

tornavel::iscc::ChosenCompiler requireCompiler(tornavel::InnoSetup chosen) {
    return tornavel::iscc::FindChosenCompiler(tornavel::CurrentProgramFolder(), chosen);
}

// Every failure line of the adapter begins with kAdapterErrorMark, so that
// the build quotes it as the reason of the failed compile.
std::string failureLine(std::string_view text) {
    constexpr std::string_view kOwnMark = "iscc: ";
    if (text.starts_with(tornavel::kAdapterErrorMark)) {
        return std::string(text);
    }
    if (text.starts_with(kOwnMark)) {
        text.remove_prefix(kOwnMark.size());
    }
    return std::string(tornavel::kAdapterErrorMark) + std::string(text);
}

std::string readScript(const std::string& path) {
    try {
        return tornavel::ReadWholeFile(path);
    } catch (const tornavel::InOutError& e) {
        throw AdapterFailure(
            std::string(tornavel::kAdapterErrorMark) + "Skript " + path +
                " nelze přečíst: " + tornavel::InOutError::fromErrno(e.systemError()).what() + ".",
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
    PathsInOutput(const tornavel::iscc::WorkFolder& work, const std::string& compiler,
                  const std::string& unfinishedFolder)
        : unfinished_("\\" + unfinishedFolder, ""),
          source_(work.workPathPrefix() + "source\\", inCompilerCodePage(work.userPathPrefix())),
          compiler_(
              work.workPathPrefix() + tornavel::iscc::WorkFolder::kCompilerLinks + "\\",
              inCompilerCodePage(
                  tornavel::WindowsFormOfPath(fs::path(compiler).parent_path().string()) + "\\")),
          rest_(work.workPathPrefix(), inCompilerCodePage(work.userPathPrefix())) {}
    std::string feed(std::string_view bytes) {
        return rest_.feed(compiler_.feed(source_.feed(unfinished_.feed(bytes))));
    }
    std::string finish() {
        std::string out = rest_.feed(compiler_.feed(source_.feed(unfinished_.finish())));
        out += rest_.feed(compiler_.feed(source_.finish()));
        out += rest_.feed(compiler_.finish());
        return out + rest_.finish();
    }

private:
    // The installer's folder of its own (UnfinishedOutput), named as the
    // installer's folder: the user knows no other.
    tornavel::iscc::ReplacingStream unfinished_;
    tornavel::iscc::ReplacingStream source_;
    tornavel::iscc::ReplacingStream compiler_; // the links of the compiler's files
    tornavel::iscc::ReplacingStream rest_;
};

// The failure of a prefix that wine cannot start, naming it and what to do.
AdapterFailure brokenPrefixFailure(const std::string& prefix, const std::string& wineLine) {
    return AdapterFailure("iscc: Chyba: Prostředí wine v " + prefix + " nelze spustit (" +
                              wineLine +
                              "): je poškozené, nebo patří jinému uživateli. Vytvořte ho znovu: "
                              "Tornavel to nabídne, tornavel-cli má volbu --recreate-prefix; "
                              "původní složka se nesmaže, jen přejmenuje.",
                          tornavel::kBrokenWinePrefixExitCode);
}

// The prefix made if need be, saying so while it is made.
void ensurePrefix(const std::string& wine, const std::string& prefix, Console& console) {
    try {
        tornavel::EnsureWinePrefix(
            wine, prefix, [&console] { console.notice(tornavel::kPreparingPrefixNotice); });
    } catch (const tornavel::DamagedWinePrefixError& e) {
        throw brokenPrefixFailure(prefix, e.wineLine());
    }
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
    tornavel::AdapterSettings settings;
    try {
        settings = tornavel::ReadAdapterSettings(
            [](const char* variable) { return std::getenv(variable); });
    } catch (const tornavel::Error& e) {
        throw AdapterFailure(std::string(tornavel::kAdapterErrorMark) + e.what(), kCannotRun);
    }
    Request request;
    request.compilerOptions.assign(args.begin(), args.end() - 1);
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

// The texts one after another, separator between them.
std::string joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string out;
    for (const std::string& text : texts) {
        out += (out.empty() ? "" : std::string(separator)) + text;
    }
    return out;
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
        parts.push_back("výchozí hodnoty verze 5.1.12, které novější kompilátor změnil: " +
                        joined(copy.bridged, ", "));
    }
    if (!copy.changedForSix.empty()) {
        parts.push_back("pro Inno Setup 6: " + joined(copy.changedForSix, ", "));
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
    return "iscc: Kompilátor dostal kopii skriptu se změnami: " + joined(parts, "; ") +
           "; soubor ISS zůstal beze změny.";
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
    bool writeFailed = false; // the compiler could not write the installer whole
};

// The compiler's error when a write falls short (ERROR_WRITE_FAULT, as wine
// gives its text under our two locales, in the compiler's code page): a full
// disk, or a file over the size the system allows.
bool holdsWriteFault(const std::string& output) {
    return output.find("Write fault.") != std::string::npos ||
           output.find("Z\xE1pis se nezda\xF8il.") != std::string::npos;
}

// Runs the compiler on the work folder's copy; its output, with the work
// folder's paths turned into the user's, goes to sink. Throws the broken
// prefix's failure when wine could not start the compiler at all.
CompilerEnd runCompiler(const std::string& wine, const std::string& compiler,
                        const Request& request, const tornavel::iscc::WorkFolder& work,
                        const tornavel::iscc::UnfinishedOutput& unfinished,
                        const std::string& prefix,
                        const std::function<void(std::string_view)>& sink, Console& console) {
    tornavel::StopSignals::throwIfReceived();
    const bool codePage1252 = tornavel::WineLocale() != tornavel::kWineLocale;
    std::error_code ec;
    const fs::path realCompiler = fs::canonical(compiler, ec); // where its links lead
    PathsInOutput paths(work, ec ? compiler : realCompiler.string(), unfinished.name());
    std::string lastOutput; // the end of the output, where the compiler's error is
    tornavel::WineStartWatch watch("Inno Setup");
    std::vector<std::string> command{wine, compiler};
    command.insert(command.end(), request.compilerOptions.begin(), request.compilerOptions.end());
    command.push_back(tornavel::WindowsFormOfPath(work.scriptCopy().string()));
    CompilerEnd end;
    try {
        end.code = tornavel::RunAndWait(command, tornavel::WineVariables(prefix),
                                        {[&](std::string_view bytes) {
                                             watch.feed(bytes);
                                             const std::string text =
                                                 codePage1252
                                                     ? tornavel::iscc::Cp1252ToCp1250(bytes)
                                                     : std::string(bytes);
                                             lastOutput += text;
                                             if (lastOutput.size() > 8192) {
                                                 lastOutput.erase(0, lastOutput.size() - 4096);
                                             }
                                             sink(paths.feed(text));
                                         },
                                         {}},
                                        &end.signal);
    } catch (const tornavel::ProcessError& e) {
        console.error(std::string(tornavel::kAdapterErrorMark) +
                      "Program wine nelze spustit: " + std::string(e.what()) + ".");
    }
    sink(paths.finish());
    watch.feed("\n");
    if (end.code != 0 && end.signal == 0 && !watch.failureLine().empty()) {
        throw brokenPrefixFailure(prefix, watch.failureLine());
    }
    end.writeFailed = end.code != 0 && end.signal == 0 && holdsWriteFault(lastOutput);
    return end;
}

// The folder the installer goes into, by the copy's OutputDir, as a path of
// this system: relative to the script's folder, or on a drive of wine's.
fs::path installerFolder(const tornavel::iscc::WorkFolder& work,
                         const tornavel::iscc::CompilerCopy& copy, const std::string& prefix) {
    std::string folder = copy.outputDir;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (folder.size() < 2 || folder[1] != ':') {
        return work.userFolder() / folder;
    }
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(folder[0])));
    const fs::path rest = fs::path(folder.substr(2)).relative_path();
    return drive == 'z' ? fs::path("/") / rest
                        : fs::path(prefix) / "dosdevices" / (std::string(1, drive) + ":") / rest;
}

// The line that names a full disk (or a file larger than the system allows)
// as the reason why the installer could not be written.
std::string writeFailureLine(const fs::path& installer) {
    struct statvfs disk {};
    const fs::path folder = installer.parent_path();
    const unsigned long long freeBytes =
        ::statvfs(folder.c_str(), &disk) == 0
            ? static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize
            : 0;
    constexpr unsigned long long kMiB = 1024ULL * 1024;
    const std::string left = freeBytes >= kMiB ? std::to_string(freeBytes / kMiB) + " MiB"
                                               : std::to_string(freeBytes / 1024) + " KiB";
    return std::string(tornavel::kAdapterErrorMark) + "Instalační soubor " + installer.string() +
           " se nepodařilo zapsat celý: na disku došlo místo (ve složce " + folder.string() +
           " zbývá " + left +
           "), nebo soubor překročil největší velikost, kterou systém dovolí. Uvolněte místo a "
           "kompilaci spusťte znovu.";
}

// Signing needs the uninstaller in advance: a first compile (stopped by the
// compiler itself) leaves it in the folder; signed there, the real compile
// embeds its signature.
void signUninstallers(const std::string& wine, const std::string& compiler, const Request& request,
                      const tornavel::iscc::WorkFolder& work,
                      const tornavel::iscc::UnfinishedOutput& unfinished, const std::string& prefix,
                      const std::string& password, const fs::path& folder, Console& console) {
    std::string firstOutput;
    const CompilerEnd end = runCompiler(
        wine, compiler, request, work, unfinished, prefix,
        [&](std::string_view bytes) { firstOutput.append(bytes); }, console);
    if (end.signal != 0) {
        throw tornavel::StoppedBySignal(end.signal);
    }
    bool found = false;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".e32") {
            tornavel::iscc::SignProgram(entry.path(), *request.signing, password);
            found = true;
        }
    }
    if (!found) {
        // The script stopped the compiler before it made the uninstaller:
        // its errors are the compile's own.
        console.compilerOutput(firstOutput);
        throw AdapterFailure(std::string(tornavel::kAdapterErrorMark) +
                                 "Kompilátor nepřipravil odinstalační program k podpisu.",
                             kCannotRun);
    }
}

// A name for the installer's folder of its own no other compile uses.
std::string unfinishedFolderName() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string name(tornavel::kUnfinishedOutputPrefix);
    for (int i = 0; i < 6; ++i) {
        name += kLetters[random() % kLetters.size()];
    }
    return name;
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
        console.error(failureLine(tornavel::iscc::RefusalMessage(minVersion.line)));
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
    options.outputSubfolder = unfinishedFolderName();
    options.compiler = chosen.version;
    std::vector<std::string> markedFiles;
    options.replaced = markedTextFiles(minVersion.script, work, markedFiles);
    if (request.signing) {
        options.signedUninstallerDir = tornavel::WindowsFormOfPath(uninstallers.string());
    }
    const tornavel::iscc::CompilerCopy copy = MakeCompilerCopy(minVersion.script, options);
    work.writeScript(copy.text);
    const fs::path outputFolder = installerFolder(work, copy, prefix);
    const tornavel::iscc::UnfinishedOutput unfinished(outputFolder, options.outputSubfolder);
    if (const std::string notice = copyNotice(minVersion, copy, request, markedFiles);
        !notice.empty()) {
        console.notice(notice);
    }

    if (request.signing) {
        signUninstallers(wine, compilerRun, request, work, unfinished, prefix, password,
                         uninstallers, console);
    }
    const CompilerEnd end = runCompiler(
        wine, compilerRun, request, work, unfinished, prefix,
        [&](std::string_view bytes) { console.compilerOutput(bytes); }, console);
    // A stop that came meanwhile leaves no installer, whatever the compiler did.
    tornavel::StopSignals::throwIfReceived();
    const std::string installer = copy.outputBaseFilename + ".exe";
    if (end.writeFailed) {
        console.error(writeFailureLine(outputFolder / installer));
    }
    if (end.code != 0) {
        return end;
    }
    if (request.signing) {
        tornavel::iscc::SignProgram(unfinished.folder() / installer, *request.signing, password);
        tornavel::StopSignals::throwIfReceived();
    }
    // Only a complete installer, signed when asked, bears its name.
    unfinished.publish(installer);
    return end;
}

// Ends the adapter by the signal, as the program it ran ended or as it was
// asked to stop, so that the caller can tell a stop from a failure.
[[noreturn]] void endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

void printHelp(Console& console) {
    for (const std::string& line : {
             std::string("Použití: iscc [VOLBY KOMPILÁTORU...] SKRIPT"),
             std::string("         iscc --prepare-prefix"),
             std::string("Přeloží skript Inno Setup kompilátorem ISCC.exe přes wine (v prostředí "
                         "wine Tornavelu) a vrátí jeho návratový kód; --prepare-prefix jen "
                         "připraví prostředí wine."),
             std::string("Nastavení v proměnných prostředí:"),
             std::string("  ") + tornavel::kSignCertificateVariable +
                 "  certifikát pro podpis (PKCS#12 nebo PEM)",
             std::string("  ") + tornavel::kSignKeyVariable + "  soukromý klíč PEM k certifikátu",
             std::string("  ") + tornavel::kSignPasswordFileVariable +
                 "  soubor, jehož první řádek je heslo ke klíči (jinak " +
                 tornavel::kSignPasswordVariable + ")",
             std::string("  ") + tornavel::kTimestampUrlVariable +
                 "  server časových razítek pro podpis",
             std::string("  ") + tornavel::kReproducibleVariable +
                 "  pevný čas souborů v sekundách od roku 1970 (reprodukovatelná instalace)",
             std::string("  ") + tornavel::kLingerVariable +
                 "  jak dlouho po kompilaci nechat běžet server wine (sekundy)",
             std::string("  ") + tornavel::kInnoSetupVariable +
                 "  6 pro kompilátor Inno Setup 6 (jinak Inno Setup 5.5.9)",
             std::string("Návratový kód: 0 úspěch, 1 kompilátor nelze spustit nebo instalaci "
                         "podepsat, 2 chyba ve skriptu nebo žádná podporovaná verze Windows, 4 "
                         "prostředí wine nelze spustit, 5 disky jsou pro instalační program "
                         "Inno Setup 6 příliš malé."),
         }) {
        console.notice(line);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    // A stop is carried out, not suffered: the compile ends, the work folder
    // and the unfinished installer go, and then the adapter ends by it.
    const tornavel::StopSignals stopSignals;
    Console console;
    if (argc < 2) {
        console.error(failureLine("Použití: iscc [VOLBY KOMPILÁTORU...] SKRIPT"));
        return kCannotRun;
    }
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        printHelp(console);
        return 0;
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
            endBySignal(end.signal); // the work folder is gone by now
        }
        return end.code;
    } catch (const tornavel::StoppedBySignal& e) {
        endBySignal(e.signal());
    } catch (const AdapterFailure& e) {
        if (tornavel::StopSignals::received() != 0) {
            endBySignal(tornavel::StopSignals::received()); // what followed from the stop
        }
        console.error(failureLine(e.what()));
        return e.exitCode();
    } catch (const std::exception& e) {
        if (tornavel::StopSignals::received() != 0) {
            endBySignal(tornavel::StopSignals::received());
        }
        console.error(failureLine(e.what()));
        return kCannotRun;
    }
}
