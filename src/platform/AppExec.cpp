#include "platform/AppExec.h"

#include "platform/CommandLine.h"
#include "platform/Process.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace tornavel {
namespace {

inline constexpr std::size_t kSlotCount = 17;
using ErrorTexts = std::array<std::string_view, kSlotCount>;

// The codes 0 to 31 follow WinExec's failure results; 32 and above mean that
// WinExec succeeded. The slots hold the codes 0, 2, 3, 5, 6, 8, 10 to 16, 19,
// 20, 21 and the range 32 to 2147483647, in this order.
constexpr ErrorTexts kFrench = {
    "Système dépassé en capacité mémoire, exécutable corrompu, ou réallocations invalides",
    "Fichier non trouvé",
    "Chemin non trouvé",
    "Tentative de liaison dynamique à une tâche, ou erreur de partage, ou erreur de protection "
    "réseau",
    "Librairie nécessitant des segments de données séparés pour chaque tâche",
    "Mémoire insuffisante pour démarrer l'application",
    "Version de Windows incorrecte",
    "Exécutable invalide, application non Windows, ou erreur dans l'image du fichier .EXE",
    "Application écrite pour un système d'exploitation différent",
    "Application écrite pour MS-DOS 4.0",
    "Type d'exécutable inconnu",
    "Tentative de chargement d'une application en mode réel (développée pour une version "
    "antérieure de Windows)",
    "Tentative de chargement d'une seconde instance d'un exécutable contenant plusieurs segments "
    "de données non marqués en lecture seule",
    "Tentative de chargement d'un exécutable compressé. Le fichier doit être décompressé avant de "
    "pouvoir être chargé",
    "Fichier Dynamic-link library (DLL) invalide. Une des DLLs requises pour exécuter cette "
    "application est corrompue",
    "Application nécessitant des extensions 32-bit",
    "Pas d'erreur",
};

constexpr ErrorTexts kCzech = {
    "Systém má málo volné paměti, nebo je soubor vadný.",
    "Soubor nelze najít",
    "Cestu nelze najít",
    "Attempt was made to dynamically link to a task, or there was a sharing or network-protection "
    "error",
    "Library required separate data segments for each task",
    "There was insufficient memory to start the application",
    "Špatná verze Windows",
    "Executable file was invalid. Either it was not a Windows application or there was an error "
    "in the .EXE image",
    "Application was designed for a different operating system",
    "Application was designed for MS-DOS 4.0",
    "Type of executable file was unknown",
    "Attempt was made to load a real-mode application (developed for an earlier version of "
    "Windows)",
    "Attempt to load second instance of an executable containing multiple data segments not "
    "marked read-only",
    "Attempt was made to load a compressed executable file. The file must be decompressed before "
    "it can be loaded",
    "Dynamická knihovna (DLL) je vadná.",
    "Aplikace vyžaduje 32-bitové Windows",
    "Error",
};

constexpr ErrorTexts kItalian = {
    "Il sistema non dispone di memoria sufficiente, il file eseguibile e' danneggiato, od i "
    "riferimenti sono sbagliati",
    "File non trovato",
    "Path non trovato",
    "E' stato fatto un tentativo per collegarsi dinamicamente all'applicazione, o c'e' stato un "
    "errore di condivisione o di protezione della rete",
    "La libreria richiede segmenti di dati differenti per ogni copia dell'applicazione",
    "Non c'e' abbastanza memoria per lanciare l'applicazione",
    "Versione errata di Windows",
    "File eseguibile invalido. Potrebbe non essere un'applicazione per Windows o c'e' un errore "
    "nell'immagine .EXE ",
    "Applicazione destinata ad un sistema operativo differente",
    "Applicazione per MS-DOS 4.0",
    "File eseguibile di tipo sconosciuto",
    "E' stato fatto un tentativo per caricare l'applicazione di modalita' reale (sviluppata per "
    "le precedenti versioni di Windows)",
    "E' stato fatto un tentativo per caricare una seconda volta un eseguibile che contiene "
    "segmenti di dati multipli non marcati Sola Lettura",
    "E' stato fatto un tentativo per caricare un file eseguibile compresso. Il file deve essere "
    "decompresso prima di poter essere caricato",
    "La libreria DLL non e' valida. Una delle librerie DLL richieste dall'applicazione per poter "
    "girare e' danneggiata",
    "L'Applicazione richiede l'installazione delle estensioni a 32-Bit",
    "Nessun errore",
};

// The one table of the program, refilled by every SetLangType.
ErrorTexts& sharedErrorTexts() {
    static ErrorTexts table = kCzech;
    return table;
}

std::optional<std::size_t> slotOf(std::uint32_t code) {
    switch (code) {
    case 0:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    case 5:
        return 3;
    case 6:
        return 4;
    case 8:
        return 5;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
        return 6 + (code - 10);
    case 19:
    case 20:
    case 21:
        return 13 + (code - 19);
    default:
        break;
    }
    if (code >= 32 && code <= 0x7FFFFFFFu) {
        return 16;
    }
    return std::nullopt;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool keepsFinalSeparator(const std::string& path) {
    return path.size() == 1 || (path.size() == 3 && path[1] == ':' && path[2] == '\\');
}

} // namespace

AppExec::AppExec() {
    setLanguage(Language::Czech);
}

void AppExec::setExePath(const std::string& path) {
    if (path == exePath_) {
        return;
    }
    exePath_ = path;
    if (!exePath_.empty() && isSeparator(exePath_.back()) && !keepsFinalSeparator(exePath_)) {
        exePath_.pop_back();
    }
}

void AppExec::setWindowState(WindowState state) {
    if (state == windowState_) {
        return;
    }
    switch (state) {
    case WindowState::Normal:
        showCommand_ = 1;
        break;
    case WindowState::Minimized:
        showCommand_ = 2;
        break;
    case WindowState::Maximized:
        showCommand_ = 3;
        break;
    }
    windowState_ = state;
}

void AppExec::setLanguage(Language language) {
    language_ = language;
    switch (language) {
    case Language::French:
        sharedErrorTexts() = kFrench;
        break;
    case Language::Czech:
        sharedErrorTexts() = kCzech;
        break;
    case Language::Italian:
        sharedErrorTexts() = kItalian;
        break;
    }
}

std::string AppExec::errorText() const {
    const auto slot = slotOf(resultCode_);
    return slot ? std::string(sharedErrorTexts()[*slot]) : std::string();
}

std::string AppExec::commandLine() const {
    std::string line = exeName_;
    for (const auto& param : exeParams_) {
        line += ' ';
        line += param;
    }
    return line;
}

void AppExec::execute() {
    const std::string line = commandLine();
    // A line too long to start is refused before it is split.
    start(line.size() > kMaxCommandLineLength ? std::vector<std::string>{} : SplitCommandLine(line),
          {}, line.size());
}

void AppExec::execute(const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environmentChanges) {
    // Measured as the shortest command line that could carry the arguments.
    std::size_t length = arguments.empty() ? 0 : arguments.size() - 1;
    for (const std::string& argument : arguments) {
        length += argument.size();
    }
    start(arguments, environmentChanges, length);
}

void AppExec::start(const std::vector<std::string>& arguments,
                    const std::vector<std::string>& environmentChanges,
                    std::size_t commandLineLength) {
    if (commandLineLength > kMaxCommandLineLength) {
        resultCode_ = winerror::FilenameExceedsRange;
        throw AppExecStartError("Příkazový řádek je příliš dlouhý (" +
                                std::to_string(commandLineLength) + " znaků, nejvýše " +
                                std::to_string(kMaxCommandLineLength) + "), program nelze spustit");
    }

    if (changeDir_ && !exePath_.empty() && ::chdir(exePath_.c_str()) != 0) {
        throw AppExecFolderError(InOutError::fromErrno(errno, exePath_).what());
    }

    resultCode_ = 0;
    resultSignal_ = 0;
    std::optional<Process> process;
    ProcessOptions options(arguments, environmentChanges);
    // A console of its own, as CREATE_NEW_CONSOLE gives it: a terminal's
    // Ctrl+C meant for us reaches us alone, and we stop it ourselves.
    options.ownProcessGroup = true;
    if (wait_) {
        // Nobody is left to wait for it, or to stop it, once we are gone.
        options.deathSignal = SIGTERM;
    }
    const bool captures = wait_ && outputSink_;
    if (captures) {
        options.output = ChildStream::Kind::Pipe;
        options.error = ChildStream::Kind::Output;
    }
    try {
        process.emplace(
            Process::startWith(options, captures ? outputSink_ : OutputSink(), priority_));
    } catch (const ProcessError& e) {
        resultCode_ = e.code();
        throw AppExecStartError(errorText());
    }
    if (!wait_) {
        process->release();
        return;
    }

    if (eventPump_) {
        eventPump_();
    }
    resultCode_ = 0;
    if (eventPump_) {
        eventPump_();
    }
    try {
        awaited_ = &*process;
        resultCode_ = process->wait(eventPump_);
        awaited_ = nullptr;
        resultSignal_ = process->endingSignal();
    } catch (const ProcessError& e) {
        awaited_ = nullptr;
        resultCode_ = e.code();
        if (eventPump_) {
            eventPump_();
        }
        throw AppExecStartError(errorText());
    }
}

void AppExec::terminate() {
    if (awaited_) {
        awaited_->signal(SIGTERM);
    }
}

} // namespace tornavel
