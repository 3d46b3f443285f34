#include "project/ProjectSettings.h"

namespace tornavel {
namespace {

using FieldSlot = std::variant<std::string*, bool*, int*, std::uint32_t*>;

FieldSlot slotOf(ProjectSettings& s, FieldId id) {
    switch (id) {
#define TORNAVEL_FIELD(Name, ...)                                                                  \
    case FieldId::Name:                                                                            \
        return &s.Name;
#include "project/ProjectFields.def"
    default:
        break;
    }
    const IconFieldRef ref = iconFieldRef(id);
    IconEntry& e = s.Icons.at(static_cast<std::size_t>(ref.icon));
    switch (ref.part) {
#define TORNAVEL_ICON_FIELD(Name, ...)                                                             \
    case IconPart::Name:                                                                           \
        return &e.Name;
#include "project/ProjectFields.def"
    }
    return &e.Name;
}

struct SectionInfo {
    std::string_view name;
    int saveAsPosition;
    int savePosition;
};

constexpr SectionInfo kSections[] = {
#define TORNAVEL_SECTION(Id, Name, SaveAsPosition, SavePosition)                                   \
    {Name, SaveAsPosition, SavePosition},
#include "project/ProjectFields.def"
};

struct IconPartInfo {
    FieldType type;
    std::string_view label;
    std::array<std::string_view, kIconCount> controls;
};

constexpr IconPartInfo kIconParts[] = {
#define TORNAVEL_ICON_FIELD(Name, Type, Start, Label, ...) {fieldtype::Type, Label, {__VA_ARGS__}},
#include "project/ProjectFields.def"
};

std::array<FieldInfo, kFieldCount> makeFieldTable() {
    std::array<FieldInfo, kFieldCount> table{};
    std::size_t next = 0;
    const auto add = [&](FieldInfo info) { table.at(next++) = std::move(info); };
#define TORNAVEL_FIELD(Name, Type, Start, Section, Key, Control, Label)                            \
    add({FieldId::Name, fieldtype::Type, FileSection::Section, Key, Control, Label});
#define TORNAVEL_ICON_FIELDS                                                                       \
    for (int icon = 0; icon < kIconCount; ++icon) {                                                \
        for (int part = 0; part < kIconPartCount; ++part) {                                        \
            const IconPartInfo& p = kIconParts[part];                                              \
            add({iconField(icon, static_cast<IconPart>(part)), p.type, FileSection::Ikony,         \
                 "Ikona" + std::to_string(icon + 1) + "-" + std::to_string(part + 1),              \
                 p.controls[static_cast<std::size_t>(icon)], p.label});                            \
        }                                                                                          \
    }
#include "project/ProjectFields.def"
    return table;
}

// Stores value into the slot; true when the stored value changed.
bool store(FieldSlot slot, const FieldValue& value) {
    if (auto* text = std::get_if<std::string*>(&slot)) {
        const auto* v = std::get_if<std::string>(&value);
        if (!v || **text == *v) {
            return false;
        }
        **text = *v;
        return true;
    }
    if (auto* flag = std::get_if<bool*>(&slot)) {
        const auto* v = std::get_if<bool>(&value);
        if (!v || **flag == *v) {
            return false;
        }
        **flag = *v;
        return true;
    }
    const auto* v = std::get_if<long long>(&value);
    if (!v) {
        return false;
    }
    if (auto* number = std::get_if<int*>(&slot)) {
        const int n = static_cast<int>(*v);
        if (**number == n) {
            return false;
        }
        **number = n;
        return true;
    }
    auto* colour = std::get<std::uint32_t*>(slot);
    const auto c = static_cast<std::uint32_t>(*v);
    if (*colour == c) {
        return false;
    }
    *colour = c;
    return true;
}

} // namespace

IconFieldRef iconFieldRef(FieldId id) {
    const int n = static_cast<int>(id) - static_cast<int>(FieldId::FirstIconField);
    if (n < 0 || n >= kIconCount * kIconPartCount) {
        return {};
    }
    return {n / kIconPartCount, static_cast<IconPart>(n % kIconPartCount)};
}

const std::array<FieldInfo, kFieldCount>& projectFields() {
    static const std::array<FieldInfo, kFieldCount> table = makeFieldTable();
    return table;
}

const FieldInfo& fieldInfo(FieldId id) {
    return projectFields().at(static_cast<std::size_t>(id));
}

std::string_view sectionName(FileSection section) {
    return kSections[static_cast<std::size_t>(section)].name;
}

int sectionPosition(FileSection section, bool saveAs) {
    const SectionInfo& info = kSections[static_cast<std::size_t>(section)];
    return saveAs ? info.saveAsPosition : info.savePosition;
}

FieldKind fieldKind(FieldId id) {
    return fieldInfo(id).type.kind;
}

FieldValue getField(const ProjectSettings& s, FieldId id) {
    const FieldSlot slot = slotOf(const_cast<ProjectSettings&>(s), id);
    return std::visit(
        [](auto* p) -> FieldValue {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, bool>) {
                return *p;
            } else {
                return static_cast<long long>(*p);
            }
        },
        slot);
}

void setField(ProjectSettings& s, FieldId id, const FieldValue& value, ChangeLog* log) {
    if (!store(slotOf(s, id), value)) {
        return;
    }
    if (log) {
        log->push_back(id);
    }
    // The two minimum-version choices never both refuse their whole family.
    if (id == FieldId::Win && s.Win == kDisabledVersion && s.WinNT == kDisabledVersion) {
        setField(s, FieldId::WinNT, 1LL, log);
    } else if (id == FieldId::WinNT && s.WinNT == kDisabledVersion && s.Win == kDisabledVersion) {
        setField(s, FieldId::Win, 1LL, log);
    }
}

void assignField(ProjectSettings& s, FieldId id, const FieldValue& value) {
    store(slotOf(s, id), value);
}

void setText(ProjectSettings& s, FieldId id, std::string value, ChangeLog* log) {
    setField(s, id, FieldValue(std::move(value)), log);
}
void setBool(ProjectSettings& s, FieldId id, bool value, ChangeLog* log) {
    setField(s, id, FieldValue(value), log);
}
void setInt(ProjectSettings& s, FieldId id, long long value, ChangeLog* log) {
    setField(s, id, FieldValue(value), log);
}

ProjectSettings ProjectSettings::formDefaults() {
    ProjectSettings s;
    s.Win = 0;
    s.BackgroundColor = -1;
    s.WindowVisible = false;
    s.AllowNoIcons = false;
    return s;
}

void NewProject(ProjectSettings& s, ChangeLog* log) {
    setText(s, FieldId::AppName, "Můj program", log);
    setText(s, FieldId::AppVerName, "Můj program verze 1.0", log);
    setText(s, FieldId::DefaultDirName, "Můj program", log);
    setText(s, FieldId::DefaultGroupName, "Můj program", log);
    setText(s, FieldId::AppCopyright, "© Ing. Já a synové", log);
    setBool(s, FieldId::InstallToProgramFiles, true, log);
    setBool(s, FieldId::DisableProgramGroupPage, false, log);
    setBool(s, FieldId::DiskSpanning, false, log);
    setText(s, FieldId::DiskSize, "1457664", log);
    setText(s, FieldId::ReserveBytes, "0", log);
    setInt(s, FieldId::Win, 2, log);
    setInt(s, FieldId::WinNT, 1, log);
    setText(s, FieldId::LicenceFile, "", log);
    setText(s, FieldId::InfoBeforeFile, "", log);
    setText(s, FieldId::InfoAfterFile, "", log);
    setInt(s, FieldId::BackgroundColor, 11, log);
    setInt(s, FieldId::PreviewColor, rgbColor(0, 0, 255), log);
    setBool(s, FieldId::AlwaysRestart, false, log);
    setBool(s, FieldId::Uninstallable, false, log);
    setBool(s, FieldId::BackSolid, true, log);
    setBool(s, FieldId::WindowVisible, true, log);
    setText(s, FieldId::Font, "", log);
    // The icon index ends as "0"; it is not emptied on the way, so New on a
    // project that already holds the defaults changes nothing at all.
    for (int i = 0; i < kIconCount; ++i) {
        for (IconPart part :
             {IconPart::Name, IconPart::FileName, IconPart::Parameters, IconPart::IconFile}) {
            setText(s, iconField(i, part), "", log);
        }
    }
    for (int i = 0; i < kIconCount; ++i) {
        setText(s, iconField(i, IconPart::IconIndex), "0", log);
    }
    setBool(s, FieldId::AllowNoIcons, true, log);
    setBool(s, FieldId::DisableDirPage, false, log);
    for (int i = 0; i < kIconCount; ++i) {
        setBool(s, iconField(i, IconPart::OnDesktop), false, log);
        setBool(s, iconField(i, IconPart::InStartup), false, log);
    }
    for (FieldId id : {FieldId::IniFileName, FieldId::IniKey1, FieldId::IniValue1, FieldId::IniKey2,
                       FieldId::IniValue2, FieldId::IniSection}) {
        setText(s, id, "", log);
    }
    setBool(s, FieldId::IniDeleteOnUninstall, false, log);
    setInt(s, FieldId::IniLocation, 0, log);
    const ProjectSettings start;
    for (const FieldInfo& field : projectFields()) {
        if (field.section == FileSection::Vydani) {
            setField(s, field.id, getField(start, field.id), log);
        }
    }
    // The original New left these as the last project had them, which put
    // its password and global hot keys into the next installer unasked.
    for (FieldId id :
         {FieldId::Password, FieldId::ShowLanguageDialog, FieldId::BackColorDirection}) {
        setField(s, id, getField(start, id), log);
    }
    for (int i = 0; i < kIconCount; ++i) {
        setField(s, iconField(i, IconPart::HotKey), getField(start, iconField(i, IconPart::HotKey)),
                 log);
    }
}

const std::array<BackgroundColorEntry, kBackgroundColorCount> BackgroundColors = {{
    {"tmavě červená", rgbColor(128, 0, 0), "BackColor=clMaroon"},
    {"zelená", rgbColor(0, 128, 0), "BackColor=clGreen"},
    {"tmavě zelená", rgbColor(128, 128, 0), "BackColor=clOlive"},
    {"tmavě modrá", rgbColor(0, 0, 128), "BackColor=clNavy"},
    {"fialová", rgbColor(128, 0, 128), "BackColor=clPurple"},
    {"šedozelená", rgbColor(0, 128, 128), "BackColor=clTeal"},
    {"tmavě šedá", rgbColor(128, 128, 128), "BackColor=clGray"},
    {"světle šedá", rgbColor(192, 192, 192), "BackColor=clSilver"},
    {"červená", rgbColor(255, 0, 0), "BackColor=clRed"},
    {"světle zelená", rgbColor(0, 255, 0), "BackColor=clLime"},
    {"žlutá", rgbColor(255, 255, 0), "BackColor=clYellow"},
    {"modrá", rgbColor(0, 0, 255), "BackColor=clBlue"},
    {"růžová", rgbColor(255, 0, 255), "BackColor=clFuchsia"},
    {"světle modrá", rgbColor(0, 255, 255), "BackColor=clAqua"},
    {"bílá", rgbColor(255, 255, 255), "BackColor=clWhite"},
    {"černá", rgbColor(0, 0, 0), "BackColor=clBlack"},
}};

const std::vector<std::string>& HotKeyChoices() {
    static const std::vector<std::string> choices = [] {
        std::vector<std::string> list{""};
        for (const char* prefix : {"Ctrl+", "Alt+", "Ctrl+Alt+"}) {
            for (char c = 'A'; c <= 'Z'; ++c) {
                list.push_back(prefix + std::string(1, c));
            }
        }
        for (const char* prefix : {"", "Ctrl+"}) {
            for (int f = 1; f <= 12; ++f) {
                list.push_back(prefix + std::string("F") + std::to_string(f));
            }
        }
        return list;
    }();
    return choices;
}

std::string hotKeyText(int hotKey) {
    const auto& choices = HotKeyChoices();
    if (hotKey < 0 || hotKey >= static_cast<int>(choices.size())) {
        return {};
    }
    return choices[static_cast<std::size_t>(hotKey)];
}

} // namespace tornavel
