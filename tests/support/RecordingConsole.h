#pragma once

#include "installer/BuildConsole.h"

#include <string>
#include <vector>

namespace tornavel::test {

// A BuildConsole that records every call as one text, in order:
// "notice: …", "started: …", "line: …", "finished: CODE: ERRORLINE", "failed: …",
// "progress: DONE/TOTAL FILE", "stopped".
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
    void compilerProgress(std::size_t done, std::size_t total, const std::string& file) override {
        calls.push_back("progress: " + std::to_string(done) + "/" + std::to_string(total) + " " +
                        file);
    }
    void compilerStopped() override { calls.push_back("stopped"); }

    std::vector<std::string> calls;
};

} // namespace tornavel::test
