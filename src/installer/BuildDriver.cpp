#include "installer/BuildDriver.h"

#include "installer/CompilerOutput.h"
#include "installer/ScriptGenerator.h"
#include "installer/SourceScan.h"
#include "installer/Validation.h"
#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <cerrno>
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
                              "adresáři:\r\rChcete nyní provést test instalace?";

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

} // namespace

std::string CompilerProgram(const BuildEnvironment& env) {
    return env.CompilerPath.empty() ? env.ProgramFolder + "iscc" : env.CompilerPath;
}

std::vector<std::string> CompilerArguments(const BuildEnvironment& env) {
    std::vector<std::string> args{CompilerProgram(env)};
    for (std::string& option : PublishingArguments(env.publishing)) {
        args.push_back(std::move(option));
    }
    args.push_back(env.SourceFolder + "ISS");
    return args;
}

std::string CompilerCommandLine(const BuildEnvironment& env) {
    std::string line = QuoteProgramPath(CompilerProgram(env));
    for (const std::string& option : PublishingArguments(env.publishing)) {
        line += " " + QuoteProgramPath(option);
    }
    return line + " \"" + env.SourceFolder + "ISS\"";
}

std::string InstallerPath(const std::string& sourceFolder, const std::string& appVerName) {
    return outputFolder(sourceFolder) + kNativeSeparator + appVerName + ".exe";
}

std::string CompilerFailureText(std::uint32_t exitCode, const std::string& errorLine) {
    std::string text =
        "Kompilace se nezdařila: kompilátor skončil s chybovým kódem " + std::to_string(exitCode);
    if (!errorLine.empty()) {
        text += ".\r\n" + errorLine;
    }
    return text;
}

std::string DiskNote(const std::string& appVerName) {
    return "Na disketu č.1 nakopírujte soubory \"" + appVerName + ".exe\" a \"" + appVerName +
           "-1.bin\"" + "\r" + "Na disketu č.2 nakopírujte soubor " + appVerName + "-2.bin\"" +
           "\r" + "atd.";
}

void ClearOutputFolder(const std::string& sourceFolder) {
    const std::string folder = outputFolder(sourceFolder);
    const FileAttributes attributes = GetFileAttributes(folder);
    if (!attributes.exists) {
        return;
    }
    if (!attributes.folder) {
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
    if (::rmdir(folder.c_str()) != 0) {
        // POSIX lets rmdir report a folder that is not empty either way.
        throw InOutError::fromErrno(errno == EEXIST ? ENOTEMPTY : errno);
    }
}

BuildDriver::BuildDriver(Prompts& prompts, BuildConsole* console)
    : prompts_(prompts), console_(console) {
    launcher_.setWaits(true);
    launcher_.setWindowState(WindowState::Normal);
    launcher_.setLanguage(Language::Czech);
}

bool BuildDriver::WriteScript(ProjectSettings& project, const BuildEnvironment& env,
                              ChangeLog* log) {
    if (!ValidateProject(project, env.SourceFolder, prompts_, log)) {
        return false;
    }
    ClearOutputFolder(env.SourceFolder);
    // Read afresh: the output folder is gone, and the folder may have changed
    // since anyone last looked.
    const std::vector<std::string> rootFiles = ListFolderFiles(env.SourceFolder);
    ScriptWriter script;
    WriteSetupSections(script, project, log);
    const std::vector<std::string> leftOut =
        WriteContentSections(script, project, env.SourceFolder, rootFiles, prompts_, log);
    WriteFileAtomically(env.SourceFolder + "ISS", script.bytes());
    if (!leftOut.empty()) {
        const std::string notice = LeftOutFoldersNotice(leftOut);
        if (console_) {
            console_->notice(notice);
        } else {
            prompts_.message(notice);
        }
    }
    return true;
}

std::string BuildDriver::runCompiler(const BuildEnvironment& env) {
    std::string errorLine;
    CompilerOutputLines lines([this, &errorLine](const std::string& line) {
        if (errorLine.empty() && IsCompilerErrorLine(line)) {
            errorLine = line;
        }
        if (console_) {
            console_->compilerLine(line);
        }
    });
    if (console_) {
        console_->compilerStarted(CompilerCommandLine(env));
    }
    launcher_.setOutputSink([&lines](std::string_view bytes) { lines.feed(bytes); });
    try {
        launcher_.execute(CompilerArguments(env));
    } catch (const std::exception& e) {
        launcher_.setOutputSink(nullptr);
        if (console_) {
            console_->compilerFailed(e.what());
        }
        throw;
    }
    launcher_.setOutputSink(nullptr); // the test run's installer is not captured
    lines.finish();
    if (console_) {
        console_->compilerFinished(launcher_.resultCode(), errorLine);
    }
    return errorLine;
}

BuildOutcome BuildDriver::BuildInstaller(ProjectSettings& project, const BuildEnvironment& env,
                                         ChangeLog* log) {
    if (running_) {
        return BuildOutcome::Refused;
    }
    const RunningMark mark(running_);
    launcher_.setEventPump(env.pumpEvents);

    if (!WriteScript(project, env, log)) {
        return BuildOutcome::Refused;
    }
    if (prompts_.ask(kConfirmCaption, kConfirmText, Prompts::Icon::Question,
                     Prompts::Answer::Yes) == Prompts::Answer::No) {
        return BuildOutcome::Declined;
    }

    const std::string errorLine = runCompiler(env);
    if (launcher_.resultCode() != 0) {
        throw Error(Error::Kind::ProcessFailed,
                    CompilerFailureText(launcher_.resultCode(), errorLine));
    }

    if (project.DiskSpanning) {
        prompts_.message(DiskNote(project.AppVerName));
    }
    if (prompts_.ask(kDoneCaption, kDoneText, Prompts::Icon::Question, Prompts::Answer::No) ==
        Prompts::Answer::No) {
        return BuildOutcome::Compiled;
    }

    launcher_.execute({InstallerPath(env.SourceFolder, project.AppVerName)});
    return BuildOutcome::Tested;
}

} // namespace tornavel
