#include "project/ProjectFile.h"

#include "platform/Errors.h"
#include "platform/ProfileFile.h"
#include "project/FieldLabels.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <sys/stat.h>

namespace tornavel {
namespace {

// The fields in the order a writing operation puts their keys into a file:
// section by section, and within a section in the order of the field table.
// Open reads them in the order of Save.
std::vector<const FieldInfo*> fieldsInFileOrder(SaveOrder order) {
    std::vector<const FieldInfo*> fields;
    for (const FieldInfo& info : projectFields()) {
        fields.push_back(&info);
    }
    const bool saveAs = order == SaveOrder::SaveAs;
    std::stable_sort(
        fields.begin(), fields.end(), [saveAs](const FieldInfo* a, const FieldInfo* b) {
            return sectionPosition(a->section, saveAs) < sectionPosition(b->section, saveAs);
        });
    return fields;
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

// A position read from the file, brought into its list as the field's type says.
long long limited(const FieldType& type, long long value) {
    if (value >= -1 && value < type.items) {
        return value;
    }
    if (type.outOfList == OutOfList::NoneSelected) {
        return -1;
    }
    return value < -1 ? -1 : type.items - 1;
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
    for (const FieldInfo* field : fieldsInFileOrder(order)) {
        file.write(sectionName(field->section), field->key,
                   encodeValue(field->id, getField(project, field->id)), textFieldLabel(field->id));
    }
    file.commit();
}

void LoadProject(const std::string& path, ProjectSettings& project, ChangeLog* log) {
    // Only a plain file of a project's size is read: a pipe would never end,
    // a device or a huge file would be read for nothing.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        throw InOutError::fromErrno(errno, path);
    }
    if (S_ISDIR(st.st_mode)) {
        throw InOutError::fromErrno(EISDIR, path);
    }
    if (!S_ISREG(st.st_mode)) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path + "“ není projekt Tornavelu: není to obyčejný soubor.");
    }
    if (st.st_size > kMaxProjectFileSize) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path + "“ není projekt Tornavelu: je větší než 1 MiB.");
    }
    const ProfileFile file(path);
    file.throwReadFailure();
    const bool isProject = std::any_of(
        projectFields().begin(), projectFields().end(),
        [&file](const FieldInfo& field) { return file.hasSection(sectionName(field.section)); });
    if (!isProject) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path +
                        "“ není projekt Tornavelu: nemá žádnou ze sekcí Nastavení, Diskety, "
                        "Soubory, Ostatní, Ikony, INI a Vydání.");
    }
    for (const FieldInfo* field : fieldsInFileOrder(SaveOrder::Save)) {
        const auto text = file.read(sectionName(field->section), field->key);
        if (!text) {
            continue;
        }
        const FieldKind kind = field->type.kind;
        if (kind == FieldKind::Text) {
            setText(project, field->id, *text, log);
            continue;
        }
        const auto number = parseProfileInteger(*text);
        if (!number) {
            continue;
        }
        if (kind == FieldKind::Boolean) {
            setBool(project, field->id, *number != 0, log);
        } else if (kind == FieldKind::Colour) {
            setInt(project, field->id, static_cast<std::uint32_t>(*number), log);
        } else {
            setInt(project, field->id, limited(field->type, *number), log);
        }
    }
}

std::vector<std::pair<std::string, std::string>> ProjectKeyValues(const ProjectSettings& project) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const FieldInfo* field : fieldsInFileOrder(SaveOrder::SaveAs)) {
        out.emplace_back(field->key, encodeValue(field->id, getField(project, field->id)));
    }
    return out;
}

} // namespace tornavel
