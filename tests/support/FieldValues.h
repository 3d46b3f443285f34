#pragma once

#include "project/ProjectSettings.h"

#include <string>

namespace tornavel::test {

// A value of the field other than its start value that survives the project
// file as it is: a text of its own (no outer blanks or quotes), the other
// truth value, another position of its list, another colour.
inline FieldValue changedValue(FieldId id) {
    const FieldValue start = getField(ProjectSettings{}, id);
    switch (fieldKind(id)) {
    case FieldKind::Text:
        return "Změna " + std::to_string(static_cast<int>(id));
    case FieldKind::Boolean:
        return !std::get<bool>(start);
    case FieldKind::Integer:
        return std::get<long long>(start) == 0 ? 1LL : 0LL;
    case FieldKind::Colour:
        break;
    }
    return std::get<long long>(start) ^ 0x123456;
}

// The start values with every field changed.
inline ProjectSettings everyFieldChanged() {
    ProjectSettings s;
    for (const FieldInfo& field : projectFields()) {
        assignField(s, field.id, changedValue(field.id));
    }
    return s;
}

} // namespace tornavel::test
