#include "project/ProjectSettings.h"

namespace tornavel {
namespace {

using FieldSlot = std::variant<std::string*, bool*, int*, std::uint32_t*>;

FieldSlot iconSlot(IconEntry& e, IconPart part) {
    switch (part) {
    case IconPart::Name:
        return &e.Name;
    case IconPart::FileName:
        return &e.FileName;
    case IconPart::Parameters:
        return &e.Parameters;
    case IconPart::IconFile:
        return &e.IconFile;
    case IconPart::IconIndex:
        return &e.IconIndex;
    case IconPart::HotKey:
        return &e.HotKey;
    case IconPart::OnDesktop:
        return &e.OnDesktop;
    case IconPart::InStartup:
        return &e.InStartup;
    }
    return &e.Name;
}

FieldSlot slotOf(ProjectSettings& s, FieldId id) {
    switch (id) {
    case FieldId::AppName:
        return &s.AppName;
    case FieldId::AppVerName:
        return &s.AppVerName;
    case FieldId::DefaultDirName:
        return &s.DefaultDirName;
    case FieldId::DefaultGroupName:
        return &s.DefaultGroupName;
    case FieldId::Password:
        return &s.Password;
    case FieldId::AppCopyright:
        return &s.AppCopyright;
    case FieldId::InstallToProgramFiles:
        return &s.InstallToProgramFiles;
    case FieldId::DisableDirPage:
        return &s.DisableDirPage;
    case FieldId::ShowLanguageDialog:
        return &s.ShowLanguageDialog;
    case FieldId::DiskSpanning:
        return &s.DiskSpanning;
    case FieldId::DiskSize:
        return &s.DiskSize;
    case FieldId::ReserveBytes:
        return &s.ReserveBytes;
    case FieldId::Font:
        return &s.Font;
    case FieldId::Win:
        return &s.Win;
    case FieldId::WinNT:
        return &s.WinNT;
    case FieldId::LicenceFile:
        return &s.LicenceFile;
    case FieldId::InfoBeforeFile:
        return &s.InfoBeforeFile;
    case FieldId::InfoAfterFile:
        return &s.InfoAfterFile;
    case FieldId::BackgroundColor:
        return &s.BackgroundColor;
    case FieldId::PreviewColor:
        return &s.PreviewColor;
    case FieldId::AlwaysRestart:
        return &s.AlwaysRestart;
    case FieldId::Uninstallable:
        return &s.Uninstallable;
    case FieldId::BackSolid:
        return &s.BackSolid;
    case FieldId::BackColorDirection:
        return &s.BackColorDirection;
    case FieldId::WindowVisible:
        return &s.WindowVisible;
    case FieldId::AllowNoIcons:
        return &s.AllowNoIcons;
    case FieldId::DisableProgramGroupPage:
        return &s.DisableProgramGroupPage;
    case FieldId::IniFileName:
        return &s.IniFileName;
    case FieldId::IniLocation:
        return &s.IniLocation;
    case FieldId::IniSection:
        return &s.IniSection;
    case FieldId::IniKey1:
        return &s.IniKey1;
    case FieldId::IniValue1:
        return &s.IniValue1;
    case FieldId::IniKey2:
        return &s.IniKey2;
    case FieldId::IniValue2:
        return &s.IniValue2;
    case FieldId::IniDeleteOnUninstall:
        return &s.IniDeleteOnUninstall;
    case FieldId::FirstIconField:
        break;
    }
    const IconFieldRef ref = iconFieldRef(id);
    return iconSlot(s.Icons.at(static_cast<std::size_t>(ref.icon)), ref.part);
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

FieldKind fieldKind(FieldId id) {
    ProjectSettings probe;
    const FieldSlot slot = slotOf(probe, id);
    if (std::holds_alternative<std::string*>(slot)) {
        return FieldKind::Text;
    }
    if (std::holds_alternative<bool*>(slot)) {
        return FieldKind::Boolean;
    }
    if (std::holds_alternative<int*>(slot)) {
        return FieldKind::Integer;
    }
    return FieldKind::Colour;
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
