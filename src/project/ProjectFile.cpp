#include "project/ProjectFile.h"

#include "platform/ProfileFile.h"
#include "project/FieldLabels.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace tornavel {
namespace {

struct KeySpec {
    std::string_view section;
    std::string key;
    FieldId field;
};

constexpr std::string_view kNastaveni = "Nastavení";
constexpr std::string_view kDiskety = "Diskety";
constexpr std::string_view kSoubory = "Soubory";
constexpr std::string_view kOstatni = "Ostatní";
constexpr std::string_view kIkony = "Ikony";
constexpr std::string_view kIni = "INI";

// The keys in the order Save writes them: "Soubory" after "Ostatní". Open
// reads them in this order too.
std::vector<KeySpec> saveOrderKeys() {
    std::vector<KeySpec> keys = {
        {kNastaveni, "AppName", FieldId::AppName},
        {kNastaveni, "AppVerName", FieldId::AppVerName},
        {kNastaveni, "DefaultDirName", FieldId::DefaultDirName},
        {kNastaveni, "DefaultGroupName", FieldId::DefaultGroupName},
        {kNastaveni, "AppCopyright", FieldId::AppCopyright},
        {kNastaveni, "InstallToProgramFiles", FieldId::InstallToProgramFiles},
        {kNastaveni, "DisableDirPage", FieldId::DisableDirPage},
        {kNastaveni, "ShowLanguageDialog", FieldId::ShowLanguageDialog},
        {kNastaveni, "Password", FieldId::Password},
        {kDiskety, "DiskSpanning", FieldId::DiskSpanning},
        {kDiskety, "DiskSize", FieldId::DiskSize},
        {kDiskety, "ReserveBytes", FieldId::ReserveBytes},
        {kOstatni, "Win", FieldId::Win},
        {kOstatni, "WinNT", FieldId::WinNT},
        {kOstatni, "LicenceFile", FieldId::LicenceFile},
        {kOstatni, "InfoBeforeFile", FieldId::InfoBeforeFile},
        {kOstatni, "InfoAfterFile", FieldId::InfoAfterFile},
        {kOstatni, "Barva podkladu", FieldId::BackgroundColor},
        {kOstatni, "Barva nahledu", FieldId::PreviewColor},
        {kOstatni, "AlwaysRestart", FieldId::AlwaysRestart},
        {kOstatni, "Uninstallable", FieldId::Uninstallable},
        {kOstatni, "BackSolid", FieldId::BackSolid},
        {kOstatni, "BackColorDirection", FieldId::BackColorDirection},
        {kOstatni, "WindowVisible", FieldId::WindowVisible},
        {kSoubory, "Font", FieldId::Font},
    };
    for (int icon = 0; icon < kIconCount; ++icon) {
        for (int part = 0; part < kIconPartCount; ++part) {
            keys.push_back({kIkony,
                            "Ikona" + std::to_string(icon + 1) + "-" + std::to_string(part + 1),
                            iconField(icon, static_cast<IconPart>(part))});
        }
    }
    const std::vector<KeySpec> tail = {
        {kIkony, "AllowNoIcons", FieldId::AllowNoIcons},
        {kIkony, "DisableProgramGroupPage", FieldId::DisableProgramGroupPage},
        {kIni, "43", FieldId::IniFileName},
        {kIni, "44", FieldId::IniKey1},
        {kIni, "45", FieldId::IniValue1},
        {kIni, "46", FieldId::IniKey2},
        {kIni, "47", FieldId::IniValue2},
        {kIni, "52", FieldId::IniSection},
        {kIni, "Smazat", FieldId::IniDeleteOnUninstall},
        {kIni, "Adresar", FieldId::IniLocation},
    };
    keys.insert(keys.end(), tail.begin(), tail.end());
    return keys;
}

// Save As writes "Soubory" before "Ostatní".
std::vector<KeySpec> saveAsOrderKeys() {
    std::vector<KeySpec> keys = saveOrderKeys();
    const auto font = std::find_if(keys.begin(), keys.end(),
                                   [](const KeySpec& k) { return k.field == FieldId::Font; });
    const KeySpec fontKey = *font;
    keys.erase(font);
    const auto firstOstatni = std::find_if(keys.begin(), keys.end(),
                                           [](const KeySpec& k) { return k.section == kOstatni; });
    keys.insert(firstOstatni, fontKey);
    return keys;
}

std::string encodeValue(FieldId field, const FieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "1" : "0";
    }
    long long number = std::get<long long>(value);
    if (fieldKind(field) == FieldKind::Colour) {
        // Stored as a signed 32-bit integer like every other, so it reads back.
        number = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    }
    return std::to_string(number);
}

long long limited(FieldId field, long long value) {
    const auto clamp = [](long long v, long long last) {
        return v < -1 ? -1 : (v > last ? last : v);
    };
    switch (field) {
    case FieldId::Win:
    case FieldId::WinNT:
        return clamp(value, 4);
    case FieldId::IniLocation:
        return clamp(value, 2);
    case FieldId::BackgroundColor:
        return (value < 0 || value >= kBackgroundColorCount) ? -1 : value;
    default:
        if (iconFieldRef(field).part == IconPart::HotKey && iconFieldRef(field).icon >= 0) {
            return (value < 0 || value >= kHotKeyChoiceCount) ? -1 : value;
        }
        return value;
    }
}

} // namespace

std::optional<long long> parseProfileInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    long long value = 0;
    if (base == 16) {
        // Hexadecimal spells the 32 bits of the number: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFULL) {
            return std::nullopt;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    } else {
        if (magnitude > (negative ? 2147483648ULL : 2147483647ULL)) {
            return std::nullopt;
        }
        value = static_cast<long long>(magnitude);
    }
    return negative ? -value : value;
}

void SaveProject(const ProjectSettings& project, const std::string& path, SaveOrder order) {
    ProfileFile file(path);
    for (const KeySpec& k : order == SaveOrder::SaveAs ? saveAsOrderKeys() : saveOrderKeys()) {
        file.write(k.section, k.key, encodeValue(k.field, getField(project, k.field)),
                   TextFieldLabel(k.field));
    }
    file.commit();
}

void LoadProject(const std::string& path, ProjectSettings& project, ChangeLog* log) {
    const ProfileFile file(path);
    for (const KeySpec& k : saveOrderKeys()) {
        const auto text = file.read(k.section, k.key);
        if (!text) {
            continue;
        }
        const FieldKind kind = fieldKind(k.field);
        if (kind == FieldKind::Text) {
            setText(project, k.field, *text, log);
            continue;
        }
        const auto number = parseProfileInteger(*text);
        if (!number) {
            continue;
        }
        if (kind == FieldKind::Boolean) {
            setBool(project, k.field, *number != 0, log);
        } else if (kind == FieldKind::Colour) {
            setInt(project, k.field, static_cast<std::uint32_t>(*number), log);
        } else {
            setInt(project, k.field, limited(k.field, *number), log);
        }
    }
}

std::vector<std::pair<std::string, std::string>> ProjectKeyValues(const ProjectSettings& project) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const KeySpec& k : saveAsOrderKeys()) {
        out.emplace_back(k.key, encodeValue(k.field, getField(project, k.field)));
    }
    return out;
}

} // namespace tornavel
