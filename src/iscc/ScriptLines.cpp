#include "iscc/ScriptLines.h"

#include <algorithm>

namespace tornavel::iscc {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trimmed(line.substr(1, close - 1));
}

std::optional<std::string_view> DirectiveName(std::string_view line) {
    const std::string_view text = Trimmed(line);
    const std::size_t equals = text.find('=');
    if (text.empty() || text.front() == ';' || text.front() == '[' ||
        equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Trimmed(text.substr(0, equals));
}

std::string_view DirectiveValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : Trimmed(line.substr(equals + 1));
}

} // namespace tornavel::iscc
