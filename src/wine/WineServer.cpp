#include "wine/WineServer.h"

#include "platform/Process.h"
#include "wine/Wine.h"

#include <chrono>
#include <csignal>
#include <vector>

namespace tornavel {
namespace {

// wineserver with the options in the prefix, in a process group of its own
// (a terminal's Ctrl+C meant for us does not reach it), its streams on
// /dev/null and none of our descriptors (a window's sockets and files stay
// ours alone). Throws ProcessError when it cannot start.
ProcessOptions serverOptions(const std::string& prefix, const std::vector<std::string>& options) {
    ProcessOptions server({FindWineServer()}, WineVariables(prefix));
    server.arguments.insert(server.arguments.end(), options.begin(), options.end());
    server.input = server.output = server.error = ChildStream::Kind::Null;
    server.ownProcessGroup = true;
    return server;
}

// As "wineserver -k" asks it: SIGINT makes the server end every program of
// the prefix (wine's own services too, which a SIGTERM would leave running
// without it), save the registry and end.
constexpr int kEndingSignal = SIGINT;

} // namespace

WineServerKeeper::~WineServerKeeper() {
    end();
}

void WineServerKeeper::end() {
    if (!server_.running()) {
        return;
    }
    server_.signal(kEndingSignal);
    if (!server_.waitFor(std::chrono::seconds(5))) {
        server_.signal(SIGKILL);
        server_.wait();
    }
}

void WineServerKeeper::ensureRunning() {
    if (server_.running()) {
        return;
    }
    try {
        ProcessOptions server = serverOptions(prefix_, {"-f", "-p"});
        server.deathSignal = kEndingSignal;
        server_ = BackgroundProcess::start(server);
    } catch (const ProcessError&) {
        // No wine: the build says what is missing.
    }
}

void EndWinePrograms(const std::string& prefix) {
    try {
        (void)Process::startWith(serverOptions(prefix, {"-k"})).wait({});
    } catch (const ProcessError&) {
        // No wine, no programs of it.
    }
}

void StartLingeringServer(const std::string& prefix, int seconds) {
    const std::string server = FindWineServer();
    if (server.empty()) {
        return;
    }
    try {
        // It goes into the background once it is up, so this waits only for that.
        (void)RunAndWait({server, "-p" + std::to_string(seconds)}, WineVariables(prefix),
                         {nullptr, "/dev/null"});
    } catch (const ProcessError&) {
        // No server of ours: the compile starts one as it always does.
    }
}

} // namespace tornavel
