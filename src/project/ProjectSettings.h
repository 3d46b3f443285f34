#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tornavel {

// One Start-menu icon of the project.
struct IconEntry {
    std::string Name;
    std::string FileName;
    std::string Parameters;
    std::string IconFile;
    std::string IconIndex = "0";
    int HotKey = -1; // position in HotKeyChoices; -1 and 0 mean no shortcut key
    bool OnDesktop = false;
    bool InStartup = false;

    bool operator==(const IconEntry&) const = default;
};

inline constexpr int kIconCount = 5;

// All values of one installer project. The member initialisers are the values
// a project has right after program start (the form's design values with New
// project applied); formDefaults() gives the form's design values alone.
struct ProjectSettings {
    // Page "Základní nastavení"
    std::string AppName = "Můj program";
    std::string AppVerName = "Můj program verze 1.0";
    std::string DefaultDirName = "Můj program";
    std::string DefaultGroupName = "Můj program";
    std::string Password;
    std::string AppCopyright = "© Ing. Já a synové";
    bool InstallToProgramFiles = true;
    bool DisableDirPage = false;
    bool ShowLanguageDialog = false;

    // Page "Diskety"
    bool DiskSpanning = false;
    std::string DiskSize = "1457664";
    std::string ReserveBytes = "0";

    // No control: the face name of the last TrueType font a build found.
    std::string Font;

    // Page "Ostatní"
    int Win = 2;   // -1..4, 4 = "zakázat"
    int WinNT = 1; // -1..4, 4 = "zakázat"
    std::string LicenceFile;
    std::string InfoBeforeFile;
    std::string InfoAfterFile;
    int BackgroundColor = 11;                // position in BackgroundColors, -1 = none
    std::uint32_t PreviewColor = 0x00FF0000; // red in the lowest byte: blue
    bool AlwaysRestart = false;
    bool Uninstallable = false; // set means: NO uninstaller
    bool BackSolid = true;      // set means: gradient into black
    bool BackColorDirection = false;
    bool WindowVisible = true;

    // Page "Ikony"
    std::array<IconEntry, kIconCount> Icons{};
    bool AllowNoIcons = true;
    bool DisableProgramGroupPage = false;

    // Page "INI"
    std::string IniFileName;
    int IniLocation = 0; // -1..2
    std::string IniSection;
    std::string IniKey1;
    std::string IniValue1;
    std::string IniKey2;
    std::string IniValue2;
    bool IniDeleteOnUninstall = false;

    bool operator==(const ProjectSettings&) const = default;

    // The window's design values, shown only when start-up ends before New.
    static ProjectSettings formDefaults();
};

// ---------------------------------------------------------------------------
// Fields by identity, so that the core can report which fields an operation
// changed, in order, and the window can write back exactly those.

enum class FieldId : int {
    AppName,
    AppVerName,
    DefaultDirName,
    DefaultGroupName,
    Password,
    AppCopyright,
    InstallToProgramFiles,
    DisableDirPage,
    ShowLanguageDialog,
    DiskSpanning,
    DiskSize,
    ReserveBytes,
    Font,
    Win,
    WinNT,
    LicenceFile,
    InfoBeforeFile,
    InfoAfterFile,
    BackgroundColor,
    PreviewColor,
    AlwaysRestart,
    Uninstallable,
    BackSolid,
    BackColorDirection,
    WindowVisible,
    AllowNoIcons,
    DisableProgramGroupPage,
    IniFileName,
    IniLocation,
    IniSection,
    IniKey1,
    IniValue1,
    IniKey2,
    IniValue2,
    IniDeleteOnUninstall,
    FirstIconField, // then 8 fields per icon, in IconPart order
};

// The fields of one IconEntry, numbered as the project file's keys ("Ikona1-1".."Ikona5-8").
enum class IconPart : int {
    Name,
    FileName,
    Parameters,
    IconFile,
    IconIndex,
    HotKey,
    OnDesktop,
    InStartup
};
inline constexpr int kIconPartCount = 8;
inline constexpr int kFieldCount =
    static_cast<int>(FieldId::FirstIconField) + kIconCount * kIconPartCount;

// icon: 0..4
constexpr FieldId iconField(int icon, IconPart part) {
    return static_cast<FieldId>(static_cast<int>(FieldId::FirstIconField) + icon * kIconPartCount +
                                static_cast<int>(part));
}
// For an icon field: which icon (0..4) and which part; icon is -1 for other fields.
struct IconFieldRef {
    int icon = -1;
    IconPart part = IconPart::Name;
};
IconFieldRef iconFieldRef(FieldId id);

enum class FieldKind { Text, Boolean, Integer, Colour };
FieldKind fieldKind(FieldId id);

using FieldValue = std::variant<std::string, bool, long long>;

FieldValue getField(const ProjectSettings& s, FieldId id);

// The fields an operation changed, in the order it changed them. A field set to
// its present value is not a change and is not recorded.
using ChangeLog = std::vector<FieldId>;

// Stores a value into a field. Records the change in log (when given) only when
// the value differs. Keeps the rule that Win and WinNT are never both 4: making
// one of them 4 while the other is 4 moves the other to 1 (recorded after it).
// A value of the wrong kind for the field is ignored.
void setField(ProjectSettings& s, FieldId id, const FieldValue& value, ChangeLog* log = nullptr);

// Convenience wrappers of setField.
void setText(ProjectSettings& s, FieldId id, std::string value, ChangeLog* log = nullptr);
void setBool(ProjectSettings& s, FieldId id, bool value, ChangeLog* log = nullptr);
void setInt(ProjectSettings& s, FieldId id, long long value, ChangeLog* log = nullptr);

// New project: resets the project to its defaults in the order the window's
// New does it. Leaves Password, ShowLanguageDialog, BackColorDirection and the
// five HotKey values alone.
void NewProject(ProjectSettings& s, ChangeLog* log = nullptr);

// ---------------------------------------------------------------------------
// Fixed lists.

struct BackgroundColorEntry {
    std::string_view name;       // as the list "Pozadi" shows it
    std::uint32_t previewColor;  // red in the lowest byte
    std::string_view scriptLine; // the installer script's [Setup] line
};
inline constexpr int kBackgroundColorCount = 16;
extern const std::array<BackgroundColorEntry, kBackgroundColorCount> BackgroundColors;

inline constexpr std::uint32_t rgbColor(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

inline constexpr int kHotKeyChoiceCount = 103;
// "", "Ctrl+A".."Ctrl+Z", "Alt+A".."Alt+Z", "Ctrl+Alt+A".."Ctrl+Alt+Z", "F1".."F12",
// "Ctrl+F1".."Ctrl+F12"
const std::vector<std::string>& HotKeyChoices();
// The text of a HotKey position; empty for -1, 0 and anything outside the list.
std::string hotKeyText(int hotKey);

// Items of the radio groups, by position.
inline constexpr std::array<std::string_view, 5> kWinItems = {
    "Windows 95", "Windows 98", "Windows 98 SE", "Windows Me", "zakázat"};
inline constexpr std::array<std::string_view, 5> kWinNTItems = {
    "Windows NT 3.x", "Windows NT 4.x", "Windows 2000", "Windows XP", "zakázat"};
inline constexpr std::array<std::string_view, 3> kIniLocationItems = {
    "V adresáři aplikace", "V adresáři Windows", "V systémovém adresáři Windows"};
inline constexpr int kDisabledVersion = 4; // "zakázat"

} // namespace tornavel
