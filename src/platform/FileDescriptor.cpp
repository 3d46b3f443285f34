#include "platform/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

namespace tornavel {

void UniqueFd::reset(int fd) noexcept {
    if (fd_ >= 0 && fd_ != fd) {
        ::close(fd_);
    }
    fd_ = fd;
}

bool UniqueFd::close() noexcept {
    return ::close(release()) == 0;
}

int WriteAll(int fd, std::string_view data) noexcept {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

} // namespace tornavel
