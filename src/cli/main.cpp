// tornavel-cli: the headless front end over the core, for scripted builds.
//
//   tornavel-cli script PROJECT.ipr [--source DIR]
//   tornavel-cli build  PROJECT.ipr [--source DIR] [--compiler PATH] [--reproducible]
//                       [--recreate-prefix] [--linger SECONDS]
//                       [--sign-certificate FILE [--sign-key FILE]
//                        [--sign-password-file FILE] [--timestamp-url URL]]
//   tornavel-cli show   PROJECT.ipr
//
// Messages go to standard error, one line each; the compiler's output goes to
// standard output, line by line as it arrives (CliConsole). Exit status: 0
// success, 1 the project was refused, 2 usage or input/output error, 3 the
// compiler failed, 128 + N the build was stopped by signal N (Ctrl+C 130,
// SIGTERM 143, SIGHUP 129, SIGQUIT 131): the compile ends and Output is
// cleaned, or, during the walk of the source folder, nothing is touched.
#include "cli/CliConsole.h"
#include "installer/BuildConsole.h"
#include "installer/BuildDriver.h"
#include "installer/Prompts.h"
#include "installer/Publishing.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/ProgramLayout.h"
#include "project/ProgramSettings.h"
#include "project/ProjectFile.h"
#include "project/ProjectSettings.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

namespace {

using tornavel::Error;

enum ExitStatus {
    kSuccess = 0,
    kRefused = 1,
    kUsageOrInputOutput = 2,
    kCompilerFailed = 3,
    kStopped = 128, // + the signal, as a shell reports a program it ended
};

// The full stop the program's error box adds to a text ending in a letter or digit.
std::string withFullStop(std::string text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

void report(const std::string& text) {
    tornavel::cli::Report(text);
}

// Tells the user everything on standard error and answers every question with
// its default button: the compilation is confirmed, the test run declined.
class CliPrompts : public tornavel::Prompts {
public:
    void errorDialog(const std::string& text) override { report("Chyba: " + text); }
    void message(const std::string& text) override { report(text); }
    Answer ask(const std::string& caption, const std::string& text, Icon,
               Answer defaultAnswer) override {
        report(caption + ": " + text + " " + (defaultAnswer == Answer::Yes ? "Ano" : "Ne"));
        return defaultAnswer;
    }
    void focusField(tornavel::FieldId) override {}
};

std::string nativeFolder(const std::string& path) {
    return tornavel::withTrailingSeparator(
        std::filesystem::absolute(path).lexically_normal().string());
}

// Loads the project as Open does: over the values a freshly started program has.
tornavel::ProjectSettings loadProject(const std::string& path) {
    tornavel::ProjectSettings project;
    tornavel::LoadProject(path, project);
    return project;
}

struct Arguments {
    std::string project;
    std::string source;
    std::string compiler;
    tornavel::PublishingRequest publishing;
    std::string innoSetup; // "5", "6"; empty: the variable's or the settings' choice
    bool recreatePrefix = false;
    int lingerSeconds = 60;
};

tornavel::BuildEnvironment environmentFor(const Arguments& args) {
    tornavel::BuildEnvironment env;
    env.programFolder = tornavel::CurrentProgramFolder();
    const tornavel::ProgramLayout layout = tornavel::LayoutOfProgram(env.programFolder);
    env.sourceFolder = args.source.empty()
                           ? tornavel::ReadProgramSettings(layout.settings).sourceFolder
                           : nativeFolder(args.source);
    const tornavel::FileAttributes folder = tornavel::GetFileAttributes(env.sourceFolder);
    if (!folder.exists || !folder.folder) {
        throw Error(Error::Kind::InputOutput,
                    "Zdrojový adresář " + env.sourceFolder + " neexistuje");
    }
    env.compilerPath = args.compiler.empty()
                           ? layout.compilerAdapter
                           : std::filesystem::absolute(args.compiler).lexically_normal().string();
    env.publishing = tornavel::ResolvePublishing(args.publishing,
                                                 tornavel::ReadPublishingSettings(layout.settings));
    env.wineLingerSeconds = args.lingerSeconds;
    env.innoSetup = tornavel::ResolveInnoSetup(args.innoSetup,
                                               tornavel::ReadInnoSetup6Setting(layout.settings));
    return env;
}

// The event pump of a build: Ctrl+C, SIGTERM, SIGHUP and SIGQUIT (noted by
// StopSignals) stop it, which cleans up, rather than end the program where
// it stands.
std::function<void()> stopOnSignal(tornavel::BuildDriver& driver) {
    return [&driver] {
        if (tornavel::StopSignals::received() != 0) {
            driver.stop();
        }
    };
}

// The exit status of a stopped build: the signal's, as a shell reports a
// program that signal ended.
int stoppedStatus(const tornavel::BuildStoppedError& e) {
    report(withFullStop(e.what()));
    const int signal = tornavel::StopSignals::received();
    return kStopped + (signal != 0 ? signal : SIGINT);
}

int runScript(const Arguments& args) {
    tornavel::ProjectSettings project = loadProject(args.project);
    tornavel::BuildEnvironment env = environmentFor(args);
    CliPrompts prompts;
    tornavel::cli::CliConsole console;
    tornavel::BuildDriver driver(prompts, &console);
    env.pumpDuringWalk = stopOnSignal(driver);
    const tornavel::StopSignals stopSignals;
    try {
        if (!driver.writeScript(project, env, nullptr)) {
            return kRefused;
        }
    } catch (const tornavel::BuildStoppedError& e) {
        return stoppedStatus(e);
    }
    report("Skript " + env.sourceFolder + "ISS byl vytvořen.");
    return kSuccess;
}

int runBuild(const Arguments& args) {
    tornavel::ProjectSettings project = loadProject(args.project);
    tornavel::BuildEnvironment env = environmentFor(args);
    if (args.recreatePrefix) {
        const std::string prefix = tornavel::WinePrefixFolder();
        if (const std::string aside = tornavel::SetWinePrefixAside(prefix); !aside.empty()) {
            report("Prostředí wine " + prefix + " bylo přejmenováno na " + aside +
                   "; kompilátor vytvoří nové.");
        }
    }
    CliPrompts prompts;
    tornavel::cli::CliConsole console;
    tornavel::BuildDriver driver(prompts, &console);
    env.pumpEvents = env.pumpDuringWalk = stopOnSignal(driver);
    const tornavel::StopSignals stopSignals;
    tornavel::BuildOutcome outcome{};
    try {
        outcome = driver.buildInstaller(project, env, nullptr);
    } catch (const tornavel::BuildStoppedError& e) {
        return stoppedStatus(e);
    } catch (const tornavel::AppExecStartError& e) {
        // The only program a scripted build starts is the compiler: name it.
        throw Error(e.kind(), std::string(e.what()) + ": " + tornavel::CompilerProgram(env));
    }
    switch (outcome) {
    case tornavel::BuildOutcome::Refused:
        return kRefused;
    case tornavel::BuildOutcome::Declined:
    case tornavel::BuildOutcome::Compiled:
    case tornavel::BuildOutcome::Tested:
        break;
    }
    return kSuccess;
}

int runShow(const Arguments& args) {
    const tornavel::ProjectSettings project = loadProject(args.project);
    for (const auto& [key, value] : tornavel::ProjectKeyValues(project)) {
        std::cout << key << '=' << value << '\n';
    }
    std::cout << std::flush;
    return kSuccess;
}

// CLI11's parse errors in Czech. Its messages are English sentences around
// the names, which are taken from them; unexpected arguments are listed from
// the parser itself, in command-line order.
std::string czechParseError(const CLI::ParseError& e, const CLI::App& app) {
    const std::string text = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        std::string extras;
        for (const std::string& arg : app.remaining(true)) {
            extras += (extras.empty() ? "" : " ") + arg;
        }
        return "nečekané parametry: " + extras;
    }
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        if (text.rfind("A subcommand", 0) == 0) {
            return "chybí příkaz (script, build nebo show)";
        }
        return "chybí povinný parametr " + text.substr(0, text.rfind(" is required"));
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        return "volbě " + text.substr(0, text.find(':')) + " chybí hodnota";
    }
    return "chybné parametry";
}

int exitStatusFor(const Error& e) {
    switch (e.kind()) {
    case Error::Kind::ProjectRefused:
        return kRefused;
    case Error::Kind::InputOutput:
        return kUsageOrInputOutput;
    case Error::Kind::ProcessFailed:
        return kCompilerFailed;
    }
    return kUsageOrInputOutput;
}

int run(int argc, char** argv) {
    CLI::App app{
        "tornavel-cli: připraví instalaci z projektu Tornavel (.ipr) bez okna.\n"
        "  tornavel-cli script PROJEKT.ipr [--source DIR]\n"
        "  tornavel-cli build  PROJEKT.ipr [--source DIR] [--compiler PATH] "
        "[--inno-setup 5|6] [--reproducible] [--recreate-prefix]\n"
        "                      [--linger SECONDS] [--sign-certificate FILE [--sign-key FILE] "
        "[--sign-password-file FILE] [--timestamp-url URL]]\n"
        "  tornavel-cli show   PROJEKT.ipr",
        "tornavel-cli"};
    app.get_formatter()->label("Usage", "Použití");
    app.get_formatter()->label("OPTIONS", "VOLBY");
    app.get_formatter()->label("SUBCOMMAND", "PŘÍKAZ");
    app.get_formatter()->label("REQUIRED", "(povinné)");
    app.get_formatter()->label("TEXT", "TEXT");
    app.get_formatter()->label("Positionals", "Parametry");
    app.option_defaults()->group("Volby");
    app.set_help_flag("-h,--help", "Vypíše tuto nápovědu");
    app.require_subcommand(1, 1);
    app.footer("Zdrojový adresář je DIR z --source, jinak adresář uložený v Tornavel.ini.\n"
               "Podpis: volba, jinak proměnná TORNAVEL_SIGN_CERTIFICATE, TORNAVEL_SIGN_KEY, "
               "TORNAVEL_TIMESTAMP_URL (heslo v TORNAVEL_SIGN_PASSWORD), jinak nastavení okna.\n"
               "Návratový kód: 0 úspěch, 1 projekt odmítnut, 2 chybné použití nebo chyba "
               "vstupu/výstupu, 3 kompilace selhala, 128 + N zastaveno signálem N (130 Ctrl+C, "
               "143 SIGTERM).\n");

    Arguments args;
    const auto addProject = [&](CLI::App* command) {
        command->option_defaults()->group("Volby");
        command->set_help_flag("-h,--help", "Vypíše nápovědu k příkazu");
        command->add_option("PROJEKT", args.project, "Soubor projektu (.ipr)")
            ->required()
            ->type_name("");
    };
    const auto addSource = [&](CLI::App* command) {
        command->add_option("--source", args.source, "Zdrojový adresář instalace")
            ->type_name("DIR");
    };

    CLI::App* script = app.add_subcommand(
        "script", "Zkontroluje projekt, smaže adresář Output a zapíše skript ISS do zdrojového "
                  "adresáře.");
    addProject(script);
    addSource(script);

    CLI::App* build = app.add_subcommand(
        "build", "Jako script, potom spustí kompilátor iscc a počká na něj (test instalace se "
                 "nespouští).");
    addProject(build);
    addSource(build);
    build->add_option("--compiler", args.compiler, "Kompilátor místo iscc z adresáře programu")
        ->type_name("PATH");
    build
        ->add_option("--inno-setup", args.innoSetup,
                     "Kompilátor: 5 (Inno Setup 5.5.9, výchozí) nebo 6 (Inno Setup 6.2, moderní "
                     "průvodce, Windows 7 SP1 a novější)")
        ->type_name("5|6");
    build
        ->add_option("--sign-certificate", args.publishing.certificate,
                     "Podepíše instalaci certifikátem (PKCS#12 nebo PEM)")
        ->type_name("FILE");
    build->add_option("--sign-key", args.publishing.key, "Soukromý klíč PEM k certifikátu")
        ->type_name("FILE");
    build
        ->add_option("--sign-password-file", args.publishing.passwordFile,
                     "Soubor, jehož první řádek je heslo ke klíči")
        ->type_name("FILE");
    build
        ->add_option("--timestamp-url", args.publishing.timestampUrl,
                     "Server časových razítek pro podpis")
        ->type_name("URL");
    build
        ->add_option("--linger", args.lingerSeconds,
                     "Jak dlouho po kompilaci nechat běžet server wine, aby další kompilace "
                     "začala hned (sekundy, výchozí 60, 0 vypne)")
        ->type_name("SECONDS")
        ->check(CLI::Range(0, 86400));
    build->add_flag("--recreate-prefix", args.recreatePrefix,
                    "Odloží prostředí wine (přejmenuje ho) a vytvoří nové; pro prostředí, "
                    "které wine nedokáže spustit");
    build->add_flag("--reproducible", args.publishing.reproducible,
                    "Reprodukovatelná instalace: pevný čas souborů (SOURCE_DATE_EPOCH, jinak "
                    "1. 1. 2000)");

    CLI::App* show =
        app.add_subcommand("show", "Vypíše hodnoty projektu po řádcích jako Klíč=hodnota.");
    addProject(show);

    for (CLI::App* command : {script, build, show}) {
        command->group("Příkazy");
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        const bool unknownCommand = argc > 1 && argv[1][0] != '-' && !script->parsed() &&
                                    !build->parsed() && !show->parsed();
        report("tornavel-cli: " +
               (unknownCommand ? "neznámý příkaz \"" + std::string(argv[1]) + "\""
                               : czechParseError(e, app)) +
               " (nápověda: tornavel-cli --help)");
        return kUsageOrInputOutput;
    }

    try {
        if (script->parsed()) {
            return runScript(args);
        }
        if (build->parsed()) {
            return runBuild(args);
        }
        return runShow(args);
    } catch (const Error& e) {
        report(withFullStop(e.what()));
        return exitStatusFor(e);
    } catch (const std::exception& e) {
        report(withFullStop(e.what()));
        return kUsageOrInputOutput;
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (...) {
        // Only the set-up of the command line could get here; every command's
        // own failure is reported above.
        std::fputs("tornavel-cli: neočekávaná chyba\n", stderr);
        return kUsageOrInputOutput;
    }
}
