#pragma once

#include "installer/BuildConsole.h"

#include <string>
#include <vector>

namespace tornavel::test {

// A BuildConsole that records every call as one text, in order:
// "notice: …", "started: …", "line: …", "finished: CODE: ERRORLINE", "failed: …",
// "progress: FILES/TOTAL BYTES/TOTAL FILE", "stopped".
class RecordingConsole : public BuildConsole {
public:
    void notice(const std::string& text) override { calls.push_back("notice: " + text); }
    void compilerStarted(const std::string& commandLine) override {
        calls.push_back("started: " + commandLine);
    }
    void compilerLine(const std::string& line) override { calls.push_back("line: " + line); }
    void compilerFinished(std::uint32_t exitCode, const std::string& errorLine) override {
        calls.push_back("finished: " + std::to_string(exitCode) + ": " + errorLine);
    }
    void compilerFailed(const std::string& message) override {
        calls.push_back("failed: " + message);
    }
    void compilerProgress(const PackingProgress& p) override {
        calls.push_back("progress: " + std::to_string(p.filesDone) + "/" +
                        std::to_string(p.filesTotal) + " " + std::to_string(p.bytesDone) + "/" +
                        std::to_string(p.bytesTotal) + " " + p.file);
    }
    void compilerStopped() override { calls.push_back("stopped"); }

    std::vector<std::string> calls;
};

} // namespace tornavel::test
