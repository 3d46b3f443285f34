#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// An INI file read and written with the semantics of the Windows profile-string
// functions, held in memory and written back whole and atomically.
//
// Reading: section and key match without regard to letter case; blanks around
// the value and one pair of enclosing quotes (" or ') are removed; a value is
// cut at 2047 characters. Writing: leading blanks of the value are dropped; an
// existing key is replaced in place (keeping its spelling), a new key goes to
// the end of its section, a new section to the end of the file; every other
// line stays byte for byte. Texts are UTF-8 here and Windows-1250 in the file.
class ProfileFile {
public:
    // Loads the file; a missing or unreadable file reads as empty.
    explicit ProfileFile(std::string path);

    const std::string& path() const { return path_; }

    // The value of section/key, or nullopt when the key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // Changes the value in memory. Throws EncodingError for a text that
    // Windows-1250 cannot hold; nothing is changed then.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file atomically (a temporary file beside it, flushed,
    // then renamed over it). Throws IniWriteError with the path on failure;
    // the file on disk is then exactly as it was.
    void commit() const;

    // The file's bytes as commit() would write them.
    std::string bytes() const;

private:
    struct Line {
        std::string text;       // Windows-1250 bytes without the line end
        std::string terminator; // "\r\n", "\n", "\r" or "" for a last unterminated line
    };

    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t headerLine) const;

    std::string path_;
    std::vector<Line> lines_;
};

// The platform's WritePrivateProfileString for one key: load, change, commit.
void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace tornavel
