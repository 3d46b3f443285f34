#pragma once

#include "platform/BackgroundProcess.h"
#include "wine/WineServer.h"

#include <string>

namespace tornavel {

// Keeps the compiler quick to start while a front end with a window lives.
// Made at the window's start: when wine and the compiler adapter are there
// but the wine prefix is not, the adapter makes it in the background at once
// ("iscc --prepare-prefix"), so the first build usually finds it ready; once
// it is, the prefix's wine server is kept up (WineServerKeeper), so no build
// pays for wine's start. Nothing of either outlives the object, nor the
// program when it is killed (both get a death signal), and a preparation
// that has ended is reaped at once.
class WarmCompiler {
public:
    // compiler: the adapter the builds start (CompilerProgram).
    explicit WarmCompiler(std::string compiler);
    ~WarmCompiler();
    WarmCompiler(const WarmCompiler&) = delete;
    WarmCompiler& operator=(const WarmCompiler&) = delete;

    // Before each build (and after one, which may have made the prefix): the
    // server, when the prefix is ready by now.
    void beforeBuild();

    // The prefix was set aside (SetWinePrefixAside): the server kept for it
    // ends, and beforeBuild keeps one up for the new prefix once that is made.
    void prefixSetAside() { server_.end(); }

    // Whether the prefix is being made in the background.
    bool preparing() const { return preparation_.running(); }

private:
    std::string compiler_;
    std::string prefix_;
    BackgroundProcess preparation_;
    WineServerKeeper server_;
};

} // namespace tornavel
