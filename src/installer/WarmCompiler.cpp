#include "installer/WarmCompiler.h"

#include "platform/Wine.h"

#include <csignal>
#include <unistd.h>

namespace tornavel {

WarmCompiler::WarmCompiler(std::string compiler)
    : compiler_(std::move(compiler)), prefix_(WinePrefixFolder()), server_(prefix_) {
    if (FindInPath("wine").empty() || ::access(compiler_.c_str(), X_OK) != 0) {
        return; // nothing to warm: the build will say what is missing
    }
    if (WinePrefixReady(prefix_)) {
        server_.ensureRunning();
        return;
    }
    try {
        preparation_.emplace(Process::start({compiler_, "--prepare-prefix"}));
    } catch (const ProcessError&) {
        // The build will start the adapter itself and say why it cannot.
    }
}

WarmCompiler::~WarmCompiler() {
    if (preparing()) {
        // The adapter passes it on to wineboot; a half-made prefix is made
        // whole by the next build.
        preparation_->signal(SIGTERM);
        try {
            preparation_->wait({});
        } catch (const ProcessError&) {
        }
        // wineboot's server and wine's services outlive it otherwise.
        EndWinePrograms(prefix_);
    }
}

bool WarmCompiler::preparing() {
    if (!preparation_) {
        return false;
    }
    if (!preparation_->hasEnded()) {
        return true;
    }
    preparation_.reset();
    return false;
}

void WarmCompiler::beforeBuild() {
    if (!preparing() && WinePrefixReady(prefix_)) {
        server_.ensureRunning();
    }
}

} // namespace tornavel
