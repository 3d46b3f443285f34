#pragma once

#include "wine/AdapterProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel::iscc {

// What the compiler's copy of a script gets beyond the script itself.
struct CopyOptions {
    // The folder the copy names as its SourceDir (relative to the copy).
    std::string sourceDir;
    // Fixed time stamps for every installed file (seconds since 1970, UTC):
    // the same tree gives the same installer whatever its files' times and the
    // time zone.
    std::optional<std::int64_t> reproducibleEpoch;
    // Where the compiler keeps the uninstaller for signing (Windows form);
    // empty: the installer is not signed.
    std::string signedUninstallerDir;
    // Directives the script sets that the copy gives another value
    // ("LicenseFile", the Windows path of a copy with a byte-order mark).
    std::vector<std::pair<std::string, std::string>> replaced;
    // A folder inside the installer's folder that the compiler writes into
    // instead (the copy's OutputDir is the script's, or its default, with
    // "\" and this name after it); empty: the installer's folder itself.
    std::string outputSubfolder;
    // The compiler the copy is made for.
    InnoSetup compiler = InnoSetup::Five;
};

// The least room on the first disk (the slice size less ReserveBytes) with
// which Inno Setup 6 can span disks: its setup program alone is 1.5 to
// 1.85 MB and must fit there.
inline constexpr std::int64_t kSmallestFirstDiskForSix = 2000000;

// The copy of a script the compiler compiles, and what the adapter needs to
// know of it afterwards.
struct CompilerCopy {
    // UTF-8 with a byte-order mark, so the compiler reads it whatever the
    // locale. Every line of the script keeps its number: lines are changed in
    // place, and added directives come after the last line.
    std::string text;
    // The directives added because the compiler's default differs from that
    // of Inno Setup 5.1.12 and the script does not set them ("Name=value").
    std::vector<std::string> bridged;
    // What the copy changed for Inno Setup 6 (Czech, for the notice): the
    // directives it added or left out, the constants it renamed.
    std::vector<std::string> changedForSix;
    // The installer the compiler makes: OutputDir (relative to the source
    // folder) and OutputBaseFilename, as the script sets them or their
    // defaults (outputSubfolder not included).
    std::string outputDir;
    std::string outputBaseFilename;
};

// Makes the copy of a script written for Inno Setup 5.1.12 (Windows-1250, or
// UTF-8 with a byte-order mark) for the compiler in use:
//
// - the directives whose default changed since 5.1.12 in a way that alters
//   what the installer shows or does, when the script does not set them:
//   DisableWelcomePage, DisableDirPage and DisableProgramGroupPage no (5.5.7
//   made them yes and auto), UsePreviousLanguage no (5.3.8), CloseApplications
//   no (5.5.0), DefaultDialogFontName empty for the dialog font of old (5.3.9),
//   and with disk spanning DiskSliceSize 1457664 (5.3.9 made it max);
// - OutputDir in the folder of outputSubfolder when one is given;
// - SourceDir, and for reproducible installers TimeStampsInUTC, TouchDate,
//   TouchTime with the "touch" flag on every [Files] entry, and for signing
//   SignedUninstaller and SignedUninstallerDir: these replace a line that sets
//   them already, as the compiler takes a directive only once;
// - for Inno Setup 6: ShowUndisplayableLanguages (which 6 no longer knows)
//   made a comment, the constants {pf} and {fonts} renamed {commonpf} and
//   {commonfonts} (both mean the same folders for an administrative install;
//   a doubled "{{" and the Source of [Files] are literal text), and unless the
//   script sets them WizardStyle=modern (the reason to choose 6) and
//   UsedUserAreasWarning=no (the shortcuts on the user's desktop and in the
//   user's Startup are meant).
CompilerCopy MakeCompilerCopy(std::string_view script, const CopyOptions& options);

// For a script with disk spanning, the room on its first disk (DiskSliceSize,
// or 5.1.12's default 1457664, less ReserveBytes) when it is below
// kSmallestFirstDiskForSix: floppy disks, or a reserve that leaves Inno Setup
// 6's setup program no room. Nothing otherwise ("max", no spanning).
std::optional<std::int64_t> TooSmallFirstDiskForSix(std::string_view script);

// The text files the wizard shows that a script names in [Setup]:
// LicenseFile, InfoBeforeFile and InfoAfterFile with their values, as the
// script sets them.
std::vector<std::pair<std::string, std::string>> WizardTextFilesOf(std::string_view script);

// A text file's bytes as the compiler must get them to show them right: the
// compiler reads a text without a byte-order mark in the system's code page,
// so a ".txt" file (any letter case) of valid UTF-8 with letters beyond ASCII
// and no mark, as Linux editors write it, gets one. Nothing for any other
// file (RTF, Windows-1250, ASCII, marked already).
std::optional<std::string> WithByteOrderMark(std::string_view fileName, std::string_view bytes);

// The date and time of an epoch as TouchDate and TouchTime take them (UTC).
std::string TouchDateOf(std::int64_t epoch);
std::string TouchTimeOf(std::int64_t epoch);

} // namespace tornavel::iscc
