#include "iscc/CompilerVersion.h"

#include "iscc/Console.h"
#include "iscc/ScriptLines.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProgramLayout.h"
#include "wine/Wine.h"

#include <filesystem>

namespace tornavel::iscc {
namespace {

namespace fs = std::filesystem;

constexpr int kCannotRun = kAdapterCannotRunExitCode;

std::string nameOf(InnoSetup version) {
    return version == InnoSetup::Six ? "Inno Setup 6" : "Inno Setup 5.5.9";
}

// The version file's first line; nothing when the folder has none.
std::string versionFileText(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        return {};
    }
    std::string text;
    try {
        text = ReadWholeFile(file.string());
    } catch (const InOutError& e) {
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Soubor " + file.string() +
                                 " nelze přečíst: " + e.what() + ".",
                             kCannotRun);
    }
    return std::string(Trimmed(text.substr(0, text.find_first_of("\r\n"))));
}

} // namespace

ChosenCompiler FindChosenCompiler(const std::string& adapterFolder, InnoSetup chosen) {
    const std::string folder =
        CompilerFolderOf(adapterFolder, chosen == InnoSetup::Six ? "compiler-6" : "compiler");
    ChosenCompiler compiler;
    compiler.program = folder + "ISCC.exe";
    if (!fs::is_regular_file(compiler.program)) {
        const std::string advice =
            RunningFromInstallation()
                ? "Přeinstalujte balíček Tornavel (sudo apt install --reinstall tornavel)."
                : std::string("Nainstalujte ho skriptem ") + kInstallCompilerScript +
                      " a program sestavte znovu (nebo v proměnné TORNAVEL_COMPILER_DIR uveďte "
                      "jeho složku).";
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Kompilátor " +
                                 (chosen == InnoSetup::Six ? "Inno Setup 6" : "Inno Setup") +
                                 " nebyl nalezen: " + compiler.program + " neexistuje. " + advice,
                             kCannotRun);
    }
    compiler.versionText = versionFileText(fs::path(folder) / ".version");
    const std::string major = compiler.versionText.substr(0, compiler.versionText.find('.'));
    if (compiler.versionText.empty() || major == "5") {
        compiler.version = InnoSetup::Five;
    } else if (major == "6") {
        compiler.version = InnoSetup::Six;
    } else {
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Soubor " + folder +
                                 ".version neuvádí Inno Setup 5 ani 6, ale „" +
                                 compiler.versionText + "“.",
                             kCannotRun);
    }
    if (compiler.version != chosen) {
        throw AdapterFailure(std::string(kAdapterErrorMark) + "Byl zvolen kompilátor " +
                                 nameOf(chosen) + ", ale ve složce " + folder + " je " +
                                 nameOf(compiler.version) +
                                 ". Zvolte ten, který tam je, nebo upravte proměnnou "
                                 "TORNAVEL_COMPILER_DIR.",
                             kCannotRun);
    }
    return compiler;
}

} // namespace tornavel::iscc
