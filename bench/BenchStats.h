#pragma once
// The figures every benchmark program reports, without Qt.

#include <algorithm>
#include <vector>

namespace bench {

inline constexpr int kRuns = 5;

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
