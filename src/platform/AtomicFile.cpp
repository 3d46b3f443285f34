#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

// Owns the temporary file: closes it and removes it unless it was renamed.
class TempFile {
public:
    TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~TempFile() {
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }
    bool close() { return fd_.close(); }
    void markRenamed() { renamed_ = true; }

private:
    std::string path_;
    UniqueFd fd_;
    bool renamed_ = false;
};

[[noreturn]] void fail(int err, const std::string& path) {
    throw InOutError::fromErrno(err, path);
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file that the symbolic links at path lead to, path itself when it is no
// link. A dangling link leads to the file it names, which the write creates.
std::string linkTarget(const std::string& path) {
    constexpr int kMostLinks = 40; // as the system's own ELOOP limit
    std::filesystem::path current(path);
    for (int links = 0; links < kMostLinks; ++links) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, ec))) {
            return current.string();
        }
        const std::filesystem::path target = std::filesystem::read_symlink(current, ec);
        if (ec) {
            fail(ec.value(), path);
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    fail(ELOOP, path);
}

// Overwrites the existing file target with data. The space is reserved before
// the first byte changes, so a full disk leaves the file as it was.
void writeInPlace(const std::string& target, std::string_view data, const std::string& path) {
    UniqueFd file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    struct stat st {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0) {
        fail(errno, path);
    }
    const auto size = static_cast<off_t>(data.size());
    if (size > st.st_size) {
        const int err = ::posix_fallocate(file.get(), 0, size);
        // A file system that cannot reserve space still gets the write.
        if (err != 0 && err != EOPNOTSUPP && err != EINVAL) {
            (void)::ftruncate(file.get(), st.st_size);
            fail(err, path);
        }
    }
    if (const int err = WriteAll(file.get(), data); err != 0) {
        fail(err, path);
    }
    if (::ftruncate(file.get(), size) != 0 || ::fsync(file.get()) != 0 || !file.close()) {
        fail(errno, path);
    }
}

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view data) {
    const std::string target = linkTarget(path);
    // A file being replaced keeps its permissions; a read-only one is refused,
    // as writing to it would be on Windows.
    mode_t mode = newFileMode();
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            fail(EISDIR, path);
        }
        if (::access(target.c_str(), W_OK) != 0) {
            fail(errno, path);
        }
        mode = existing.st_mode & 07777;
    }

    std::string pattern = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int err = errno;
        if (exists && (err == EACCES || err == EPERM)) {
            writeInPlace(target, data, path);
            return;
        }
        fail(err, path);
    }
    TempFile temp(pattern, fd);
    if (const int err = WriteAll(temp.fd(), data); err != 0) {
        fail(err, path);
    }
    if (::fchmod(temp.fd(), mode) != 0 || ::fsync(temp.fd()) != 0 || !temp.close()) {
        fail(errno, path);
    }
    if (::rename(temp.path().c_str(), target.c_str()) != 0) {
        fail(errno, path);
    }
    temp.markRenamed();
}

} // namespace tornavel
