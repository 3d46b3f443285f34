#pragma once

#include "platform/BackgroundProcess.h"

#include <string>

namespace tornavel {

// Keeps the wine server of a prefix running while the object lives, so that
// every Windows program started meanwhile (the compiler, a test installation)
// skips the server's start and finds wine's own services up. The server is a
// child of ours ("wineserver -f -p"), in a process group of its own, reaped as
// soon as it ends; the object ends it and waits for it, and with it wine's
// processes of that prefix, so nothing of it outlives the object. Should this
// program be killed, the server gets the same ending signal at once (a death
// signal from the thread that made the object, which must live as long).
//
// When another server already runs for the prefix (a build's lingering one),
// ours ends at once; ensureRunning tries again later.
class WineServerKeeper {
public:
    explicit WineServerKeeper(std::string prefix) : prefix_(std::move(prefix)) {}
    ~WineServerKeeper();
    WineServerKeeper(const WineServerKeeper&) = delete;
    WineServerKeeper& operator=(const WineServerKeeper&) = delete;

    // Starts the server unless ours runs; nothing without wine.
    void ensureRunning();
    // Ends our server, with every program of its prefix, and waits for that;
    // nothing when none runs.
    void end();

private:
    std::string prefix_;
    BackgroundProcess server_;
};

// Ends every program of the prefix and its server, as "wineserver -k" does,
// and waits for that; nothing when none runs.
void EndWinePrograms(const std::string& prefix);

// Starts the prefix's wine server to stay up for seconds after its last
// program ends, unless one runs already (which then keeps its own time).
// Best effort: a server that cannot start only costs the next build its start.
void StartLingeringServer(const std::string& prefix, int seconds);

} // namespace tornavel
