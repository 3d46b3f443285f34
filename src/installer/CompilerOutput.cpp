#include "installer/CompilerOutput.h"

#include "platform/Cp1250.h"
#include "wine/AdapterProtocol.h"

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

} // namespace tornavel
