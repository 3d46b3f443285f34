#include "installer/BuildDriver.h"

#include "installer/CompilerOutput.h"
#include "installer/ScriptGenerator.h"
#include "installer/SourceScan.h"
#include "installer/Validation.h"
#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "platform/ProgramLayout.h"
#include "platform/Utf8.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

const std::string kConfirmCaption = "Vytvoření instalačního souboru";
const std::string kConfirmText =
    "Vámi zadané údaje byly zkontrolovány a nebyla nalezena žádná chyba. Proto bude zahájeno "
    "vytváření instalačního souboru. Vyčkejte zobrazení informace o úspěšném ukončení "
    "kompilace.\r\rPokračovat?";
const std::string kDoneCaption = "Kompilace byla úspěšně dokončena";
const std::string kDoneText = "Instalační soubory byly úspěšně vytvořeny ve výstupním "
                              "adresáři:\r%s\r\rChcete nyní provést test instalace?";

// Marks the driver busy for one build, however the build ends.
class RunningMark {
public:
    explicit RunningMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningMark() { flag_ = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

private:
    bool& flag_;
};

std::string outputFolder(const std::string& sourceFolder) {
    return sourceFolder + "Output";
}

// Takes the source folder for this build, or says who has it.
FolderLock lockSourceFolder(const std::string& sourceFolder) {
    FolderLock lock(sourceFolder);
    if (lock.busy()) {
        throw Error(Error::Kind::InputOutput,
                    "Ve zdrojovém adresáři " + sourceFolder +
                        " už probíhá jiné vytváření instalace (v jiném okně Tornavelu nebo "
                        "v tornavel-cli). Počkejte, až skončí, a zkuste to znovu.");
    }
    return lock;
}

// A symbolic link where the build writes its own file or folder: the build
// never follows it, as it would write (or delete) wherever the link leads.
[[noreturn]] void refuseLink(const std::string& path, const std::string& notWhat,
                             const std::string& why) {
    std::error_code ec;
    const std::string target = std::filesystem::read_symlink(path, ec).string();
    throw Error(Error::Kind::InputOutput,
                "„" + path + "“ je symbolický odkaz" +
                    (target.empty() ? std::string() : " na „" + target + "“") + ", ne " + notWhat +
                    " ve zdrojovém adresáři. " + why +
                    ", a proto odkaz nepoužije: odstraňte ho nebo přejmenujte.");
}

void refuseLinkedScript(const std::string& sourceFolder) {
    const std::string script = sourceFolder + "ISS";
    struct stat st {};
    if (::lstat(script.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        refuseLink(script, "soubor",
                   "Tornavel do ISS zapisuje skript instalace a zapsal by ho tam, kam odkaz vede");
    }
}

// The script's temporary files that killed builds left (IsOwnWorkingEntry):
// nobody writes them any more, as the caller holds the folder's lock.
void removeLeftOverScripts(const std::string& sourceFolder) {
    std::vector<std::string> leftOver;
    ForEachEntry(sourceFolder, [&](const FolderEntryView& entry) {
        if (entry.name.starts_with("ISS.tmp-") && IsOwnWorkingEntry(sourceFolder, entry)) {
            leftOver.emplace_back(entry.name);
        }
    });
    for (const std::string& name : leftOver) {
        (void)::unlink((sourceFolder + name).c_str());
    }
}

// Where a stop asked for during the walk and the script ends the build:
// nothing of the folder has changed yet.
const char* const kStoppedBeforeAnything =
    "Vytváření instalace bylo zastaveno; skript ISS ani složka Output se nezměnily";

// What a failed compile left in Output: the folder did not exist when the
// compiler started, so all of it is that compile's, and none of it may pass
// for a finished installer.
void discardOutputOfFailedCompile(const std::string& sourceFolder) {
    std::error_code ec;
    const std::filesystem::path folder(outputFolder(sourceFolder));
    if (std::filesystem::is_directory(std::filesystem::symlink_status(folder, ec))) {
        std::filesystem::remove_all(folder, ec);
    }
}

// The meaning of an installer's exit code, as the compiler's documentation
// gives it.
std::string installerExitMeaning(std::uint32_t code) {
    switch (code) {
    case 1:
        return "instalační program se nemohl spustit";
    case 2:
        return "instalace byla zrušena před svým začátkem";
    case 3:
        return "závažná chyba při přechodu do další fáze instalace";
    case 4:
        return "závažná chyba během instalace";
    case 5:
        return "instalace byla zrušena během instalování";
    case 6:
        return "instalační program byl násilně ukončen";
    case 7:
    case 8:
        return "příprava instalace zjistila, že instalace nemůže pokračovat";
    default:
        return "neznámý kód";
    }
}

// The links of the tree that lead out of the source folder, and the licence
// and information files and the setup icon when they lie outside it through
// a link (in a folder the installer leaves out, the walk does not see them):
// the compiler packs all of it, so the user is told.
std::vector<std::string> linksLeadingOut(const ProjectSettings& project,
                                         const std::string& sourceFolder,
                                         const ContentSummary& content) {
    std::vector<std::string> links = content.outsideLinks;
    const OutsideLinks outside(sourceFolder);
    for (const std::string* file : {&project.LicenceFile, &project.InfoBeforeFile,
                                    &project.InfoAfterFile, &project.SetupIconFile}) {
        const std::string name = toNativeSeparators(*file);
        const std::string target = file->empty() ? "" : outside.targetOutside(sourceFolder + name);
        const std::string link = name + " → " + target;
        if (!target.empty() && std::find(links.begin(), links.end(), link) == links.end()) {
            links.push_back(link);
        }
    }
    return links;
}

} // namespace

std::string CompilerProgram(const BuildEnvironment& env) {
    return env.compilerPath.empty() ? env.programFolder + "iscc" : env.compilerPath;
}

bool CompilerIsOwnAdapter(const BuildEnvironment& env) {
    if (env.compilerPath.empty()) {
        return true;
    }
    const std::string adapter = LayoutOfProgram(env.programFolder).compilerAdapter;
    struct stat given {};
    struct stat own {};
    if (::stat(env.compilerPath.c_str(), &given) != 0 || ::stat(adapter.c_str(), &own) != 0) {
        return std::filesystem::path(env.compilerPath).lexically_normal() ==
               std::filesystem::path(adapter).lexically_normal();
    }
    return given.st_dev == own.st_dev && given.st_ino == own.st_ino;
}

std::vector<std::string> CompilerArguments(const BuildEnvironment& env) {
    return {CompilerProgram(env), env.sourceFolder + "ISS"};
}

std::vector<std::string> CompilerEnvironment(const BuildEnvironment& env) {
    if (!CompilerIsOwnAdapter(env)) {
        return NoAdapterEnvironment();
    }
    AdapterSettings settings = AdapterSettingsOf(env.publishing);
    settings.lingerSeconds = env.wineLingerSeconds;
    settings.innoSetup = env.innoSetup;
    return AdapterEnvironment(settings);
}

void RefusePublishingWithoutAdapter(const BuildEnvironment& env) {
    const bool sign = env.publishing.signing.has_value();
    const bool reproducible = env.publishing.reproducibleEpoch.has_value();
    if ((!sign && !reproducible) || CompilerIsOwnAdapter(env)) {
        return;
    }
    const std::string asked = sign && reproducible ? "podepsat ani udělat reprodukovatelnou"
                              : sign               ? "podepsat"
                                                   : "udělat reprodukovatelnou";
    throw Error(Error::Kind::InputOutput,
                "Instalaci nelze " + asked + ": kompilátor " + CompilerProgram(env) +
                    " není kompilátor Tornavelu (iscc), který to jediný umí. Sestavte ji "
                    "kompilátorem Tornavelu, nebo bez podpisu a reprodukovatelnosti "
                    "(reprodukovatelnost zapíná i proměnná SOURCE_DATE_EPOCH).");
}

std::string CompilerCommandLine(const BuildEnvironment& env) {
    std::vector<std::string> args = CompilerArguments(env);
    args.pop_back(); // the script, shown in quotes whatever it holds
    std::string line;
    for (const std::string& arg : args) {
        line += (line.empty() ? "" : " ") + QuoteProgramPath(arg);
    }
    return line + " \"" + env.sourceFolder + "ISS\"";
}

BuildStoppedError::BuildStoppedError(const std::string& message)
    : Error(Kind::ProcessFailed, message) {}

std::string InstallerPath(const std::string& sourceFolder, const std::string& baseName) {
    return outputFolder(sourceFolder) + kNativeSeparator + baseName + ".exe";
}

std::string CompilerFailureText(std::uint32_t exitCode, int signal, const std::string& errorLine) {
    std::string text =
        signal != 0
            ? "Kompilace se nezdařila: kompilátor byl ukončen signálem " + std::to_string(signal)
            : "Kompilace se nezdařila: kompilátor skončil s chybovým kódem " +
                  std::to_string(exitCode);
    if (!errorLine.empty()) {
        text += ".\r\n" + errorLine;
    }
    return text;
}

std::string DiskNote(const std::string& baseName) {
    return "Na disketu č.1 nakopírujte soubory \"" + baseName + ".exe\" a \"" + baseName +
           "-1.bin\"" + "\r" + "Na disketu č.2 nakopírujte soubor " + baseName + "-2.bin\"" + "\r" +
           "atd.";
}

void ClearOutputFolder(const std::string& sourceFolder) {
    const std::string folder = outputFolder(sourceFolder);
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            return;
        }
        throw InOutError::fromErrno(errno, folder);
    }
    if (S_ISLNK(st.st_mode)) {
        // Emptying it would delete files wherever the link leads.
        refuseLink(folder, "složka", "Tornavel složku Output před kompilací vyprazdňuje");
    }
    if (!S_ISDIR(st.st_mode)) {
        // The compiler could not make its folder there; refusing now keeps the
        // file out of the script and the user from waiting for a failure.
        throw Error(Error::Kind::InputOutput,
                    "„" + folder +
                        "“ je soubor, ale kompilátor potřebuje složku tohoto jména pro "
                        "instalační soubory. Soubor přejmenujte nebo přesuňte.");
    }
    const std::string prefix = folder + kNativeSeparator;
    for (const auto& name : ListEntries(folder, "*", EntryFilter::VisibleFiles)) {
        // Windows refuses to delete a read-only file; it then keeps the folder.
        if (!GetFileAttributes(prefix + name).readOnly) {
            (void)::unlink((prefix + name).c_str());
        }
    }
    for (const FolderEntry& entry : ReadFolder(folder)) {
        // The adapter's folder of an installer that a killed compile left.
        if (entry.folder && !entry.link && entry.name.starts_with(kUnfinishedOutputPrefix)) {
            std::error_code ec;
            std::filesystem::remove_all(prefix + entry.name, ec);
        }
    }
    if (::rmdir(folder.c_str()) != 0) {
        // POSIX lets rmdir report a folder that is not empty either way.
        throw InOutError::fromErrno(errno == EEXIST ? ENOTEMPTY : errno, folder);
    }
}

std::string WrittenInstaller(const std::string& sourceFolder, const std::string& baseName) {
    const std::string expected = InstallerPath(sourceFolder, baseName);
    if (GetFileAttributes(expected).exists) {
        return expected;
    }
    const std::vector<std::string> programs =
        ListEntries(outputFolder(sourceFolder), "*.exe", EntryFilter::VisibleFiles);
    return programs.size() == 1 ? outputFolder(sourceFolder) + kNativeSeparator + programs.front()
                                : expected;
}

BrokenWinePrefixError::BrokenWinePrefixError(const std::string& message, std::string prefix)
    : Error(Kind::ProcessFailed, message), prefix_(std::move(prefix)) {}

BuildDriver::BuildDriver(Prompts& prompts, BuildConsole* console)
    : prompts_(prompts), console_(console) {
    launcher_.setWaits(true);
    launcher_.setWindowState(WindowState::Normal);
    launcher_.setLanguage(Language::Czech);
}

bool BuildDriver::writeScript(ProjectSettings& project, const BuildEnvironment& env,
                              ChangeLog* log) {
    const FolderLock lock = lockSourceFolder(env.sourceFolder);
    stopRequested_ = false;
    return writeScriptLocked(project, env, log);
}

bool BuildDriver::writeScriptLocked(ProjectSettings& project, const BuildEnvironment& env,
                                    ChangeLog* log, FileSizes sizes) {
    if (!ValidateProject(project, env.sourceFolder, prompts_, log)) {
        return false;
    }
    lastPump_ = {};
    refuseLinkedScript(env.sourceFolder);
    removeLeftOverScripts(env.sourceFolder);
    // The script streams into its temporary file as it is made; ISS changes
    // only once the whole tree has been read and passed, and Output is
    // emptied only then, so a refused name or a stop leaves everything as
    // it was. A script that holds the installer's password is the user's
    // alone.
    AtomicWriteOptions scriptFile;
    scriptFile.followLinks = false;
    if (!project.Password.empty()) {
        scriptFile.mode = 0600;
    }
    AtomicFileWriter file(env.sourceFolder + "ISS", scriptFile);
    ScriptWriter script([&file](std::string_view bytes) { file.write(bytes); });
    WriteSetupSections(script, project, log);
    const ContentSummary content =
        WriteContentSections(script, project, env.sourceFolder, prompts_, log, sizes,
                             [this, &env] { checkDuringWalk(env); });
    script.finish();
    if (stopRequested_) {
        throw BuildStoppedError(kStoppedBeforeAnything);
    }
    ClearOutputFolder(env.sourceFolder);
    file.commit();
    scriptFileSizes_ = content.fileSizes;
    std::vector<std::string> notices;
    if (!content.leftOut.empty()) {
        notices.push_back(LeftOutFoldersNotice(content.leftOut));
    }
    for (const std::string& link : linksLeadingOut(project, env.sourceFolder, content)) {
        notices.push_back("Odkaz mimo zdrojový adresář: " + link);
    }
    if (console_) {
        for (const std::string& notice : notices) {
            console_->notice(notice);
        }
    } else if (!notices.empty()) {
        std::string text;
        for (const std::string& notice : notices) {
            text += (text.empty() ? "" : "\r\n") + notice;
        }
        prompts_.message(text);
    }
    return true;
}

void BuildDriver::stop() {
    stopRequested_ = true;
    if (compiling_) {
        launcher_.terminate();
    }
}

void BuildDriver::checkDuringWalk(const BuildEnvironment& env) {
    // Often enough to answer at once, seldom enough to cost the walk nothing.
    constexpr auto kPumpInterval = std::chrono::milliseconds(20);
    const auto now = std::chrono::steady_clock::now();
    if (env.pumpDuringWalk && now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        env.pumpDuringWalk();
    }
    if (stopRequested_) {
        throw BuildStoppedError(kStoppedBeforeAnything);
    }
}

std::string BuildDriver::runCompiler(const BuildEnvironment& env) {
    std::string errorLine;
    std::string wineLine;    // the reason when the compiler itself gave none
    std::string adapterLine; // the adapter's own, after the compiler's (a full disk)
    PackingMeter packing(scriptFileSizes_);
    CompilerOutputLines lines(
        [this, &errorLine, &wineLine, &adapterLine, &packing](const std::string& line) {
            if (errorLine.empty() && IsCompilerErrorLine(line)) {
                errorLine = line;
            } else if (adapterLine.empty() && line.starts_with(kAdapterErrorMark)) {
                adapterLine = line;
            } else if (IsWineFailureLine(line)) {
                wineLine = line;
            }
            if (const auto progress = packing.follow(line); progress && console_) {
                console_->compilerProgress(*progress);
            }
            if (console_) {
                console_->compilerLine(line);
            }
        });
    if (console_) {
        console_->compilerStarted(CompilerCommandLine(env));
    }
    launcher_.setOutputSink([&lines](std::string_view bytes) { lines.feed(bytes); });
    compiling_ = true;
    try {
        launcher_.execute(CompilerArguments(env), CompilerEnvironment(env));
        compiling_ = false;
    } catch (const std::exception& e) {
        compiling_ = false;
        launcher_.setOutputSink(nullptr);
        if (console_) {
            console_->compilerFailed(e.what());
        }
        throw;
    }
    launcher_.setOutputSink(nullptr); // the test run's installer is not captured
    lines.finish();
    if (errorLine.empty() && launcher_.resultCode() != 0) {
        errorLine = wineLine;
    }
    if (console_) {
        console_->compilerFinished(launcher_.resultCode(), errorLine);
    }
    return adapterLine.empty() ? errorLine : errorLine + "\r\n" + adapterLine;
}

BuildOutcome BuildDriver::buildInstaller(ProjectSettings& project, const BuildEnvironment& env,
                                         ChangeLog* log) {
    if (running_) {
        return BuildOutcome::Refused;
    }
    const RunningMark mark(running_);
    stopRequested_ = false;
    RefusePublishingWithoutAdapter(env);
    launcher_.setEventPump(env.pumpEvents);
    // Held through the test run too: another build would delete the
    // installer being tried.
    const FolderLock lock = lockSourceFolder(env.sourceFolder);

    // The sizes cost a stat per file; only the progress of a compile needs them.
    if (!writeScriptLocked(project, env, log, console_ ? FileSizes::Read : FileSizes::Skip)) {
        return BuildOutcome::Refused;
    }
    if (prompts_.ask(kConfirmCaption, kConfirmText, Prompts::Icon::Question,
                     Prompts::Answer::Yes) == Prompts::Answer::No) {
        return BuildOutcome::Declined;
    }

    if (stopRequested_) {
        throw BuildStoppedError();
    }
    const std::string errorLine = runCompiler(env);
    // A Ctrl+C sent to the compiler's own process group (the launcher gives
    // it one) is a stop all the same.
    if (stopRequested_ || launcher_.resultSignal() == SIGINT) {
        // Whatever the compiler managed to finish is not what the user wanted.
        discardOutputOfFailedCompile(env.sourceFolder);
        if (console_) {
            console_->compilerStopped();
        }
        throw BuildStoppedError();
    }
    if (launcher_.resultCode() != 0) {
        discardOutputOfFailedCompile(env.sourceFolder);
        const std::string text =
            CompilerFailureText(launcher_.resultCode(), launcher_.resultSignal(), errorLine);
        if (launcher_.resultSignal() == 0 &&
            launcher_.resultCode() == static_cast<std::uint32_t>(kBrokenWinePrefixExitCode)) {
            throw BrokenWinePrefixError(text, WinePrefixFolder());
        }
        throw Error(Error::Kind::ProcessFailed, text);
    }

    const std::string baseName = InstallerBaseName(project);
    if (project.DiskSpanning) {
        prompts_.message(DiskNote(baseName));
    }
    const std::string installer = WrittenInstaller(env.sourceFolder, baseName);
    std::string doneText = kDoneText;
    doneText.replace(doneText.find("%s"), 2, installer);
    if (prompts_.ask(kDoneCaption, doneText, Prompts::Icon::Question, Prompts::Answer::No) ==
        Prompts::Answer::No) {
        return BuildOutcome::Compiled;
    }
    return runTestInstallation(installer) ? BuildOutcome::Tested : BuildOutcome::Compiled;
}

bool BuildDriver::runTestInstallation(const std::string& installer) {
    if (!CanShowWindows()) {
        prompts_.message("Test instalace nelze spustit: není k dispozici žádná obrazovka "
                         "(proměnná DISPLAY ani WAYLAND_DISPLAY není nastavena), a instalační "
                         "program by hned skončil. Instalační soubor je hotový: " +
                         installer);
        return false;
    }
    // The build made a Windows program: on this system it runs under wine,
    // unless it is one of ours (a stand-in).
    const bool underWine = IsWindowsProgram(installer);
    const std::string windowsPath = underWine ? WindowsFormOfPath(installer) : installer;
    // The installer stops in a crash box when its own path is longer than
    // Windows' limit (measured under wine: 260 characters start, 261 do not).
    constexpr std::size_t kLongestPath = 259;
    const std::size_t characters = CountUtf8Characters(windowsPath);
    if (characters <= kLongestPath) {
        runInstaller(installer, underWine);
        return true;
    }
    if (underWine) {
        std::optional<ShortCopyInPrefix> copy;
        try {
            copy.emplace(WinePrefixFolder(), installer);
        } catch (const Error& e) {
            prompts_.message("Test instalace nelze spustit: cesta k instalačnímu souboru má " +
                             std::to_string(characters) +
                             " znaků, víc, než z kolika Windows spustí program, a jeho kopii s "
                             "kratší cestou v prostředí wine nelze vytvořit (" +
                             std::string(e.what()) +
                             "). Instalační soubor je hotový: " + installer);
            return false;
        }
        runInstaller(copy->program(), underWine);
        return true;
    }
    prompts_.message("Test instalace nelze spustit: cesta k instalačnímu souboru " + windowsPath +
                     " má " + std::to_string(characters) +
                     " znaků a Windows spustí program nejvýše z 259 znaků dlouhé cesty. "
                     "Instalační soubor je hotový; vyzkoušejte ho z kratší cesty.");
    return false;
}

void BuildDriver::runInstaller(const std::string& installer, bool underWine) {
    if (underWine) {
        KeepProfileFoldersInPrefix(WinePrefixFolder());
        const WineCommand command = CommandUnderWine({installer});
        launcher_.execute(command.arguments, command.environmentChanges);
    } else {
        launcher_.execute({installer}, {kSignPasswordVariable});
    }
    if (launcher_.resultSignal() != 0) {
        prompts_.message("Test instalace skončil předčasně: instalační program byl ukončen "
                         "signálem " +
                         std::to_string(launcher_.resultSignal()) + ".");
    } else if (launcher_.resultCode() != 0) {
        prompts_.message("Test instalace neskončil úspěšně: instalační program skončil s kódem " +
                         std::to_string(launcher_.resultCode()) + " (" +
                         installerExitMeaning(launcher_.resultCode()) + ").");
    }
}

} // namespace tornavel
