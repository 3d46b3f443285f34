#include "wine/WarmCompiler.h"

#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

#include <csignal>
#include <unistd.h>

namespace tornavel {

WarmCompiler::WarmCompiler(std::string compiler)
    : compiler_(std::move(compiler)), prefix_(WinePrefixFolder()), server_(prefix_) {
    if (FindWine().empty() || ::access(compiler_.c_str(), X_OK) != 0) {
        return; // nothing to warm: the build will say what is missing
    }
    if (WinePrefixReady(prefix_)) {
        server_.ensureRunning();
        return;
    }
    try {
        ProcessOptions preparation({compiler_, std::string(kPreparePrefixOption)},
                                   {kSignPasswordVariable});
        preparation.deathSignal = SIGTERM; // passed on to wineboot
        preparation_ = BackgroundProcess::start(preparation);
    } catch (const ProcessError&) {
        // The build will start the adapter itself and say why it cannot.
    }
}

WarmCompiler::~WarmCompiler() {
    if (preparing()) {
        // The adapter passes it on to wineboot; a half-made prefix is made
        // whole by the next build.
        preparation_.signal(SIGTERM);
        preparation_.wait();
        // wineboot's server and wine's services outlive it otherwise.
        EndWinePrograms(prefix_);
    }
}

void WarmCompiler::beforeBuild() {
    if (!preparing() && WinePrefixReady(prefix_)) {
        server_.ensureRunning();
    }
}

} // namespace tornavel
