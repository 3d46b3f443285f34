// Feeds arbitrary bytes to the icon reader as if they were a program, a
// library or an icon file found in the source folder. Seeds: fuzz/corpus/peicons.
#include "platform/PeIcons.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::size_t u16At(const std::string& s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<std::size_t>(s[at + 1] & 0xFF) << 8;
}

std::size_t u32At(const std::string& s, std::size_t at) {
    return u16At(s, at) | u16At(s, at + 2) << 16;
}

// An icon the reader gives is a complete icon file: a directory of 1 to 256
// images whose offsets follow one another to the end of the stream, within
// the size limit.
bool isSoundIconStream(const std::string& stream) {
    if (stream.size() < 6 ||
        stream.size() >
            tornavel::kMaxIconImageBytes + 6 + 16 * std::size_t{tornavel::kMaxImagesPerIcon} ||
        u16At(stream, 0) != 0 || u16At(stream, 2) != 1) {
        return false;
    }
    const std::size_t count = u16At(stream, 4);
    if (count < 1 || count > static_cast<std::size_t>(tornavel::kMaxImagesPerIcon)) {
        return false;
    }
    std::size_t expectedOffset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        if (entry + 16 > stream.size() || u32At(stream, entry + 12) != expectedOffset) {
            return false;
        }
        expectedOffset += u32At(stream, entry + 8);
    }
    return expectedOffset == stream.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tornavel::IconSource source(std::string(reinterpret_cast<const char*>(data), size));
    const int count = source.count();
    if (count < 0 || static_cast<std::size_t>(count) > size / 8 + 1) {
        std::abort();
    }
    // Every icon the reader gives is itself a sound icon file that reads back
    // unchanged; a damaged one is simply not given.
    for (int k = 0; k < std::min(count, 16); ++k) {
        const auto image = source.image(k);
        if (!image) {
            continue;
        }
        const tornavel::IconSource again(*image);
        if (!isSoundIconStream(*image) || again.format() != tornavel::IconSource::Format::Ico ||
            again.count() != 1 || again.image(0) != image) {
            std::abort();
        }
    }
    return 0;
}
