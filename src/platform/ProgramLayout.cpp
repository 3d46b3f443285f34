#include "platform/ProgramLayout.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>

// The installed folders relative to one another, as the install rules place
// them (GNUInstallDirs); the build sets them, these are its defaults.
#ifndef TORNAVEL_BIN_TO_DATA
#define TORNAVEL_BIN_TO_DATA "../share/tornavel"
#endif
#ifndef TORNAVEL_BIN_TO_LIBEXEC
#define TORNAVEL_BIN_TO_LIBEXEC "../libexec/tornavel"
#endif
#ifndef TORNAVEL_LIBEXEC_TO_DATA
#define TORNAVEL_LIBEXEC_TO_DATA "../../share/tornavel"
#endif

namespace tornavel {
namespace {

// folder + relative, without the "..": the program folder comes from the
// program's resolved path, so no link stands on the way back up.
std::string folderBeside(const std::string& folder, const char* relative) {
    return withTrailingSeparator(
        (std::filesystem::path(folder) / relative).lexically_normal().string());
}

} // namespace

ProgramLayout LayoutOfProgram(const std::string& programFolder) {
    ProgramLayout layout;
    const std::string dataFolder = folderBeside(programFolder, TORNAVEL_BIN_TO_DATA);
    layout.installed = GetFileAttributes(dataFolder).folder;
    if (!layout.installed) {
        layout.settings = SettingsLocation(programFolder);
        layout.archiveFolder = programFolder + "Archiv";
        layout.helpFile = programFolder + "Tornavel.hlp";
        layout.compilerAdapter = programFolder + "iscc";
        return layout;
    }
    layout.settings =
        SettingsLocation(UserBaseFolder("XDG_CONFIG_HOME", ".config") + "tornavel/", programFolder);
    layout.archiveFolder = UserBaseFolder("XDG_DATA_HOME", ".local/share") + "tornavel/Archiv";
    layout.helpFile = dataFolder + "Tornavel.hlp";
    layout.compilerAdapter = folderBeside(programFolder, TORNAVEL_BIN_TO_LIBEXEC) + "iscc";
    return layout;
}

bool RunningFromInstallation() {
    const std::string folder = CurrentProgramFolder();
    return GetFileAttributes(folderBeside(folder, TORNAVEL_BIN_TO_DATA)).folder ||
           GetFileAttributes(folderBeside(folder, TORNAVEL_LIBEXEC_TO_DATA)).folder;
}

std::string CompilerFolderOf(const std::string& adapterFolder, const std::string& folderName) {
    if (const char* own = std::getenv("TORNAVEL_COMPILER_DIR"); own && *own) {
        return withTrailingSeparator(own);
    }
    const std::string dataFolder = folderBeside(adapterFolder, TORNAVEL_LIBEXEC_TO_DATA);
    return (GetFileAttributes(dataFolder).folder ? dataFolder : adapterFolder) + folderName + "/";
}

} // namespace tornavel
