// Feeds arbitrary bytes to the icon reader as if they were a program, a
// library or an icon file found in the source folder. Seeds: fuzz/corpus/peicons.
#include "platform/PeIcons.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

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
        if (again.format() != tornavel::IconSource::Format::Ico || again.count() != 1 ||
            again.image(0) != image) {
            std::abort();
        }
    }
    return 0;
}
