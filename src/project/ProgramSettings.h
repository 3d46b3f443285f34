#pragma once

#include <string>

namespace tornavel {

// The working folder used when the settings file names none:
// "C:\Projekt\" on Windows, "~/Projekt/" (expanded) elsewhere.
std::string DefaultSourceFolder();

// ProgramFolder + "Tornavel.ini".
std::string SettingsFilePath(const std::string& programFolder);

// What the settings file "Tornavel.ini" holds (section "Nastaveni").
struct ProgramSettings {
    std::string SourceFolder; // "VystupniAdresar", native path as stored
    std::string ViewStyle;    // "typView": "vsIcon", "vsSmallIcon", "vsList" or "vsReport"
};

// How installers are published (the dialog "Podepisování…"), in the same
// settings file. The password is never stored: a file that holds it, or the
// variable TORNAVEL_SIGN_PASSWORD.
struct PublishingSettings {
    bool Sign = false;         // "Podepisovat"
    std::string Certificate;   // "Certifikat"
    std::string Key;           // "Klic"
    std::string PasswordFile;  // "SouborSHeslem"
    std::string TimestampUrl;  // "CasoveRazitko"
    bool Reproducible = false; // "Reprodukovatelne"

    bool operator==(const PublishingSettings&) const = default;
};

// Reads the settings file of programFolder; a missing file or key gives
// DefaultSourceFolder() and "vsReport".
ProgramSettings ReadProgramSettings(const std::string& programFolder);

// Creates SourceFolder when it is not an existing folder (one level: its parent
// must exist). Throws Error "Adresář " + folder + " nebyl vytvořen." otherwise.
void EnsureSourceFolder(const std::string& sourceFolder);

// Writes "VystupniAdresar" (the output-directory dialog's OK).
void WriteSourceFolderSetting(const std::string& programFolder, const std::string& sourceFolder);

// Writes both keys (the main window's close step), in one atomic write.
void WriteProgramSettings(const std::string& programFolder, const ProgramSettings& settings);

// The publishing keys of section "Nastaveni"; missing keys give the defaults
// (no signing, not reproducible).
PublishingSettings ReadPublishingSettings(const std::string& programFolder);
// Writes them all in one atomic write.
void WritePublishingSettings(const std::string& programFolder, const PublishingSettings& settings);

} // namespace tornavel
