#include "project/FieldLabels.h"

namespace tornavel {
namespace {

// A label as a message quotes it: on one line, without its final colon.
std::string asMessageLabel(std::string_view windowLabel) {
    std::string label(windowLabel);
    for (char& c : label) {
        if (c == '\n') {
            c = ' ';
        }
    }
    if (!label.empty() && label.back() == ':') {
        label.pop_back();
    }
    return label;
}

} // namespace

std::string windowLabel(FieldId id) {
    std::string label(fieldInfo(id).label);
    if (const std::size_t number = label.find("%1"); number != std::string::npos) {
        label.replace(number, 2, std::to_string(iconFieldRef(id).icon + 1));
    }
    return label;
}

std::string textFieldLabel(FieldId id) {
    if (fieldKind(id) != FieldKind::Text) {
        return {};
    }
    const IconFieldRef ref = iconFieldRef(id);
    if (ref.icon < 0 || ref.part == IconPart::Name) {
        return asMessageLabel(windowLabel(id));
    }
    return std::string(iconPartLabel(ref.part)) + " (ikona " + iconNumber(ref.icon) + ")";
}

std::string iconNumber(int icon) {
    return "č." + std::to_string(icon + 1);
}

std::string_view iconPartLabel(IconPart part) {
    std::string_view label = fieldInfo(iconField(0, part)).label;
    label = label.substr(0, label.find(" č.%1"));
    if (!label.empty() && label.back() == ':') {
        label.remove_suffix(1);
    }
    return label;
}

} // namespace tornavel
