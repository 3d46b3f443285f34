#include "platform/BackgroundProcess.h"

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/wait.h>
#include <system_error>
#include <thread>

namespace tornavel {

struct BackgroundProcess::Watch {
    explicit Watch(pid_t id) : pid(id) {}

    // Reaps the program when it has ended (without WNOHANG in options: once
    // it ends); with the lock held, so no signal goes to a reused id.
    void reap(int options) {
        int status = 0;
        pid_t r = -1;
        while ((r = ::waitpid(pid, &status, options)) < 0 && errno == EINTR) {
        }
        if (r != 0) { // reaped now, or by nobody's right (not ours any more)
            ended = true;
            endChanged.notify_all();
        }
    }

    const pid_t pid;
    std::mutex mutex;
    std::condition_variable endChanged;
    bool ended = false;
    bool watched = false; // a thread reaps it; else each question looks
};

BackgroundProcess::BackgroundProcess(pid_t pid) : watch_(std::make_shared<Watch>(pid)) {
    try {
        std::thread([watch = watch_] {
            // The end is awaited without reaping, so that the id stays ours
            // until the lock is taken.
            siginfo_t info{};
            while (::waitid(P_PID, static_cast<id_t>(watch->pid), &info, WEXITED | WNOWAIT) < 0 &&
                   errno == EINTR) {
            }
            const std::lock_guard lock(watch->mutex);
            watch->reap(0);
        }).detach();
        watch_->watched = true;
    } catch (const std::system_error&) {
        // No thread to spare: it is reaped when somebody asks after it.
    }
}

BackgroundProcess BackgroundProcess::start(const ProcessOptions& options) {
    return BackgroundProcess(StartProcess(options).pid);
}

bool BackgroundProcess::running() const {
    if (!watch_) {
        return false;
    }
    const std::lock_guard lock(watch_->mutex);
    if (!watch_->ended && !watch_->watched) {
        watch_->reap(WNOHANG);
    }
    return !watch_->ended;
}

void BackgroundProcess::signal(int signal) const {
    if (!watch_) {
        return;
    }
    const std::lock_guard lock(watch_->mutex);
    if (!watch_->ended) {
        ::kill(watch_->pid, signal);
    }
}

bool BackgroundProcess::waitFor(std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (watch_ && !watch_->watched && running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!watch_) {
        return true;
    }
    std::unique_lock lock(watch_->mutex);
    return watch_->endChanged.wait_until(lock, deadline, [this] { return watch_->ended; });
}

void BackgroundProcess::wait() const {
    while (!waitFor(std::chrono::hours(1))) {
    }
}

} // namespace tornavel
