#include "platform/DecimalNumber.h"

#include <cerrno>
#include <cstdlib>

namespace tornavel {

std::optional<std::int64_t> ParseNonNegativeDecimal(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace tornavel
