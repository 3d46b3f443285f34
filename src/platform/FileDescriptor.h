#pragma once

#include <string_view>
#include <utility>

namespace tornavel {

// Owns a POSIX file descriptor and closes it when it goes, unless it was
// closed or released before. -1 means none.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const noexcept { return fd_; }
    bool valid() const noexcept { return fd_ >= 0; }

    // The descriptor, no longer owned.
    int release() noexcept { return std::exchange(fd_, -1); }
    // Closes the descriptor held, if any, and takes fd instead.
    void reset(int fd = -1) noexcept;
    // Closes the descriptor now and says whether that succeeded: for a file
    // that was written, a failed close is a failed write.
    bool close() noexcept;

private:
    int fd_ = -1;
};

// Writes all of data to fd, resuming after interruptions and short writes.
// Returns 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view data) noexcept;

} // namespace tornavel
