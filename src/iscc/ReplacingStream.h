#pragma once

#include <string>
#include <string_view>

namespace tornavel::iscc {

// Passes a stream on chunk by chunk as it arrives, with every occurrence of
// one text replaced by another, also where an occurrence is split between two
// chunks: only a tail that could begin an occurrence is held back until the
// next chunk (or the end) decides.
class ReplacingStream {
public:
    ReplacingStream(std::string from, std::string to);

    // The part of the stream that is decided once chunk has arrived.
    std::string feed(std::string_view chunk);
    // The rest, at the end of the stream.
    std::string finish();

private:
    std::string from_;
    std::string to_;
    std::string pending_;
};

} // namespace tornavel::iscc
