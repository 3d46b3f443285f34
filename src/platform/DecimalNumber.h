#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tornavel {

// The whole text read as a decimal number of 0 or more (a count, seconds, a
// time since 1970), as strtoll reads it; nothing when the text is empty,
// holds anything else, is negative or too large.
std::optional<std::int64_t> ParseNonNegativeDecimal(const std::string& text);

} // namespace tornavel
