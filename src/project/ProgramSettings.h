#pragma once

#include "platform/ProgramLayout.h"

#include <string>

namespace tornavel {

// The working folder used when the settings file names none:
// "C:\Projekt\" on Windows, "~/Projekt/" (expanded) elsewhere.
std::string DefaultSourceFolder();

// folder + "Tornavel.ini".
std::string SettingsFilePath(const std::string& folder);

// What the settings file "Tornavel.ini" holds (section "Nastaveni").
struct ProgramSettings {
    std::string sourceFolder; // "VystupniAdresar", native path as stored
    std::string viewStyle;    // "typView": "vsIcon", "vsSmallIcon", "vsList" or "vsReport"
};

// How installers are published (the dialog "Podepisování…"), in the same
// settings file. The password is never stored: a file that holds it, or the
// variable TORNAVEL_SIGN_PASSWORD.
struct PublishingSettings {
    bool sign = false;         // "Podepisovat"
    std::string certificate;   // "Certifikat"
    std::string key;           // "Klic"
    std::string passwordFile;  // "SouborSHeslem"
    std::string timestampUrl;  // "CasoveRazitko"
    bool reproducible = false; // "Reprodukovatelne"

    bool operator==(const PublishingSettings&) const = default;
};

// Every function below reads or writes the settings file of a location (the
// program folder in the build tree). A write to a user's own folder makes the
// folder first, and each missing folder above it, for the user alone. A file that
// exists but cannot be read, or is larger than 1 MiB, is never taken for the
// defaults: every function throws the error that names it (InOutError, or
// Error for its size or a character Windows-1250 lacks).

// Reads the settings file; a missing file or key gives DefaultSourceFolder()
// and "vsReport".
ProgramSettings ReadProgramSettings(const SettingsLocation& location);

// Creates SourceFolder when it is not an existing folder (one level: its parent
// must exist). Throws Error "Adresář " + folder + " nebyl vytvořen." otherwise.
void EnsureSourceFolder(const std::string& sourceFolder);

// Writes "VystupniAdresar" (the output-directory dialog's OK).
void WriteSourceFolderSetting(const SettingsLocation& location, const std::string& sourceFolder);

// Writes both keys (the main window's close step), in one atomic write.
void WriteProgramSettings(const SettingsLocation& location, const ProgramSettings& settings);

// The publishing keys of section "Nastaveni"; missing keys give the defaults
// (no signing, not reproducible).
PublishingSettings ReadPublishingSettings(const SettingsLocation& location);
// Writes them all in one atomic write.
void WritePublishingSettings(const SettingsLocation& location, const PublishingSettings& settings);

// The compiler the window's builds use (menu "Nastavení"), key "InnoSetup":
// "6" for Inno Setup 6, anything else or nothing for 5.5.9, the default.
bool ReadInnoSetup6Setting(const SettingsLocation& location);
void WriteInnoSetup6Setting(const SettingsLocation& location, bool innoSetup6);

} // namespace tornavel
