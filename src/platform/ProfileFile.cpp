#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "platform/FileDescriptor.h"
#include "platform/Utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return equalIgnoringCaseCp1250(a, b);
}

// The section name of a header line "[name]", or nullopt for other lines.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const auto close = line.find(']');
    return trimmed(close == std::string_view::npos ? line : line.substr(0, close));
}

// Whether reading removes the first and last character as a pair of quotes.
bool enclosedInQuotes(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

// Whether the reading rules give value back as it is.
bool readsBackUnchanged(std::string_view value) {
    return value.empty() ||
           (!isBlank(value.front()) && !isBlank(value.back()) && !enclosedInQuotes(value));
}

// Reads the whole file into data: 0, or the errno of a file that exists but
// cannot be read. A missing file, or anything but a plain file, reads as empty.
int readFile(const std::string& path, std::string& data) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    if (::fstat(fd.get(), &st) != 0) {
        return errno;
    }
    if (st.st_size > kMaxProfileFileSize) {
        return EFBIG;
    }
    char buffer[64 * 1024];
    while (true) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            return 0;
        } else if (errno != EINTR) {
            return errno;
        }
    }
}

// Whether bytes without a byte-order mark are UTF-8: valid UTF-8 throughout,
// with a section name beyond ASCII. Text beyond ASCII alone proves nothing (a
// few Windows-1250 letters in a row can form valid UTF-8), but a section name
// like "[Nastavení]" in Windows-1250 never is, so a file this program wrote
// is never taken for UTF-8.
bool isUtf8WithoutMark(std::string_view bytes) {
    bool headerBeyondAscii = false;
    bool lineStart = true;
    bool inHeader = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const char c = bytes[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (!decodeUtf8(bytes, pos, Utf8Mode::Strict)) {
                return false;
            }
            headerBeyondAscii = headerBeyondAscii || inHeader;
            lineStart = false;
            continue;
        }
        if (c == '\r' || c == '\n') {
            inHeader = false;
            lineStart = true;
        } else {
            inHeader = (lineStart && c == '[') || (inHeader && c != ']');
            lineStart = false;
        }
        ++pos;
    }
    return headerBeyondAscii;
}

} // namespace

std::optional<std::string> toWindows1250Text(std::string& data) {
    std::string utf8;
    if (data.starts_with("\xEF\xBB\xBF")) {
        utf8 = data.substr(3);
    } else if (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF")) {
        utf8 = Utf16ToUtf8(std::string_view(data).substr(2), data[0] == '\xFE');
    } else if (isUtf8WithoutMark(data)) {
        utf8 = std::move(data);
    } else {
        return std::nullopt; // Windows-1250 already
    }
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto c = decodeUtf8(utf8, pos, Utf8Mode::Lenient);
        const std::string character = utf8.substr(start, pos - start);
        if (!c || !isCp1250Character(*c)) {
            data.clear();
            return character;
        }
        bytes += toCp1250(character);
    }
    data = std::move(bytes);
    return std::nullopt;
}

namespace {

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{trimmed(line.substr(0, eq)), trimmed(line.substr(eq + 1))};
}

std::string encodeName(std::string_view utf8) {
    std::string bytes = toCp1250(utf8);
    if (bytes.find_first_of("\r\n") != std::string::npos) {
        throw Error(Error::Kind::ProjectRefused,
                    "Text „" + std::string(utf8) + "“ nesmí obsahovat konec řádku.");
    }
    return bytes;
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
    load(path_);
}

ProfileFile::ProfileFile(std::string path, const std::string& fallbackPath)
    : path_(std::move(path)) {
    struct stat st {};
    const bool nothingAtPath = ::lstat(path_.c_str(), &st) != 0 && errno == ENOENT;
    load(nothingAtPath ? fallbackPath : path_);
    if (nothingAtPath) {
        // Writing path loses nothing of the fallback, so one that cannot be
        // read only reads as empty.
        readError_ = 0;
        unencodable_.clear();
    }
}

void ProfileFile::load(const std::string& readPath) {
    std::string data;
    readError_ = readFile(readPath, data);
    if (readError_ != 0) {
        return; // reads as empty; commit refuses to write it
    }
    const auto unencodable = toWindows1250Text(data);
    if (unencodable) {
        unencodable_ = *unencodable;
        readError_ = EILSEQ; // reads as empty; commit refuses to write it
        return;
    }
    std::size_t pos = 0;
    while (pos < data.size()) {
        const auto end = data.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines_.push_back({data.substr(pos), ""});
            break;
        }
        const std::size_t termLength =
            (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') ? 2 : 1;
        lines_.push_back({data.substr(pos, end - pos), data.substr(end, termLength)});
        pos = end + termLength;
    }
}

ProfileFile::Line::Line(std::string lineText, std::string lineTerminator)
    : text(std::move(lineText)), terminator(std::move(lineTerminator)) {
    std::optional<std::string_view> name = sectionName(text);
    if (name) {
        kind = Kind::Header;
    } else if (const auto entry = entryOf(text)) {
        kind = Kind::Entry;
        name = entry->key;
    } else {
        return;
    }
    nameAt_ = static_cast<std::size_t>(name->data() - text.data());
    nameLength_ = name->size();
}

std::optional<std::size_t> ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Kind::Header && sameName(lines_[i].name(), section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t ProfileFile::sectionEnd(std::size_t headerLine) const {
    std::size_t i = headerLine + 1;
    while (i < lines_.size() && lines_[i].kind != Line::Kind::Header) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> ProfileFile::findKey(std::size_t headerLine, std::size_t end,
                                                std::string_view key) const {
    for (std::size_t i = headerLine + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Kind::Entry && sameName(lines_[i].name(), key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
    std::string sectionBytes;
    std::string keyBytes;
    try {
        sectionBytes = toCp1250(section);
        keyBytes = toCp1250(key);
    } catch (const EncodingError&) {
        return std::nullopt; // such a name cannot stand in the file
    }
    const auto header = findSection(sectionBytes);
    if (!header) {
        return std::nullopt;
    }
    const auto line = findKey(*header, sectionEnd(*header), keyBytes);
    if (!line) {
        return std::nullopt;
    }
    std::string_view value = entryOf(lines_[*line].text)->value;
    if (enclosedInQuotes(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return fromCp1250(value.substr(0, kMaxProfileValueLength));
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    auto value = read(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view fieldName) {
    const std::string sectionBytes = encodeName(section);
    const std::string keyBytes = encodeName(key);
    std::string valueBytes = encodeName(value);
    if (valueBytes.size() > kMaxProfileValueLength) {
        throw ValueTooLongError(std::string(fieldName.empty() ? key : fieldName));
    }
    if (!readsBackUnchanged(valueBytes)) {
        valueBytes = '"' + valueBytes + '"';
    }

    const auto terminateLastLine = [this] {
        if (!lines_.empty() && lines_.back().terminator.empty()) {
            lines_.back().terminator = "\r\n";
        }
    };

    const auto header = findSection(sectionBytes);
    if (!header) {
        terminateLastLine();
        lines_.push_back({"[" + sectionBytes + "]", "\r\n"});
        lines_.push_back({keyBytes + "=" + valueBytes, "\r\n"});
        return;
    }
    const std::size_t end = sectionEnd(*header);
    if (const auto line = findKey(*header, end, keyBytes)) {
        Line& existing = lines_[*line];
        existing = Line(std::string(existing.name()) + "=" + valueBytes, existing.terminator);
        return;
    }
    // A new key goes after the last non-blank line of its section.
    std::size_t insertAt = end;
    while (insertAt > *header + 1 && trimmed(lines_[insertAt - 1].text).empty()) {
        --insertAt;
    }
    if (lines_[insertAt - 1].terminator.empty()) {
        lines_[insertAt - 1].terminator = "\r\n";
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{keyBytes + "=" + valueBytes, "\r\n"});
}

std::string ProfileFile::bytes() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line.text;
        out += line.terminator;
    }
    return out;
}

void ProfileFile::throwReadFailure() const {
    if (!unencodable_.empty()) {
        throw Error(Error::Kind::ProjectRefused, "Soubor „" + path_ + "“ obsahuje znak „" +
                                                     unencodable_ +
                                                     "“, který kódování Windows-1250 nemá.");
    }
    if (readError_ == EFBIG) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path_ + "“ je větší než 1 MiB, a proto ho Tornavel nečte.");
    }
    if (readError_ != 0) {
        throw InOutError::fromErrno(readError_, path_);
    }
}

bool ProfileFile::hasSection(std::string_view section) const {
    try {
        return findSection(toCp1250(section)).has_value();
    } catch (const EncodingError&) {
        return false;
    }
}

void ProfileFile::commit() const {
    if (!unencodable_.empty()) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path_ + "“ obsahuje znak „" + unencodable_ +
                        "“, který kódování Windows-1250 nemá, a proto nebyl přepsán: ztratil by "
                        "se jeho ostatní obsah.");
    }
    if (readError_ != 0) {
        throw Error(Error::Kind::InputOutput,
                    "Soubor „" + path_ + "“ nelze přečíst (" +
                        InOutError::fromErrno(readError_).what() +
                        "), a proto nebyl přepsán: ztratil by se jeho ostatní obsah.");
    }
    try {
        WriteFileAtomically(path_, bytes());
    } catch (const InOutError& e) {
        throw IniWriteError(path_, e.systemError());
    }
}

ValueTooLongError::ValueTooLongError(const std::string& fieldName)
    : Error(Kind::ProjectRefused,
            "Text pole „" + fieldName + "“ je delší než " + std::to_string(kMaxProfileValueLength) +
                " znaků a celý by se ze souboru znovu nenačetl. Zkraťte jej; nic nebylo "
                "uloženo.") {}

void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile file(path);
    file.write(section, key, value);
    file.commit();
}

} // namespace tornavel
