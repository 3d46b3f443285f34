#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tornavel {

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
// RunAfterInstall: none, then the icons by number.
inline constexpr std::array<std::string_view, 6> kRunAfterInstallItems = {
    "nenabízet", "ikona č.1", "ikona č.2", "ikona č.3", "ikona č.4", "ikona č.5"};

// ---------------------------------------------------------------------------
// The types of the fields, as project/ProjectFields.def names them.

enum class FieldKind { Text, Boolean, Integer, Colour };

// What a position read from a project file becomes when it lies outside its list.
enum class OutOfList {
    NearestEnd, // -1 below the list, the last entry above it
    NoneSelected,
};

struct FieldType {
    FieldKind kind;
    int items = 0; // Integer: the entries of the list whose position it is
    OutOfList outOfList = OutOfList::NoneSelected;
};

namespace fieldtype {
inline constexpr FieldType Text{FieldKind::Text};
inline constexpr FieldType Boolean{FieldKind::Boolean};
inline constexpr FieldType Colour{FieldKind::Colour};
constexpr FieldType Choice(std::size_t items) {
    return {FieldKind::Integer, static_cast<int>(items), OutOfList::NearestEnd};
}
constexpr FieldType Pick(std::size_t items) {
    return {FieldKind::Integer, static_cast<int>(items), OutOfList::NoneSelected};
}
} // namespace fieldtype

template <FieldKind> struct FieldStorage;
template <> struct FieldStorage<FieldKind::Text> { using type = std::string; };
template <> struct FieldStorage<FieldKind::Boolean> { using type = bool; };
template <> struct FieldStorage<FieldKind::Integer> { using type = int; };
template <> struct FieldStorage<FieldKind::Colour> { using type = std::uint32_t; };
// The member type of a field of type T (a fieldtype:: value).
#define TORNAVEL_FIELD_STORAGE(T) FieldStorage<fieldtype::T.kind>::type

// ---------------------------------------------------------------------------
// The record.

inline constexpr int kIconCount = 5;

// The fields of one IconEntry, numbered as the project file's keys ("Ikona1-1".."Ikona5-8").
enum class IconPart : int {
#define TORNAVEL_ICON_FIELD(Name, ...) Name,
#include "project/ProjectFields.def"
};
inline constexpr int kIconPartCount = static_cast<int>(std::size({
#define TORNAVEL_ICON_FIELD(...) 1,
#include "project/ProjectFields.def"
}));

// One Start-menu icon of the project.
struct IconEntry {
#define TORNAVEL_ICON_FIELD(Name, Type, Start, ...) TORNAVEL_FIELD_STORAGE(Type) Name = Start;
#include "project/ProjectFields.def"

    bool operator==(const IconEntry&) const = default;
};

// All values of one installer project. The member initialisers are the values
// a project has right after program start (the form's design values with New
// project applied); formDefaults() gives the form's design values alone.
struct ProjectSettings {
#define TORNAVEL_FIELD(Name, Type, Start, ...) TORNAVEL_FIELD_STORAGE(Type) Name = Start;
#define TORNAVEL_ICON_FIELDS std::array<IconEntry, kIconCount> Icons{};
#include "project/ProjectFields.def"

    bool operator==(const ProjectSettings&) const = default;

    // The window's design values, shown only when start-up ends before New.
    static ProjectSettings formDefaults();
};

#undef TORNAVEL_FIELD_STORAGE

// ---------------------------------------------------------------------------
// Fields by identity, so that the core can report which fields an operation
// changed, in order, and the window can write back exactly those. The order
// is that of project/ProjectFields.def.

inline constexpr int kFieldCount = kIconCount * kIconPartCount + static_cast<int>(std::size({
#define TORNAVEL_FIELD(...) 1,
#include "project/ProjectFields.def"
                                                                 }));

enum class FieldId : int {
#define TORNAVEL_FIELD(Name, ...) Name,
#define TORNAVEL_ICON_FIELDS                                                                       \
    FirstIconField, LastIconField = FirstIconField + kIconCount * kIconPartCount - 1,
#include "project/ProjectFields.def"
};

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

// The sections of the project file.
enum class FileSection {
#define TORNAVEL_SECTION(Id, ...) Id,
#include "project/ProjectFields.def"
};

// What project/ProjectFields.def says about one field.
struct FieldInfo {
    FieldId id;
    FieldType type;
    FileSection section;
    std::string key;          // the project file's key
    std::string_view control; // object name of the window's control; empty for none
    // What names the field on the window, as shown there: a label (lines
    // joined by "\n"), a caption or a title; "%1" stands for an icon's number.
    std::string_view label;
};
// Every field in FieldId order, the order of project/ProjectFields.def.
const std::array<FieldInfo, kFieldCount>& projectFields();
const FieldInfo& fieldInfo(FieldId id);

// A section's name in the project file, and its place among the sections when
// Save As (saveAs true) or Save writes them.
std::string_view sectionName(FileSection section);
int sectionPosition(FileSection section, bool saveAs);

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

// Stores a value into a field as it is: no rule, no log. For copying a record
// from somewhere that already holds it, such as the window's controls.
void assignField(ProjectSettings& s, FieldId id, const FieldValue& value);

// Convenience wrappers of setField.
void setText(ProjectSettings& s, FieldId id, std::string value, ChangeLog* log = nullptr);
void setBool(ProjectSettings& s, FieldId id, bool value, ChangeLog* log = nullptr);
void setInt(ProjectSettings& s, FieldId id, long long value, ChangeLog* log = nullptr);

// New project: resets the project to its defaults in the order the window's
// New does it, the fields of the section "Vydání" to their start values,
// then Password, ShowLanguageDialog, BackColorDirection and the five HotKey
// values to a started program's values, so every field is as at start.
void NewProject(ProjectSettings& s, ChangeLog* log = nullptr);

} // namespace tornavel
