#include "build/FontResourceTools.h"

namespace tornavel {

std::string ColorDepthName(int planes, int bitsPerPixel) {
    if (planes <= 0 || bitsPerPixel < 0 || bitsPerPixel > 40) {
        return "není";
    }
    const unsigned long long colours = static_cast<unsigned long long>(planes) << bitsPerPixel;
    switch (colours) {
    case 16ULL:
        return "16 barev";
    case 256ULL:
        return "256 barev";
    case 65536ULL:
        return "16 bitů";
    case 16777216ULL:
        return "24 bitů";
    case 4294967296ULL:
        return "32 bitů";
    default:
        return "není";
    }
}

} // namespace tornavel
