#include "support/Unprivileged.h"

#include "platform/FileDescriptor.h"

#include <exception>
#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tornavel::test {
namespace {

constexpr uid_t kNobodyFallback = 65534;

// Gives up root for good. False when any step fails.
bool becomeNobody() {
    const passwd* pw = ::getpwnam("nobody");
    const uid_t uid = pw ? pw->pw_uid : kNobodyFallback;
    const gid_t gid = pw ? pw->pw_gid : kNobodyFallback;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 &&
           ::setresuid(uid, uid, uid) == 0 && ::geteuid() != 0;
}

[[noreturn]] void runChild(int resultFd, const std::function<std::string()>& operation) {
    std::string result;
    if (::geteuid() == 0 && !becomeNobody()) {
        result = "exception: cannot drop root's privileges";
    } else {
        try {
            result = operation();
        } catch (const std::exception& e) {
            result = std::string("exception: ") + e.what();
        } catch (...) {
            result = "exception: unknown";
        }
    }
    (void)WriteAll(resultFd, result); // a lost result reads as an empty one
    ::_exit(0);                       // no exit handlers: they belong to the test process
}

} // namespace

std::string runUnprivileged(const std::function<std::string()>& operation) {
    int fds[2];
    if (::pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        ::close(fds[0]);
        runChild(fds[1], operation);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) {
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the unprivileged child did not end normally");
    }
    return result;
}

void requireReachable(const std::filesystem::path& path) {
    if (::geteuid() != 0) {
        return; // the child is the test's own user
    }
    for (auto folder = std::filesystem::absolute(path).parent_path();;
         folder = folder.parent_path()) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) {
            throw std::runtime_error(folder.string() +
                                     " cannot be passed by other users; set TMPDIR to a folder "
                                     "they can reach");
        }
        if (folder == folder.root_path()) {
            return;
        }
    }
}

} // namespace tornavel::test
