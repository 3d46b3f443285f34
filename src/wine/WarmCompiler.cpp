#include "wine/WarmCompiler.h"

#include "platform/Cp1250.h"
#include "wine/AdapterProtocol.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

#include <array>
#include <cerrno>
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
    ProcessOptions options({compiler_, std::string(kPreparePrefixOption)}, {kSignPasswordVariable});
    options.deathSignal = SIGTERM; // passed on to wineboot
    // Its words come to the window, which says them in its status line and
    // in its terminal's encoding; the adapter writes Windows-1250 to a pipe.
    options.output = ChildStream::Kind::Pipe;
    options.error = ChildStream::Kind::Output;
    try {
        StartedProcess started = StartProcess(options);
        preparationOutput_ = std::move(started.output);
        preparation_ = BackgroundProcess(started.pid);
        preparationTold_ = false;
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

PreparationNews WarmCompiler::pollPreparation() {
    PreparationNews news;
    if (preparationTold_) {
        return news;
    }
    // Asked before reading, so that everything it wrote before its end is read.
    const bool ended = !preparing();
    readPreparationOutput(news, ended);
    if (!ended) {
        news.state = PreparationNews::State::Preparing;
        return news;
    }
    preparationTold_ = true;
    preparationOutput_.reset();
    if (WinePrefixReady(prefix_)) {
        news.state = PreparationNews::State::Ready;
        server_.ensureRunning();
    } else {
        news.state = PreparationNews::State::Failed;
        news.reason = lastLine_;
    }
    return news;
}

void WarmCompiler::readPreparationOutput(PreparationNews& news, bool ended) {
    std::array<char, 4096> buffer{};
    while (preparationOutput_.valid()) {
        const ssize_t got = ::read(preparationOutput_.get(), buffer.data(), buffer.size());
        if (got > 0) {
            pendingOutput_.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break; // nothing more now (EAGAIN), or the end of the pipe
        }
    }
    if (ended && !pendingOutput_.empty() && pendingOutput_.back() != '\n') {
        pendingOutput_ += '\n';
    }
    std::size_t start = 0;
    for (std::size_t end = pendingOutput_.find('\n'); end != std::string::npos;
         end = pendingOutput_.find('\n', start)) {
        std::string_view line(pendingOutput_.data() + start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        news.lines.push_back(fromCp1250(line));
        if (news.lines.back() != kPreparingPrefixNotice && !news.lines.back().empty()) {
            lastLine_ = news.lines.back();
        }
        start = end + 1;
    }
    pendingOutput_.erase(0, start);
}

} // namespace tornavel
