#include "platform/FileSystem.h"

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace tornavel {
namespace {

// A name's bytes that are not well-formed UTF-8 (possible on POSIX) still
// compare and match, each as a value of its own.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    return *decodeUtf8(s, i, Utf8Mode::Lenient);
}

// Lower case of the letters whose case Windows folds in file names: ASCII,
// Latin-1, Latin Extended-A (every letter of Windows-1250), Greek and Cyrillic.
char32_t foldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) {
            return 'i';
        }
        if (c == 0x178) {
            return 0xFF;
        }
        const bool upperIsEven = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
        const bool upperIsOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((upperIsEven && c % 2 == 0 && c != 0x138) || (upperIsOdd && c % 2 == 1)) {
            return c + 1;
        }
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
        return c + 0x20;
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

std::u32string foldedCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        out.push_back(foldCase(nextCodePoint(s, i)));
    }
    return out;
}

// '*' any run of characters, '?' exactly one; a failed match after a star
// resumes one character further, which keeps the matching linear in practice.
bool matchFolded(const std::u32string& name, const std::u32string& pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

bool matchesOnePattern(const std::u32string& name, std::u32string pattern) {
    if (matchFolded(name, pattern)) {
        return true;
    }
    // Windows lets a trailing ".*" match no extension at all: "*.*" takes every
    // name and "readme.*" takes "readme".
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, U".*") == 0) {
        pattern.resize(pattern.size() - 2);
        return matchFolded(name, pattern);
    }
    return false;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool isHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

// Closes the directory stream on every way out.
class DirHandle {
public:
    explicit DirHandle(DIR* d) : d_(d) {}
    ~DirHandle() {
        if (d_) {
            ::closedir(d_);
        }
    }
    DirHandle(const DirHandle&) = delete;
    DirHandle& operator=(const DirHandle&) = delete;
    DIR* get() const { return d_; }

private:
    DIR* d_;
};

} // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    const std::u32string foldedName = foldedCodePoints(name);
    while (true) {
        const auto sep = pattern.find(';');
        const std::string_view one = trimBlanks(pattern.substr(0, sep));
        if (!one.empty() && matchesOnePattern(foldedName, foldedCodePoints(one))) {
            return true;
        }
        if (sep == std::string_view::npos) {
            return false;
        }
        pattern.remove_prefix(sep + 1);
    }
}

void ForEachEntry(const std::string& folder,
                  const std::function<void(const FolderEntryView&)>& visit) {
    ForEachEntryAt(AT_FDCWD, folder, folder, visit);
}

namespace {

// An entry of the folder fd as its listing describes it (d_type), completed
// by stat where the listing does not say, the entry is a link or a file's
// size is wanted.
bool describeEntry(int fd, const char* name, unsigned char type, FileSizes sizes,
                   FolderEntryView& entry) {
    entry.name = name;
    entry.link = type == DT_LNK;
    if (type == DT_DIR) {
        entry.folder = true;
    } else if (type == DT_LNK || type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            return false; // gone since the folder was read
        }
        entry.link = S_ISLNK(st.st_mode);
        if (entry.link && ::fstatat(fd, name, &st, 0) != 0) {
            entry.oddity = errno == ELOOP ? EntryOddity::LinkLoop : EntryOddity::DanglingLink;
        } else {
            entry.folder = S_ISDIR(st.st_mode);
            if (!entry.folder && !S_ISREG(st.st_mode)) {
                entry.oddity = EntryOddity::Special;
            }
            entry.size = static_cast<std::uint64_t>(st.st_size);
        }
    } else if (type != DT_REG) {
        entry.oddity = EntryOddity::Special;
    } else if (sizes == FileSizes::Read) {
        struct stat st {};
        if (::fstatat(fd, name, &st, 0) == 0) {
            entry.size = static_cast<std::uint64_t>(st.st_size);
        }
    }
    if (entry.folder || entry.oddity != EntryOddity::None) {
        entry.size = 0;
    }
    entry.hidden = isHiddenName(entry.name);
    return true;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

void ForEachEntryAt(int parentFd, const std::string& name, const std::string& folder,
                    const std::function<void(const FolderEntryView&)>& visit, FileSizes sizes) {
    const int opened = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (opened < 0) {
        throw InOutError::fromErrno(errno, folder);
    }
#ifdef SYS_getdents64
    // The listing straight from the system into a buffer on the stack: a walk
    // over many folders spends nothing on each folder's own stream (its heap
    // buffer, its stat), which opendir would. A visit may list another folder.
    const UniqueFd fd(opened);
    alignas(8) std::array<char, std::size_t{32} * 1024> buffer;
    while (true) {
        const long got = ::syscall(SYS_getdents64, fd.get(), buffer.data(), buffer.size());
        if (got < 0) {
            throw InOutError::fromErrno(errno, folder);
        }
        if (got == 0) {
            return;
        }
        for (long at = 0; at < got;) {
            // The layout of struct linux_dirent64.
            struct Record {
                std::uint64_t inode;
                std::int64_t offset;
                unsigned short length;
                unsigned char type;
            };
            Record record{};
            std::memcpy(&record, buffer.data() + at, sizeof record);
            const char* entryName = buffer.data() + at + offsetof(Record, type) + 1;
            at += record.length;
            FolderEntryView entry;
            if (!isDotOrDotDot(entryName) &&
                describeEntry(fd.get(), entryName, record.type, sizes, entry)) {
                visit(entry);
            }
        }
    }
#else
    DirHandle dir(::fdopendir(opened));
    if (!dir.get()) {
        const int err = errno;
        ::close(opened);
        throw InOutError::fromErrno(err, folder);
    }
    while (true) {
        errno = 0;
        const dirent* e = ::readdir(dir.get());
        if (!e) {
            if (errno != 0) {
                throw InOutError::fromErrno(errno, folder);
            }
            return;
        }
        FolderEntryView entry;
        if (!isDotOrDotDot(e->d_name) &&
            describeEntry(::dirfd(dir.get()), e->d_name, e->d_type, sizes, entry)) {
            visit(entry);
        }
    }
#endif
}

std::string ReadWholeFile(const std::string& path) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        throw InOutError::fromErrno(errno, path);
    }
    std::string data;
    std::array<char, std::size_t{64} * 1024> buffer;
    while (true) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n > 0) {
            data.append(buffer.data(), static_cast<std::size_t>(n));
        } else if (n == 0) {
            return data;
        } else if (errno != EINTR) {
            throw InOutError::fromErrno(errno, path);
        }
    }
}

std::vector<FolderEntry> ReadFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    ForEachEntry(folder, [&entries](const FolderEntryView& e) {
        entries.push_back({std::string(e.name), e.folder, e.hidden, e.link});
    });
    return entries;
}

bool PassesFilter(bool folder, bool hidden, EntryFilter filter) {
    switch (filter) {
    case EntryFilter::VisibleFolders:
        return folder && !hidden;
    case EntryFilter::AllFiles:
        return !folder;
    case EntryFilter::VisibleFiles:
        return !folder && !hidden;
    }
    return false;
}

std::vector<std::string> ListEntries(const std::string& folder, std::string_view pattern,
                                     EntryFilter filter) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const FolderEntryView& e) {
        if (PassesFilter(e, filter) && MatchesWildcard(e.name, pattern)) {
            names.emplace_back(e.name);
        }
    });
    return names;
}

FileAttributes GetFileAttributes(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        return {};
    }
    return FileAttributesFromStat(path, st);
}

FileAttributes FileAttributesFromStat(std::string_view path, const struct stat& st) {
    FileAttributes a;
    a.exists = true;
    a.folder = S_ISDIR(st.st_mode);
    a.readOnly = (st.st_mode & S_IWUSR) == 0;
    std::string_view name(path);
    while (name.size() > 1 && name.back() == '/') {
        name.remove_suffix(1);
    }
    const auto slash = name.find_last_of('/');
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    a.hidden = isHiddenName(name);
    return a;
}

namespace {

// Compares names as folded: 0 when they differ in letter case only.
int compareFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ca = 0, cb = 0;
        const auto ba = static_cast<unsigned char>(a[i]);
        const auto bb = static_cast<unsigned char>(b[j]);
        // Most names are ASCII and share long beginnings; only the rest needs
        // folding or decoding.
        if (ba == bb && ba < 0x80) {
            ++i;
            ++j;
            continue;
        }
        if (ba < 0x80 && bb < 0x80) {
            ca = (ba >= 'A' && ba <= 'Z') ? ba + 32u : ba;
            cb = (bb >= 'A' && bb <= 'Z') ? bb + 32u : bb;
            ++i;
            ++j;
        } else {
            ca = foldCase(nextCodePoint(a, i));
            cb = foldCase(nextCodePoint(b, j));
        }
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

} // namespace

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
    if (const int folded = compareFolded(a, b); folded != 0) {
        return folded;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return compareFolded(a, b) == 0;
}

void AppendFoldedNameKey(std::string& out, std::string_view name) {
    // Most names are ASCII: folded in place, a byte for a byte.
    const std::size_t start = out.size();
    out.resize(start + name.size());
    std::size_t i = 0;
    for (; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x80) {
            break;
        }
        out[start + i] = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
    }
    out.resize(start + i);
    while (i < name.size()) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            ++i;
        } else {
            appendUtf8(out, foldCase(nextCodePoint(name, i)));
        }
    }
}

std::string FoldedNameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    AppendFoldedNameKey(key, name);
    return key;
}

void SortNamesIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& x, const std::string& y) {
        return CompareNamesIgnoringCase(x, y) < 0;
    });
}

} // namespace tornavel
