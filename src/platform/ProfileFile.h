#pragma once

#include "platform/Errors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// The longest value the reader gives back whole, in bytes of the file
// (Windows-1250: one byte per character).
inline constexpr std::size_t kMaxProfileValueLength = 2047;

// The largest file read: no settings or project file comes near it, and a
// huge file would take minutes and gigabytes to read for nothing.
inline constexpr long long kMaxProfileFileSize = 1024LL * 1024;

// An INI file read and written with the semantics of the Windows profile-string
// functions, held in memory and written back whole and atomically.
//
// Reading: section and key match without regard to letter case; blanks around
// the value and one pair of enclosing quotes (" or ') are removed; a value is
// cut at 2047 characters. Writing: an existing key is replaced in place
// (keeping its spelling), a new key goes to the end of its section, a new
// section to the end of the file; every other line stays byte for byte. Texts
// are UTF-8 here and Windows-1250 in the file.
//
// Every value written reads back unchanged: one the reading rules would alter
// (leading or trailing blanks or tabs, or enclosed in a pair of the same quote
// character) is written inside one pair of double quotes, which reading
// removes again; every other value is written exactly as it is. A value longer
// than the reader keeps is refused rather than cut on the next read.
class ProfileFile {
public:
    // Loads the file: Windows-1250, or UTF-8 or UTF-16 that another program
    // wrote (toWindows1250Text). A missing or unreadable file reads as empty,
    // and so does one over kMaxProfileFileSize, which is not read at all; one
    // that exists but cannot be read is never written back (see commit).
    // Saving writes Windows-1250 whatever the file held before.
    explicit ProfileFile(std::string path);
    // The file at path, which reads as the file at fallbackPath while nothing
    // is at path yet (a missing or unreadable fallback reads as empty); commit
    // writes to path.
    ProfileFile(std::string path, const std::string& fallbackPath);

    const std::string& path() const { return path_; }

    // The value of section/key, or nullopt when the key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // Changes the value in memory. Throws EncodingError for a text that
    // Windows-1250 cannot hold, Error for one holding a line break and
    // ValueTooLongError (naming fieldName, else the key) for one longer than
    // kMaxProfileValueLength; nothing is changed then.
    void write(std::string_view section, std::string_view key, std::string_view value,
               std::string_view fieldName = {});

    // Throws what kept the file from being read (an input/output error naming
    // it, its size, or a character of a UTF-8 or UTF-16 file that
    // Windows-1250 lacks); nothing when it was read or is missing.
    void throwReadFailure() const;

    // Whether the file has a section of this name.
    bool hasSection(std::string_view section) const;

    // Writes the whole file atomically (WriteFileAtomically). Throws
    // IniWriteError with the path on failure, and Error when the file exists
    // but could not be read, as writing it would erase what it holds; the file
    // on disk is then exactly as it was.
    void commit() const;

    // The file's bytes as commit() would write them.
    std::string bytes() const;

private:
    struct Line {
        Line(std::string text, std::string terminator);
        std::string text;       // Windows-1250 bytes without the line end
        std::string terminator; // "\r\n", "\n", "\r" or "" for a last unterminated line

        // What the line is, worked out once: every look-up passes the lines.
        enum class Kind : unsigned char { Other, Header, Entry };
        Kind kind = Kind::Other;
        // A header's section name, or an entry's key, within text.
        std::string_view name() const {
            return std::string_view(text).substr(nameAt_, nameLength_);
        }

    private:
        std::size_t nameAt_ = 0;
        std::size_t nameLength_ = 0;
    };

    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t headerLine) const;
    // The entry of key between a header and its section's end.
    std::optional<std::size_t> findKey(std::size_t headerLine, std::size_t end,
                                       std::string_view key) const;

    // Reads the lines of the file at readPath.
    void load(const std::string& readPath);

    std::string path_;
    std::vector<Line> lines_;
    int readError_ = 0;       // errno of a file that exists but could not be read
    std::string unencodable_; // a UTF-8 or UTF-16 file's character Windows-1250 lacks
};

// The bytes of an INI file as Windows-1250 text, for files another program
// wrote: UTF-8 or UTF-16 with its byte-order mark, or UTF-8 without one whose
// section names go beyond ASCII, is turned into Windows-1250 in place. Gives the first character
// Windows-1250 cannot hold (data is then emptied), else nothing.
std::optional<std::string> toWindows1250Text(std::string& data);

// A text too long to be read back whole; the message names the field.
class ValueTooLongError : public Error {
public:
    explicit ValueTooLongError(const std::string& fieldName);
};

// The platform's WritePrivateProfileString for one key: load, change, commit.
void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace tornavel
