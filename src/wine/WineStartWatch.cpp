#include "wine/WineStartWatch.h"

namespace tornavel {

void WineStartWatch::feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (programSeen_) {
            return;
        }
        if (c != '\n' && c != '\r') {
            // A line longer than any of wine's is nobody's failure line.
            if (pending_.size() < 4096) {
                pending_ += c;
            }
            continue;
        }
        if (pending_.find(programMark_) != std::string::npos) {
            programSeen_ = true;
        } else if (wineLine_.empty() &&
                   (pending_.starts_with("wine: ") || pending_.starts_with("wineserver: "))) {
            wineLine_ = pending_;
        }
        pending_.clear();
    }
}

} // namespace tornavel
