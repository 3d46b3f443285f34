#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tornavel {
namespace {

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
void writeInPlace(const std::string& target, std::string_view data, const std::string& path,
                  const AtomicWriteOptions& options) {
    UniqueFd file(
        ::open(target.c_str(), O_WRONLY | O_CLOEXEC | (options.followLinks ? 0 : O_NOFOLLOW)));
    struct stat st {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 ||
        (options.mode && ::fchmod(file.get(), *options.mode) != 0)) {
        fail(errno, path);
    }
    const auto size = static_cast<off_t>(data.size());
    if (size > st.st_size) {
        const int err = ::posix_fallocate(file.get(), 0, size);
        // A file system that cannot reserve space still gets the write.
        if (err != 0 && err != EOPNOTSUPP && err != EINVAL) {
            // Only the reservation's failure is reported; giving back its
            // space is all that is left to try.
            [[maybe_unused]] const int released = ::ftruncate(file.get(), st.st_size);
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

AtomicFileWriter::AtomicFileWriter(std::string path, const AtomicWriteOptions& options)
    : path_(std::move(path)), target_(options.followLinks ? linkTarget(path_) : path_),
      options_(options) {
    // A file being replaced keeps its permissions; a read-only one is refused,
    // as writing to it would be on Windows.
    mode_ = newFileMode();
    struct stat existing {};
    const bool exists = (options.followLinks ? ::stat(target_.c_str(), &existing)
                                             : ::lstat(target_.c_str(), &existing)) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            fail(EISDIR, path_);
        }
        if (!S_ISLNK(existing.st_mode) && ::access(target_.c_str(), W_OK) != 0) {
            fail(errno, path_);
        }
        mode_ = S_ISLNK(existing.st_mode) ? mode_ : existing.st_mode & 07777;
    }
    mode_ = options.mode.value_or(mode_);
    temporary_ = target_ + ".tmp-XXXXXX";
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) {
        const int err = errno;
        if (!exists || (err != EACCES && err != EPERM)) {
            fail(err, path_);
        }
        writeInPlace_ = true;
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void AtomicFileWriter::write(std::string_view bytes) {
    if (writeInPlace_) {
        inPlace_ += bytes;
    } else if (const int err = WriteAll(fd_, bytes); err != 0) {
        fail(err, path_);
    }
}

void AtomicFileWriter::commit() {
    if (writeInPlace_) {
        writeInPlace(target_, inPlace_, path_, options_);
        return;
    }
    UniqueFd file(std::exchange(fd_, -1));
    const auto removeTemporary = [this] { ::unlink(temporary_.c_str()); };
    if (::fchmod(file.get(), mode_) != 0 || ::fsync(file.get()) != 0 || !file.close()) {
        const int err = errno;
        removeTemporary();
        fail(err, path_);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        removeTemporary();
        fail(err, path_);
    }
}

void WriteFileAtomically(const std::string& path, std::string_view data) {
    AtomicFileWriter file(path);
    file.write(data);
    file.commit();
}

} // namespace tornavel
