#include "iscc/ReplacingStream.h"

#include <algorithm>
#include <utility>

namespace tornavel::iscc {

ReplacingStream::ReplacingStream(std::string from, std::string to)
    : from_(std::move(from)), to_(std::move(to)) {}

std::string ReplacingStream::feed(std::string_view chunk) {
    pending_.append(chunk);
    if (from_.empty()) {
        return std::exchange(pending_, {});
    }
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = pending_.find(from_, pos)) != std::string::npos;) {
        out.append(pending_, pos, hit - pos).append(to_);
        pos = hit + from_.size();
    }
    std::size_t held = std::min(from_.size() - 1, pending_.size() - pos);
    while (held > 0 && pending_.compare(pending_.size() - held, held, from_, 0, held) != 0) {
        --held;
    }
    out.append(pending_, pos, pending_.size() - pos - held);
    pending_.erase(0, pending_.size() - held);
    return out;
}

std::string ReplacingStream::finish() {
    return std::exchange(pending_, {});
}

} // namespace tornavel::iscc
