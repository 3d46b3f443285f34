#include "platform/AtomicFile.h"

#include "platform/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

// Owns the temporary file: closes it and removes it unless it was renamed.
class TempFile {
public:
    TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~TempFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void markRenamed() { renamed_ = true; }

private:
    std::string path_;
    int fd_;
    bool renamed_ = false;
};

[[noreturn]] void fail(int err) {
    throw InOutError::fromErrno(err);
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view data) {
    // A file being replaced keeps its permissions; a read-only one is refused,
    // as writing to it would be on Windows.
    mode_t mode = newFileMode();
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            fail(EISDIR);
        }
        if (::access(path.c_str(), W_OK) != 0) {
            fail(errno);
        }
        mode = existing.st_mode & 07777;
    }

    std::string pattern = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        fail(errno);
    }
    TempFile temp(pattern, fd);

    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(temp.fd(), p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fchmod(temp.fd(), mode) != 0 || ::fsync(temp.fd()) != 0) {
        fail(errno);
    }
    if (!temp.close()) {
        fail(errno);
    }
    if (::rename(temp.path().c_str(), path.c_str()) != 0) {
        fail(errno);
    }
    temp.markRenamed();
}

} // namespace tornavel
