#include "installer/Validation.h"

#include "installer/ScriptConstants.h"
#include "installer/ScriptGenerator.h"
#include "installer/SourceScan.h"
#include "installer/WindowsNames.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/PeIcons.h"
#include "platform/Utf8.h"
#include "project/FieldLabels.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace tornavel {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool hasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

// The parts of a relative name between separators; empty parts (doubled
// separators) fold away as Windows folds them.
std::vector<std::string> nameParts(std::string_view name) {
    std::vector<std::string> parts;
    std::string current;
    for (const char c : name) {
        if (isSeparator(c)) {
            if (!current.empty()) {
                parts.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    parts.push_back(std::move(current)); // the last part, empty when the name ends with "\"
    return parts;
}

// Whether two names are the same for Windows, which ignores letter case.
// MatchesWildcard compares a pattern without wildcards exactly that way; a
// name it would read as a list (";") or trim is compared byte for byte.
bool sameName(std::string_view entry, std::string_view name) {
    const bool plain = !name.empty() && name.find(';') == std::string_view::npos &&
                       name.front() != ' ' && name.back() != ' ' && name.front() != '\t' &&
                       name.back() != '\t';
    return plain ? MatchesWildcard(entry, name) : entry == name;
}

// The entry of folder that a name part means: the exact name when it exists,
// else one that differs only in case. Nothing when there is none or the
// folder cannot be read.
std::optional<FolderEntry> findEntry(const std::string& folder, const std::string& part) {
    const FileAttributes exact = GetFileAttributes(folder + part);
    if (exact.exists) {
        return FolderEntry{part, exact.folder, exact.hidden};
    }
    try {
        for (auto& entry : ReadFolder(folder)) {
            if (sameName(entry.name, part)) {
                return entry;
            }
        }
    } catch (const Error&) {
    }
    return std::nullopt;
}

// The native folder (with its separator) that the parts of a name before
// its last lead to under sourceFolder, each found as Windows finds it.
std::optional<std::string> folderOfName(const std::string& sourceFolder,
                                        const std::vector<std::string>& parts) {
    std::string folder = withTrailingSeparator(sourceFolder);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (hasWildcard(part)) {
            return std::nullopt; // Windows accepts wildcards only in the last part
        }
        if (part == "." || part == "..") {
            folder += part + kNativeSeparator;
            continue;
        }
        const auto entry = findEntry(folder, part);
        if (!entry || !entry->folder) {
            return std::nullopt;
        }
        folder += entry->name + kNativeSeparator;
    }
    return folder;
}

bool anyFileMatches(const std::string& folder, const std::string& pattern) {
    try {
        for (const auto& entry : ReadFolder(folder)) {
            if (entry.folder) {
                continue;
            }
            const bool matches = hasWildcard(pattern) ? MatchesWildcard(entry.name, pattern)
                                                      : sameName(entry.name, pattern);
            if (matches) {
                return true;
            }
        }
    } catch (const Error&) {
    }
    return false;
}

const std::string kIconTextStart = "Na záložce \"Ikony\" jste označil použití souboru \"";

std::string missingIconFileText(int icon, const std::string& name) {
    return kIconTextStart + name + "\" pro vytvoření ikony " + iconNumber(icon) +
           ". Soubor uvedeného jména neexistuje, nelze pokračovat.";
}

// ---------------------------------------------------------------------------
// Checks that keep the script compilable and its names usable on Windows.

// How a message names a field: its label on the main window in quotes, and
// for an icon's other fields the part's label and the icon's number.
std::string fieldTitle(FieldId field) {
    const IconFieldRef ref = iconFieldRef(field);
    if (ref.icon < 0 || ref.part == IconPart::Name) {
        return "„" + textFieldLabel(field) + "“";
    }
    return "„" + std::string(iconPartLabel(ref.part)) + "“ ikony " + iconNumber(ref.icon);
}

struct FieldText {
    FieldId field;
    std::string_view value;
};

bool isNamedIcon(const IconEntry& icon) {
    return !icon.Name.empty();
}

bool iniLinesDue(const ProjectSettings& p) {
    return !p.IniFileName.empty() && (!p.IniKey1.empty() || !p.IniKey2.empty());
}

// The project's texts that the compiler reads constants in, in script order,
// each only when its line is written. Password, the licence and the two
// information files go in too, but the compiler takes their braces literally.
std::vector<FieldText> textsWithConstants(const ProjectSettings& p) {
    std::vector<FieldText> texts = {{FieldId::AppName, p.AppName},
                                    {FieldId::AppVerName, p.AppVerName},
                                    {FieldId::DefaultDirName, p.DefaultDirName},
                                    {FieldId::DefaultGroupName, p.DefaultGroupName},
                                    {FieldId::AppCopyright, p.AppCopyright}};
    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        if (isNamedIcon(icon)) {
            texts.insert(texts.end(), {{iconField(i, IconPart::Name), icon.Name},
                                       {iconField(i, IconPart::FileName), icon.FileName},
                                       {iconField(i, IconPart::Parameters), icon.Parameters},
                                       {iconField(i, IconPart::IconFile), icon.IconFile}});
        }
    }
    if (iniLinesDue(p)) {
        texts.insert(texts.end(),
                     {{FieldId::IniFileName, p.IniFileName}, {FieldId::IniSection, p.IniSection}});
        if (!p.IniKey1.empty()) {
            texts.insert(texts.end(),
                         {{FieldId::IniKey1, p.IniKey1}, {FieldId::IniValue1, p.IniValue1}});
        }
        if (!p.IniKey2.empty()) {
            texts.insert(texts.end(),
                         {{FieldId::IniKey2, p.IniKey2}, {FieldId::IniValue2, p.IniValue2}});
        }
    }
    return texts;
}

// The texts that become the name of a file or folder on the installed system.
std::vector<FieldText> installedNames(const ProjectSettings& p) {
    std::vector<FieldText> names = {{FieldId::DefaultDirName, p.DefaultDirName},
                                    {FieldId::DefaultGroupName, p.DefaultGroupName}};
    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        if (isNamedIcon(icon)) {
            names.push_back({iconField(i, IconPart::Name), icon.Name});
        }
    }
    if (iniLinesDue(p)) {
        names.push_back({FieldId::IniFileName, p.IniFileName});
    }
    return names;
}

// The installer's file name: OutputBaseFilename, else AppVerName, else
// AppName, with which the script fills an empty AppVerName.
FieldText installerName(const ProjectSettings& p) {
    if (!p.OutputBaseFilename.empty()) {
        return {FieldId::OutputBaseFilename, p.OutputBaseFilename};
    }
    return p.AppVerName.empty() ? FieldText{FieldId::AppName, p.AppName}
                                : FieldText{FieldId::AppVerName, p.AppVerName};
}

// The texts that name one file of the working folder: the licence and
// information files the compiler reads, and what the named icons start and
// show.
std::vector<FieldText> singleFileNames(const ProjectSettings& p) {
    std::vector<FieldText> names;
    for (const FieldText& file : {FieldText{FieldId::LicenceFile, p.LicenceFile},
                                  FieldText{FieldId::InfoBeforeFile, p.InfoBeforeFile},
                                  FieldText{FieldId::InfoAfterFile, p.InfoAfterFile},
                                  FieldText{FieldId::SetupIconFile, p.SetupIconFile}}) {
        if (!file.value.empty()) {
            names.push_back(file);
        }
    }
    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        if (isNamedIcon(icon)) {
            names.insert(names.end(), {{iconField(i, IconPart::FileName), icon.FileName},
                                       {iconField(i, IconPart::IconFile), icon.IconFile}});
        }
    }
    return names;
}

// Windows refuses these in a file or folder name (the separators of the
// folders in a path are allowed); the compiler also refuses a quote in an
// icon name.
constexpr std::string_view kForbiddenInNames = kForbiddenInWindowsNames.substr(2);
// The installer's name is one file name: the compiler refuses all of these
// in it (measured).
constexpr std::string_view kForbiddenInFileName = kForbiddenInWindowsNames;
// A wildcard names no file in particular: the compiler cannot read such a
// licence file, and a shortcut would lead nowhere.
constexpr std::string_view kWildcards = "*?";

// The installer starts by copying itself to "TEMP\is-XXXXX.tmp\NAME.tmp",
// which must stay within 259 characters: under wine (TEMP
// "C:\users\root\Temp") a name of 223 characters starts and one of 224 does
// not (measured). 200 leaves TEMP 41 characters, "C:\Users\" and a user
// name of 13 letters with "\AppData\Local\Temp". The compiler writes it
// into the working folder, whose file system holds names of 255 bytes in
// UTF-8, ".exe" included (measured: 251 bytes compile, 252 do not).
constexpr std::size_t kLongestInstallerName = 200;
constexpr std::size_t kLongestInstallerNameBytes = 255 - 4;
// The installer refuses a folder of more than 240 characters (measured:
// "The folder name or path is too long."); the script puts the name behind
// "{pf}\", which is "C:\Program Files (x86)\" on 64-bit Windows.
constexpr std::size_t kLongestFolderName = 240 - 23;

// The slices: the compiler makes at most 2,100,000,000 bytes, and the script
// writes a size only from 1,457,664 bytes on, else the compiler gets that
// size (a floppy's). The first slice holds the setup program, at least
// 533,813 bytes, in 512-byte clusters, the reserve, rounded up to clusters
// too, and at least one byte of the installation (measured).
constexpr std::int64_t kLargestSlice = 2100000000;
constexpr std::int64_t kSmallestWrittenSlice = 1457664;
constexpr std::int64_t kClusterSize = 512;
constexpr std::int64_t kSmallestSetupProgram = 1043 * kClusterSize;

// The compiler trims a parameter's value of blanks and control characters.
std::string_view trimmed(std::string_view text) {
    return TrimmedAsCompilerReads(text);
}

// Measured: " 5", "$10", "x10" compile; "1 2", "- 5", "2147483648" do not.
bool isCompilerInteger(std::string_view text) {
    return ParseCompilerInteger(text).has_value();
}

// Each problem: the error dialog, then the focus on the field's control.
bool reportField(Prompts& prompts, FieldId field, const std::string& text) {
    prompts.errorDialog(text);
    prompts.focusField(field);
    return false;
}

bool checkIconIndexes(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        if (!isNamedIcon(icon) || isCompilerInteger(icon.IconIndex)) {
            continue;
        }
        const std::string title = "Index ikony " + iconNumber(i);
        passed = reportField(prompts, iconField(i, IconPart::IconIndex),
                             trimmed(icon.IconIndex).empty() ? title + " zadat musíte!"
                                                             : title + " musí být celé číslo, „" +
                                                                   icon.IconIndex + "“ jím není!");
    }
    return passed;
}

// A tab passes the check of control characters, which every text may hold,
// but no file or folder name can hold it (the installer stops with "Název
// složky není platný." or makes no shortcut); it is named in words.
bool reportForbiddenCharacter(Prompts& prompts, const FieldText& name, std::string_view forbidden) {
    const std::size_t at = std::min(name.value.find_first_of(forbidden), name.value.find('\t'));
    if (at == std::string::npos) {
        return true;
    }
    const std::string character =
        name.value[at] == '\t' ? "tabulátor" : "znak „" + std::string(1, name.value[at]) + "“";
    return reportField(prompts, name.field,
                       "Pole " + fieldTitle(name.field) + " obsahuje " + character +
                           ", který nesmí být ve jménu souboru ani složky!");
}

// The parts of an installed name that Windows would not keep as names: "."
// and ".." lead to the folder itself or the one above it (so a shortcut could
// land anywhere, even in "C:\"), and a part of blanks only Windows drops, as
// it drops every name's trailing dots and blanks, so a folder of blanks is no
// folder at all. A name of separators only names nothing either.
bool checkNameParts(Prompts& prompts, FieldId field, const std::string& name) {
    if (name.empty()) {
        return true; // the required names' own message
    }
    const std::vector<std::string> parts = nameParts(name);
    const bool named = std::any_of(parts.begin(), parts.end(),
                                   [](const std::string& part) { return !part.empty(); });
    for (const std::string& part : parts) {
        if (!named || (!part.empty() && part.find_first_not_of(' ') == std::string::npos)) {
            return reportField(prompts, field,
                               "Pole " + fieldTitle(field) +
                                   " obsahuje jméno složené jen z mezer, které Windows vynechá, "
                                   "a cesta by tak vedla jinam, než má!");
        }
        if (!part.empty() && part.find_first_not_of(". ") == std::string::npos) {
            return reportField(prompts, field,
                               "Pole " + fieldTitle(field) + " obsahuje místo jména „" + part +
                                   "“, které Windows nečte jako jméno složky ani souboru, ale "
                                   "jako odkaz na složku, a cesta by tak vedla mimo svou složku!");
        }
    }
    return true;
}

// The installed names as they will be, their constants expanded; the
// installer's name as it is written, since the compiler expands nothing in it.
bool checkInstalledNames(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    std::vector<std::pair<FieldId, std::string>> names;
    for (const FieldText& name : installedNames(p)) {
        names.emplace_back(name.field, LiteralText(name.value));
        passed = reportForbiddenCharacter(prompts, {name.field, names.back().second},
                                          kForbiddenInNames) &&
                 passed;
        passed = checkNameParts(prompts, name.field, names.back().second) && passed;
    }
    for (const FieldText& name : singleFileNames(p)) {
        passed = reportForbiddenCharacter(prompts, name, kWildcards) && passed;
    }
    const FieldText installer = installerName(p);
    passed = reportForbiddenCharacter(prompts, installer, kForbiddenInFileName) && passed;
    names.emplace_back(installer.field, installer.value);
    for (const auto& [field, name] : names) {
        for (const std::string& part : nameParts(name)) {
            if (!WindowsDeviceName(part).empty()) {
                passed = reportField(prompts, field,
                                     "Pole " + fieldTitle(field) + " obsahuje jméno „" + part +
                                         "“, které systém Windows vyhrazuje pro zařízení, a "
                                         "nemůže proto být jménem souboru ani složky!");
                break;
            }
        }
    }
    return passed;
}

bool checkNameLengths(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    const FieldText installer = installerName(p);
    if (CountUtf8Characters(installer.value) > kLongestInstallerName ||
        installer.value.size() > kLongestInstallerNameBytes) {
        passed = reportField(prompts, installer.field,
                             "Pole " + fieldTitle(installer.field) +
                                 " je pro jméno instalačního souboru příliš dlouhé: smí mít "
                                 "nejvýše " +
                                 std::to_string(kLongestInstallerName) + " znaků a zároveň " +
                                 std::to_string(kLongestInstallerNameBytes) +
                                 " bajtů (písmeno s diakritikou zabere 2 bajty)!");
    }
    if (CountUtf8Characters(p.DefaultDirName) > kLongestFolderName) {
        passed = reportField(prompts, FieldId::DefaultDirName,
                             "Pole " + fieldTitle(FieldId::DefaultDirName) + " smí mít nejvýše " +
                                 std::to_string(kLongestFolderName) +
                                 " znaků, delší cestu ke složce programu by instalace odmítla!");
    }
    return passed;
}

// An [INI] line needs a section (the compiler refuses an empty one). A key
// line or section header that the profile reading rules would read otherwise
// loses its entry: a key ends at its first "=" (measured under wine), a line
// beginning with "[" is a section header and one with ";" a comment to many
// readers, and a section name ends at its first "]".
bool checkIniNames(const ProjectSettings& p, Prompts& prompts) {
    if (!iniLinesDue(p)) {
        return true;
    }
    bool passed = true;
    if (p.IniSection.empty()) {
        passed = reportField(prompts, FieldId::IniSection,
                             "Jméno sekce souboru .INI zadat musíte, jinak do něj záznamy zapsat "
                             "nelze!");
    } else if (p.IniSection.find(']') != std::string::npos) {
        passed = reportField(prompts, FieldId::IniSection,
                             "Pole " + fieldTitle(FieldId::IniSection) +
                                 " nesmí obsahovat znak „]“, sekce by se ze souboru .INI nedala "
                                 "přečíst!");
    }
    for (const FieldText& key :
         {FieldText{FieldId::IniKey1, p.IniKey1}, FieldText{FieldId::IniKey2, p.IniKey2}}) {
        const std::string_view name = trimmed(key.value);
        if (!name.empty() && (name.find('=') != std::string_view::npos || name.front() == '[' ||
                              name.front() == ';')) {
            passed = reportField(prompts, key.field,
                                 "Pole " + fieldTitle(key.field) +
                                     " nesmí obsahovat znak „=“ ani začínat znakem „[“ nebo „;“, "
                                     "záznam by se ze souboru .INI nedal přečíst!");
        }
    }
    return passed;
}

std::optional<std::int64_t> scriptInteger(const std::string& text) {
    try {
        return ParseInteger32(text);
    } catch (const ConvertError&) {
        return std::nullopt;
    }
}

// With disk spanning: a slice the compiler makes, and a reserve that the
// script writes (it leaves out one not below the slice size less one) and
// that leaves room for the setup program in the first slice. A number the
// script cannot read is left to its own message.
bool checkDiskSizes(const ProjectSettings& p, Prompts& prompts) {
    const auto size = p.DiskSpanning ? scriptInteger(p.DiskSize) : std::nullopt;
    const auto reserve = p.DiskSpanning ? scriptInteger(p.ReserveBytes) : std::nullopt;
    if (!size || !reserve) {
        return true;
    }
    bool passed = true;
    const std::string atMost = " smí obsahovat nejvýše číslo ";
    if (*size > kLargestSlice) {
        passed =
            reportField(prompts, FieldId::DiskSize,
                        "Pole " + fieldTitle(FieldId::DiskSize) + atMost +
                            std::to_string(kLargestSlice) + ", větší části kompilátor nevytvoří!");
    }
    if (*reserve < 0) {
        passed = reportField(prompts, FieldId::ReserveBytes,
                             "Pole " + fieldTitle(FieldId::ReserveBytes) +
                                 " nesmí obsahovat záporné číslo!");
    } else if (*size <= kLargestSlice) {
        const std::int64_t slice = std::max(*size, kSmallestWrittenSlice);
        const std::int64_t room =
            std::max<std::int64_t>(0, std::min(*size - 2, (slice - kSmallestSetupProgram - 1) /
                                                              kClusterSize * kClusterSize));
        if (*reserve > room) {
            passed = reportField(prompts, FieldId::ReserveBytes,
                                 "Pole " + fieldTitle(FieldId::ReserveBytes) + atMost +
                                     std::to_string(room) +
                                     ", víc místa v první části ponechat volné nelze!");
        }
    }
    return passed;
}

// The compiler trims the password, so the one typed would no longer open
// the installer.
bool checkPassword(const ProjectSettings& p, Prompts& prompts) {
    if (trimmed(p.Password).size() == p.Password.size()) {
        return true;
    }
    return reportField(prompts, FieldId::Password,
                       "Pole " + fieldTitle(FieldId::Password) +
                           " nesmí začínat ani končit mezerou, kompilátor by ji vynechal a "
                           "zadané heslo by neplatilo!");
}

// The compiler trims AppName and AppVerName and refuses them empty.
bool checkBlankAppNames(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (const FieldText& name :
         {FieldText{FieldId::AppName, p.AppName}, FieldText{FieldId::AppVerName, p.AppVerName}}) {
        if (!name.value.empty() && trimmed(name.value).empty()) {
            passed = reportField(prompts, name.field,
                                 "Pole " + fieldTitle(name.field) +
                                     " obsahuje jen mezery; kompilátor by ho vzal jako prázdné a "
                                     "instalaci by nevytvořil!");
        }
    }
    return passed;
}

// The shortcut an icon's name makes in the group: its folders and name, the
// separators as Windows reads them.
std::string shortcutPath(std::string_view name) {
    std::string path;
    for (const std::string& part : nameParts(name)) {
        if (!part.empty()) {
            path += (path.empty() ? "" : "\\") + part;
        }
    }
    return path;
}

// Two icons whose names Windows takes for one make one shortcut, and the
// other is lost without a word, as with the tree's case twins.
bool checkIconNamesDiffer(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        for (int earlier = 0; isNamedIcon(icon) && earlier < i; ++earlier) {
            const IconEntry& other = p.Icons[static_cast<std::size_t>(earlier)];
            if (isNamedIcon(other) &&
                SameNameIgnoringCase(shortcutPath(icon.Name), shortcutPath(other.Name))) {
                passed = reportField(
                    prompts, iconField(i, IconPart::Name),
                    "Pole " + fieldTitle(iconField(i, IconPart::Name)) +
                        " dává zástupci stejné jméno jako pole " +
                        fieldTitle(iconField(earlier, IconPart::Name)) +
                        " (Windows nerozlišuje velká a malá písmena), a instalace by tak "
                        "vytvořila jen jednoho z nich!");
                break;
            }
        }
    }
    return passed;
}

// A project's file name as the parts of its path inside the working folder,
// "." and ".." resolved; nothing when it leaves the folder: ".." above it, an
// absolute path ("\x", "/x") or a drive ("C:x").
std::optional<std::vector<std::string>> partsInWorkingFolder(std::string_view name) {
    const bool drive = name.size() >= 2 && name[1] == ':' &&
                       std::isalpha(static_cast<unsigned char>(name[0])) != 0;
    if (drive || (!name.empty() && isSeparator(name.front()))) {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    for (std::string& part : nameParts(name)) {
        if (part == "..") {
            if (parts.empty()) {
                return std::nullopt;
            }
            parts.pop_back();
        } else if (part != ".") {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

// Whether a file of the working folder lies in Output, which every build
// empties before the compiler reads anything.
bool liesInOutput(const std::vector<std::string>& parts) {
    return parts.size() > 1 && SameNameIgnoringCase(parts.front(), "Output");
}

// Why a build leaves a file of the working folder out of the installer, by
// the rules of the scan, or nothing when it installs it into the application
// folder.
std::string whyNotInstalled(const std::vector<std::string>& parts) {
    if (liesInOutput(parts)) {
        return "leží ve složce Output, kterou každé vytváření instalace vyprázdní";
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i].find('.') != std::string::npos) {
            return "leží ve složce „" + parts[i] +
                   "“, která se neinstaluje (název s tečkou nebo skrytá složka)";
        }
    }
    if (parts.size() > static_cast<std::size_t>(kDeepestScannedLevel) + 1) {
        return "leží hlouběji než " + std::to_string(kDeepestScannedLevel) +
               " úrovní pod zdrojovým adresářem";
    }
    if (parts.size() == 1 && SameNameIgnoringCase(parts.front(), "ISS")) {
        return "je skript instalace, který se neinstaluje";
    }
    if (parts.size() == 1 && IsTrueTypeFontName(parts.front())) {
        return "je písmo, které instalace ukládá do složky písem Windows, ne do složky programu";
    }
    return {};
}

// The one rule for every field that names a file of the working folder: the
// name stays inside it, so that nothing from elsewhere (a key of ~/.ssh) is
// packed into the installer unseen.
bool checkInWorkingFolder(Prompts& prompts, const FieldText& file) {
    if (partsInWorkingFolder(file.value)) {
        return true;
    }
    return reportField(prompts, file.field,
                       "Pole " + fieldTitle(file.field) + " uvádí soubor mimo zdrojový adresář („" +
                           std::string(file.value) +
                           "“); uvést lze jen soubor ve zdrojovém adresáři nebo v jeho podsložce!");
}

// The files the project names inside the working folder and what becomes of
// them: the compiler reads the licence and information files after Output
// has been emptied, and an icon's files must be installed into the
// application folder, or its shortcut leads nowhere.
bool checkWorkingFolderFiles(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (const FieldText& file : singleFileNames(p)) {
        if (!checkInWorkingFolder(prompts, file)) {
            passed = false;
            continue;
        }
        const std::vector<std::string> parts = *partsInWorkingFolder(file.value);
        const std::string shown =
            "Pole " + fieldTitle(file.field) + " uvádí soubor „" + std::string(file.value) + "“";
        if (iconFieldRef(file.field).icon >= 0) {
            if (const std::string why = whyNotInstalled(parts); !why.empty()) {
                passed = reportField(prompts, file.field,
                                     shown + ", který instalace nenainstaluje: " + why + "!");
            }
        } else if (liesInOutput(parts)) {
            passed = reportField(prompts, file.field,
                                 shown + " ve složce Output, kterou vytváření instalace před "
                                         "kompilací vyprázdní, takže by ho kompilátor nenašel!");
        }
    }
    return passed;
}

// Inno Setup 5.5 makes no installers for Windows 95, 98 and Me, so a project
// that refuses the NT family allows no Windows the installer could run on
// (the compiler adapter refuses its script).
bool checkSupportedWindows(const ProjectSettings& p, Prompts& prompts) {
    if (p.WinNT != kDisabledVersion) {
        return true;
    }
    return reportField(prompts, FieldId::WinNT,
                       "Ve skupině „" + windowLabel(FieldId::WinNT) + "“ je zvoleno „" +
                           std::string(kWinNTItems[kDisabledVersion]) +
                           "“, ale Inno Setup 5.5 instalace pro Windows 95, 98 a Me už nevytváří, "
                           "a instalace by se tak nedala spustit v žádné verzi Windows!");
}

// The texts the script appends to a folder ("{pf}\", "{group}\", "{app}\"):
// a constant that stands for a path makes a second drive in the middle.
bool appendedToFolder(FieldId field) {
    const IconFieldRef ref = iconFieldRef(field);
    if (ref.icon >= 0) {
        return ref.part != IconPart::Parameters;
    }
    return field == FieldId::DefaultDirName || field == FieldId::DefaultGroupName ||
           field == FieldId::IniFileName;
}

// The [Setup] texts, which the installer expands before the wizard's pages.
bool expandedBeforeWizard(FieldId field) {
    return field == FieldId::AppVerName || field == FieldId::AppCopyright ||
           field == FieldId::DefaultDirName || field == FieldId::DefaultGroupName;
}

constexpr std::string_view kLiteralBrace = " Samotný znak „{“ se zapisuje jako „{{“.";

// The texts that may hold no constant at all, and how a message names them:
// AppName would name the application before the installer can expand it,
// and the publisher goes into the installer's version info, which the
// compiler writes as it stands.
std::string_view namedWithoutConstants(FieldId field) {
    if (field == FieldId::AppName) {
        return "v názvu programu";
    }
    if (field == FieldId::AppPublisher) {
        return "ve jménu vydavatele (zapisuje se i do vlastností instalačního souboru)";
    }
    return {};
}

// What the compiler or the installer would refuse in a text's constants: a
// "{" that no "}" closes, any constant in AppName (it would name the
// application before the installer can expand it), one the compiler does not
// know, and one the installer cannot expand where the text is used.
std::optional<std::string> constantProblem(const FieldText& text) {
    const std::vector<ScriptConstant> constants = ScriptConstants(text.value);
    const std::string title = "Pole " + fieldTitle(text.field);
    if (!constants.empty() && !constants.back().closed) {
        return title + " obsahuje znak „{“ bez uzavírací závorky „}“!" + std::string(kLiteralBrace);
    }
    for (const ScriptConstant& constant : constants) {
        const std::string shown = "„{" + std::string(constant.name) + "}“";
        if (const std::string_view name = namedWithoutConstants(text.field); !name.empty()) {
            return title + " obsahuje konstantu " + shown + ", ale " + std::string(name) +
                   " konstanty být nesmějí!" + std::string(kLiteralBrace);
        }
        const ConstantTraits traits = TraitsOfConstant(constant.name);
        if (!traits.known) {
            return title + " obsahuje konstantu " + shown + ", kterou kompilátor nezná!" +
                   std::string(kLiteralBrace);
        }
        if ((traits.afterWizard && expandedBeforeWizard(text.field)) ||
            (traits.path && appendedToFolder(text.field))) {
            return title + " obsahuje konstantu " + shown +
                   ", kterou instalace v tomto poli použít nedokáže!";
        }
    }
    return std::nullopt;
}

bool checkConstants(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (const FieldText& text : textsWithConstants(p)) {
        if (const auto problem = constantProblem(text)) {
            passed = reportField(prompts, text.field, *problem);
        }
    }
    return passed;
}

// A script line ends at a line break and the compiler stops at a NUL; no
// control character but the tab can stand in a value.
bool checkControlCharacters(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (const FieldInfo& field : projectFields()) {
        if (fieldKind(field.id) != FieldKind::Text) {
            continue;
        }
        const std::string text = std::get<std::string>(getField(p, field.id));
        const auto control = std::find_if(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < ' ' && byte != '\t') || byte == 0x7F;
        });
        if (control != text.end()) {
            passed = reportField(prompts, field.id,
                                 "Pole " + fieldTitle(field.id) + " obsahuje řídicí znak (kód " +
                                     std::to_string(static_cast<unsigned char>(*control)) +
                                     "), který skript instalace nedokáže zapsat!");
        }
    }
    return passed;
}

// ---------------------------------------------------------------------------
// The section "Vydání".

const std::string kOnPublishingPage = "Na záložce „Vydání“ ";

// A per-user install proposes the folder under "{localappdata}\Programs\",
// "C:\Users\" and a user name of 13 letters with "\AppData\Local\Programs\",
// longer than Program Files by 23 characters.
constexpr std::size_t kLongestUserFolderName = kLongestFolderName - 23;

// The native path of the file a name without wildcards means under
// sourceFolder, found as Windows finds it; nothing when there is none.
std::optional<std::string> foundFilePath(const std::string& sourceFolder, const std::string& name) {
    const std::vector<std::string> parts = nameParts(name);
    const auto folder = folderOfName(sourceFolder, parts);
    const auto entry = folder ? findEntry(*folder, parts.back()) : std::nullopt;
    if (!entry || entry->folder) {
        return std::nullopt;
    }
    return *folder + entry->name;
}

// The setup icon is an icon file of the working folder: the compiler puts
// it into the installer as it is.
bool checkSetupIcon(const ProjectSettings& p, const std::string& sourceFolder, Prompts& prompts) {
    const std::string& name = p.SetupIconFile;
    if (name.empty()) {
        return true;
    }
    const std::string title = "Pole " + fieldTitle(FieldId::SetupIconFile);
    // A wildcard or a name that leaves the working folder is reported with
    // the other files' names (singleFileNames).
    if (hasWildcard(name) || !partsInWorkingFolder(name)) {
        return false;
    }
    const auto path = foundFilePath(sourceFolder, name);
    if (!path) {
        return reportField(prompts, FieldId::SetupIconFile,
                           title + " uvádí soubor „" + name +
                               "“, který v pracovním adresáři není!");
    }
    IconSource icon;
    try {
        icon = LoadIconSource(*path);
    } catch (const Error&) {
        // unreadable: not an icon file to the compiler either
    }
    if (icon.format() != IconSource::Format::Ico || !icon.image(0)) {
        return reportField(prompts, FieldId::SetupIconFile,
                           title + " uvádí soubor „" + name +
                               "“, který není soubor s ikonou (.ico)!");
    }
    return true;
}

// The program the last page offers and the icon of the list of programs
// come from an icon the installer creates (one with a name) that has them.
bool checkPublishedIcons(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    if (p.RunAfterInstall >= 1 && p.RunAfterInstall <= kIconCount) {
        const int i = p.RunAfterInstall - 1;
        const IconEntry& icon = p.Icons[static_cast<std::size_t>(i)];
        if (!isNamedIcon(icon) || icon.FileName.empty()) {
            passed = reportField(prompts, FieldId::RunAfterInstall,
                                 kOnPublishingPage +
                                     "má instalace na konci nabídnout spuštění programu ikony " +
                                     iconNumber(i) + ", ikona " + iconNumber(i) +
                                     " ale musí mít vyplněné jméno i spouštěný soubor!");
        }
    }
    const IconEntry& first = p.Icons[0];
    if (p.UninstallDisplayIcon && (!isNamedIcon(first) || first.IconFile.empty())) {
        passed = reportField(prompts, FieldId::UninstallDisplayIcon,
                             kOnPublishingPage +
                                 "má seznam programů Windows ukázat ikonu č.1, ikona č.1 ale musí "
                                 "mít vyplněné jméno i spouštěný soubor nebo soubor s ikonou!");
    }
    return passed;
}

// A per-user install has no administrator's rights, which Windows asks for
// to add a font or to write into its own folders, and proposes a longer
// folder.
bool checkPerUserInstall(const ProjectSettings& p, const std::string& sourceFolder,
                         Prompts& prompts) {
    if (!p.PerUserInstall) {
        return true;
    }
    bool passed = true;
    std::vector<std::string> fonts;
    try {
        fonts = ListEntries(sourceFolder, "*.ttf", EntryFilter::AllFiles);
    } catch (const Error&) {
        // the script's own walk names a folder it cannot read
    }
    if (!fonts.empty()) {
        passed = reportField(prompts, FieldId::PerUserInstall,
                             kOnPublishingPage +
                                 "je zaškrtnutá instalace jen pro přihlášeného uživatele, pracovní "
                                 "adresář ale obsahuje písmo „" +
                                 fonts.front() +
                                 "“ a písma smí do systému Windows instalovat jen správce!");
    }
    if (iniLinesDue(p) && p.IniLocation > 0 &&
        p.IniLocation < static_cast<int>(kIniLocationItems.size())) {
        std::string folder(kIniLocationItems[static_cast<std::size_t>(p.IniLocation)]);
        folder.front() = 'v';
        passed = reportField(prompts, FieldId::IniLocation,
                             kOnPublishingPage +
                                 "je zaškrtnutá instalace jen pro přihlášeného uživatele, soubor "
                                 ".INI má ale ležet " +
                                 folder + ", kam smí zapisovat jen správce!");
    }
    const std::size_t length = CountUtf8Characters(p.DefaultDirName);
    if (p.InstallToProgramFiles && length > kLongestUserFolderName &&
        length <= kLongestFolderName) {
        passed = reportField(prompts, FieldId::DefaultDirName,
                             "Pole " + fieldTitle(FieldId::DefaultDirName) +
                                 " smí mít při instalaci jen pro přihlášeného uživatele nejvýše " +
                                 std::to_string(kLongestUserFolderName) +
                                 " znaků, delší cestu ke složce programu by instalace odmítla!");
    }
    return passed;
}

// The section's texts that the compiler reads constants in.
bool checkPublishingTexts(const ProjectSettings& p, Prompts& prompts) {
    bool passed = true;
    for (const FieldText& text : {FieldText{FieldId::AppVersion, p.AppVersion},
                                  FieldText{FieldId::AppPublisher, p.AppPublisher},
                                  FieldText{FieldId::AppPublisherURL, p.AppPublisherURL}}) {
        if (const auto problem = constantProblem(text)) {
            passed = reportField(prompts, text.field, *problem);
        }
    }
    return passed;
}

bool checkPublishing(const ProjectSettings& p, const std::string& sourceFolder, Prompts& prompts) {
    bool passed = checkSetupIcon(p, sourceFolder, prompts);
    passed = checkPublishedIcons(p, prompts) && passed;
    passed = checkPerUserInstall(p, sourceFolder, prompts) && passed;
    return checkPublishingTexts(p, prompts) && passed;
}

} // namespace

bool IsFilePresent(const std::string& sourceFolder, const std::string& name) {
    const std::vector<std::string> parts = nameParts(name);
    const std::string& last = parts.back();
    if (last.empty()) {
        return false;
    }
    const auto folder = folderOfName(sourceFolder, parts);
    if (!folder) {
        return false;
    }
    if (!hasWildcard(last)) {
        const FileAttributes exact = GetFileAttributes(*folder + last);
        if (exact.exists && !exact.folder) {
            return true;
        }
    }
    return anyFileMatches(*folder, last);
}

bool ValidateProject(ProjectSettings& project, const std::string& sourceFolder, Prompts& prompts,
                     ChangeLog* log) {
    bool passed = true;

    struct RequiredName {
        FieldId field;
        const std::string& value;
        const char* text;
    };
    const std::array<RequiredName, 3> required = {{
        {FieldId::AppName, project.AppName, "Jméno aplikace zadat musíte!"},
        {FieldId::DefaultDirName, project.DefaultDirName,
         "Jméno adresáře, kam se bude program instalovat zadat musíte!"},
        {FieldId::DefaultGroupName, project.DefaultGroupName,
         "Název programové skupiny zadat musíte, i když máte zaškrtnutou volbu \"nevytvářet "
         "žádné programové ikony\"!"},
    }};
    for (const auto& r : required) {
        if (r.value.empty()) {
            passed = reportField(prompts, r.field, r.text);
        }
    }

    for (const std::string* file :
         {&project.LicenceFile, &project.InfoBeforeFile, &project.InfoAfterFile}) {
        if (!file->empty() && !IsFilePresent(sourceFolder, *file)) {
            prompts.message("Na záložce \"Ostatní\" jste označil použití souboru " + *file +
                            ". Musíte ho nejprve vytvořit.");
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.FileName.empty() && !IsFilePresent(sourceFolder, icon.FileName)) {
            prompts.message(missingIconFileText(i, icon.FileName));
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.FileName.empty() && icon.IconFile.empty()) {
            setText(project, iconField(i, IconPart::IconFile), icon.FileName, log);
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.IconFile.empty() && !IsFilePresent(sourceFolder, icon.IconFile)) {
            prompts.message(missingIconFileText(i, icon.IconFile));
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if ((icon.OnDesktop || icon.InStartup) && icon.Name.empty()) {
            prompts.message("Pokud chcete vytvořit ikonu " + iconNumber(i) +
                            ", musíte o ní nejprve zadat nějaké údaje. Nelze pokračovat.");
            passed = false;
        }
    }

    // Whatever the compiler or Windows would refuse, refused before a script
    // is written, so that a project that passes always compiles.
    passed = checkIconIndexes(project, prompts) && passed;
    passed = checkInstalledNames(project, prompts) && passed;
    passed = checkConstants(project, prompts) && passed;
    passed = checkNameLengths(project, prompts) && passed;
    passed = checkIniNames(project, prompts) && passed;
    passed = checkDiskSizes(project, prompts) && passed;
    passed = checkPassword(project, prompts) && passed;
    passed = checkBlankAppNames(project, prompts) && passed;
    passed = checkIconNamesDiffer(project, prompts) && passed;
    passed = checkWorkingFolderFiles(project, prompts) && passed;
    passed = checkSupportedWindows(project, prompts) && passed;
    passed = checkPublishing(project, sourceFolder, prompts) && passed;
    passed = checkControlCharacters(project, prompts) && passed;
    return passed;
}

} // namespace tornavel
