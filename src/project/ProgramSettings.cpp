#include "project/ProgramSettings.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
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
constexpr std::string_view kInnoSetupKey = "InnoSetup";
constexpr std::string_view kSourceFolderLabel = "Výstupní adresář"; // as the menu names it

// The settings file, read whole; one that exists but cannot be read (or is
// over kMaxProfileFileSize) is named rather than taken for the defaults.
ProfileFile openSettings(const SettingsLocation& location) {
    ProfileFile file = location.fallbackFolder.empty()
                           ? ProfileFile(SettingsFilePath(location.folder))
                           : ProfileFile(SettingsFilePath(location.folder),
                                         SettingsFilePath(location.fallbackFolder));
    file.throwReadFailure();
    return file;
}

// Writes the file, making the user's own folder first when it is missing
// (mode 0700, as the base directory conventions ask); a folder that cannot be
// made fails as the write would.
void commitSettings(const ProfileFile& file, const SettingsLocation& location) {
    if (!location.fallbackFolder.empty()) {
        for (std::size_t end = location.folder.find('/', 1); end != std::string::npos;
             end = location.folder.find('/', end + 1)) {
            const std::string folder = location.folder.substr(0, end);
            if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
                throw IniWriteError(file.path(), errno);
            }
        }
    }
    file.commit();
}

} // namespace

std::string DefaultSourceFolder() {
#ifdef _WIN32
    return "C:\\Projekt\\";
#else
    return withTrailingSeparator(HomeFolder()) + "Projekt/";
#endif
}

std::string SettingsFilePath(const std::string& folder) {
    return folder + "Tornavel.ini";
}

ProgramSettings ReadProgramSettings(const SettingsLocation& location) {
    const ProfileFile file = openSettings(location);
    ProgramSettings settings;
    settings.sourceFolder = file.readString(kSection, kSourceFolderKey, DefaultSourceFolder());
    // A hand-edited folder without its final separator would glue every file
    // name onto the folder name; an empty value stays empty and fails later.
    if (!settings.sourceFolder.empty()) {
        settings.sourceFolder = withTrailingSeparator(settings.sourceFolder);
    }
    settings.viewStyle = file.readString(kSection, kViewStyleKey, "vsReport");
    return settings;
}

void EnsureSourceFolder(const std::string& sourceFolder) {
    if (GetFileAttributes(sourceFolder).folder) {
        return;
    }
    if (sourceFolder.empty() || ::mkdir(sourceFolder.c_str(), 0777) != 0) {
        throw Error(Error::Kind::InputOutput, "Adresář " + sourceFolder + " nebyl vytvořen.");
    }
}

void WriteSourceFolderSetting(const SettingsLocation& location, const std::string& sourceFolder) {
    ProfileFile file = openSettings(location);
    file.write(kSection, kSourceFolderKey, sourceFolder, kSourceFolderLabel);
    commitSettings(file, location);
}

void WriteProgramSettings(const SettingsLocation& location, const ProgramSettings& settings) {
    ProfileFile file = openSettings(location);
    file.write(kSection, kSourceFolderKey, settings.sourceFolder, kSourceFolderLabel);
    file.write(kSection, kViewStyleKey, settings.viewStyle);
    commitSettings(file, location);
}

PublishingSettings ReadPublishingSettings(const SettingsLocation& location) {
    const ProfileFile file = openSettings(location);
    PublishingSettings settings;
    settings.sign = file.readString(kSection, "Podepisovat", "0") == "1";
    settings.certificate = file.readString(kSection, "Certifikat", "");
    settings.key = file.readString(kSection, "Klic", "");
    settings.passwordFile = file.readString(kSection, "SouborSHeslem", "");
    settings.timestampUrl = file.readString(kSection, "CasoveRazitko", "");
    settings.reproducible = file.readString(kSection, "Reprodukovatelne", "0") == "1";
    return settings;
}

void WritePublishingSettings(const SettingsLocation& location, const PublishingSettings& settings) {
    ProfileFile file = openSettings(location);
    file.write(kSection, "Podepisovat", settings.sign ? "1" : "0");
    file.write(kSection, "Certifikat", settings.certificate, "Certifikát");
    file.write(kSection, "Klic", settings.key, "Klíč");
    file.write(kSection, "SouborSHeslem", settings.passwordFile, "Soubor s heslem");
    file.write(kSection, "CasoveRazitko", settings.timestampUrl, "Server časových razítek");
    file.write(kSection, "Reprodukovatelne", settings.reproducible ? "1" : "0");
    commitSettings(file, location);
}

bool ReadInnoSetup6Setting(const SettingsLocation& location) {
    return openSettings(location).readString(kSection, kInnoSetupKey, "5") == "6";
}

void WriteInnoSetup6Setting(const SettingsLocation& location, bool innoSetup6) {
    ProfileFile file = openSettings(location);
    file.write(kSection, kInnoSetupKey, innoSetup6 ? "6" : "5");
    commitSettings(file, location);
}

} // namespace tornavel
