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

PublishingSettings ReadPublishingSettings(const std::string& programFolder) {
    const ProfileFile file(SettingsFilePath(programFolder));
    PublishingSettings settings;
    settings.Sign = file.readString(kSection, "Podepisovat", "0") == "1";
    settings.Certificate = file.readString(kSection, "Certifikat", "");
    settings.Key = file.readString(kSection, "Klic", "");
    settings.PasswordFile = file.readString(kSection, "SouborSHeslem", "");
    settings.TimestampUrl = file.readString(kSection, "CasoveRazitko", "");
    settings.Reproducible = file.readString(kSection, "Reprodukovatelne", "0") == "1";
    return settings;
}

void WritePublishingSettings(const std::string& programFolder, const PublishingSettings& settings) {
    ProfileFile file(SettingsFilePath(programFolder));
    file.write(kSection, "Podepisovat", settings.Sign ? "1" : "0");
    file.write(kSection, "Certifikat", settings.Certificate, "Certifikát");
    file.write(kSection, "Klic", settings.Key, "Klíč");
    file.write(kSection, "SouborSHeslem", settings.PasswordFile, "Soubor s heslem");
    file.write(kSection, "CasoveRazitko", settings.TimestampUrl, "Server časových razítek");
    file.write(kSection, "Reprodukovatelne", settings.Reproducible ? "1" : "0");
    file.commit();
}

} // namespace tornavel
