#pragma once

#include <string>
#include <utility>

namespace tornavel {

// Where "Tornavel.ini" is read and written.
struct SettingsLocation {
    SettingsLocation() = default;
    // The file in a folder of its own, which exists: the program folder of a
    // program run from its build tree (and of the tests).
    SettingsLocation(std::string ownFolder) : folder(std::move(ownFolder)) {}
    SettingsLocation(std::string userFolder, std::string fallback)
        : folder(std::move(userFolder)), fallbackFolder(std::move(fallback)) {}

    std::string folder; // native, trailing separator: the file is folder + "Tornavel.ini"
    // Empty, or (an installed program) the program folder: folder is then the
    // user's own, which the first write makes; until it holds the file, the
    // file of fallbackFolder is read instead and the first write starts from
    // its content.
    std::string fallbackFolder;
};

// Where the programs of Tornavel find and keep their files.
//
// Run from the build tree, everything is in the program folder (the folder of
// the program file), as the original program has it. An installed program is
// one whose data folder (share/tornavel beside its bin folder) exists: what it
// writes goes into the user's own folders, what it only reads comes from the
// installation's folders.
struct ProgramLayout {
    bool installed = false;
    SettingsLocation settings;
    std::string archiveFolder;   // the project dialogs' initial folder "Archiv", no final separator
    std::string helpFile;        // "Tornavel.hlp"
    std::string compilerAdapter; // the compiler iscc a build starts
};

// The layout of tornavel and tornavel-cli, whose program file lies in
// programFolder (native, trailing separator). Installed, the settings are in
// $XDG_CONFIG_HOME/tornavel/ (~/.config/tornavel/), the archive in
// $XDG_DATA_HOME/tornavel/Archiv (~/.local/share/tornavel/Archiv), the help
// file in the data folder and the compiler in libexec/tornavel.
ProgramLayout LayoutOfProgram(const std::string& programFolder);

// Whether the program running now is an installed one: a program of the
// installation's bin folder, or its compiler adapter in libexec, with the
// installation's data folder where the install rules put it.
bool RunningFromInstallation();

// The folder of ISCC.exe for the compiler adapter whose program file lies in
// adapterFolder, with a trailing separator: $TORNAVEL_COMPILER_DIR when set;
// else the folder folderName beside the adapter in the build tree, or in the
// installation's data folder. The compilers' folders are "compiler"
// (Inno Setup 5.5.9) and "compiler-6" (Inno Setup 6).
std::string CompilerFolderOf(const std::string& adapterFolder,
                             const std::string& folderName = "compiler");

} // namespace tornavel
