#pragma once

#include "platform/ProcessStarter.h"

#include <chrono>
#include <memory>
#include <sys/types.h>

namespace tornavel {

// A program that runs beside us while its owner does other things (the
// window's background preparation, the kept wine server): a thread of its own
// reaps it the moment it ends, so it never lingers as a zombie, and the owner
// can still ask whether it runs, signal it and wait for it. A signal never
// reaches another process that took over its id: the id is free only once
// the program is reaped, which waits for a signal being sent.
//
// Letting the object go leaves the program running; it is still reaped when
// it ends.
class BackgroundProcess {
public:
    BackgroundProcess() = default; // no program
    // Watches a started child of ours (StartProcess); nobody else may reap it.
    explicit BackgroundProcess(pid_t pid);
    // Starts the program and watches it; throws as StartProcess does.
    static BackgroundProcess start(const ProcessOptions& options);

    bool running() const;
    // Sends the signal while the program runs; nothing once it has ended.
    void signal(int signal) const;
    // Waits at most limit for the program's end; whether it has ended.
    bool waitFor(std::chrono::milliseconds limit) const;
    // Waits for the program's end.
    void wait() const;

private:
    struct Watch;
    std::shared_ptr<Watch> watch_; // shared with the thread that reaps
};

} // namespace tornavel
