#include "project/ProgramSettings.h"

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace tornavel {
namespace {

constexpr std::string_view kSection = "Nastaveni";
constexpr std::string_view kSourceFolderKey = "VystupniAdresar";
constexpr std::string_view kViewStyleKey = "typView";
constexpr std::string_view kSourceFolderLabel = "Výstupní adresář"; // as the menu names it

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string DefaultSourceFolder() {
#ifdef _WIN32
    return "C:\\Projekt\\";
#else
    return withTrailingSeparator(HomeFolder()) + "Projekt/";
#endif
}

std::string SettingsFilePath(const std::string& programFolder) {
    return programFolder + "Tornavel.ini";
}

ProgramSettings ReadProgramSettings(const std::string& programFolder) {
    const ProfileFile file(SettingsFilePath(programFolder));
    ProgramSettings settings;
    settings.SourceFolder = file.readString(kSection, kSourceFolderKey, DefaultSourceFolder());
    // A hand-edited folder without its final separator would glue every file
    // name onto the folder name; an empty value stays empty and fails later.
    if (!settings.SourceFolder.empty()) {
        settings.SourceFolder = withTrailingSeparator(settings.SourceFolder);
    }
    settings.ViewStyle = file.readString(kSection, kViewStyleKey, "vsReport");
    return settings;
}

void EnsureSourceFolder(const std::string& sourceFolder) {
    if (!sourceFolder.empty() && isFolder(sourceFolder)) {
        return;
    }
    if (sourceFolder.empty() || ::mkdir(sourceFolder.c_str(), 0777) != 0) {
        throw Error(Error::Kind::InputOutput, "Adresář " + sourceFolder + " nebyl vytvořen.");
    }
}

void WriteSourceFolderSetting(const std::string& programFolder, const std::string& sourceFolder) {
    ProfileFile file(SettingsFilePath(programFolder));
    file.write(kSection, kSourceFolderKey, sourceFolder, kSourceFolderLabel);
    file.commit();
}

void WriteProgramSettings(const std::string& programFolder, const ProgramSettings& settings) {
    ProfileFile file(SettingsFilePath(programFolder));
    file.write(kSection, kSourceFolderKey, settings.SourceFolder, kSourceFolderLabel);
    file.write(kSection, kViewStyleKey, settings.ViewStyle);
    file.commit();
}

} // namespace tornavel
