// Feeds arbitrary bytes to the font-name reader as if they were a ".TTF" file
// of the source folder. The bytes go into an in-memory file that FreeType
// opens by its path, as it opens a font during a build. Seeds:
// fuzz/corpus/fontname.
#include "installer/FontResourceTools.h"
#include "installer/Prompts.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

class CountingPrompts : public tornavel::Prompts {
public:
    void errorDialog(const std::string&) override { ++shown; }
    void message(const std::string&) override { ++shown; }
    Answer ask(const std::string&, const std::string&, Icon, Answer defaultAnswer) override {
        ++shown;
        return defaultAnswer;
    }
    void focusField(tornavel::FieldId) override {}

    int shown = 0;
};

// One file for the whole run, rewritten for every input.
int fontFile() {
    static const int fd = memfd_create("font.ttf", 0);
    if (fd < 0) {
        std::abort();
    }
    return fd;
}

bool holdsOnly(const std::uint8_t* data, std::size_t size) {
    const int fd = fontFile();
    if (ftruncate(fd, 0) != 0) {
        return false;
    }
    for (std::size_t written = 0; written < size;) {
        const ssize_t n = pwrite(fd, data + written, size - written, static_cast<off_t>(written));
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t length = b < 0x80                ? 1
                                   : b >= 0xC2 && b < 0xE0 ? 2
                                   : b >= 0xE0 && b < 0xF0 ? 3
                                   : b >= 0xF0 && b < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > s.size()) {
            return false;
        }
        char32_t cp = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!holdsOnly(data, size)) {
        std::abort();
    }
    CountingPrompts prompts;
    const std::string name =
        tornavel::ReadFontName("/proc/self/fd/" + std::to_string(fontFile()), prompts);
    // At most the one message, and then no name; a name is text a script can
    // be checked against, no longer than its record allows (3 bytes of UTF-8
    // for each byte of a Mac Roman record, fewer for UTF-16).
    if (prompts.shown > 1 || (prompts.shown == 1 && !name.empty()) || !isUtf8(name) ||
        name.size() > 3 * size) {
        std::abort();
    }
    return 0;
}
