#pragma once

#include "platform/BackgroundProcess.h"
#include "platform/FileDescriptor.h"
#include "wine/WineServer.h"

#include <string>
#include <vector>

namespace tornavel {

// What the background preparation of the wine prefix has come to since it
// was last asked.
struct PreparationNews {
    enum class State {
        None,      // nothing is prepared in the background, or its end was told already
        Preparing, // the prefix is being made
        Ready,     // it has been made (told once)
        Failed,    // the preparation ended without a prefix (told once)
    };
    State state = State::None;
    // The adapter's lines since the last call, UTF-8 (it writes Windows-1250
    // to the pipe it is given).
    std::vector<std::string> lines;
    // Failed: the adapter's last line other than its notice, empty when it
    // said nothing.
    std::string reason;
};

// Keeps the compiler quick to start while a front end with a window lives.
// Made at the window's start: when wine and the compiler adapter are there
// but the wine prefix is not, the adapter makes it in the background at once
// ("iscc --prepare-prefix"), so the first build usually finds it ready; once
// it is, the prefix's wine server is kept up (WineServerKeeper), so no build
// pays for wine's start. Nothing of either outlives the object, nor the
// program when it is killed (both get a death signal), and a preparation
// that has ended is reaped at once. The preparation's output comes to the
// owner (pollPreparation), not to its terminal.
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

    // Reads what the preparation has written, without waiting, and says how
    // far it is; once it has ended, the first call tells how (and keeps the
    // server up when the prefix is ready), later calls say None.
    PreparationNews pollPreparation();

private:
    // The adapter's complete lines read so far, decoded.
    void readPreparationOutput(PreparationNews& news, bool ended);

    std::string compiler_;
    std::string prefix_;
    BackgroundProcess preparation_;
    UniqueFd preparationOutput_;  // the adapter's standard output and error
    std::string pendingOutput_;   // bytes of a line not yet ended
    std::string lastLine_;        // the last line other than the notice
    bool preparationTold_ = true; // no preparation, or its end was told
    WineServerKeeper server_;
};

} // namespace tornavel
