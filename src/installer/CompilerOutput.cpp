#include "installer/CompilerOutput.h"

#include "platform/Cp1250.h"
#include "wine/AdapterProtocol.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace tornavel {
namespace {

// UTF-8 of U+FFFD, the replacement character.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The byte a text view would not show: C0 controls other than the tab, DEL,
// and the five bytes Windows-1250 leaves undefined (decoded as C1 controls).
bool isUnshowable(unsigned char b) {
    return (b < 0x20 && b != '\t') || b == 0x7F || b == 0x81 || b == 0x83 || b == 0x88 ||
           b == 0x90 || b == 0x98;
}

std::string decodeLine(std::string_view bytes) {
    std::string text;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (isUnshowable(static_cast<unsigned char>(bytes[i]))) {
            text += fromCp1250(bytes.substr(start, i - start));
            text += kReplacement;
            start = i + 1;
        }
    }
    text += fromCp1250(bytes.substr(start));
    return text;
}

} // namespace

CompilerOutputLines::CompilerOutputLines(std::function<void(const std::string&)> onLine)
    : onLine_(std::move(onLine)) {}

void CompilerOutputLines::feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (c == '\n' && afterCr_) {
            afterCr_ = false; // the LF of a CR LF: its line has ended already
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || c == '\n') {
            endLine();
        } else {
            pending_ += c;
        }
    }
}

void CompilerOutputLines::finish() {
    if (!pending_.empty()) {
        endLine();
    }
    afterCr_ = false;
}

void CompilerOutputLines::endLine() {
    const std::string line = decodeLine(pending_);
    pending_.clear();
    onLine_(line);
}

bool IsCompilerErrorLine(std::string_view line) {
    return line.starts_with("Error on line ") || line.starts_with("Error in ") ||
           line.starts_with("Error: ") || line.starts_with(kAdapterErrorMark);
}

bool IsWineFailureLine(std::string_view line) {
    return line.starts_with("wine: ") || line.starts_with("wineserver: ");
}

double PackingProgress::fraction() const {
    if (bytesTotal > 0) {
        return std::min(1.0, static_cast<double>(bytesDone) / static_cast<double>(bytesTotal));
    }
    return filesTotal > 0 ? static_cast<double>(filesDone) / static_cast<double>(filesTotal) : 0.0;
}

std::string PackingProgress::bytesText() const {
    return ReadableByteSize(bytesDone) + " z " + ReadableByteSize(bytesTotal);
}

std::string ReadableByteSize(std::uint64_t bytes) {
    constexpr std::array<const char*, 7> kUnits = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
    auto value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 999.5 && unit + 1 < kUnits.size()) {
        value /= 1000;
        ++unit;
    }
    std::array<char, 32> digits{};
    if (unit == 0) {
        return std::to_string(bytes) + " B";
    }
    std::snprintf(digits.data(), digits.size(), value < 9.95 ? "%.1f" : "%.0f", value);
    std::string text(digits.data());
    std::replace(text.begin(), text.end(), '.', ','); // the Czech decimal comma
    return text + " " + kUnits.at(unit);
}

PackingMeter::PackingMeter(std::vector<std::uint64_t> fileSizes) : sizes_(std::move(fileSizes)) {
    progress_.filesTotal = sizes_.size();
    for (const std::uint64_t size : sizes_) {
        progress_.bytesTotal += size;
    }
}

std::optional<PackingProgress> PackingMeter::follow(std::string_view line) {
    constexpr std::string_view kPacking = "   Compressing: ";
    const bool begins = line.starts_with(kPacking);
    if (!begins && !packing_) {
        return std::nullopt;
    }
    if (packing_) {
        // The compiler goes on only once the file before is packed.
        if (progress_.filesDone < sizes_.size()) {
            progress_.bytesDone += sizes_[progress_.filesDone];
            ++progress_.filesDone;
        }
        packing_ = false;
    }
    progress_.file.clear();
    if (begins) {
        progress_.file = line.substr(kPacking.size());
        packing_ = true;
    }
    return progress_;
}

} // namespace tornavel
