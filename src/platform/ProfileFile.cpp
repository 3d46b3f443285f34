#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1250.h"
#include "platform/Errors.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tornavel {
namespace {

constexpr std::size_t kMaxValueLength = 2047;

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
    return a.size() == b.size() && foldCaseCp1250(a) == foldCaseCp1250(b);
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
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) {
        return;
    }
    std::string data;
    try {
        std::ifstream in(path_, std::ios::binary);
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return; // unreadable: as if empty
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

std::optional<std::size_t> ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && sameName(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t ProfileFile::sectionEnd(std::size_t headerLine) const {
    std::size_t i = headerLine + 1;
    while (i < lines_.size() && !sectionName(lines_[i].text)) {
        ++i;
    }
    return i;
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
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = entryOf(lines_[i].text);
        if (!entry || !sameName(entry->key, keyBytes)) {
            continue;
        }
        std::string_view value = entry->value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return fromCp1250(value.substr(0, kMaxValueLength));
    }
    return std::nullopt;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    auto value = read(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionBytes = encodeName(section);
    const std::string keyBytes = encodeName(key);
    std::string valueBytes = encodeName(value);
    const auto firstNonBlank = valueBytes.find_first_not_of(" \t");
    valueBytes.erase(0, firstNonBlank == std::string::npos ? valueBytes.size() : firstNonBlank);

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
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = entryOf(lines_[i].text);
        if (entry && sameName(entry->key, keyBytes)) {
            lines_[i].text = std::string(entry->key) + "=" + valueBytes;
            return;
        }
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

void ProfileFile::commit() const {
    try {
        WriteFileAtomically(path_, bytes());
    } catch (const InOutError&) {
        throw IniWriteError(path_);
    }
}

void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile file(path);
    file.write(section, key, value);
    file.commit();
}

} // namespace tornavel
